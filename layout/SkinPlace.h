// What a window's layout is made of: boxes in client pixels and the skinned
// buttons placed in them. Platform-free, so that the skin generator draws its
// pictures for the very places the windows put their controls.
#pragma once

#include <string_view>

namespace layout {

struct Box {
    int x, y, width, height;

    constexpr int Right() const { return x + width; }
    constexpr int Bottom() const { return y + height; }
    constexpr float CentreX() const { return static_cast<float>(x) + static_cast<float>(width) / 2; }
    constexpr bool operator==(const Box&) const = default;
};

// How many pictures a button loads from its skin folder.
enum class Pictures {
    States,  // "<skin>_normal.bmp", "<skin>_hover.bmp", "<skin>_click.bmp"
    One,     // "<skin>.bmp" in every state
};

// A skinned button: the control, the name of its pictures, its place, and
// whether it shows from the start.
struct ButtonPlace {
    int id;
    const char* skin;
    Box box;
    bool shown = true;
    Pictures pictures = Pictures::States;
};

// A control placed without a skin of its own.
struct ControlPlace {
    int id;
    Box box;
    bool shown = true;
};

// A text written on a window's background, its top-left corner at (x, y).
struct Label {
    const char* text;
    int x, y;
};

// The dialog manager's OK and Cancel ids (IDOK, IDCANCEL), which these
// headers cannot take from <windows.h>.
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

// The entry of `table` that shows the pictures `skin`, or null.
template <typename Table>
constexpr const ButtonPlace* FindSkin(const Table& table, std::string_view skin) {
    for (const ButtonPlace& place : table)
        if (skin == place.skin) return &place;
    return nullptr;
}

}  // namespace layout
