// Reads or writes one value of an INI file. Made on the stack for each use:
// nothing is cached, the file is opened again every time.
#pragma once

#include <string>

class CIniFile {
public:
    explicit CIniFile(std::string path) : m_path(std::move(path)) {}

    // A missing file, section or key yields `defaultValue`.
    std::string GetString(const char* section, const char* key, const char* defaultValue) const;
    bool WriteString(const char* section, const char* key, const char* value) const;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
