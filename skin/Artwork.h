// The skin's pictures: the bitmap files loaded at run time from the program's
// "skin" and "skin\little" folders, and the icons and image-list bitmaps that
// are compiled into the program.
#pragma once

#include <string>

#include "skin/Canvas.h"

namespace skin {

// The main window's background (layout/MainWindowLayout.h).
Canvas MainBackground();
// The tile shown in the empty output list.
Canvas ListBackground();
// ClipForge's window (layout/ConverterLayout.h) and its empty list's tile:
// the main window's look without the recorder's own labels.
Canvas ConverterBackground();
Canvas ConverterListBackground();
// The preview area's picture while nothing plays.
Canvas PreviewPlaceholder(int width, int height);
// The editing dialogs' frame and the settings dialog's (layout/DialogLayout.h).
Canvas DialogBackground(int width, int height, bool withPreview);

// Sizes of the slider and progress pictures. The trim bar's channel is the
// whole control (the trim dialog's 210 x 38); its rows are the thumb's, the
// selection bar's and the markers' heights. A track bar's channel length sets
// its control's length: the crop and effects dialogs' position sliders are
// 220 wide, the effect sliders 245.
inline constexpr int kTrimChannelWidth = 210, kTrimChannelHeight = 38;
inline constexpr int kTrimThumbWidth = 11, kTrimThumbHeight = 14;
inline constexpr int kTrimBarHeight = 8;
inline constexpr int kTrimMarkerWidth = 9, kTrimMarkerHeight = 16;
inline constexpr int kTrackChannelLength = 196, kTrackChannelWideLength = 221;
inline constexpr int kTrackChannelHeight = 6;
inline constexpr int kTrackThumbWidth = 12, kTrackThumbHeight = 20;
inline constexpr int kProgressWidth = 240, kProgressHeight = 22;

// Each writes its files into `folder` (which must exist); false on a write error.
bool WriteMainSkin(const std::string& folder);
bool WriteDialogSkin(const std::string& folder);
bool WriteResourceArt(const std::string& folder);
bool WriteSliderArt(const std::string& folder);

}  // namespace skin
