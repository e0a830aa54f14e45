#include "engine/AviWriter.h"

#include <algorithm>

#include "engine/RecordParams.h"

namespace {

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAvifIsInterleaved = 0x100;
constexpr uint32_t kAviifKeyFrame = 0x10;
constexpr uint32_t kIndexNotKey = 0x80000000u;
constexpr uint32_t kSuperIndexHeader = 24;
constexpr uint32_t kSuperIndexEntry = 16;
constexpr uint32_t kStandardIndexHeader = 24;
constexpr uint32_t kOdmlHeaderBytes = 248;

constexpr uint32_t Tag(const char (&s)[5]) {
    return MakeFourcc(s[0], s[1], s[2], s[3]);
}

// Little-endian building of the header, with list sizes filled in on close.
class Bytes {
public:
    void U8(uint8_t v) { m_data.push_back(v); }
    void U16(uint16_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void U64(uint64_t v) {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    void Zeros(size_t n) { m_data.insert(m_data.end(), n, 0); }
    void Append(const std::vector<uint8_t>& v) { m_data.insert(m_data.end(), v.begin(), v.end()); }
    size_t Size() const { return m_data.size(); }
    const uint8_t* Data() const { return m_data.data(); }

    // Starts a LIST (or RIFF) of `type`; returns the offset of its size.
    size_t OpenList(uint32_t id, uint32_t type) {
        U32(id);
        const size_t at = Size();
        U32(0);
        U32(type);
        return at;
    }
    size_t OpenChunk(uint32_t id) {
        U32(id);
        const size_t at = Size();
        U32(0);
        return at;
    }
    void Close(size_t sizeAt) {
        if (Size() & 1) U8(0);
        const uint32_t size = static_cast<uint32_t>(Size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) m_data[sizeAt + i] = static_cast<uint8_t>(size >> (8 * i));
    }

private:
    std::vector<uint8_t> m_data;
};

}  // namespace

CAviWriter::CAviWriter(AviWriterOptions options) : m_options(options) {
    if (m_options.superIndexEntries == 0) m_options.superIndexEntries = 1;
}

CAviWriter::~CAviWriter() {
    if (IsOpen()) Close();
}

bool CAviWriter::Open(const std::string& path, const AviVideoFormat& video,
                      const AviAudioFormat& audio) {
    if (IsOpen()) return false;
    for (Stream& s : m_streams) s = Stream{};
    m_streams[0].chunkId = Tag("00dc");
    m_streams[0].indexId = Tag("ix00");
    m_streams[1].chunkId = Tag("01wb");
    m_streams[1].indexId = Tag("ix01");
    m_legacyIndex.clear();
    m_riffCount = 0;
    m_firstRiffFrames = 0;
    m_lastCheckpoint = 0;
    m_failed = false;
    m_audioBlockAlign = audio.BlockAlign() ? audio.BlockAlign() : 1;
    if (!m_file.Create(path)) return false;
    if (!WriteHeader(video, audio) || !m_file.Flush(false)) {
        m_file.Close();
        return false;
    }
    return true;
}

bool CAviWriter::WriteHeader(const AviVideoFormat& video, const AviAudioFormat& audio) {
    Bytes h;
    const size_t riff = h.OpenList(Tag("RIFF"), Tag("AVI "));
    const size_t hdrl = h.OpenList(Tag("LIST"), Tag("hdrl"));

    const size_t avih = h.OpenChunk(Tag("avih"));
    h.U32(video.rate ? static_cast<uint32_t>(1'000'000ull * video.scale / video.rate) : 0);
    h.U32(0);  // max bytes per second
    h.U32(0);  // padding granularity
    h.U32(kAvifHasIndex | kAvifIsInterleaved);
    m_totalFramesPos = h.Size();
    h.U32(0);  // total frames (first RIFF)
    h.U32(0);  // initial frames
    h.U32(2);  // streams
    h.U32(video.imageSize);
    h.U32(video.width);
    h.U32(video.height);
    h.Zeros(16);
    h.Close(avih);

    // Video stream.
    size_t strl = h.OpenList(Tag("LIST"), Tag("strl"));
    size_t chunk = h.OpenChunk(Tag("strh"));
    h.U32(Tag("vids"));
    h.U32(video.fourcc);
    h.U32(0);  // flags
    h.U16(0);  // priority
    h.U16(0);  // language
    h.U32(0);  // initial frames
    h.U32(video.scale);
    h.U32(video.rate);
    h.U32(0);  // start
    m_streams[0].lengthPos = h.Size();
    h.U32(0);  // length
    h.U32(video.imageSize);
    h.U32(0);  // quality
    h.U32(0);  // sample size
    h.U16(0);
    h.U16(0);
    h.U16(static_cast<uint16_t>(video.width));
    h.U16(static_cast<uint16_t>(video.height));
    h.Close(chunk);
    chunk = h.OpenChunk(Tag("strf"));
    h.U32(40 + static_cast<uint32_t>(video.codecPrivate.size()));
    h.U32(video.width);
    h.U32(video.height);
    h.U16(1);
    h.U16(video.bitCount);
    h.U32(video.fourcc);
    h.U32(video.imageSize);
    h.Zeros(16);  // resolution, colours used, colours important
    h.Append(video.codecPrivate);
    h.Close(chunk);
    const auto superIndex = [&](Stream& s) {
        const size_t at = h.OpenChunk(Tag("indx"));
        h.U16(4);  // longs per entry
        h.U8(0);   // sub type
        h.U8(0);   // index of indexes
        h.U32(0);  // entries in use
        h.U32(s.chunkId);
        h.Zeros(12);
        s.superIndexPos = h.Size();
        h.Zeros(size_t{kSuperIndexEntry} * m_options.superIndexEntries);
        h.Close(at);
    };
    superIndex(m_streams[0]);
    h.Close(strl);

    // Audio stream.
    strl = h.OpenList(Tag("LIST"), Tag("strl"));
    chunk = h.OpenChunk(Tag("strh"));
    h.U32(Tag("auds"));
    h.U32(0);  // handler
    h.U32(0);  // flags
    h.U16(0);
    h.U16(0);
    h.U32(0);  // initial frames
    h.U32(audio.BlockAlign());
    h.U32(audio.BytesPerSecond());
    h.U32(0);  // start
    m_streams[1].lengthPos = h.Size();
    h.U32(0);  // length
    h.U32(0);  // suggested buffer size
    h.U32(0xFFFFFFFFu);  // quality: default
    h.U32(audio.BlockAlign());
    h.Zeros(8);  // frame rectangle
    h.Close(chunk);
    chunk = h.OpenChunk(Tag("strf"));
    h.U16(1);  // PCM
    h.U16(audio.channels);
    h.U32(audio.samplesPerSecond);
    h.U32(audio.BytesPerSecond());
    h.U16(audio.BlockAlign());
    h.U16(audio.bitsPerSample);
    h.U16(0);  // extra size
    h.Close(chunk);
    superIndex(m_streams[1]);
    h.Close(strl);

    const size_t odml = h.OpenList(Tag("LIST"), Tag("odml"));
    chunk = h.OpenChunk(Tag("dmlh"));
    m_odmlFramesPos = h.Size();
    h.Zeros(kOdmlHeaderBytes);
    h.Close(chunk);
    h.Close(odml);
    h.Close(hdrl);

    m_moviStart = h.Size();
    h.Close(h.OpenList(Tag("LIST"), Tag("movi")));
    h.Close(riff);

    m_riffStart = 0;
    m_riffCount = 1;
    return m_file.Write(h.Data(), h.Size());
}

bool CAviWriter::WriteVideo(uint32_t position, const void* data, uint32_t size, bool keyFrame) {
    if (!IsOpen() || m_failed || m_file.Failed() || position < m_streams[0].length) return false;
    while (m_streams[0].length < position)
        if (!WriteChunk(m_streams[0], nullptr, 0, false)) return false;
    if (!WriteChunk(m_streams[0], data, size, keyFrame)) return false;
    if (m_options.checkpointPositions &&
        m_streams[0].length >= m_lastCheckpoint + m_options.checkpointPositions)
        return Checkpoint();
    return true;
}

bool CAviWriter::WriteAudio(const void* data, uint32_t size) {
    if (!IsOpen() || m_failed || m_file.Failed()) return false;
    if (size == 0) return true;
    return WriteChunk(m_streams[1], data, size, true);
}

bool CAviWriter::WriteChunk(Stream& s, const void* data, uint32_t size, bool key) {
    const uint32_t padded = size + (size & 1);
    if (!SplitIfNeeded(8 + padded)) return false;
    const uint64_t pos = m_file.Position();
    Bytes header;
    header.U32(s.chunkId);
    header.U32(size);
    static const uint8_t pad = 0;
    if (!m_file.Write(header.Data(), header.Size()) || !m_file.Write(data, size) ||
        ((size & 1) && !m_file.Write(&pad, 1))) {
        // The next write, or the indexes on close, go where this chunk began.
        m_file.Seek(pos);
        m_failed = true;
        return false;
    }
    s.riffEntries.push_back({pos, size, key});
    if (m_riffCount == 1)
        m_legacyIndex.push_back({s.chunkId, key ? kAviifKeyFrame : 0,
                                 static_cast<uint32_t>(pos - (m_moviStart + 8)), size});
    s.length += &s == &m_streams[1] ? size / m_audioBlockAlign : 1;
    if (&s == &m_streams[0] && m_riffCount == 1) m_firstRiffFrames = static_cast<uint32_t>(s.length);
    return true;
}

bool CAviWriter::SplitIfNeeded(uint32_t chunkBytes) {
    const bool empty = m_streams[0].riffEntries.empty() && m_streams[1].riffEntries.empty();
    if (empty) return true;
    // Room for this chunk and for the indexes that close the RIFF.
    uint64_t indexBytes = 0;
    for (const Stream& s : m_streams)
        indexBytes += 8 + kStandardIndexHeader + 8ull * (s.riffEntries.size() + 1);
    if (m_riffCount == 1) indexBytes += 8 + 16ull * (m_legacyIndex.size() + 1);
    const uint64_t used = m_file.Position() - m_riffStart;
    if (used + chunkBytes + indexBytes <= m_options.riffLimit) return true;
    return EndRiff() && StartRiff() && Checkpoint();
}

bool CAviWriter::StartRiff() {
    m_riffStart = m_file.Position();
    Bytes h;
    const size_t riff = h.OpenList(Tag("RIFF"), Tag("AVIX"));
    m_moviStart = m_riffStart + h.Size();
    h.Close(h.OpenList(Tag("LIST"), Tag("movi")));
    h.Close(riff);
    ++m_riffCount;
    for (Stream& s : m_streams) s.lengthAtRiffStart = s.length;
    if (m_file.Write(h.Data(), h.Size())) return true;
    m_failed = true;
    return false;
}

bool CAviWriter::WriteStandardIndex(Stream& s) {
    if (s.riffEntries.empty()) return true;
    const uint64_t base = m_moviStart + 8;  // the 'movi' tag
    Bytes ix;
    const size_t at = ix.OpenChunk(s.indexId);
    ix.U16(2);  // longs per entry
    ix.U8(0);
    ix.U8(1);  // index of chunks
    ix.U32(static_cast<uint32_t>(s.riffEntries.size()));
    ix.U32(s.chunkId);
    ix.U64(base);
    ix.U32(0);
    for (const IndexEntry& e : s.riffEntries) {
        ix.U32(static_cast<uint32_t>(e.pos + 8 - base));  // of the data
        ix.U32(e.size | (e.key ? 0 : kIndexNotKey));
    }
    ix.Close(at);
    const uint64_t pos = m_file.Position();
    // Listed only once it is really in the file.
    if (!m_file.Write(ix.Data(), ix.Size()) || !m_file.Flush(false)) return false;
    // Past the reserved entries the RIFF stays readable, just not listed.
    if (s.superEntries.size() < m_options.superIndexEntries)
        s.superEntries.push_back({pos, static_cast<uint32_t>(ix.Size()),
                                  static_cast<uint32_t>(s.length - s.lengthAtRiffStart)});
    s.riffEntries.clear();
    return true;
}

bool CAviWriter::WriteLegacyIndex() {
    Bytes idx;
    const size_t at = idx.OpenChunk(Tag("idx1"));
    for (const LegacyEntry& e : m_legacyIndex) {
        idx.U32(e.chunkId);
        idx.U32(e.flags);
        idx.U32(e.offset);
        idx.U32(e.size);
    }
    idx.Close(at);
    m_legacyIndex.clear();
    m_legacyIndex.shrink_to_fit();
    return m_file.Write(idx.Data(), idx.Size()) && m_file.Flush(false);
}

bool CAviWriter::EndRiff() {
    // When an index cannot be written (a full disk), the RIFF still ends
    // after its last complete chunk.
    const uint64_t dataEnd = m_file.Position();
    bool indexed = WriteStandardIndex(m_streams[0]) && WriteStandardIndex(m_streams[1]);
    const uint64_t moviEnd = indexed ? m_file.Position() : dataEnd;
    bool ok = Patch32(m_moviStart + 4, static_cast<uint32_t>(moviEnd - m_moviStart - 8)) &&
              m_file.Seek(moviEnd);
    if (ok && indexed && m_riffCount == 1) indexed = WriteLegacyIndex();
    const uint64_t riffEnd = indexed ? m_file.Position() : moviEnd;
    ok = ok && Patch32(m_riffStart + 4, static_cast<uint32_t>(riffEnd - m_riffStart - 8)) &&
         m_file.Seek(riffEnd);
    if (!ok || !indexed) m_failed = true;
    return ok && indexed;
}

bool CAviWriter::Patch32(uint64_t pos, uint32_t value) {
    Bytes b;
    b.U32(value);
    return m_file.Seek(pos) && m_file.Write(b.Data(), b.Size());
}

// Sizes, lengths and the super indexes as they stand now.
bool CAviWriter::UpdateHeader() {
    const uint64_t end = m_file.Position();
    bool ok = true;
    for (const Stream& s : m_streams) {
        ok = ok && Patch32(s.lengthPos, static_cast<uint32_t>(s.length));
        Bytes entries;
        for (const Stream::SuperEntry& e : s.superEntries) {
            entries.U64(e.offset);
            entries.U32(e.size);
            entries.U32(e.duration);
        }
        // nEntriesInUse: after the entry size, sub type and type, 20 bytes
        // before the first entry.
        ok = ok && Patch32(s.superIndexPos - 20, static_cast<uint32_t>(s.superEntries.size()));
        ok = ok && m_file.Seek(s.superIndexPos) && m_file.Write(entries.Data(), entries.Size());
    }
    ok = ok && Patch32(m_totalFramesPos, m_firstRiffFrames);
    ok = ok && Patch32(m_odmlFramesPos, static_cast<uint32_t>(m_streams[0].length));
    ok = ok && m_file.Seek(end);
    return ok;
}

bool CAviWriter::Checkpoint() {
    m_lastCheckpoint = m_streams[0].length;
    // The open RIFF and its movi list end where the file ends now.
    const uint64_t end = m_file.Position();
    bool ok = Patch32(m_moviStart + 4, static_cast<uint32_t>(end - m_moviStart - 8)) &&
              Patch32(m_riffStart + 4, static_cast<uint32_t>(end - m_riffStart - 8)) &&
              m_file.Seek(end) && UpdateHeader() && m_file.Flush(m_options.durableCheckpoints);
    if (!ok) m_failed = true;
    return ok;
}

// After a failed write: forget the chunks that did not fully reach the file,
// so that sizes, lengths and indexes describe only what is there, and carry
// on writing after the last complete chunk.
void CAviWriter::Recover() {
    m_file.Flush(false);
    const uint64_t good = m_file.WrittenEnd();
    const auto end = [](uint64_t at, uint32_t size) { return at + 8 + size + (size & 1); };
    uint64_t dataEnd = m_moviStart + 12;
    for (Stream& s : m_streams) {
        while (!s.riffEntries.empty() && end(s.riffEntries.back().pos, s.riffEntries.back().size) > good) {
            const uint32_t size = s.riffEntries.back().size;
            s.length -= &s == &m_streams[1] ? size / m_audioBlockAlign : 1;
            s.riffEntries.pop_back();
        }
        if (!s.riffEntries.empty())
            dataEnd = std::max(dataEnd, end(s.riffEntries.back().pos, s.riffEntries.back().size));
    }
    while (!m_legacyIndex.empty() &&
           end(m_moviStart + 8 + m_legacyIndex.back().offset, m_legacyIndex.back().size) > good)
        m_legacyIndex.pop_back();
    if (m_riffCount == 1) m_firstRiffFrames = static_cast<uint32_t>(m_streams[0].length);
    m_lastCheckpoint = m_streams[0].length;
    m_file.Seek(dataEnd);
}

bool CAviWriter::Close() {
    if (!IsOpen()) return false;
    if (m_failed || m_file.Failed()) {
        m_failed = true;
        Recover();
    }
    EndRiff();
    if (!UpdateHeader() || !m_file.Flush(m_options.durableCheckpoints)) m_failed = true;
    if (!m_file.Close()) m_failed = true;
    return !m_failed;
}
