// The AVI writer, read back chunk by chunk and by the host's ffprobe/ffmpeg.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "engine/AviWriter.h"
#include "engine/RecordFailure.h"
#include "tests/native/avi_test_support.h"
#include "tests/native/host_tools.h"
#include "tests/native/riff_reader.h"

namespace {

// Entries of a standard index chunk ('ix00'/'ix01'): chunk header position,
// size, key flag.
struct IxEntry {
    uint64_t chunkAt;
    uint32_t size;
    bool key;
};

std::vector<IxEntry> ReadStandardIndex(const riff::File& f, uint64_t at) {
    std::vector<IxEntry> entries;
    const uint32_t count = f.U32(at + 8 + 4);
    const uint64_t base = f.U64(at + 8 + 12);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t e = at + 8 + 24 + 8ull * i;
        const uint32_t size = f.U32(e + 4);
        entries.push_back({base + f.U32(e) - 8, size & 0x7FFFFFFF, (size & 0x80000000u) == 0});
    }
    return entries;
}

struct SuperEntry {
    uint64_t offset;
    uint32_t size;
    uint32_t duration;
};

std::vector<SuperEntry> ReadSuperIndex(const riff::File& f, const riff::Chunk& indx) {
    std::vector<SuperEntry> entries;
    const uint64_t d = indx.DataOffset();
    EXPECT_EQ(f.U16(d), 4);  // longs per entry
    EXPECT_EQ(static_cast<unsigned char>(f.bytes[d + 3]), 0);  // index of indexes
    const uint32_t count = f.U32(d + 4);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t e = d + 24 + 16ull * i;
        entries.push_back({f.U64(e), f.U32(e + 8), f.U32(e + 12)});
    }
    return entries;
}

TEST(AviWriter, HeaderCarriesTheRecordingsValues) {
    TempFolder dir;
    const std::string path = dir.File("header.avi");
    CAviWriter w;
    ASSERT_TRUE(w.Open(path, Mp43Format(640, 480), AviAudioFormat{}));
    const std::vector<uint8_t> audio(19'200, 1), frame(1000, 2);
    ASSERT_TRUE(w.WriteAudio(audio.data(), 19'200));
    ASSERT_TRUE(w.WriteVideo(0, frame.data(), 1000, true));
    ASSERT_TRUE(w.WriteVideo(3, frame.data(), 1000, false));
    ASSERT_TRUE(w.Close());

    riff::File f(path);
    bool ok;
    const auto top = f.Parse(ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].id, "RIFF");
    EXPECT_EQ(top[0].type, "AVI ");
    EXPECT_EQ(uint64_t{top[0].size} + 8, f.bytes.size());
    const riff::Chunk* hdrl = top[0].Find("hdrl");
    ASSERT_NE(hdrl, nullptr);

    const uint64_t avih = hdrl->Find("avih")->DataOffset();
    EXPECT_EQ(f.U32(avih), 40'000u);  // microseconds per frame
    EXPECT_NE(f.U32(avih + 12) & 0x10, 0u);  // has an index
    EXPECT_EQ(f.U32(avih + 16), 4u);  // frames
    EXPECT_EQ(f.U32(avih + 24), 2u);  // streams
    EXPECT_EQ(f.U32(avih + 32), 640u);
    EXPECT_EQ(f.U32(avih + 36), 480u);

    const auto strls = hdrl->All("strl");
    ASSERT_EQ(strls.size(), 2u);
    const uint64_t vh = strls[0]->Find("strh")->DataOffset();
    EXPECT_EQ(f.Tag(vh), "vids");
    EXPECT_EQ(f.Tag(vh + 4), "MP43");
    EXPECT_EQ(f.U32(vh + 20), 1u);   // scale
    EXPECT_EQ(f.U32(vh + 24), 25u);  // rate
    EXPECT_EQ(f.U32(vh + 32), 4u);   // length: positions 0 to 3
    EXPECT_EQ(f.U32(vh + 36), 921'600u);  // suggested buffer: one raw frame
    EXPECT_EQ(f.U32(vh + 40), 0u);  // quality
    EXPECT_EQ(f.U32(vh + 44), 0u);  // sample size
    EXPECT_EQ(f.U16(vh + 48), 0);
    EXPECT_EQ(f.U16(vh + 50), 0);
    EXPECT_EQ(f.U16(vh + 52), 640);
    EXPECT_EQ(f.U16(vh + 54), 480);
    const riff::Chunk* vf = strls[0]->Find("strf");
    EXPECT_EQ(vf->size, 40u);
    EXPECT_EQ(f.U32(vf->DataOffset() + 4), 640u);
    EXPECT_EQ(f.U32(vf->DataOffset() + 8), 480u);
    EXPECT_EQ(f.U16(vf->DataOffset() + 12), 1);
    EXPECT_EQ(f.U16(vf->DataOffset() + 14), 24);
    EXPECT_EQ(f.Tag(vf->DataOffset() + 16), "MP43");

    const uint64_t ah = strls[1]->Find("strh")->DataOffset();
    EXPECT_EQ(f.Tag(ah), "auds");
    EXPECT_EQ(f.U32(ah + 4), 0u);
    EXPECT_EQ(f.U32(ah + 20), 4u);
    EXPECT_EQ(f.U32(ah + 24), 192'000u);
    EXPECT_EQ(f.U32(ah + 32), 4'800u);  // 19,200 bytes of 4-byte frames
    EXPECT_EQ(f.U32(ah + 40), 0xFFFFFFFFu);
    EXPECT_EQ(f.U32(ah + 44), 4u);
    const riff::Chunk* af = strls[1]->Find("strf");
    ASSERT_EQ(af->size, 18u);
    const uint64_t wf = af->DataOffset();
    EXPECT_EQ(f.U16(wf), 1);
    EXPECT_EQ(f.U16(wf + 2), 2);
    EXPECT_EQ(f.U32(wf + 4), 48'000u);
    EXPECT_EQ(f.U32(wf + 8), 192'000u);
    EXPECT_EQ(f.U16(wf + 12), 4);
    EXPECT_EQ(f.U16(wf + 14), 16);
    EXPECT_EQ(f.U16(wf + 16), 0);

    const riff::Chunk* odml = hdrl->Find("odml");
    ASSERT_NE(odml, nullptr);
    EXPECT_EQ(f.U32(odml->Find("dmlh")->DataOffset()), 4u);
}

TEST(AviWriter, ChunksFollowTheWriteCallsAndSkippedPositionsStayEmpty) {
    TempFolder dir;
    const std::string path = dir.File("order.avi");
    CAviWriter w;
    ASSERT_TRUE(w.Open(path, Mp43Format(64, 48), AviAudioFormat{}));
    const std::vector<uint8_t> a1(16, 1), v0(7, 2), a2(32, 3), v3(10, 4);
    ASSERT_TRUE(w.WriteAudio(a1.data(), 16));
    ASSERT_TRUE(w.WriteVideo(0, v0.data(), 7, true));
    ASSERT_TRUE(w.WriteAudio(a2.data(), 32));
    ASSERT_TRUE(w.WriteVideo(3, v3.data(), 10, false));
    EXPECT_FALSE(w.WriteVideo(3, v3.data(), 10, false)) << "a position was written twice";
    EXPECT_FALSE(w.WriteVideo(1, v3.data(), 10, false)) << "the timeline went backwards";
    EXPECT_EQ(w.VideoLength(), 4u);
    EXPECT_EQ(w.AudioLength(), 12u);
    ASSERT_TRUE(w.Close());

    riff::File f(path);
    bool ok;
    const auto top = f.Parse(ok);
    ASSERT_TRUE(ok) << "a chunk size points past the end (odd chunk not padded?)";
    const riff::Chunk* movi = top[0].Find("movi");
    ASSERT_NE(movi, nullptr);
    std::vector<std::pair<std::string, uint32_t>> chunks;
    std::vector<const riff::Chunk*> data;
    for (const riff::Chunk& c : movi->children)
        if (c.id.rfind("ix", 0) != 0) {
            chunks.emplace_back(c.id, c.size);
            data.push_back(&c);
        }
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"01wb", 16}, {"00dc", 7}, {"01wb", 32}, {"00dc", 0}, {"00dc", 0}, {"00dc", 10}};
    EXPECT_EQ(chunks, expected);
    EXPECT_EQ(std::string(f.bytes.data() + data[1]->DataOffset(), 7), std::string(7, '\2'));

    // The legacy index lists the same chunks, relative to the 'movi' tag.
    const riff::Chunk* idx1 = top[0].Find("idx1");
    ASSERT_NE(idx1, nullptr);
    ASSERT_EQ(idx1->size, 16u * 6);
    const uint64_t moviTag = movi->offset + 8;
    for (size_t i = 0; i < 6; ++i) {
        const uint64_t e = idx1->DataOffset() + 16 * i;
        EXPECT_EQ(f.Tag(e), expected[i].first);
        EXPECT_EQ(moviTag + f.U32(e + 8), data[i]->offset) << "entry " << i;
        EXPECT_EQ(f.U32(e + 12), expected[i].second);
    }
    EXPECT_EQ(f.U32(idx1->DataOffset() + 16 + 4), 0x10u);      // key frame
    EXPECT_EQ(f.U32(idx1->DataOffset() + 16 * 5 + 4), 0u);     // not a key frame

    // The OpenDML index of the video stream: four positions, one key frame.
    const auto strls = top[0].Find("hdrl")->All("strl");
    const auto super = ReadSuperIndex(f, *strls[0]->Find("indx"));
    ASSERT_EQ(super.size(), 1u);
    EXPECT_EQ(super[0].duration, 4u);
    EXPECT_EQ(f.Tag(super[0].offset), "ix00");
    const auto ix = ReadStandardIndex(f, super[0].offset);
    ASSERT_EQ(ix.size(), 4u);
    EXPECT_EQ(ix[0].chunkAt, data[1]->offset);
    EXPECT_TRUE(ix[0].key);
    EXPECT_EQ(ix[1].size, 0u);
    EXPECT_FALSE(ix[1].key);
    EXPECT_EQ(ix[3].chunkAt, data[5]->offset);
    EXPECT_EQ(ix[3].size, 10u);
}

TEST(AviWriter, FfmpegSeesEveryFrameAtItsPositionAndTheAudioTrack) {
    TempFolder dir;
    const std::string path = dir.File("timeline.avi");
    const auto frames = EncodedFrames(160, 120, 12);
    ASSERT_EQ(frames.size(), 12u);
    const std::vector<uint32_t> positions = {0, 1, 2, 4, 5, 9, 10, 11, 15, 20, 21, 30};
    CAviWriter w;
    ASSERT_TRUE(w.Open(path, Mp43Format(160, 120), AviAudioFormat{}));
    const std::vector<uint8_t> audio(15'364, 0);
    for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_TRUE(w.WriteAudio(audio.data(), audio.size()));
        ASSERT_TRUE(w.WriteVideo(positions[i], frames[i].data(), frames[i].size(), i == 0));
    }
    ASSERT_TRUE(w.Close());

    const std::vector<long> pts = VideoPacketTimes(path);
    EXPECT_EQ(pts, std::vector<long>(positions.begin(), positions.end()));
    EXPECT_EQ(StreamField(path, "v", "codec_name,codec_tag_string,r_frame_rate,nb_frames"),
              "msmpeg4v3,MP43,25/1,31");
    EXPECT_EQ(StreamField(path, "a", "codec_name,sample_rate,channels,bits_per_sample"),
              "pcm_s16le,48000,2,16");
    EXPECT_TRUE(DecodesCleanly(path));
}

TEST(AviWriter, OpenDmlSplitKeepsEachRiffWithinTheLimitAndIndexesItAll) {
    TempFolder dir;
    const std::string path = dir.File("split.avi");
    const auto frames = EncodedFrames(160, 120, 90);
    ASSERT_EQ(frames.size(), 90u);
    AviWriterOptions options;
    options.riffLimit = 96 * 1024;
    options.checkpointPositions = 10;
    CAviWriter w(options);
    ASSERT_TRUE(w.Open(path, Mp43Format(160, 120), AviAudioFormat{}));
    const std::vector<uint8_t> audio(7'680, 5);
    std::vector<long> positions;
    uint32_t position = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_TRUE(w.WriteAudio(audio.data(), audio.size()));
        ASSERT_TRUE(w.WriteVideo(position, frames[i].data(), frames[i].size(), i % 25 == 0));
        positions.push_back(position);
        position += 1 + (i % 3 == 0);  // a skipped position now and then
    }
    ASSERT_TRUE(w.Close());
    ASSERT_GE(w.RiffCount(), 4u);

    riff::File f(path);
    bool ok;
    const auto top = f.Parse(ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(top.size(), w.RiffCount());
    std::vector<uint64_t> videoChunks;
    for (size_t r = 0; r < top.size(); ++r) {
        EXPECT_EQ(top[r].id, "RIFF");
        EXPECT_EQ(top[r].type, r == 0 ? "AVI " : "AVIX");
        EXPECT_LE(top[r].size + 8u, options.riffLimit) << "RIFF " << r;
        EXPECT_EQ(top[r].Find("idx1") != nullptr, r == 0) << "RIFF " << r;
        const riff::Chunk* movi = top[r].Find("movi");
        ASSERT_NE(movi, nullptr);
        for (const riff::Chunk& c : movi->children)
            if (c.id == "00dc") videoChunks.push_back(c.offset);
    }

    // Following the super index and its standard indexes finds every video
    // chunk, in order, and their durations add up to the timeline.
    const auto strls = top[0].Find("hdrl")->All("strl");
    const auto super = ReadSuperIndex(f, *strls[0]->Find("indx"));
    EXPECT_EQ(super.size(), top.size());
    std::vector<uint64_t> indexed;
    uint64_t duration = 0;
    for (const SuperEntry& s : super) {
        EXPECT_EQ(f.Tag(s.offset), "ix00");
        EXPECT_EQ(f.U32(s.offset + 4) + 8, s.size);
        duration += s.duration;
        for (const IxEntry& e : ReadStandardIndex(f, s.offset)) {
            EXPECT_EQ(f.Tag(e.chunkAt), "00dc");
            indexed.push_back(e.chunkAt);
        }
    }
    EXPECT_EQ(indexed, videoChunks);
    EXPECT_EQ(duration, w.VideoLength());
    EXPECT_EQ(ReadSuperIndex(f, *strls[1]->Find("indx")).size(), top.size());

    EXPECT_EQ(VideoPacketTimes(path), positions);
    EXPECT_TRUE(DecodesCleanly(path));
}

// Writes frames with a checkpoint every five positions, then dies without
// closing the file, as a killed process or a power cut leaves it.
void RecordAndDie(const std::string& path, const std::vector<std::vector<uint8_t>>& frames,
                  uint64_t riffLimit) {
    AviWriterOptions options;
    options.checkpointPositions = 5;
    options.riffLimit = riffLimit;
    CAviWriter w(options);
    if (!w.Open(path, Mp43Format(320, 240), AviAudioFormat{})) _exit(3);
    const std::vector<uint8_t> audio(7'680, 9);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!w.WriteAudio(audio.data(), audio.size())) _exit(4);
        if (!w.WriteVideo(static_cast<uint32_t>(i), frames[i].data(), frames[i].size(), i % 25 == 0))
            _exit(5);
    }
    raise(SIGKILL);
}

void ExpectReadableUpToTheLastCheckpoint(uint64_t riffLimit) {
    TempFolder dir;
    const std::string path = dir.File("cut.avi");
    const auto frames = EncodedFrames(320, 240, 23);
    ASSERT_EQ(frames.size(), 23u);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) RecordAndDie(path, frames, riffLimit);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

    // The last checkpoint came after 20 positions (or later, when a split
    // brought the header up to date); what followed may be partly on disk,
    // partly lost.
    const std::string header = StreamField(path, "v", "nb_frames");
    const std::string packets = StreamField(path, "v", "nb_read_packets");
    ASSERT_FALSE(header.empty());
    ASSERT_FALSE(packets.empty());
    EXPECT_GE(std::stoi(header), 20);
    EXPECT_GE(std::stoi(packets), std::stoi(header));
    EXPECT_LE(std::stoi(packets), 23);
    const std::vector<long> pts = VideoPacketTimes(path);
    ASSERT_GE(pts.size(), 20u);
    for (size_t i = 0; i < pts.size(); ++i) EXPECT_EQ(pts[i], static_cast<long>(i));
    const ToolResult decode = RunTool("ffmpeg -v error -nostdin -i " + Quote(path) + " -f null -");
    EXPECT_EQ(decode.exitCode, 0) << decode.output;
}

TEST(AviWriter, ACutOffRecordingStaysReadableUpToTheLastCheckpoint) {
    ExpectReadableUpToTheLastCheckpoint(1ull << 30);
}

TEST(AviWriter, ACutOffRecordingStaysReadableAfterAnOpenDmlSplit) {
    ExpectReadableUpToTheLastCheckpoint(200 * 1024);
}

TEST(AviWriter, FailuresAreReportedNotHidden) {
    CAviWriter missing;
    EXPECT_FALSE(missing.Open("/nonexistent-folder/x.avi", Mp43Format(64, 48), AviAudioFormat{}));
    EXPECT_FALSE(missing.IsOpen());
    const std::vector<uint8_t> frame(100, 1);
    EXPECT_FALSE(missing.WriteVideo(0, frame.data(), 100, true));
    EXPECT_EQ(FailureFromFileError(missing.FileError()), RecordFailure::WriteFailed);

    CAviWriter full;
    EXPECT_FALSE(full.Open("/dev/full", Mp43Format(64, 48), AviAudioFormat{}))
        << "a header that could not be written was reported as written";
    EXPECT_EQ(FailureFromFileError(full.FileError()), RecordFailure::DiskFull)
        << "a full disk is not told apart from other failures";
}

// The disk fills up in the middle of a recording: the write that fails says
// so, and the file keeps the frames written before it, readable.
TEST(AviWriter, ADiskThatFillsUpKeepsWhatWasWritten) {
    TempFolder dir;
    const std::string path = dir.File("full.avi");
    const auto frames = EncodedFrames(320, 240, 60);
    ASSERT_EQ(frames.size(), 60u);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{400 * 1024, 400 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        AviWriterOptions options;
        options.checkpointPositions = 5;
        CAviWriter w(options);
        if (!w.Open(path, Mp43Format(320, 240), AviAudioFormat{})) _exit(10);
        uint32_t written = 0;
        while (written < frames.size() &&
               w.WriteVideo(written, frames[written].data(), frames[written].size(), written == 0))
            ++written;
        if (written == frames.size()) _exit(11);  // the limit never bit
        _exit(w.Close() ? 12 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "10: no file, 11: never full, 12: Close hid the failure";

    const std::string header = StreamField(path, "v", "nb_frames");
    ASSERT_FALSE(header.empty());
    // Four or five frames fit in the 400 KiB the file may take, and the
    // header counts exactly the frames that are there.
    EXPECT_GE(std::stoi(header), 3);
    EXPECT_EQ(StreamField(path, "v", "nb_read_packets"), header);
    EXPECT_TRUE(DecodesCleanly(path));
}

}  // namespace
