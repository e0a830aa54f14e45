// The settings of automatic call recording and of the recorded area that
// follows the call window, as config.ini holds them in text, and the rule
// that says whether a contact is one of those chosen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace autorec {

constexpr int32_t kDefaultSilenceStopSeconds = 60;
// Longer silences than a day are taken as a day: the count stays in range.
constexpr int32_t kMaxSilenceStopSeconds = 24 * 60 * 60;

struct AutoRecordSettings {
    bool enabled = false;
    // Empty: every contact.
    std::vector<std::string> contacts;
    int32_t silenceStopSeconds = kDefaultSilenceStopSeconds;
};

// A 0/1 switch: a whole number other than 0 turns it on, 0 off; anything
// else (missing, words) gives `fallback`.
bool ParseSwitch(std::string_view text, bool fallback);

// A count of seconds from 1 to a day; anything else gives the default.
int32_t ParseSilenceSeconds(std::string_view text);

// Names separated by ";", each without the spaces around it; empty names are
// left out.
std::vector<std::string> SplitContacts(std::string_view text);

// The settings from the texts of the keys Enabled, Contacts and
// SilenceStopSeconds.
AutoRecordSettings ParseAutoRecordSettings(std::string_view enabled, std::string_view contacts,
                                           std::string_view silenceStopSeconds);

// Whether a contact cut from a conversation title is one of `contacts`,
// letter case aside; every contact is when the list is empty.
bool ContactChosen(const std::vector<std::string>& contacts, std::string_view contact);

// The contacts as the status line names them: "a, b".
std::string JoinContacts(const std::vector<std::string>& contacts);

}  // namespace autorec
