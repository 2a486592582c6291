#include "manifest/ManifestRun.h"

#include "files/ReplaceFile.h"
#include "manifest/DesignResult.h"
#include "manifest/OutputFolder.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace lumora::manifest {

namespace {

using Json = nlohmann::ordered_json;

// Enough of what a run said to tell why it did not pass; the whole text stays in its folder.
constexpr std::size_t kLongestMessage = 4000;

std::vector<std::string> pathTexts(const std::vector<std::filesystem::path>& paths) {
    return {paths.begin(), paths.end()};
}

// Every slice writes the same list, so the merge knows which designs a folder misses.
void writeDesignList(const std::vector<ManifestEntry>& entries, const std::filesystem::path& out) {
    Json designs = Json::array();
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const ManifestEntry& entry = entries[position];
        designs.push_back(Json{{"position", position},
                               {"name", entry.folder},
                               {"design", entry.design.string()},
                               {"scripts", pathTexts(entry.scripts)}});
    }
    lumora::files::replaceFile(out / files::kDesigns, Json{{"designs", std::move(designs)}}.dump(2) + '\n');
}

// A killed run's files go, so that nothing of it is taken for the new run's.
void emptyFolder(const std::filesystem::path& folder) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

std::string messagesOf(const std::filesystem::path& folder) {
    std::ifstream in(folder / files::kMessages, std::ios::binary);
    std::string text(kLongestMessage, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

DesignResult resultOf(const ManifestEntry& entry, std::size_t position, const DesignEnd& end,
                      const std::filesystem::path& folder) {
    DesignResult result;
    result.position = position;
    result.name = entry.folder;
    result.design = entry.design.string();
    result.scripts = pathTexts(entry.scripts);
    result.outcome = end.outcome;
    result.exitStatus = end.exitStatus;
    result.signal = end.signal;
    addReport(result, folder / files::kReport);
    if (end.outcome != DesignOutcome::Passed && end.outcome != DesignOutcome::Violations) {
        result.message = messagesOf(folder);
    }
    return result;
}

std::string secondsText(double seconds) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << seconds << " s";
    return text.str();
}

void sayResult(const DesignResult& result, std::ostream& progress) {
    progress << result.name << ": " << outcomeName(result.outcome);
    if (result.signal != 0) {
        progress << " (signal " << result.signal << ")";
    } else if (result.outcome != DesignOutcome::Passed) {
        progress << " (exit status " << result.exitStatus << ")";
    }
    progress << " in " << secondsText(result.seconds) << '\n';
}

} // namespace

SliceRun runSlice(const std::vector<ManifestEntry>& entries, Slice slice, const std::filesystem::path& out,
                  const DesignRunner& run, std::ostream& progress) {
    std::filesystem::create_directories(out);
    writeDesignList(entries, out);
    SliceRun sliceRun;
    for (std::size_t position = 0; position < entries.size() && !sliceRun.stopped; ++position) {
        if (!slice.holds(position)) {
            continue;
        }
        ++sliceRun.designs;
        const ManifestEntry& entry = entries[position];
        const std::filesystem::path folder = out / entry.folder;
        if (completeResult(folder)) {
            ++sliceRun.complete;
            progress << entry.folder << ": complete already\n";
            continue;
        }
        try {
            emptyFolder(folder);
        } catch (const std::exception& error) {
            sliceRun.faults.push_back(error.what());
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        const DesignEnd end = run(entry, folder);
        if (end.outcome == DesignOutcome::Stopped) {
            sliceRun.stopped = true;
            progress << entry.folder << ": stopped; it runs again with the slice\n";
            continue;
        }
        DesignResult result = resultOf(entry, position, end, folder);
        result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        try {
            writeResult(folder, result);
            ++sliceRun.checked;
            sayResult(result, progress);
        } catch (const std::exception& error) {
            sliceRun.faults.push_back(error.what());
        }
    }
    return sliceRun;
}

} // namespace lumora::manifest
