#include "engine/AutoRecordSettings.h"

#include <cctype>
#include <charconv>

namespace autorec {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// The whole text as a whole number, or false.
bool ParseWhole(std::string_view text, long long& value) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool ParseSwitch(std::string_view text, bool fallback) {
    long long value = 0;
    return ParseWhole(text, value) ? value != 0 : fallback;
}

int32_t ParseSilenceSeconds(std::string_view text) {
    long long value = 0;
    if (!ParseWhole(text, value) || value < 1) return kDefaultSilenceStopSeconds;
    return value > kMaxSilenceStopSeconds ? kMaxSilenceStopSeconds : static_cast<int32_t>(value);
}

std::vector<std::string> SplitContacts(std::string_view text) {
    std::vector<std::string> names;
    while (true) {
        const size_t separator = text.find(';');
        const std::string_view name = Trimmed(text.substr(0, separator));
        if (!name.empty()) names.emplace_back(name);
        if (separator == std::string_view::npos) break;
        text.remove_prefix(separator + 1);
    }
    return names;
}

AutoRecordSettings ParseAutoRecordSettings(std::string_view enabled, std::string_view contacts,
                                           std::string_view silenceStopSeconds) {
    AutoRecordSettings settings;
    settings.enabled = ParseSwitch(enabled, false);
    settings.contacts = SplitContacts(contacts);
    settings.silenceStopSeconds = ParseSilenceSeconds(silenceStopSeconds);
    return settings;
}

bool ContactChosen(const std::vector<std::string>& contacts, std::string_view contact) {
    if (contacts.empty()) return true;
    for (const std::string& chosen : contacts)
        if (SameLetters(chosen, contact)) return true;
    return false;
}

std::string JoinContacts(const std::vector<std::string>& contacts) {
    std::string joined;
    for (const std::string& name : contacts) {
        if (!joined.empty()) joined += ", ";
        joined += name;
    }
    return joined;
}

}  // namespace autorec
