#include "settings/FormatProfile.h"

#include <algorithm>

namespace settings {

const FormatProfile* ProfileAt(const FormatProfiles& profiles, int32_t selection) {
    if (selection < 0 || static_cast<size_t>(selection) >= profiles.size()) return nullptr;
    return &profiles[static_cast<size_t>(selection)];
}

std::vector<std::string> Entries(const OptionList& list) {
    const size_t count = static_cast<size_t>(std::clamp<int32_t>(list.count, 0, kMaxOptions));
    return {list.options.begin(), list.options.begin() + static_cast<std::ptrdiff_t>(count)};
}

int32_t DefaultIndex(const OptionList& list) {
    const int32_t entries = static_cast<int32_t>(Entries(list).size());
    return list.defaultOption >= 1 && list.defaultOption <= entries ? list.defaultOption - 1 : -1;
}

bool HasVideo(const FormatProfile& profile) {
    return profile.formatCode < kFirstAudioOnlyCode;
}

}  // namespace settings
