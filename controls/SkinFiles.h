// Where the skin's bitmap files are: below the running program's own folder.
#pragma once

#include <string>

namespace skinfiles {

// The main window's skin folder and the dialogs' one, below the program folder.
inline constexpr const char* kMainFolder = "\\skin\\";
inline constexpr const char* kDialogFolder = "\\skin\\little\\";

// The three files of a skinned button: base + "_normal.bmp", "_hover.bmp", "_click.bmp".
std::string NormalFile(const std::string& folder, const std::string& base);
std::string HoverFile(const std::string& folder, const std::string& base);
std::string ClickFile(const std::string& folder, const std::string& base);

}  // namespace skinfiles
