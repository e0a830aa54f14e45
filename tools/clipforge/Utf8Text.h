// Texts between Windows and the converter: Windows hands this program UTF-16
// (and config.ini's folder in the ANSI code page); FFmpeg, std::filesystem
// and the conversion library take UTF-8.
#pragma once

#include <string>

namespace clipforge {

std::string Utf8FromAnsi(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);

}  // namespace clipforge
