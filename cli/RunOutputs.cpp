#include "cli/RunOutputs.h"

#include "cli/PictureOutput.h"
#include "engine/io/DesignFile.h"
#include "engine/io/MarkersJson.h"
#include "files/ReplaceFile.h"
#include "log/ProductInfo.h"

#include <algorithm>
#include <sstream>

namespace lumora::cli {

namespace {

// Every output but the pictures, by its option, as data once.
std::vector<std::pair<const char*, const std::optional<std::string>*>>
textOutputs(const CliOptions& options) {
    return {{"--save-design", &options.saveDesign},
            {"--markers", &options.markers},
            {"--report", &options.reports.report},
            {"--junit", &options.reports.junit},
            {"--write-waivers", &options.reports.writeWaivers}};
}

} // namespace

bool writeOutput(const report::OutputFile& file, std::ostream& out, std::ostream& err) {
    try {
        std::ostringstream text;
        file.write(text);
        if (file.path == kStandardOutput) {
            out << text.str() << std::flush;
            return out.good();
        }
        files::replaceFile(file.path, text.str());
        return true;
    } catch (const files::OutputFileError& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": cannot write \"" << file.path << "\" (" << error.what() << ")\n";
    }
    return false;
}

std::vector<RunFile> namedOutputs(const CliOptions& options, const engine::Design& design) {
    std::vector<RunFile> outputs;
    for (const auto& [option, path] : textOutputs(options)) {
        if (*path) {
            outputs.push_back({option, **path});
        }
    }
#ifdef LUMORA_PICTURES
    if (options.picture) {
        for (const std::filesystem::path& picture : picturePaths(*options.picture, design)) {
            outputs.push_back({"--picture", picture});
        }
    }
#else
    (void)design;
#endif
    return outputs;
}

bool streamsToStandardOutput(const CliOptions& options) {
    const auto outputs = textOutputs(options);
    return std::ranges::any_of(outputs, [](const auto& output) { return *output.second == kStandardOutput; });
}

bool writeOutputs(const CliOptions& options, const engine::Session& session,
                  const report::RunReports& reports, const OutputStreams& streams) {
    const engine::Design& design = session.design();
    std::vector<report::OutputFile> files = reports.files();
    if (options.saveDesign) {
        files.push_back(
            {*options.saveDesign, [&](std::ostream& text) { text << engine::serializeDesign(design); }});
    }
    if (options.markers) {
        files.push_back({*options.markers, [&](std::ostream& text) {
                             engine::writeMarkersJson(design, session.failedChecks, text);
                         }});
    }
    bool written = true;
    for (const report::OutputFile& file : files) {
        streams.beforeEach();
        written &= writeOutput(file, streams.out, streams.err);
    }
#ifdef LUMORA_PICTURES
    if (options.picture) {
        streams.beforeEach();
        written &= writePictures(*options.picture, design, streams.err);
    }
#endif
    return written;
}

} // namespace lumora::cli
