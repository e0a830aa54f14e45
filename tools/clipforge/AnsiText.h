// Windows hands this program ANSI texts; FFmpeg and the conversion library
// take UTF-8 paths.
#pragma once

#include <string>

namespace clipforge {

std::string Utf8FromAnsi(const std::string& text);
std::string AnsiFromUtf8(const std::string& text);

}  // namespace clipforge
