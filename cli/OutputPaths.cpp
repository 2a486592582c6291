#include "cli/OutputPaths.h"

#include "files/ReplaceFile.h"

#include <sys/stat.h>

namespace lumora::cli {

namespace {

// What tells two names of one file apart from two files: the device and inode of what is there,
// else the name with its folders resolved (two outputs may name one new file).
std::string identityOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        return "inode " + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    }
    std::error_code unresolved;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, unresolved);
    return "name " + (unresolved ? std::filesystem::absolute(path) : resolved).string();
}

std::string quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

std::optional<std::string> refusalOfKind(const RunFile& output) {
    try {
        files::checkOutputPath(output.path);
    } catch (const files::OutputFileError& error) {
        return output.role + ": " + error.what();
    }
    return std::nullopt;
}

std::optional<std::string> refusalOfClash(const RunFile& output, const std::string& identity,
                                          const std::vector<RunFile>& runFiles) {
    for (const RunFile& file : runFiles) {
        if (file.replacedBy != output.role && identityOf(file.path) == identity) {
            return output.role + " " + quoted(output.path) + " is " + file.role +
                   "; an output may not replace a file the run reads or writes";
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> outputsRefusal(const std::vector<RunFile>& outputs,
                                          const std::vector<RunFile>& runFiles) {
    std::vector<std::pair<std::string, const RunFile*>> named;
    for (const RunFile& output : outputs) {
        const bool streamed = output.path == kStandardOutput;
        if (!streamed) {
            if (std::optional<std::string> refusal = refusalOfKind(output)) {
                return refusal;
            }
        }
        const std::string identity = streamed ? "standard output" : identityOf(output.path);
        for (const auto& [earlier, other] : named) {
            if (earlier == identity) {
                return other->role + " and " + output.role + " both name " +
                       (streamed ? std::string("standard output (\"-\")") : quoted(output.path));
            }
        }
        if (!streamed) {
            if (std::optional<std::string> refusal = refusalOfClash(output, identity, runFiles)) {
                return refusal;
            }
        }
        named.emplace_back(identity, &output);
    }
    return std::nullopt;
}

} // namespace lumora::cli
