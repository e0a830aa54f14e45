#include "controls/SkinFiles.h"

namespace skinfiles {

std::string NormalFile(const std::string& folder, const std::string& base) {
    return folder + base + "_normal.bmp";
}

std::string HoverFile(const std::string& folder, const std::string& base) {
    return folder + base + "_hover.bmp";
}

std::string ClickFile(const std::string& folder, const std::string& base) {
    return folder + base + "_click.bmp";
}

}  // namespace skinfiles
