#pragma once

#include "engine/io/Roles.h"
#include "engine/io/ipc2581/Ipc2581Step.h"
#include "engine/model/Design.h"

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::ipc2581 {

struct Ipc2581Import {
    Design design{};
    // What the file lacked that checks would need (no outline, no components ...): it loads all
    // the same, and these say so.
    std::vector<std::string> notes{};
    ImportCounts counts{};
};

// Reads an IPC-2581 file (revisions B and C) as docs/ipc2581-import.md describes, streaming: no
// tree of the whole file is built. A file that cannot be read is refused as a whole with
// DesignFormatError ("file:line:column: ..."), and nothing is loaded.
Ipc2581Import readIpc2581(std::istream& in, const std::string& fileName,
                          const RoleRules& roles = defaultRoleRules());
// The same for a file on disk, with the roles file beside it.
Ipc2581Import loadIpc2581(const std::filesystem::path& path);

// Whether a file's first bytes open an IPC-2581 document: its root element, after the XML
// declaration, comments and a document type declaration.
bool isIpc2581(std::string_view start);

} // namespace lumora::engine::ipc2581
