#include "app/ListMenu.h"

#include "res/resource.h"

namespace listmenu {

namespace {

constexpr Item kSeparator{nullptr, 0, 0, 0};

// Editing and converting wait while a recording runs: the recording needs
// the machine, and a recording being closed cannot be read whole.
constexpr Item kItems[] = {
    {"Play", ID_LIST_PLAY, kRowChosen, 0},
    kSeparator,
    {"Trim...", IDC_TRIM, kRowChosen | kIdle, 0},
    {"Crop and zoom...", IDC_CROP, kRowChosen | kIdle | kHasPictures, 0},
    {"Effects...", IDC_EFFECT, kRowChosen | kIdle, 0},
    {"Convert to MP4", ID_LIST_CONVERT, kRowChosen | kIdle, 0},
    kSeparator,
    {"Save snapshot", IDC_SNAPSHOT, kRowChosen | kHasPictures, 0},
    {"Open snapshot folder", IDC_OPEN_SNAPSHOTS, 0, 0},
    kSeparator,
    {"Remove from list", IDC_REMOVE, kRowChosen, 0},
    {"Clear list", IDC_CLEAR_ALL, kListNotEmpty, 0},
    kSeparator,
    {"Settings...", IDC_SETTINGS, 0, 0},
    kSeparator,
    {"Record calls automatically", ID_AUTO_RECORD, 0, kAutoRecordOn},
};

}  // namespace

std::span<const Item> Items() {
    return kItems;
}

bool Enabled(const Item& item, uint32_t state) {
    return (state & item.needs) == item.needs;
}

bool Checked(const Item& item, uint32_t state) {
    return item.checkedWhen != 0 && (state & item.checkedWhen) == item.checkedWhen;
}

}  // namespace listmenu
