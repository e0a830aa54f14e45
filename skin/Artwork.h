// The skin's pictures: the bitmap files loaded at run time from the program's
// "skin" and "skin\little" folders, and the icons and image-list bitmaps that
// are compiled into the program.
#pragma once

#include <string>

#include "skin/Canvas.h"

namespace skin {

// The main window's background, 510 x 620.
Canvas MainBackground();
// The tile shown in the empty output list.
Canvas ListBackground();
// The preview area's picture while nothing plays.
Canvas PreviewPlaceholder(int width, int height);
// The editing dialogs' frame (600 x 450) and the settings dialog's (500 x 300).
Canvas DialogBackground(int width, int height, bool withPreview);

// Each writes its files into `folder` (which must exist); false on a write error.
bool WriteMainSkin(const std::string& folder);
bool WriteDialogSkin(const std::string& folder);
bool WriteResourceArt(const std::string& folder);

}  // namespace skin
