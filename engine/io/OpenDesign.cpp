#include "engine/io/OpenDesign.h"

#include "engine/io/DesignFile.h"
#include "engine/io/kicad/KicadBoard.h"

#include <fstream>

#include <malloc.h>

namespace lumora::engine {

namespace {

// Enough of a file's start to tell the formats apart.
std::string startOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(64, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start;
}

Design readDesign(const std::filesystem::path& path) {
    if (path.extension() == ".kicad_pcb" || kicad::isKicadBoard(startOf(path))) {
        return kicad::loadKicadBoard(path).design;
    }
    return loadDesign(path);
}

} // namespace

Design openDesign(const std::filesystem::path& path) {
    Design design = readDesign(path);
    // The reader's text and trees are freed in many small blocks the allocator would keep for the
    // process's life; a run needs that memory for other things.
    malloc_trim(0);
    return design;
}

} // namespace lumora::engine
