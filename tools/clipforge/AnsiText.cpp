#include "tools/clipforge/AnsiText.h"

#include <windows.h>

namespace clipforge {

namespace {

std::string Recode(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return text;
    const int wide = ::MultiByteToWideChar(from, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring w(size_t(wide), L'\0');
    ::MultiByteToWideChar(from, 0, text.data(), int(text.size()), w.data(), wide);
    const int narrow = ::WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(narrow), '\0');
    ::WideCharToMultiByte(to, 0, w.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

}  // namespace

std::string Utf8FromAnsi(const std::string& text) {
    return Recode(text, CP_ACP, CP_UTF8);
}

std::string AnsiFromUtf8(const std::string& text) {
    return Recode(text, CP_UTF8, CP_ACP);
}

}  // namespace clipforge
