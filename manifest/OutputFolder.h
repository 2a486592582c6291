#pragma once

#include <array>
#include <string_view>

namespace lumora::manifest {

// The output folder of a manifest run: a folder per design, and the files of the merge beside
// them (docs/scale-out.md).
namespace files {
// In a design's folder. The result is written last: a folder without it is not complete.
inline constexpr std::string_view kResult = "result.json";
inline constexpr std::string_view kReport = "report.json";
inline constexpr std::string_view kJUnit = "junit.xml";
inline constexpr std::string_view kPage = "report.html";      // with --pages
inline constexpr std::string_view kOutput = "output.txt";     // the result tables
inline constexpr std::string_view kMessages = "messages.txt"; // progress and messages
// In the output folder: the designs it is for (written by every slice), and the merge.
inline constexpr std::string_view kDesigns = "designs.json";
inline constexpr std::string_view kSummary = "summary.json";
inline constexpr std::string_view kMergedJUnit = "junit.xml";
inline constexpr std::string_view kIndex = "index.html";
} // namespace files

// Names a design's folder may not take, since the output folder holds files of these names.
inline constexpr std::array kReservedNames{files::kDesigns, files::kSummary, files::kMergedJUnit,
                                           files::kIndex};

} // namespace lumora::manifest
