#include "settings/ConvertChoice.h"

#include <charconv>

namespace settings {

namespace {

struct Size {
    const char* text;
    int32_t width, height;
};
struct Rate {
    const char* text;
    int32_t kbps;
};

constexpr Size kSizes[] = {
    {"As recorded", 0, 0}, {"1920 x 1080", 1920, 1080}, {"1280 x 720", 1280, 720},
    {"854 x 480", 854, 480}, {"640 x 360", 640, 360},
};
constexpr Rate kVideoRates[] = {
    {"Automatic", 0}, {"500 kbit/s", 500}, {"1000 kbit/s", 1000}, {"2000 kbit/s", 2000}, {"4000 kbit/s", 4000},
};
constexpr Rate kAudioRates[] = {{"96 kbit/s", 96}, {"128 kbit/s", 128}, {"192 kbit/s", 192}};
// The defaults, counted from 0 (the profile's lists count them from 1).
constexpr ChoicePositions kDefaults;

template <typename Entry, size_t N>
OptionList ListOf(const Entry (&entries)[N], int32_t defaultIndex) {
    static_assert(N <= kMaxOptions);
    OptionList list;
    for (size_t i = 0; i < N; ++i) list.options[i] = entries[i].text;
    list.count = static_cast<int32_t>(N);
    list.defaultOption = defaultIndex + 1;
    return list;
}

template <typename Entry, size_t N>
const Entry& At(const Entry (&entries)[N], int32_t position, int32_t defaultIndex) {
    return position >= 0 && position < static_cast<int32_t>(N) ? entries[position] : entries[defaultIndex];
}

template <typename Entry, size_t N, typename Same>
int32_t Find(const Entry (&entries)[N], int32_t defaultIndex, Same same) {
    for (size_t i = 0; i < N; ++i)
        if (same(entries[i])) return static_cast<int32_t>(i);
    return defaultIndex;
}

int32_t NumberOr(std::string_view text, int32_t fallback) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

}  // namespace

void FillProfiles(FormatProfiles& profiles) {
    FormatProfile& mp4 = profiles[0];
    mp4.name = kMp4ProfileName;
    mp4.formatCode = kMp4FormatCode;
    mp4.resolution = ListOf(kSizes, kDefaults.resolution);
    mp4.videoBitrate = ListOf(kVideoRates, kDefaults.videoBitrate);
    mp4.audioBitrate = ListOf(kAudioRates, kDefaults.audioBitrate);
}

ConvertChoice ChoiceAt(const ChoicePositions& positions) {
    const Size& size = At(kSizes, positions.resolution, kDefaults.resolution);
    return {size.width, size.height, At(kVideoRates, positions.videoBitrate, kDefaults.videoBitrate).kbps,
            At(kAudioRates, positions.audioBitrate, kDefaults.audioBitrate).kbps};
}

ChoicePositions PositionsOf(const ConvertChoice& choice) {
    return {Find(kSizes, kDefaults.resolution,
                 [&](const Size& s) { return s.width == choice.width && s.height == choice.height; }),
            Find(kVideoRates, kDefaults.videoBitrate, [&](const Rate& r) { return r.kbps == choice.videoKbps; }),
            Find(kAudioRates, kDefaults.audioBitrate, [&](const Rate& r) { return r.kbps == choice.audioKbps; })};
}

ConvertChoice ChoiceFromTexts(std::string_view width, std::string_view height, std::string_view videoKbps,
                              std::string_view audioKbps) {
    const ConvertChoice defaults;
    return ChoiceAt(PositionsOf({NumberOr(width, defaults.width), NumberOr(height, defaults.height),
                                 NumberOr(videoKbps, defaults.videoKbps), NumberOr(audioKbps, defaults.audioKbps)}));
}

}  // namespace settings
