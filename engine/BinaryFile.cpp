#include "engine/BinaryFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr size_t kBufferBytes = 1 << 20;

int SeekTo(std::FILE* f, uint64_t pos) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<__int64>(pos), SEEK_SET);
#else
    return fseeko(f, static_cast<off_t>(pos), SEEK_SET);
#endif
}

int SyncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f));
#else
    return fsync(fileno(f));
#endif
}

}  // namespace

CBinaryFile::~CBinaryFile() {
    Close();
}

bool CBinaryFile::Create(const std::string& path) {
    Close();
    m_failed = false;
    m_pos = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) return Fail();
    m_buffer = new char[kBufferBytes];
    std::setvbuf(m_file, m_buffer, _IOFBF, kBufferBytes);
    return true;
}

bool CBinaryFile::Fail() {
    m_failed = true;
    return false;
}

bool CBinaryFile::Write(const void* data, size_t size) {
    if (!m_file) return false;
    std::clearerr(m_file);
    if (size && std::fwrite(data, 1, size, m_file) != size) return Fail();
    m_pos += size;
    return true;
}

bool CBinaryFile::Seek(uint64_t pos) {
    if (!m_file) return false;
    if (SeekTo(m_file, pos) != 0) return Fail();
    m_pos = pos;
    return true;
}

bool CBinaryFile::Flush(bool durable) {
    if (!m_file) return false;
    if (std::fflush(m_file) != 0) return Fail();
    if (durable && SyncToDisk(m_file) != 0) return Fail();
    return true;
}

bool CBinaryFile::Close() {
    if (!m_file) return !m_failed;
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    delete[] m_buffer;
    m_buffer = nullptr;
    return !m_failed;
}
