#include "engine/RecordThread.h"

#include <mmsystem.h>

#include <new>

#include "engine/AudioMix.h"
#include "engine/AviWriter.h"
#include "engine/FrameGrabber.h"
#include "engine/Messages.h"
#include "engine/Mp43Encoder.h"
#include "engine/OutputPath.h"
#include "engine/PictureHandOff.h"
#include "engine/RecordFailure.h"
#include "engine/RecordLoop.h"
#include "engine/RecordingSession.h"

namespace {

HWND MainWindow(const RecordingSession& session) {
    return static_cast<HWND>(session.State.MainWindow);
}

void PostToMain(const RecordingSession& session, UINT message) {
    if (HWND main = MainWindow(session)) ::PostMessageA(main, message, 0, 0);
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

// One recording as the loop sees it: the screen on the loop's thread; the
// encoder, the file and the rings' consumer on the hand-off's writing thread,
// which takes each picture with the audio chunk due before it.
class CLoopTurns final : public IRecordSession, private IPictureWriter {
public:
    CLoopTurns(RecordingSession& session, int width, int height, CMp43Encoder& encoder,
               CAviWriter& writer)
        : m_session(session),
          m_state(session.State),
          m_stats(session.Stats),
          m_width(width),
          m_height(height),
          m_encoder(encoder),
          m_writer(writer),
          m_scratch(engine::kAudioScratchBytes),
          m_grabbers{CScreenGrabber(session), CScreenGrabber(session), CScreenGrabber(session)} {}

    uint32_t NowMs() override { return ::timeGetTime(); }
    void SleepMs(uint32_t ms) override { ::Sleep(ms); }
    bool Recording() override { return m_state.Recording.load() == 1; }
    void MarkVideoStarted() override {
        m_state.VideoStartMs.store(::timeGetTime());
        m_state.VideoStarted.store(1);
    }
    void TakeOrigin(int32_t& left, int32_t& top) override { m_state.TakeRect(left, top); }

    bool GrabFrame(int32_t left, int32_t top) override {
        const LARGE_INTEGER start = Now();
        const bool grabbed =
            m_grabbers[m_handOff.GrabSurface()].Grab(left, top, m_width, m_height, 0);
        if (m_stats) {
            m_stats->grabMs.push_back(MsSince(start));
            ++m_stats->turns;
        }
        // The surface is made once per size; failing that is a lack of memory.
        if (!grabbed) m_grabFailure = RecordFailure::OutOfMemory;
        return grabbed;
    }

    // The chunk itself is drained and written on the writing thread, right
    // before this turn's picture; here the loop learns whether writing still
    // goes well.
    bool WriteAudioChunkIfDue() override { return m_handOff.Healthy(); }

    bool WriteFrame(uint32_t position) override { return m_handOff.Submit(position); }

    // The picture stays in its surface until the writing thread is done.
    void FreeFrame() override {}

    // Writes the picture still waiting and ends the writing thread; true when
    // every picture and chunk reached the file.
    bool FinishWriting() {
        const bool written = m_handOff.Finish();
        if (m_stats) {
            m_stats->framesWritten = m_handOff.Written();
            m_stats->replaced = m_handOff.Replaced();
        }
        return written;
    }

    // At the end: whatever far-end audio is still waiting, however little,
    // so that the track lasts as long as the pictures.
    bool FlushAudio() {
        if (m_state.RingA.Count() <= 0) return true;
        const int32_t n = DrainAndMix(m_state.RingA, m_state.RingB, m_scratch);
        return n <= 0 || m_writer.WriteAudio(m_scratch.A(), static_cast<uint32_t>(n));
    }

    // What made the loop give up; read once the writing has finished.
    RecordFailure Failure() const {
        return m_writeFailure != RecordFailure::None ? m_writeFailure : m_grabFailure;
    }

    void RequestRepaint() override {
        if (HWND main = MainWindow(m_session)) ::InvalidateRect(main, nullptr, FALSE);
    }

private:
    // On the writing thread: the audio chunk due, then the picture.
    bool WritePicture(int surface, uint32_t position) override {
        m_writeFailure = Guarded([&] {
            const RecordFailure audio = WriteAudioChunkIfDueNow();
            return audio != RecordFailure::None ? audio : EncodeAndWrite(surface, position);
        });
        return m_writeFailure == RecordFailure::None;
    }

    RecordFailure WriteAudioChunkIfDueNow() {
        if (!AudioChunkDue(m_state.RingA)) return RecordFailure::None;
        const LARGE_INTEGER start = Now();
        // The writer appends: each chunk follows the one before on the track.
        const int32_t n = DrainAndMix(m_state.RingA, m_state.RingB, m_scratch);
        const bool written = m_writer.WriteAudio(m_scratch.A(), static_cast<uint32_t>(n));
        if (m_stats) m_stats->audioMs.push_back(MsSince(start));
        return written ? RecordFailure::None : FileFailure(m_writer);
    }

    RecordFailure EncodeAndWrite(int surface, uint32_t position) {
        const LARGE_INTEGER start = Now();
        const CScreenGrabber& picture = m_grabbers[surface];
        EncodedFrame encoded;
        if (!m_encoder.Encode(picture.Bits(), picture.Stride(), encoded))
            return RecordFailure::EncoderFailed;
        const double encodeMs = MsSince(start);
        const bool written = m_writer.WriteVideo(position, encoded.data, encoded.size,
                                                 encoded.keyFrame);
        if (m_stats) {
            m_stats->encodeMs.push_back(encodeMs);
            m_stats->writeMs.push_back(MsSince(start) - encodeMs);
        }
        return written ? RecordFailure::None : FileFailure(m_writer);
    }

    RecordingSession& m_session;
    CRecordState& m_state;
    RecordStats* const m_stats;
    int m_width;
    int m_height;
    CMp43Encoder& m_encoder;
    CAviWriter& m_writer;
    CAudioScratch m_scratch;
    static_assert(CPictureHandOff::kSurfaces == 3, "one grabber per surface");
    CScreenGrabber m_grabbers[CPictureHandOff::kSurfaces];
    RecordFailure m_grabFailure = RecordFailure::None;
    RecordFailure m_writeFailure = RecordFailure::None;
    CPictureHandOff m_handOff{*this};  // last: its thread uses the members above
};

// Holds the platform's timer at 1 ms so that sleeps end when they should.
class CTimerResolution {
public:
    CTimerResolution() { ::timeBeginPeriod(1); }
    ~CTimerResolution() { ::timeEndPeriod(1); }
};

// Encodes and writes until the stop or the first failure.
RecordFailure WriteRecording(RecordingSession& session, AviVideoFormat video, int left, int top,
                             const std::string& path, CAviWriter& writer) {
    const CRecordParams& params = session.Params;
    CMp43Encoder encoder;
    if (!encoder.Open(video.width, video.height, static_cast<int>(video.rate),
                      params.KeyFrameEvery, params.Quality))
        return RecordFailure::EncoderFailed;
    video.codecPrivate = encoder.CodecPrivate();
    if (!writer.Open(path, video, AviAudioFormat{})) return FileFailure(writer);

    CTimerResolution timer;
    CLoopTurns turns(session, video.width, video.height, encoder, writer);
    const RecordLoopResult result = RunRecordLoop(turns, params.FrameIntervalMs, left, top);
    const bool written = turns.FinishWriting();
    if (result.failed || !written) return turns.Failure();
    return turns.FlushAudio() ? RecordFailure::None : FileFailure(writer);
}

// Writes the file. What was written stays; the outcome says what failed and
// how long the file plays.
RecordOutcome Record(RecordingSession& session, int top, int left, int width, int height, int rate,
                     const std::string& path) {
    RecordOutcome outcome;
    BITMAPINFOHEADER* probe = ::GrabFrame(session, left, top, width, height, 1);
    if (!probe) {
        outcome.failure = RecordFailure::OutOfMemory;
        return outcome;
    }
    AviVideoFormat video;
    video.width = width;
    video.height = height;
    video.fourcc = session.Params.CompressorFourcc;
    video.bitCount = probe->biBitCount;
    video.imageSize = probe->biSizeImage;
    video.rate = static_cast<uint32_t>(rate);
    video.scale = 1;
    FreeFrame(probe);

    const bool showFrame = session.Params.ShowRegionFrame != 0;
    if (showFrame) {
        session.RegionFrame().SetFrame(left, top, width, height);
        session.RegionFrame().Show(true);
    }

    CAviWriter writer;
    outcome.failure =
        Guarded([&] { return WriteRecording(session, video, left, top, path, writer); });
    // Asked again: the window may have gone meanwhile.
    if (showFrame) session.RegionFrame().Show(false);
    const RecordFailure closing = Guarded([&] {
        return !writer.IsOpen() || writer.Close() ? RecordFailure::None : FileFailure(writer);
    });
    if (outcome.failure == RecordFailure::None) outcome.failure = closing;
    if (rate > 0)
        outcome.fileSeconds =
            static_cast<int32_t>(writer.VideoLength() / static_cast<uint32_t>(rate));
    if (RecordStats* stats = session.Stats) {
        stats->positions = writer.VideoLength();
        stats->failed = outcome.failure != RecordFailure::None;
    }
    return outcome;
}

}  // namespace

void WriteAvi(RecordingSession& session, int top, int left, int width, int height, int rate,
              const std::string& path) {
    width = width / 4 * 4;
    height = height / 4 * 4;
    RecordOutcome outcome;
    if (width > 0 && height > 0)
        outcome = Record(session, top, left, width, height, rate, path);
    else
        outcome.failure = RecordFailure::AreaTooSmall;
    session.State.SetOutcome(outcome);
    PostToMain(session, outcome.failure == RecordFailure::None ? WM_USER_GENERIC_MSG
                                                               : WM_USER_RECORDINTERRUPTED_MSG);
}

DWORD WINAPI RecordThread(LPVOID recordingSession) {
    RecordingSession& session = *static_cast<RecordingSession*>(recordingSession);
    CRecordState& state = session.State;
    const ScreenRect rect = state.CaptureRect;
    const std::string path = ChooseRecordPath(state.RecordFileName);
    state.SetWrittenPath(path);
    if (path.empty()) {
        state.SetOutcome({RecordFailure::NoFileName, 0});
        PostToMain(session, WM_USER_RECORDINTERRUPTED_MSG);
        return 0;
    }
    session.StopWindow().ShowBeside(rect);
    WriteAvi(session, rect.top, rect.left, rect.Width(), rect.Height(), session.Params.FrameRate,
             path);
    return 0;
}
