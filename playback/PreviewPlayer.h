// The preview player of an editing dialog: a worker thread that plays the
// selected recording on the dialog's preview surface, paced by the sound
// buffer's notifications (one picture, one sound segment and one decode per
// tick). What differs between the dialogs comes in as hooks, so a dialog adds
// no playback code of its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Handle.h"
#include "playback/PlayState.h"

class CPreviewSurface;

struct PreviewHooks {
    // The preview control: owner of the sound buffer, repainted when playing ends.
    HWND previewWindow = nullptr;
    CPreviewSurface* surface = nullptr;
    // Changes a picture before it is shown: reads `frame`, may write the
    // same number of bytes into `scratch`, returns what to show.
    std::function<const uint8_t*(const uint8_t* frame, uint8_t* scratch, int width, int height)>
        frameFilter;
    // Changes one segment of 16-bit samples before it is played.
    std::function<void(int16_t* samples, size_t count)> audioFilter;
    // Moves the dialog's position slider (never to 0 or 100 by the worker).
    std::function<void(int percent)> moveSlider;
    // Called from the worker once its devices are ready and it plays.
    std::function<void()> onPlaying;
    // Called from the worker, once it is idle again, when it ended without
    // playing (the file could not be opened, no sound device): post it on.
    std::function<void()> onEndedWithoutPlaying;
    // Stop keeps the position (trim dialog) instead of going back to the start.
    bool stopKeepsPosition = false;
};

class CPreviewPlayer {
public:
    explicit CPreviewPlayer(PreviewHooks hooks);
    ~CPreviewPlayer();
    CPreviewPlayer(const CPreviewPlayer&) = delete;
    CPreviewPlayer& operator=(const CPreviewPlayer&) = delete;

    // The recording to play (`selectedIndex` -1: none, and Play does nothing).
    void Select(int selectedIndex, const std::string& path, int sourceWidth, int sourceHeight,
                bool hasVideo);

    void Play();
    void Pause();
    void Stop();
    // Shows the picture at `percent` without playing.
    void Refresh(int percent);
    // Posts `message` to `dialog` 500 ms from now, from a short-lived thread.
    static void PostAutomaticStart(HWND dialog, UINT message);

    PlayState CurrentPlayState() const { return m_playState.load(); }
    int Position() const { return m_position.load(); }
    void SetPosition(int percent) { m_position = percent; }
    // Ticks (sound-buffer notifications) of the current or last run.
    int Ticks() const { return m_ticks.load(); }
    bool Running() const { return m_running.load(); }
    // Waits, letting messages sent to this thread through, until the worker
    // has ended by itself; false after `ms`.
    bool WaitForEnd(DWORD ms);

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void StopWorker();
    void CloseThread();

    PreviewHooks m_hooks;
    int m_selectedIndex = -1;
    std::string m_path;
    int m_sourceWidth = 0, m_sourceHeight = 0;
    bool m_hasVideo = false;

    std::atomic<PlayState> m_playState{PlayState::NothingChosen};
    std::atomic<int> m_position{0};
    std::atomic<int> m_ticks{0};
    std::atomic<bool> m_running{false};
    fw::KernelHandle m_stopEvent;
    fw::KernelHandle m_thread;
};
