// A seekable output file with 64-bit positions and a large buffer. Failed()
// tells whether any operation has failed so far; later operations are still
// tried, so that a writer can put its header right after a failed write.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class CBinaryFile {
public:
    CBinaryFile() = default;
    ~CBinaryFile();
    CBinaryFile(const CBinaryFile&) = delete;
    CBinaryFile& operator=(const CBinaryFile&) = delete;

    // Creates or truncates `path` for writing.
    bool Create(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    bool Failed() const { return m_failed; }

    bool Write(const void* data, size_t size);
    // Position for the next write.
    uint64_t Position() const { return m_pos; }
    bool Seek(uint64_t pos);
    // Hands buffered bytes to the system; with `durable`, also asks the
    // system to put them on the disk.
    bool Flush(bool durable);
    bool Close();

private:
    bool Fail();

    std::FILE* m_file = nullptr;
    char* m_buffer = nullptr;
    uint64_t m_pos = 0;
    bool m_failed = false;
};
