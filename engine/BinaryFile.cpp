#include "engine/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr size_t kBufferBytes = 1 << 20;

int OpenForWriting(const std::string& path) {
#ifdef _WIN32
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
#endif
}

bool SeekTo(int fd, uint64_t pos) {
#ifdef _WIN32
    return _lseeki64(fd, static_cast<__int64>(pos), SEEK_SET) >= 0;
#else
    return lseek(fd, static_cast<off_t>(pos), SEEK_SET) >= 0;
#endif
}

int64_t PositionOf(int fd) {
#ifdef _WIN32
    return _lseeki64(fd, 0, SEEK_CUR);
#else
    return lseek(fd, 0, SEEK_CUR);
#endif
}

long WriteSome(int fd, const char* data, size_t size) {
#ifdef _WIN32
    return _write(fd, data, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
#else
    return static_cast<long>(write(fd, data, size));
#endif
}

bool SyncToDisk(int fd) {
#ifdef _WIN32
    return _commit(fd) == 0;
#else
    return fsync(fd) == 0;
#endif
}

int CloseFile(int fd) {
#ifdef _WIN32
    return _close(fd);
#else
    return close(fd);
#endif
}

}  // namespace

CBinaryFile::~CBinaryFile() {
    Close();
}

void CBinaryFile::Fail(int error) {
    if (!m_failed) m_error = error ? error : EIO;
    m_failed = true;
}

bool CBinaryFile::Create(const std::string& path) {
    Close();
    m_failed = false;
    m_error = 0;
    m_pos = m_bufferStart = m_writtenEnd = 0;
    m_used = 0;
    m_fd = OpenForWriting(path);
    if (m_fd < 0) {
        Fail(errno);
        return false;
    }
    m_buffer.resize(kBufferBytes);
    return true;
}

bool CBinaryFile::WriteAt(uint64_t offset, const char* data, size_t size) {
    if (!SeekTo(m_fd, offset)) {
        Fail(errno);
        return false;
    }
    size_t done = 0;
    int error = 0;
    bool retried = false;
    while (done < size) {
        const long n = WriteSome(m_fd, data + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        // A write that takes nothing without an error means no room.
        error = n < 0 ? errno : ENOSPC;
        // Some C libraries answer a write that the volume cut short with a
        // vague error and no count: what reached the file is read from the
        // file's position, and writing the rest once more names the cause.
        if (error == ENOSPC || retried) break;
        retried = true;
        const int64_t at = PositionOf(m_fd);
        if (at < 0 || static_cast<uint64_t>(at) < offset + done ||
            static_cast<uint64_t>(at) > offset + size)
            break;
        done = static_cast<size_t>(static_cast<uint64_t>(at) - offset);
    }
    // Only a write that joins what is already there extends the good part.
    if (offset <= m_writtenEnd) m_writtenEnd = std::max(m_writtenEnd, offset + done);
    if (done == size) return true;
    Fail(error);
    return false;
}

bool CBinaryFile::Drain() {
    if (m_used == 0) return true;
    const bool ok = WriteAt(m_bufferStart, m_buffer.data(), m_used);
    m_bufferStart += m_used;
    m_used = 0;
    return ok;
}

bool CBinaryFile::Write(const void* data, size_t size) {
    if (m_fd < 0) return false;
    if (size == 0) return true;
    bool ok = true;
    if (m_used + size > m_buffer.size()) ok = Drain();
    if (size >= m_buffer.size()) {
        ok = WriteAt(m_pos, static_cast<const char*>(data), size) && ok;
        m_bufferStart = m_pos + size;
    } else {
        std::memcpy(m_buffer.data() + m_used, data, size);
        m_used += size;
    }
    m_pos += size;
    return ok;
}

bool CBinaryFile::Seek(uint64_t pos) {
    if (m_fd < 0) return false;
    const bool ok = Drain();
    m_pos = m_bufferStart = pos;
    return ok;
}

bool CBinaryFile::Flush(bool durable) {
    if (m_fd < 0) return false;
    bool ok = Drain();
    if (ok && durable && !SyncToDisk(m_fd)) {
        Fail(errno);
        ok = false;
    }
    return ok;
}

bool CBinaryFile::Close() {
    if (m_fd < 0) return !m_failed;
    Drain();
    if (CloseFile(m_fd) != 0) Fail(errno);
    m_fd = -1;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    return !m_failed;
}
