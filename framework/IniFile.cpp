#include "framework/IniFile.h"

#include <windows.h>

namespace {
constexpr DWORD kValueChars = 1024;
}

std::string CIniFile::GetString(const char* section, const char* key,
                                const char* defaultValue) const {
    char value[kValueChars] = {};
    ::GetPrivateProfileStringA(section, key, defaultValue, value, kValueChars, m_path.c_str());
    return value;
}

bool CIniFile::WriteString(const char* section, const char* key, const char* value) const {
    return ::WritePrivateProfileStringA(section, key, value, m_path.c_str()) != FALSE;
}
