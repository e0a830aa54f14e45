// Paths travel through the converter as UTF-8 texts; std::filesystem takes
// them as such (wide on Windows, bytes elsewhere).
#pragma once

#include <filesystem>
#include <string>

namespace clipforge {

inline std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace clipforge
