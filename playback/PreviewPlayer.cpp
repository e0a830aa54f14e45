#include "playback/PreviewPlayer.h"

#include <cstring>
#include <memory>
#include <vector>

#include "playback/DSoundOut.h"
#include "playback/MediaDecoder.h"
#include "playback/PictureAt.h"
#include "playback/PreviewSurface.h"
#include "playback/PreviewTiming.h"

namespace {

constexpr int kSegments = 4;
// Sound-only files are paced by silence at this rate, mono.
constexpr int kClockOnlyRate = 16000;
// A sound device that stops notifying must not hold the worker forever; the
// slowest clock ticks once a second.
constexpr DWORD kTickTimeoutMs = 5000;

// Sound written at a tick is heard two segments later, and later still by
// the output's own latency (about 70 ms under Wine and PulseAudio, less on
// Windows). Pictures wait this many ticks more than the one tick between
// decoding and showing, so that each shows with its sound.
constexpr int kPictureDelayTicks = 3;

// Black in planar YUV 4:2:0: what the first ticks show.
void FillBlack(std::vector<uint8_t>& frame, int width, int height) {
    const size_t luma = size_t(width) * height;
    std::memset(frame.data(), 16, luma);
    std::memset(frame.data() + luma, 128, frame.size() - luma);
}

// The decoded pictures waiting to be shown: a picture put in at one tick is
// shown kPictureDelayTicks + 1 ticks later.
class PictureLine {
public:
    PictureLine(size_t bytes, int width, int height)
        : m_slots(bytes ? kPictureDelayTicks + 1 : 0, std::vector<uint8_t>(bytes)) {
        for (auto& slot : m_slots) FillBlack(slot, width, height);
    }
    // The picture to show at this tick.
    const uint8_t* Oldest() const { return m_slots[m_next].data(); }
    // After the oldest has been shown: `picture` takes its place.
    void Put(const uint8_t* picture) {
        std::memcpy(m_slots[m_next].data(), picture, m_slots[m_next].size());
        m_next = (m_next + 1) % m_slots.size();
    }
    // No new picture: the newest one is shown once more in its turn.
    void RepeatNewest() { Put(m_slots[(m_next + m_slots.size() - 1) % m_slots.size()].data()); }

private:
    std::vector<std::vector<uint8_t>> m_slots;
    size_t m_next = 0;
};

// Lets messages sent to this thread through while waiting for `handle`; the
// worker moves the slider and enables buttons with sent messages.
bool WaitDispatchingSent(HANDLE handle, DWORD ms) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= ms) return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD r = ::MsgWaitForMultipleObjects(1, &handle, FALSE, ms - waited, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

CPreviewPlayer::CPreviewPlayer(PreviewHooks hooks) : m_hooks(std::move(hooks)) {}

CPreviewPlayer::~CPreviewPlayer() {
    StopWorker();
    CloseThread();
}

void CPreviewPlayer::Select(int selectedIndex, const std::string& path, int sourceWidth,
                            int sourceHeight, bool hasVideo) {
    StopWorker();
    m_selectedIndex = selectedIndex;
    m_path = path;
    m_sourceWidth = sourceWidth;
    m_sourceHeight = sourceHeight;
    m_hasVideo = hasVideo;
    m_playState = selectedIndex >= 0 ? PlayState::Idle : PlayState::NothingChosen;
}

void CPreviewPlayer::Play() {
    if (m_playState.load() != PlayState::Idle) return;
    CloseThread();
    m_ticks = 0;
    // Made before the worker runs, so that a stop at any moment reaches it.
    m_stopEvent.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!m_stopEvent) return;
    m_running = true;  // until the worker has cleaned up
    m_thread.Reset(::CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, nullptr));
    if (!m_thread) {
        m_running = false;
        return;
    }
    ::SetThreadPriority(m_thread, THREAD_PRIORITY_NORMAL);
    ::ResumeThread(m_thread);
}

void CPreviewPlayer::Pause() {
    StopWorker();
}

void CPreviewPlayer::Stop() {
    StopWorker();
    if (!m_hooks.stopKeepsPosition) m_position = 0;
    if (m_hooks.moveSlider) m_hooks.moveSlider(m_position.load());
    Refresh(m_position.load());
}

void CPreviewPlayer::StopWorker() {
    if (m_stopEvent) ::SetEvent(m_stopEvent);
    // The worker sees the stop within one tick; a silent sound device ends
    // it within the tick timeout. Waiting for it, rather than ending it
    // forcibly, keeps its decoder and devices from leaking.
    if (m_thread) WaitDispatchingSent(m_thread, INFINITE);
    CloseThread();
    if (m_playState.load() == PlayState::Playing) m_playState = PlayState::Idle;
}

void CPreviewPlayer::CloseThread() {
    if (m_thread) ::WaitForSingleObject(m_thread, INFINITE);
    m_thread.Reset();
    m_stopEvent.Reset();
}

bool CPreviewPlayer::WaitForEnd(DWORD ms) {
    return !m_thread || WaitDispatchingSent(m_thread, ms);
}

void CPreviewPlayer::Refresh(int percent) {
    StopWorker();
    if (m_selectedIndex < 0 || !m_hasVideo || !m_hooks.surface) return;
    PictureAt picture;
    if (!DecodePictureAt(m_path, percent * 0.01, picture)) return;
    if (!m_hooks.surface->Takes(picture.width, picture.height)) return;
    const uint8_t* shown = picture.yuv.data();
    std::vector<uint8_t> scratch;
    if (m_hooks.frameFilter) {
        scratch.resize(picture.yuv.size());
        shown = m_hooks.frameFilter(shown, scratch.data(), picture.width, picture.height);
    }
    m_hooks.surface->Show(shown);
}

namespace {

struct AutomaticStart {
    HWND dialog;
    UINT message;
};

DWORD WINAPI AutomaticStartThread(void* param) {
    std::unique_ptr<AutomaticStart> start(static_cast<AutomaticStart*>(param));
    ::Sleep(500);
    ::PostMessageA(start->dialog, start->message, 0, 0);
    return 0;
}

}  // namespace

void CPreviewPlayer::PostAutomaticStart(HWND dialog, UINT message) {
    auto* start = new AutomaticStart{dialog, message};
    const fw::KernelHandle thread(
        ::CreateThread(nullptr, 0, AutomaticStartThread, start, CREATE_SUSPENDED, nullptr));
    if (!thread) {
        delete start;
        return;
    }
    ::ResumeThread(thread);
}

DWORD WINAPI CPreviewPlayer::ThreadMain(void* self) {
    static_cast<CPreviewPlayer*>(self)->Run();
    return 0;
}

void CPreviewPlayer::Run() {
    // Whatever way the worker leaves, it leaves the dialog idle and usable.
    struct Cleanup {
        CPreviewPlayer& player;
        bool played = false;
        ~Cleanup() {
            if (player.m_hooks.previewWindow) ::InvalidateRect(player.m_hooks.previewWindow, nullptr, TRUE);
            player.m_playState = PlayState::Idle;
            player.m_running = false;
            if (!played && player.m_hooks.onEndedWithoutPlaying) player.m_hooks.onEndedWithoutPlaying();
        }
    } cleanup{*this};

    auto decoder = std::make_unique<CMediaDecoder>();
    decoder->Init();
    if (m_selectedIndex < 0 || decoder->Open(m_path.c_str()) != 1) return;
    MediaInfo info{};
    if (decoder->GetInfo(&info) != 1 || decoder->Seek(m_position.load() / 100.0) != 1) return;
    const bool hasVideo = info.hasVideo != 0;
    const bool hasAudio = info.hasAudio != 0;
    const int64_t totalFrames = PreviewTotalFrames(hasVideo, info.duration, info.frameRate);
    if (totalFrames <= 0) return;
    int64_t currentFrame = PreviewStartFrame(m_position.load(), totalFrames);

    struct Buffers {
        CMediaDecoder& decoder;
        VideoFrameBuffer* video = nullptr;
        AudioBlock* audio = nullptr;
        ~Buffers() {
            decoder.FreeBuffer(video);
            decoder.FreeBuffer(audio);
        }
    } buffers{*decoder};
    if (hasVideo) buffers.video = decoder->AllocVideoFrame();
    buffers.audio = decoder->AllocAudioBlock();
    if (!buffers.audio || info.channels > 2 || info.channels < 0) return;
    // Pictures the surface cannot take are refused rather than read with the
    // wrong size.
    const size_t frameBytes = hasVideo ? static_cast<size_t>(PictureBufferBytes(info.width, info.height)) : 0;
    if (hasVideo && (!buffers.video || !frameBytes || !m_hooks.surface ||
                     !m_hooks.surface->Takes(info.width, info.height)))
        return;

    const int clockRate = PreviewClockRate(hasVideo, info.frameRate);
    fw::KernelHandle notify(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!notify) return;
    CDSoundOut sound;
    sound.Clear();
    struct SoundRelease {
        CDSoundOut& sound;
        ~SoundRelease() { sound.Release(); }
    } soundRelease{sound};
    const int channels = hasAudio ? (info.channels == 1 ? 1 : 2) : 1;
    if (!sound.Create(m_hooks.previewWindow, notify.Get(), hasAudio ? info.sampleRate : kClockOnlyRate,
                      clockRate, channels))
        return;
    const size_t segmentBytes = static_cast<size_t>(sound.SegmentSize());

    PictureLine pictures(frameBytes, info.width, info.height);
    std::vector<uint8_t> scratch;
    if (hasVideo && m_hooks.frameFilter) scratch.resize(frameBytes);
    std::vector<uint8_t> segment(2 * segmentBytes);
    PreviewAudioQueue queue(segmentBytes, static_cast<size_t>(buffers.audio->capacity) * 2);

    sound.Start();
    cleanup.played = true;
    m_playState = PlayState::Playing;
    if (m_hooks.onPlaying) m_hooks.onPlaying();

    int lastPercent = m_position.load();
    int picturesLeft = -1;  // after the video's end: ticks until the line has been shown
    const HANDLE waits[2] = {notify.Get(), m_stopEvent};
    for (;;) {
        if (decoder->AudioAtEnd() == 1 && decoder->VideoAtEnd() == 0) break;
        // The last picture has been shown: nothing more to see.
        if (picturesLeft == 0) break;
        const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, kTickTimeoutMs);
        if (woke != WAIT_OBJECT_0) break;  // stopped, or the sound device went quiet
        ++m_ticks;

        // Sound: fill the segment two ahead of the one playing.
        const int target = static_cast<int>((sound.PlayPosition() / segmentBytes + 2) % kSegments);
        if (hasAudio) {
            queue.TakeSegment(segment.data());
            if (m_hooks.audioFilter)
                m_hooks.audioFilter(reinterpret_cast<int16_t*>(segment.data()), segmentBytes / 2);
        } else {
            std::memset(segment.data(), 0, segmentBytes);
        }
        sound.WriteSegment(segment.data(), target);

        // Picture: show the oldest of the line, decode the next into it.
        if (hasVideo) {
            const uint8_t* shown = pictures.Oldest();
            if (m_hooks.frameFilter)
                shown = m_hooks.frameFilter(shown, scratch.data(), info.width, info.height);
            m_hooks.surface->Show(shown);
            if (picturesLeft < 0 && decoder->DecodeVideoFrame(buffers.video) == 1) {
                pictures.Put(buffers.video->bytes.get());
            } else {
                // A picture that does not decode leaves the one before in place.
                pictures.RepeatNewest();
                if (picturesLeft < 0 && decoder->VideoAtEnd() == 1) picturesLeft = kPictureDelayTicks;
                else if (picturesLeft > 0) --picturesLeft;
            }
        }

        // Keep a segment and a little more queued.
        if (hasAudio) {
            while (queue.WantsMore() && decoder->DecodeAudio(buffers.audio) == 1) {
                const size_t bytes = std::min<size_t>(size_t(buffers.audio->sampleCount) * 2,
                                                      size_t(buffers.audio->capacity) * 2);
                queue.Append(reinterpret_cast<const uint8_t*>(buffers.audio->samples.get()), bytes);
            }
        }

        ++currentFrame;
        const int percent = PreviewPercent(currentFrame, totalFrames);
        if (percent != lastPercent && percent > 0 && percent < 100 && m_hooks.moveSlider)
            m_hooks.moveSlider(percent);
        lastPercent = percent;
        m_position = percent;
    }
    decoder->Close();
}
