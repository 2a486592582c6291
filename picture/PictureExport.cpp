#include "picture/PictureExport.h"

#include "files/MarkupText.h"
#include "files/ReplaceFile.h"
#include "picture/LayerStyle.h"

#include <QBuffer>
#include <QSvgGenerator>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace lumora::picture {

namespace {

// A file name holds 255 bytes; room is left for the extension and for the temporary name the
// writer gives the file before it is complete (".NAME.XXXXXX").
constexpr std::size_t kMostNameBytes = 200;

void paintFitted(QPainter& painter, const BoardScene& scene, QSize size, const ViewOptions& options) {
    painter.fillRect(QRect(QPoint(), size), QColor::fromRgba(kBackground));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(fitTransform(scene.bounds(), size));
    paintScene(painter, scene, options, scene.bounds());
}

QByteArray pngOf(const BoardScene& scene) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!renderFile(scene).save(&buffer, "PNG")) {
        throw std::runtime_error("cannot draw \"" + scene.file().name + "\" as PNG");
    }
    return bytes;
}

// The title is the file's name, which Qt writes as it is given.
QByteArray svgOf(const BoardScene& scene) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(kPictureSize);
    svg.setViewBox(QRect(QPoint(), kPictureSize));
    svg.setTitle(QString::fromStdString(files::markupText(scene.file().name)));
    QPainter painter;
    if (!painter.begin(&svg)) {
        throw std::runtime_error("cannot draw \"" + scene.file().name + "\" as SVG");
    }
    paintFitted(painter, scene, kPictureSize, {});
    painter.end();
    return bytes;
}

// The first bytes of text that end where a UTF-8 character does.
std::string cutAtCharacter(std::string text, std::size_t bytes) {
    if (text.size() > bytes) {
        while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
            --bytes;
        }
        text.resize(bytes);
    }
    return text;
}

std::string pictureName(const std::string& fileName) {
    std::string name = cutAtCharacter(fileName, kMostNameBytes);
    std::ranges::replace(name, '/', '_');
    std::ranges::replace(name, '\0', '_');
    return name.empty() ? "_" : name;
}

} // namespace

QImage renderFile(const BoardScene& scene, QSize size, const ViewOptions& options) {
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    paintFitted(painter, scene, size, options);
    return image;
}

std::vector<std::filesystem::path> picturePaths(const engine::Design& design,
                                                const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> paths;
    std::set<std::string> taken;
    for (const engine::File& file : design.files) {
        const std::string base = pictureName(file.name);
        std::string name = base;
        for (int repeat = 2; !taken.insert(name).second; ++repeat) {
            name = base + " #" + std::to_string(repeat);
        }
        paths.insert(paths.end(), {folder / (name + ".png"), folder / (name + ".svg")});
    }
    return paths;
}

std::vector<std::filesystem::path> exportPictures(const engine::Design& design,
                                                  const std::filesystem::path& folder) {
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    const std::vector<std::filesystem::path> paths = picturePaths(design, folder);
    for (std::size_t index = 0; index < design.files.size(); ++index) {
        const BoardScene scene(design, design.files[index].number);
        const QByteArray png = pngOf(scene);
        files::replaceFile(paths[2 * index],
                           std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        const QByteArray svg = svgOf(scene);
        files::replaceFile(paths[2 * index + 1],
                           std::string_view(svg.constData(), static_cast<std::size_t>(svg.size())));
    }
    return paths;
}

} // namespace lumora::picture
