#include "engine/RecordThread.h"

#include <mmsystem.h>

#include <new>

#include "engine/AudioMix.h"
#include "engine/AviWriter.h"
#include "engine/FrameGrabber.h"
#include "engine/Messages.h"
#include "engine/Mp43Encoder.h"
#include "engine/OutputPath.h"
#include "engine/RecordFailure.h"
#include "engine/RecordLoop.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordStats.h"
#include "engine/RecordWindows.h"

RecordStats* g_recordStats = nullptr;

namespace {

HWND MainWindow() {
    return static_cast<HWND>(g_recordState.MainWindow);
}

void PostToMain(UINT message) {
    if (HWND main = MainWindow()) ::PostMessageA(main, message, 0, 0);
}

double MsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

RecordFailure FileFailure(const CAviWriter& writer) {
    return FailureFromFileError(writer.FileError());
}

// One recording as the loop sees it: the screen, the rings and the file.
class CRecordSession final : public IRecordSession {
public:
    CRecordSession(int width, int height, CMp43Encoder& encoder, CAviWriter& writer)
        : m_width(width),
          m_height(height),
          m_encoder(encoder),
          m_writer(writer),
          m_scratch(engine::kAudioScratchBytes) {}

    uint32_t NowMs() override { return ::timeGetTime(); }
    void SleepMs(uint32_t ms) override { ::Sleep(ms); }
    bool Recording() override { return g_recordState.Recording.load() == 1; }
    void MarkVideoStarted() override {
        g_recordState.VideoStartMs.store(::timeGetTime());
        g_recordState.VideoStarted.store(1);
    }
    void TakeOrigin(int32_t& left, int32_t& top) override { g_recordState.TakeRect(left, top); }

    bool GrabFrame(int32_t left, int32_t top) override {
        const LARGE_INTEGER start = Now();
        m_grabbed = m_grabber.Grab(left, top, m_width, m_height, 0);
        if (g_recordStats) {
            g_recordStats->grabMs.push_back(MsSince(start));
            ++g_recordStats->turns;
        }
        // The surface is made once per size; failing that is a lack of memory.
        if (!m_grabbed) m_failure = RecordFailure::OutOfMemory;
        return m_grabbed;
    }

    bool WriteAudioChunkIfDue() override {
        if (!AudioChunkDue(g_recordState.RingA)) return true;
        const LARGE_INTEGER start = Now();
        // The writer appends: each chunk follows the one before on the track.
        const int32_t n = DrainAndMix(g_recordState.RingA, g_recordState.RingB, m_scratch);
        const bool written = m_writer.WriteAudio(m_scratch.A(), static_cast<uint32_t>(n));
        if (g_recordStats) g_recordStats->audioMs.push_back(MsSince(start));
        if (!written) m_failure = FileFailure(m_writer);
        return written;
    }

    // At the end: whatever far-end audio is still waiting, however little,
    // so that the track lasts as long as the pictures.
    bool FlushAudio() {
        if (g_recordState.RingA.Count() <= 0) return true;
        const int32_t n = DrainAndMix(g_recordState.RingA, g_recordState.RingB, m_scratch);
        return n <= 0 || m_writer.WriteAudio(m_scratch.A(), static_cast<uint32_t>(n));
    }

    bool WriteFrame(uint32_t position) override {
        const LARGE_INTEGER start = Now();
        EncodedFrame encoded;
        if (!m_grabbed) return false;
        if (!m_encoder.Encode(m_grabber.Bits(), m_grabber.Stride(), encoded)) {
            m_failure = RecordFailure::EncoderFailed;
            return false;
        }
        const double encodeMs = MsSince(start);
        const bool written = m_writer.WriteVideo(position, encoded.data, encoded.size,
                                                 encoded.keyFrame);
        if (g_recordStats) {
            g_recordStats->encodeMs.push_back(encodeMs);
            g_recordStats->writeMs.push_back(MsSince(start) - encodeMs);
        }
        if (!written) m_failure = FileFailure(m_writer);
        return written;
    }

    // The picture stays in the grabber's surface for the next grab.
    void FreeFrame() override { m_grabbed = false; }

    // What made the loop give up.
    RecordFailure Failure() const { return m_failure; }

    void RequestRepaint() override {
        if (HWND main = MainWindow()) ::InvalidateRect(main, nullptr, FALSE);
    }

private:
    int m_width;
    int m_height;
    CMp43Encoder& m_encoder;
    CAviWriter& m_writer;
    CAudioScratch m_scratch;
    CScreenGrabber m_grabber;
    bool m_grabbed = false;
    RecordFailure m_failure = RecordFailure::WriteFailed;
};

// Holds the platform's timer at 1 ms so that sleeps end when they should.
class CTimerResolution {
public:
    CTimerResolution() { ::timeBeginPeriod(1); }
    ~CTimerResolution() { ::timeEndPeriod(1); }
};

// Runs `step`; an allocation that throws ends the recording like any other
// failure instead of ending the process.
template <class Step>
RecordFailure Guarded(Step step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return RecordFailure::OutOfMemory;
    }
}

// Encodes and writes until the stop or the first failure.
RecordFailure WriteRecording(AviVideoFormat video, int left, int top, const std::string& path,
                             CAviWriter& writer) {
    CMp43Encoder encoder;
    if (!encoder.Open(video.width, video.height, static_cast<int>(video.rate),
                      g_recordParams.KeyFrameEvery, g_recordParams.Quality))
        return RecordFailure::EncoderFailed;
    video.codecPrivate = encoder.CodecPrivate();
    if (!writer.Open(path, video, AviAudioFormat{})) return FileFailure(writer);

    CTimerResolution timer;
    CRecordSession session(video.width, video.height, encoder, writer);
    const RecordLoopResult result =
        RunRecordLoop(session, g_recordParams.FrameIntervalMs, left, top);
    if (g_recordStats) g_recordStats->framesWritten = result.framesWritten;
    if (result.failed) return session.Failure();
    return session.FlushAudio() ? RecordFailure::None : FileFailure(writer);
}

// Writes the file. What was written stays; the outcome says what failed and
// how long the file plays.
RecordOutcome Record(int top, int left, int width, int height, int rate, const std::string& path) {
    RecordOutcome outcome;
    BITMAPINFOHEADER* probe = ::GrabFrame(left, top, width, height, 1);
    if (!probe) {
        outcome.failure = RecordFailure::OutOfMemory;
        return outcome;
    }
    AviVideoFormat video;
    video.width = width;
    video.height = height;
    video.fourcc = g_recordParams.CompressorFourcc;
    video.bitCount = probe->biBitCount;
    video.imageSize = probe->biSizeImage;
    video.rate = static_cast<uint32_t>(rate);
    video.scale = 1;
    FreeFrame(probe);

    const bool showFrame = g_recordParams.ShowRegionFrame != 0;
    if (showFrame) {
        RegionFrame().SetFrame(left, top, width, height);
        RegionFrame().Show(true);
    }

    CAviWriter writer;
    outcome.failure = Guarded([&] { return WriteRecording(video, left, top, path, writer); });
    if (showFrame) RegionFrame().Show(false);
    const RecordFailure closing = Guarded([&] {
        return !writer.IsOpen() || writer.Close() ? RecordFailure::None : FileFailure(writer);
    });
    if (outcome.failure == RecordFailure::None) outcome.failure = closing;
    if (rate > 0)
        outcome.fileSeconds =
            static_cast<int32_t>(writer.VideoLength() / static_cast<uint32_t>(rate));
    if (g_recordStats) {
        g_recordStats->positions = writer.VideoLength();
        g_recordStats->failed = outcome.failure != RecordFailure::None;
    }
    return outcome;
}

}  // namespace

void WriteAvi(int top, int left, int width, int height, int rate, const std::string& path) {
    width = width / 4 * 4;
    height = height / 4 * 4;
    RecordOutcome outcome;
    if (width > 0 && height > 0)
        outcome = Record(top, left, width, height, rate, path);
    else
        outcome.failure = RecordFailure::AreaTooSmall;
    g_recordState.SetOutcome(outcome);
    PostToMain(outcome.failure == RecordFailure::None ? WM_USER_GENERIC_MSG
                                                      : WM_USER_RECORDINTERRUPTED_MSG);
}

DWORD WINAPI RecordThread(LPVOID) {
    const ScreenRect rect = g_recordState.CaptureRect;
    const std::string path = ChooseRecordPath(g_recordState.RecordFileName);
    g_recordState.SetWrittenPath(path);
    if (path.empty()) {
        g_recordState.SetOutcome({RecordFailure::NoFileName, 0});
        PostToMain(WM_USER_RECORDINTERRUPTED_MSG);
        return 0;
    }
    StopWindow().ShowBeside(rect);
    WriteAvi(rect.top, rect.left, rect.Width(), rect.Height(), g_recordParams.FrameRate, path);
    return 0;
}
