// The output-format profiles behind the main window's hidden format
// selectors and the settings dialog: per profile a name, a format code and
// three option lists (resolution, video bit rate, audio bit rate). No window
// system here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace settings {

inline constexpr size_t kProfileCount = 70;
inline constexpr size_t kMaxOptions = 10;
// Format codes from this one up are sound-only: the picture selectors go off.
inline constexpr int32_t kFirstAudioOnlyCode = 9000;

struct OptionList {
    std::array<std::string, kMaxOptions> options;
    int32_t count = 0;
    int32_t defaultOption = 0;  // counted from 1
};

struct FormatProfile {
    std::string name;
    int32_t formatCode = 0;
    OptionList resolution;
    OptionList videoBitrate;
    OptionList audioBitrate;
};

using FormatProfiles = std::array<FormatProfile, kProfileCount>;

// The profile at a selector's selection, or null when the selection is none
// (negative) or beyond the profiles.
const FormatProfile* ProfileAt(const FormatProfiles& profiles, int32_t selection);
// The entries a list shows: as many as its count says, never more than it holds.
std::vector<std::string> Entries(const OptionList& list);
// The entry its default selects (default - 1), or -1 when the list has fewer
// entries than its default (no selection).
int32_t DefaultIndex(const OptionList& list);
// Whether the profile's format has pictures (resolution, video bit rate and
// picture fit apply).
bool HasVideo(const FormatProfile& profile);

}  // namespace settings
