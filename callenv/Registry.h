// The few registry operations the audio routing and the mirror release need,
// behind an interface so that their walks also run on an in-memory tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace callenv {

enum class RegRoot { CurrentUser, LocalMachine };

// The access a key is opened with (KEY_READ, KEY_QUERY_VALUE, KEY_SET_VALUE, KEY_WRITE).
enum class RegAccess { Read, QueryValue, SetValue, Write };

enum class RegStatus { Ok, NoMoreItems, MoreData, Failed };

constexpr uint32_t kRegSz = 1;      // REG_SZ
constexpr uint32_t kRegBinary = 3;  // REG_BINARY
constexpr uint32_t kRegDword = 4;   // REG_DWORD

class IRegKey {
public:
    virtual ~IRegKey() = default;  // closes the key
    virtual bool QueryInfo(uint32_t& subkeys, uint32_t& values) = 0;
    // Name of subkey `index`; `bufferChars` counts the terminator, as the
    // platform's buffers do, so longer names give MoreData.
    virtual RegStatus EnumSubkey(uint32_t index, std::size_t bufferChars, std::string& name) = 0;
    virtual RegStatus EnumValueName(uint32_t index, std::size_t bufferChars, std::string& name) = 0;
    // Data of value `name`; MoreData when it does not fit into `bufferBytes`.
    virtual RegStatus QueryValue(const std::string& name, std::size_t bufferBytes,
                                 std::vector<uint8_t>& data) = 0;
    virtual bool SetValue(const std::string& name, uint32_t type, const void* data,
                          std::size_t bytes) = 0;
    // Opens or creates a direct subkey.
    virtual std::unique_ptr<IRegKey> CreateSubkey(const std::string& name) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Null when the key cannot be opened. An empty path opens the root itself;
    // a trailing backslash is allowed.
    virtual std::unique_ptr<IRegKey> Open(RegRoot root, const std::string& path,
                                          RegAccess access) = 0;
    // Opens or creates a key and its missing parents.
    virtual std::unique_ptr<IRegKey> Create(RegRoot root, const std::string& path) = 0;
};

}  // namespace callenv
