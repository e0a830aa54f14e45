// The skin's colours: a dark recorder with a light card for the form fields.
#pragma once

#include "skin/Canvas.h"

namespace skin::palette {

inline constexpr Rgba kTitleBar = Hex(0x121418);
inline constexpr Rgba kBody = Hex(0x1D2026);
inline constexpr Rgba kBodyLow = Hex(0x181A1F);
inline constexpr Rgba kDivider = Hex(0x2C3038);
inline constexpr Rgba kFrame = Hex(0x363C47);
inline constexpr Rgba kMuted = Hex(0x7D8595);
inline constexpr Rgba kFaint = Hex(0x4A515D);
inline constexpr Rgba kInk = Hex(0xE6E8EB);
inline constexpr Rgba kWhite = Hex(0xFFFFFF);

inline constexpr Rgba kTool = Hex(0x2A2E36);
inline constexpr Rgba kToolEdge = Hex(0x3A404B);
inline constexpr Rgba kToolHover = Hex(0x353B47);
inline constexpr Rgba kToolPressed = Hex(0x15171B);
inline constexpr Rgba kToolPressedEdge = Hex(0x262A31);

inline constexpr Rgba kAccent = Hex(0x3E8BFF);
inline constexpr Rgba kAccentHover = Hex(0x62A1FF);
inline constexpr Rgba kAccentPressed = Hex(0x2A6AD0);
inline constexpr Rgba kRecord = Hex(0xE5484D);
inline constexpr Rgba kRecordHover = Hex(0xFF6369);
inline constexpr Rgba kRecordPressed = Hex(0xB8363B);

// The light card and dialog bodies, where the windows write dark labels.
inline constexpr Rgba kCard = Hex(0xD7DBE1);
inline constexpr Rgba kCardEdge = Hex(0xB9C0CA);
inline constexpr Rgba kDialogBody = Hex(0xE4E7EB);
inline constexpr Rgba kPanel = Hex(0xF3F5F7);
inline constexpr Rgba kPanelEdge = Hex(0xC9CFD7);
inline constexpr Rgba kDarkInk = Hex(0x23262D);

// Mask colours of the image-list bitmaps.
inline constexpr Rgba kMagenta = Hex(0xFF00FF);

}  // namespace skin::palette
