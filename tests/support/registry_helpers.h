// Reading and writing the Wine prefix's registry from Windows tests, and
// finding the sound endpoints Wine lists there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace reg {

inline const std::string kRender = "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render";
inline const std::string kCapture = "Software\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture";

// Names of the subkeys of root\path (empty when it cannot be opened).
std::vector<std::string> Subkeys(HKEY root, const std::string& path);
// A value's bytes, or nothing when the key or value is missing.
std::optional<std::vector<BYTE>> ReadValue(HKEY root, const std::string& path, const char* name,
                                           DWORD* type = nullptr);
// Writes the value, or deletes it when `data` holds nothing.
void WriteOrDelete(HKEY root, const std::string& path, const char* name,
                   const std::optional<std::vector<BYTE>>& data, DWORD type);
// The endpoint (HKLM path) under `tree` whose Properties hold `name` as a
// text value, or "".
std::string EndpointNamed(const std::string& tree, const std::string& name);

}  // namespace reg
