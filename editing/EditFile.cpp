#include "editing/EditFile.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace editfile {

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
constexpr size_t kMaxFileBytes = 64 * 1024;

// Each key, where it lives and its range. A value outside [low, high] is
// held to it, unless `neutralWhenOutside` (codes of a list, where a near one
// would mean something else).
struct Key {
    const char* name;
    int32_t RecordingEdits::*field;
    int32_t low, high;
    bool neutralWhenOutside;
};

constexpr Key kKeys[] = {
    {"TrimStartMs", &RecordingEdits::trimStartMs, 0, kMaxInt, false},
    {"TrimEndMs", &RecordingEdits::trimEndMs, 0, kMaxInt, false},
    {"CropLeft", &RecordingEdits::cropLeft, 0, kMaxInt, false},
    {"CropTop", &RecordingEdits::cropTop, 0, kMaxInt, false},
    {"CropRight", &RecordingEdits::cropRight, 0, kMaxInt, false},
    {"CropBottom", &RecordingEdits::cropBottom, 0, kMaxInt, false},
    {"Fit", &RecordingEdits::fit, 0, 2, true},
    {"Brightness", &RecordingEdits::brightness, -100, 100, false},
    {"Contrast", &RecordingEdits::contrast, 0, 200, false},
    {"Saturation", &RecordingEdits::saturation, -100, 100, false},
    {"Effect", &RecordingEdits::effect, 0, 2, true},
    {"Volume", &RecordingEdits::volume, 0, 200, false},
};

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// A whole number, however long: its value held to the 64-bit range.
bool ReadNumber(std::string_view text, int64_t& value) {
    bool negative = false;
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at == text.size()) return false;
    int64_t magnitude = 0;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 9;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        magnitude = magnitude > kLimit ? std::numeric_limits<int64_t>::max() : magnitude * 10 + (text[at] - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

void Take(RecordingEdits& edits, std::string_view name, std::string_view text) {
    for (const Key& key : kKeys) {
        if (!SameWord(name, key.name)) continue;
        int64_t value = 0;
        // Not a number: the key counts as missing. Its range comes later.
        if (ReadNumber(text, value))
            edits.*key.field = static_cast<int32_t>(
                std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), kMaxInt));
        return;
    }
}

}  // namespace

std::string PathFor(const std::string& recordingPath) {
    return recordingPath + kSuffix;
}

RecordingEdits Parse(std::string_view text) {
    RecordingEdits edits;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos && SameWord(Trim(line.substr(1, close - 1)), "Edits");
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string_view value = line.substr(equals + 1);
        value = Trim(value.substr(0, value.find(';')));
        Take(edits, Trim(line.substr(0, equals)), value);
    }
    return Clamped(edits);
}

RecordingEdits Clamped(RecordingEdits edits) {
    static const RecordingEdits kNeutral;
    for (const Key& key : kKeys) {
        int32_t& value = edits.*key.field;
        if (value >= key.low && value <= key.high) continue;
        value = key.neutralWhenOutside ? kNeutral.*key.field : std::clamp(value, key.low, key.high);
    }
    // An end at or before the start cannot be meant: the trim runs to the end.
    if (edits.trimEndMs != 0 && edits.trimEndMs <= edits.trimStartMs) edits.trimEndMs = 0;
    if (!edits.HasCrop()) edits.cropLeft = edits.cropTop = edits.cropRight = edits.cropBottom = 0;
    return edits;
}

std::string Format(const RecordingEdits& edits) {
    std::string text = "[Edits]\r\n";
    for (const Key& key : kKeys) text += std::string(key.name) + "=" + std::to_string(edits.*key.field) + "\r\n";
    return text;
}

RecordingEdits Read(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {};
    std::vector<char> bytes(kMaxFileBytes);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return Parse(std::string_view(bytes.data(), got));
}

PixelRect CropIn(const RecordingEdits& edits, int32_t width, int32_t height) {
    const PixelRect whole{0, 0, std::max(width, 0), std::max(height, 0)};
    if (!edits.HasCrop() || width <= 0 || height <= 0) return whole;
    // Even positions and sizes: the picture's chroma comes in 2 × 2 blocks.
    const int32_t x = std::min(edits.cropLeft, width) & ~1;
    const int32_t y = std::min(edits.cropTop, height) & ~1;
    const int32_t w = (std::min(edits.cropRight, width) - x) & ~1;
    const int32_t h = (std::min(edits.cropBottom, height) - y) & ~1;
    if (w < 2 || h < 2) return whole;
    return {x, y, w, h};
}

}  // namespace editfile
