#include "engine/io/OpenDesign.h"

#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"
#include "engine/io/Roles.h"

#include <malloc.h>

namespace lumora::engine {

OpenedDesign openDesignWithNotes(const std::filesystem::path& path) {
    OpenedDesign opened = formatOf(path, readFileStart(path, kStartLength)).read(path);
    // The reader's text and trees are freed in many small blocks the allocator would keep for the
    // process's life; a run needs that memory for other things.
    malloc_trim(0);
    return opened;
}

Design openDesign(const std::filesystem::path& path) {
    return openDesignWithNotes(path).design;
}

std::vector<std::filesystem::path> companionFiles(const std::filesystem::path& path) {
    std::string start;
    try {
        start = readFileStart(path, kStartLength);
    } catch (const DesignFormatError&) {
        // Opening the design says what is wrong with it; its name still tells the format.
    }
    if (formatOf(path, start).readsRolesFile) {
        return {rolesFileBeside(path)};
    }
    return {};
}

} // namespace lumora::engine
