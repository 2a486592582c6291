#pragma once

// KORVEN describes a file (GetFile2) and an insert (GetDataInsert) through ten out-parameters each;
// the runner reads them into one record.

#include "korvenapi/KorvenAutomation.h"

#include <cstdint>
#include <string>

namespace lumora {

struct KorvenFileRecord {
    std::string name;
    int16_t fileType = 0;
    bool show = false;
    float x = 0, y = 0, scale = 0, rotation = 0;
    int16_t mirror = 0;
    int16_t blockType = 0; // block_type::Board or block_type::Panel for the files the runner tests
    int16_t geomNum = 0;
};

struct KorvenInsertRecord {
    int16_t geomNum = 0; // the geometry the insert places
    float x = 0, y = 0, scale = 0, rotation = 0;
    int16_t mirror = 0;
    int16_t insertType = 0;
    std::string refName;
};

int16_t readFile(KorvenApplication& app, int32_t fileNumber, KorvenFileRecord& file);
int16_t readInsert(KorvenApplication& app, int16_t geomNum, int32_t dataPos, KorvenInsertRecord& insert);

} // namespace lumora
