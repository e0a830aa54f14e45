// The output list's context menu as a table: each item's text, the command
// it sends (the id of the hidden button that sends it, where there is one)
// and what must hold for it to apply; an item that does not apply is shown
// greyed. A new item is one more row of the table and a handler for its
// command. No window system here.
#pragma once

#include <cstdint>
#include <span>

namespace listmenu {

// What the main window's state offers; a bit set each.
enum Condition : uint32_t {
    kRowChosen = 1u << 0,    // a row of the list is selected
    kListNotEmpty = 1u << 1,
    kIdle = 1u << 2,         // no recording running or still being closed
    kHasPictures = 1u << 3,  // the chosen recording has pictures
    kAutoRecordOn = 1u << 4, // calls are recorded automatically
};

struct Item {
    const char* text;  // null: a separator
    int command;
    uint32_t needs;    // every condition here must hold, else the item is greyed
    // The item shows a check mark while every condition here holds; 0: never.
    uint32_t checkedWhen;
};

// The items from top to bottom.
std::span<const Item> Items();

bool Enabled(const Item& item, uint32_t state);
bool Checked(const Item& item, uint32_t state);

}  // namespace listmenu
