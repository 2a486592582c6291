#include "engine/io/OpenDesign.h"

#include <fstream>

#include <malloc.h>

namespace lumora::engine {

namespace {

// Enough of a file's start to tell the formats apart.
std::string startOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(kStartLength, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start;
}

} // namespace

OpenedDesign openDesignWithNotes(const std::filesystem::path& path) {
    OpenedDesign opened = formatOf(path, startOf(path)).read(path);
    // The reader's text and trees are freed in many small blocks the allocator would keep for the
    // process's life; a run needs that memory for other things.
    malloc_trim(0);
    return opened;
}

Design openDesign(const std::filesystem::path& path) {
    return openDesignWithNotes(path).design;
}

} // namespace lumora::engine
