// Writes the skin: skingen SKIN_FOLDER RESOURCE_FOLDER
//   SKIN_FOLDER      gets the main window's bitmaps and the "little" subfolder
//   RESOURCE_FOLDER  gets the icons and bitmaps compiled into the program
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "skin/Artwork.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen SKIN_FOLDER RESOURCE_FOLDER\n");
        return 2;
    }
    const std::filesystem::path skinFolder = argv[1], resourceFolder = argv[2];
    std::error_code error;
    std::filesystem::create_directories(skinFolder / "little", error);
    std::filesystem::create_directories(resourceFolder, error);
    bool ok = skin::WriteMainSkin(skinFolder.string());
    ok = skin::WriteDialogSkin((skinFolder / "little").string()) && ok;
    ok = skin::WriteResourceArt(resourceFolder.string()) && ok;
    if (!ok) {
        std::fprintf(stderr, "skingen: could not write the skin\n");
        return 1;
    }
    return 0;
}
