// Reads a RIFF file back into a tree of chunks, for checking what the AVI
// writer produced. Shared by the native and the Windows tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace riff {

struct Chunk {
    std::string id;    // four characters
    std::string type;  // of a RIFF or LIST, else empty
    uint64_t offset = 0;  // of the chunk header in the file
    uint32_t size = 0;    // as stored
    std::vector<Chunk> children;

    uint64_t DataOffset() const { return offset + 8; }
    const Chunk* Find(const std::string& wanted) const {
        for (const Chunk& c : children)
            if (c.id == wanted || (c.id == "LIST" && c.type == wanted)) return &c;
        return nullptr;
    }
    std::vector<const Chunk*> All(const std::string& wanted) const {
        std::vector<const Chunk*> found;
        for (const Chunk& c : children)
            if (c.id == wanted || (c.id == "LIST" && c.type == wanted)) found.push_back(&c);
        return found;
    }
};

class File {
public:
    explicit File(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    uint32_t U32(uint64_t at) const {
        if (at + 4 > bytes.size()) return 0;
        uint32_t v;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    }
    uint16_t U16(uint64_t at) const {
        if (at + 2 > bytes.size()) return 0;
        uint16_t v;
        std::memcpy(&v, bytes.data() + at, 2);
        return v;
    }
    uint64_t U64(uint64_t at) const { return U32(at) | uint64_t{U32(at + 4)} << 32; }
    std::string Tag(uint64_t at) const {
        return at + 4 <= bytes.size() ? std::string(bytes.data() + at, 4) : std::string();
    }

    // The top-level chunks (RIFF 'AVI ' and 'AVIX'), each parsed whole.
    // `ok` turns false when a size points past the end of the file.
    std::vector<Chunk> Parse(bool& ok) const {
        ok = true;
        std::vector<Chunk> top;
        ParseRange(0, bytes.size(), top, ok);
        return top;
    }

    std::vector<char> bytes;

private:
    void ParseRange(uint64_t at, uint64_t end, std::vector<Chunk>& out, bool& ok) const {
        while (at + 8 <= end) {
            Chunk c;
            c.offset = at;
            c.id = Tag(at);
            c.size = U32(at + 4);
            const uint64_t dataEnd = at + 8 + c.size;
            if (dataEnd > end) {
                ok = false;
                return;
            }
            if (c.id == "RIFF" || c.id == "LIST") {
                c.type = Tag(at + 8);
                ParseRange(at + 12, dataEnd, c.children, ok);
            }
            const uint32_t pad = c.size & 1;
            out.push_back(std::move(c));
            at = dataEnd + pad;
        }
    }
};

}  // namespace riff
