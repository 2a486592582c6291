#include "cli/PictureOutput.h"

#include "log/ProductInfo.h"
#include "picture/PictureExport.h"

namespace lumora::cli {

bool writePictures(const std::string& folder, const engine::Design& design, std::ostream& err) {
    try {
        picture::exportPictures(design, folder);
        return true;
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return false;
    }
}

std::vector<std::filesystem::path> picturePaths(const std::string& folder, const engine::Design& design) {
    return picture::picturePaths(design, folder);
}

} // namespace lumora::cli
