#include "engine/io/FileText.h"

#include "engine/io/DesignFile.h"

namespace lumora::engine {

namespace {

template <class Read> auto refusedAsDesignError(Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const files::InputFileError& error) {
        throw DesignFormatError(error.what());
    }
}

} // namespace

std::string readFileText(const std::filesystem::path& path, const files::InputKind& kind) {
    return refusedAsDesignError([&] { return files::readInputFile(path, kind); });
}

std::optional<std::string> readFileTextIfPresent(const std::filesystem::path& path,
                                                 const files::InputKind& kind) {
    return refusedAsDesignError([&] { return files::readInputFileIfPresent(path, kind); });
}

void readFilePieces(const std::filesystem::path& path, const files::TakePiece& take) {
    refusedAsDesignError([&] { files::readInputPieces(path, files::input::Design, take); });
}

std::string readFileStart(const std::filesystem::path& path, std::size_t count) {
    return refusedAsDesignError([&] { return files::readInputStart(path, count, files::input::Design); });
}

} // namespace lumora::engine
