#include "korven/KorvenRecords.h"

namespace lumora {

int16_t readFile(KorvenApplication& app, int32_t fileNumber, KorvenFileRecord& file) {
    return app.GetFile2(fileNumber, file.name, file.fileType, file.show, file.x, file.y, file.scale,
                        file.rotation, file.mirror, file.blockType, file.geomNum);
}

int16_t readInsert(KorvenApplication& app, int16_t geomNum, int32_t dataPos, KorvenInsertRecord& insert) {
    return app.GetDataInsert(geomNum, dataPos, insert.geomNum, insert.x, insert.y, insert.scale,
                             insert.rotation, insert.mirror, insert.insertType, insert.refName);
}

} // namespace lumora
