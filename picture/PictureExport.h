#pragma once

#include "engine/model/Design.h"
#include "picture/BoardPainter.h"

#include <QImage>

#include <filesystem>
#include <vector>

namespace lumora::picture {

inline constexpr QSize kPictureSize{1600, 1200};

// The file drawn whole, fitted into an image of the given size, markers on top.
QImage renderFile(const BoardScene& scene, QSize size = kPictureSize, const ViewOptions& options = {});

// The PNG and the SVG of every file of the design, in the design's order, inside folder: a file's
// name comes from the design, so a "/" in it becomes "_" (never a path that climbs out of the
// folder or starts anew), a name too long for a file is cut, and two files that would share a
// name are told apart by " #2", " #3"...
std::vector<std::filesystem::path> picturePaths(const engine::Design& design,
                                                const std::filesystem::path& folder);

// Writes a PNG and an SVG of every board and panel file of the design, with its markers, into
// folder (created when missing), each whole or not at all (files/ReplaceFile.h); returns the paths
// written. Throws std::runtime_error naming the picture that could not be written.
std::vector<std::filesystem::path> exportPictures(const engine::Design& design,
                                                  const std::filesystem::path& folder);

} // namespace lumora::picture
