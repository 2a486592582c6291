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

// Writes "<file name>.png" and "<file name>.svg" into folder (created when missing) for every board
// and panel file of the design, with its markers; returns the paths written. Throws
// std::runtime_error naming the picture that could not be written.
std::vector<std::filesystem::path> exportPictures(const engine::Design& design,
                                                  const std::filesystem::path& folder);

} // namespace lumora::picture
