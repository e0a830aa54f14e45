#include "callenv/Win32Registry.h"

#include <windows.h>

namespace callenv {

namespace {

HKEY RootKey(RegRoot root) {
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM AccessMask(RegAccess access) {
    switch (access) {
    case RegAccess::Read: return KEY_READ;
    case RegAccess::QueryValue: return KEY_QUERY_VALUE;
    case RegAccess::SetValue: return KEY_SET_VALUE;
    case RegAccess::Write: return KEY_WRITE;
    }
    return KEY_READ;
}

RegStatus StatusOf(LONG result) {
    switch (result) {
    case ERROR_SUCCESS: return RegStatus::Ok;
    case ERROR_NO_MORE_ITEMS: return RegStatus::NoMoreItems;
    case ERROR_MORE_DATA: return RegStatus::MoreData;
    default: return RegStatus::Failed;
    }
}

class CWin32Key final : public IRegKey {
public:
    explicit CWin32Key(HKEY key) : m_key(key) {}
    ~CWin32Key() override { ::RegCloseKey(m_key); }
    CWin32Key(const CWin32Key&) = delete;
    CWin32Key& operator=(const CWin32Key&) = delete;

    bool QueryInfo(uint32_t& subkeys, uint32_t& values) override {
        DWORD s = 0, v = 0;
        if (::RegQueryInfoKeyA(m_key, nullptr, nullptr, nullptr, &s, nullptr, nullptr, &v,
                               nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        subkeys = s;
        values = v;
        return true;
    }

    RegStatus EnumSubkey(uint32_t index, std::size_t bufferChars, std::string& name) override {
        std::string buffer(bufferChars, '\0');
        DWORD chars = static_cast<DWORD>(bufferChars);
        const LONG result = ::RegEnumKeyExA(m_key, index, buffer.data(), &chars, nullptr,
                                            nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS) name.assign(buffer.data(), chars);
        return StatusOf(result);
    }

    RegStatus EnumValueName(uint32_t index, std::size_t bufferChars, std::string& name) override {
        std::string buffer(bufferChars, '\0');
        DWORD chars = static_cast<DWORD>(bufferChars);
        const LONG result = ::RegEnumValueA(m_key, index, buffer.data(), &chars, nullptr, nullptr,
                                            nullptr, nullptr);
        if (result == ERROR_SUCCESS) name.assign(buffer.data(), chars);
        return StatusOf(result);
    }

    RegStatus QueryValue(const std::string& name, std::size_t bufferBytes,
                         std::vector<uint8_t>& data) override {
        data.assign(bufferBytes, 0);
        DWORD bytes = static_cast<DWORD>(bufferBytes);
        const LONG result =
            ::RegQueryValueExA(m_key, name.c_str(), nullptr, nullptr, data.data(), &bytes);
        if (result == ERROR_SUCCESS)
            data.resize(bytes);
        else
            data.clear();
        return StatusOf(result);
    }

    bool SetValue(const std::string& name, uint32_t type, const void* data,
                  std::size_t bytes) override {
        return ::RegSetValueExA(m_key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
    }

    std::unique_ptr<IRegKey> CreateSubkey(const std::string& name) override {
        HKEY sub = nullptr;
        if (::RegCreateKeyA(m_key, name.c_str(), &sub) != ERROR_SUCCESS) return nullptr;
        return std::make_unique<CWin32Key>(sub);
    }

private:
    HKEY m_key;
};

}  // namespace

std::unique_ptr<IRegKey> CWin32Registry::Open(RegRoot root, const std::string& path,
                                              RegAccess access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, AccessMask(access), &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<CWin32Key>(key);
}

std::unique_ptr<IRegKey> CWin32Registry::Create(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyA(RootKey(root), path.c_str(), &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<CWin32Key>(key);
}

}  // namespace callenv
