// A seekable output file with 64-bit positions and a large buffer of its own,
// so that the writer always knows how far the file really got: WrittenEnd()
// is the end of what reached the file without a gap. Failed() tells whether
// any operation has failed so far; later operations are still tried, so that
// a writer can put its header right after a failed write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CBinaryFile {
public:
    CBinaryFile() = default;
    ~CBinaryFile();
    CBinaryFile(const CBinaryFile&) = delete;
    CBinaryFile& operator=(const CBinaryFile&) = delete;

    // Creates or truncates `path` for writing; others may read it meanwhile.
    bool Create(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    bool Failed() const { return m_failed; }
    // The C library's error number of the first failure (0: none so far).
    int Error() const { return m_error; }

    bool Write(const void* data, size_t size);
    // Position for the next write.
    uint64_t Position() const { return m_pos; }
    bool Seek(uint64_t pos);
    // Hands buffered bytes to the system; with `durable`, also asks the
    // system to put them on the disk.
    bool Flush(bool durable);
    bool Close();
    // Every byte before this offset has reached the file.
    uint64_t WrittenEnd() const { return m_writtenEnd; }

private:
    bool Drain();
    bool WriteAt(uint64_t offset, const char* data, size_t size);
    // Marks the file failed, keeping the first cause.
    void Fail(int error);

    int m_fd = -1;
    std::vector<char> m_buffer;
    size_t m_used = 0;           // bytes waiting in the buffer, from m_bufferStart
    uint64_t m_bufferStart = 0;  // file offset of the buffer's first byte
    uint64_t m_pos = 0;
    uint64_t m_writtenEnd = 0;
    bool m_failed = false;
    int m_error = 0;
};
