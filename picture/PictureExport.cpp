#include "picture/PictureExport.h"

#include "picture/LayerStyle.h"

#include <QSvgGenerator>

#include <stdexcept>

namespace lumora::picture {

namespace {

void paintFitted(QPainter& painter, const BoardScene& scene, QSize size, const ViewOptions& options) {
    painter.fillRect(QRect(QPoint(), size), QColor::fromRgba(kBackground));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(fitTransform(scene.bounds(), size));
    paintScene(painter, scene, options, scene.bounds());
}

void writeSvg(const BoardScene& scene, const std::filesystem::path& path) {
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(path.string()));
    svg.setSize(kPictureSize);
    svg.setViewBox(QRect(QPoint(), kPictureSize));
    svg.setTitle(QString::fromStdString(scene.file().name));
    QPainter painter;
    if (!painter.begin(&svg)) {
        throw std::runtime_error("cannot write \"" + path.string() + "\"");
    }
    paintFitted(painter, scene, kPictureSize, {});
}

} // namespace

QImage renderFile(const BoardScene& scene, QSize size, const ViewOptions& options) {
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    paintFitted(painter, scene, size, options);
    return image;
}

std::vector<std::filesystem::path> exportPictures(const engine::Design& design,
                                                  const std::filesystem::path& folder) {
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    std::vector<std::filesystem::path> written;
    for (const engine::File& file : design.files) {
        const BoardScene scene(design, file.number);
        const std::filesystem::path png = folder / (file.name + ".png");
        if (!renderFile(scene).save(QString::fromStdString(png.string()), "PNG")) {
            throw std::runtime_error("cannot write \"" + png.string() + "\"");
        }
        const std::filesystem::path svg = folder / (file.name + ".svg");
        writeSvg(scene, svg);
        written.insert(written.end(), {png, svg});
    }
    return written;
}

} // namespace lumora::picture
