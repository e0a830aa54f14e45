// The masked edit's rules without a window: which typed character a mask
// position accepts (with the hour and minute, or day and month, limits), and
// what typing and backspace do to the text and the caret in overwrite mode,
// literals filled in by the control itself.
#pragma once

#include <cstddef>
#include <string>

namespace maskedit {

struct Config {
    std::string mask;         // one mask character per position
    std::string prompt;       // "_" where the user types, anything else a literal
    std::string extra;        // accepted at any position
    std::string defaultText;  // what backspace restores
    std::string hourLimit = "47";
    std::string minuteLimit = "59";
    bool dateMode = false;    // '0' digits follow the day and month limits
};

enum class Verdict { Accept, Refuse, RefuseSilently };

// What the edit shows and keeps: its text, the caret, and the shadow copy of
// the characters typed by position (which the limits read).
struct State {
    std::string text;
    size_t caret = 0;
    std::string shadow;
};

// Whether character c may go at position p (the literal at p already typed).
// A '0' digit refused only for being over its limit is refused silently.
Verdict Check(const Config& config, const std::string& shadow, size_t p, char c);

// A printable character typed at the caret (a selection already collapsed to
// its start): a literal under the caret is typed first, then the character
// is checked and, when accepted, overwrites the one under the caret; a
// literal under the new caret is typed too.
Verdict TypeChar(const Config& config, State& state, char c);

// Backspace: the character before the caret goes back to its default and
// the caret stands before it. False (a beep) when there is nothing to reset.
bool Backspace(const Config& config, State& state, bool hasSelection);

}  // namespace maskedit
