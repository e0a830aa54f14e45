// Hands grabbed pictures from the grabbing thread to a writing thread of its
// own, so that a slow encode never holds up the next grab.
//
// Three surfaces take turns: one being written, at most one waiting, one
// being grabbed into. A picture handed over while another still waits
// replaces it; the replaced picture's position is then left without a
// picture of its own, as if the grab had missed it. The grab side learns of
// a failed write the next time it hands a picture over.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class IPictureWriter {
public:
    virtual ~IPictureWriter() = default;
    // Writes the picture in `surface` at `position`. Runs on the writing
    // thread, one call at a time; false ends the writing.
    virtual bool WritePicture(int surface, uint32_t position) = 0;
};

class CPictureHandOff {
public:
    static constexpr int kSurfaces = 3;

    // Starts the writing thread.
    explicit CPictureHandOff(IPictureWriter& writer);
    // Finishes if that has not been done.
    ~CPictureHandOff();
    CPictureHandOff(const CPictureHandOff&) = delete;
    CPictureHandOff& operator=(const CPictureHandOff&) = delete;

    // The surface to grab the next picture into; neither written nor waiting.
    int GrabSurface() const { return m_grabbing; }
    // Hands the grabbed surface over for `position`. False once a write has
    // failed: the picture is then not taken.
    bool Submit(uint32_t position);
    // True while no write has failed.
    bool Healthy();
    // Writes the waiting picture, if any, and ends the writing thread. True
    // when every write succeeded.
    bool Finish();

    // Pictures written and pictures replaced while waiting. Read after Finish.
    uint32_t Written() const { return m_written; }
    uint32_t Replaced() const { return m_replaced; }

private:
    void WriteLoop();

    IPictureWriter& m_writer;
    std::mutex m_lock;
    std::condition_variable m_wake;
    int m_grabbing = 0;   // the grab side's own; changed under the lock
    int m_waiting = -1;   // surface handed over and not yet taken, or -1
    int m_writing = -1;   // surface being written, or -1
    uint32_t m_waitingPosition = 0;
    bool m_failed = false;
    bool m_finishing = false;
    uint32_t m_written = 0;
    uint32_t m_replaced = 0;
    std::thread m_thread;  // last: starts once the rest is set
};
