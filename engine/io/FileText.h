#pragma once

#include "files/InputFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lumora::engine {

// A file an import reads, whole and within its kind's bound (files/InputFile.h); what the bounded
// reader refuses is refused as a DesignFormatError with the same message.
std::string readFileText(const std::filesystem::path& path,
                         const files::InputKind& kind = files::input::Design);
// The same for a file the import reads only when it is there (a roles file): none then.
std::optional<std::string> readFileTextIfPresent(const std::filesystem::path& path,
                                                 const files::InputKind& kind);
// A design file in pieces, for a reader that streams it (files::readInputPieces), refused as
// readFileText refuses.
void readFilePieces(const std::filesystem::path& path, const files::TakePiece& take);
// The first count bytes of a design file, to tell the formats apart.
std::string readFileStart(const std::filesystem::path& path, std::size_t count);

} // namespace lumora::engine
