// Our RIFF AVI writer: one video stream and one PCM audio stream, chunks in
// the order of the write calls, skipped video positions as zero-length
// chunks so that every position keeps one frame period, a legacy index
// ('idx1') for the first RIFF and OpenDML indexes ('indx' super indexes,
// 'ix00'/'ix01' standard indexes, 'AVIX' RIFFs) so that files beyond 1 GiB
// stay readable.
//
// A recording that is cut off (process killed, power lost) stays readable up
// to the last checkpoint: every `checkpointPositions` video positions the
// header's sizes and lengths are brought up to date and flushed, so a reader
// sees a consistent file up to there and can read on through the chunks
// that follow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/BinaryFile.h"

struct AviVideoFormat {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t fourcc = 0;     // stream handler and bitmap compression
    uint16_t bitCount = 24;  // of the uncompressed source
    uint32_t imageSize = 0;  // of one uncompressed frame: the suggested buffer size
    uint32_t rate = 25;
    uint32_t scale = 1;
    std::vector<uint8_t> codecPrivate;  // appended to the bitmap header
};

struct AviAudioFormat {  // PCM
    uint16_t channels = 2;
    uint32_t samplesPerSecond = 48'000;
    uint16_t bitsPerSample = 16;

    uint16_t BlockAlign() const { return static_cast<uint16_t>(channels * bitsPerSample / 8); }
    uint32_t BytesPerSecond() const { return samplesPerSecond * BlockAlign(); }
};

struct AviWriterOptions {
    uint64_t riffLimit = 1ull << 30;   // bytes per RIFF before the next 'AVIX'
    uint32_t superIndexEntries = 256;  // RIFFs that the OpenDML index can list
    uint32_t checkpointPositions = 25;  // 0: header brought up to date only at close
    bool durableCheckpoints = true;    // checkpoints reach the disk, not just the system
};

class CAviWriter {
public:
    explicit CAviWriter(AviWriterOptions options = {});
    ~CAviWriter();
    CAviWriter(const CAviWriter&) = delete;
    CAviWriter& operator=(const CAviWriter&) = delete;

    bool Open(const std::string& path, const AviVideoFormat& video, const AviAudioFormat& audio);
    bool IsOpen() const { return m_file.IsOpen(); }

    // Writes a frame at `position`; positions between the last one written
    // and this one get zero-length chunks. A position already taken is
    // refused.
    bool WriteVideo(uint32_t position, const void* data, uint32_t size, bool keyFrame);
    // Appends PCM bytes (whole sample frames).
    bool WriteAudio(const void* data, uint32_t size);
    // Completes the indexes and the header. True when every write succeeded.
    bool Close();

    uint32_t VideoLength() const { return static_cast<uint32_t>(m_streams[0].length); }
    uint64_t AudioLength() const { return m_streams[1].length; }
    uint32_t RiffCount() const { return m_riffCount; }
    // The C library's error number of the file's first failure (0: none).
    int FileError() const { return m_file.Error(); }

private:
    struct IndexEntry {
        uint64_t pos;  // of the chunk header
        uint32_t size;
        bool key;
    };
    struct Stream {
        uint32_t chunkId = 0;
        uint32_t indexId = 0;
        std::vector<IndexEntry> riffEntries;  // of the current RIFF
        uint64_t length = 0;                  // positions or sample frames
        uint64_t lengthAtRiffStart = 0;
        uint64_t lengthPos = 0;  // strh dwLength
        uint64_t superIndexPos = 0;
        struct SuperEntry {
            uint64_t offset;
            uint32_t size;
            uint32_t duration;
        };
        std::vector<SuperEntry> superEntries;
    };
    struct LegacyEntry {
        uint32_t chunkId;
        uint32_t flags;
        uint32_t offset;
        uint32_t size;
    };

    bool WriteHeader(const AviVideoFormat& video, const AviAudioFormat& audio);
    bool WriteChunk(Stream& stream, const void* data, uint32_t size, bool key);
    bool SplitIfNeeded(uint32_t chunkBytes);
    bool StartRiff();
    bool EndRiff();
    bool WriteStandardIndex(Stream& stream);
    bool WriteLegacyIndex();
    bool Checkpoint();
    void Recover();
    bool UpdateHeader();
    bool Patch32(uint64_t pos, uint32_t value);

    AviWriterOptions m_options;
    CBinaryFile m_file;
    Stream m_streams[2];
    std::vector<LegacyEntry> m_legacyIndex;  // first RIFF only
    uint64_t m_riffStart = 0;
    uint64_t m_moviStart = 0;  // the 'LIST' of the current movi list
    uint32_t m_riffCount = 0;
    uint64_t m_totalFramesPos = 0;  // avih: frames in the first RIFF
    uint64_t m_odmlFramesPos = 0;  // dmlh
    uint32_t m_firstRiffFrames = 0;
    uint32_t m_audioBlockAlign = 4;
    uint64_t m_lastCheckpoint = 0;
    bool m_failed = false;
};
