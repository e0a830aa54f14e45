#include "tests/support/registry_helpers.h"

namespace reg {

std::vector<std::string> Subkeys(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    ::RegCloseKey(key);
    return names;
}

std::optional<std::vector<BYTE>> ReadValue(HKEY root, const std::string& path, const char* name,
                                           DWORD* type) {
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> data(4096);
    DWORD size = static_cast<DWORD>(data.size()), t = 0;
    const LONG result = ::RegQueryValueExA(key, name, nullptr, &t, data.data(), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    if (type) *type = t;
    return data;
}

void WriteOrDelete(HKEY root, const std::string& path, const char* name,
                   const std::optional<std::vector<BYTE>>& data, DWORD type) {
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    if (data)
        ::RegSetValueExA(key, name, 0, type, data->data(), static_cast<DWORD>(data->size()));
    else
        ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
}

std::string EndpointNamed(const std::string& tree, const std::string& name) {
    for (const std::string& id : Subkeys(HKEY_LOCAL_MACHINE, tree)) {
        HKEY key;
        const std::string props = tree + "\\" + id + "\\Properties";
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, props.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        bool found = false;
        for (DWORD i = 0; !found; ++i) {
            char valueName[512];
            BYTE data[512] = {};
            DWORD nameSize = sizeof valueName, dataSize = sizeof data - 1, type = 0;
            const LONG r = ::RegEnumValueA(key, i, valueName, &nameSize, nullptr, &type, data, &dataSize);
            if (r == ERROR_NO_MORE_ITEMS) break;
            found = r == ERROR_SUCCESS && type == REG_SZ && name == reinterpret_cast<char*>(data);
        }
        ::RegCloseKey(key);
        if (found) return tree + "\\" + id;
    }
    return "";
}

}  // namespace reg
