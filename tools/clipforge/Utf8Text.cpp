#include "tools/clipforge/Utf8Text.h"

#include <windows.h>

namespace clipforge {

namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

std::string Utf8FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring WideFromUtf8(const std::string& text) {
    return Widen(text, CP_UTF8);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8FromWide(Widen(text, CP_ACP));
}

}  // namespace clipforge
