#include "engine/PictureHandOff.h"

namespace {

int SurfaceOtherThan(int a, int b) {
    int s = 0;
    while (s == a || s == b) ++s;
    return s;
}

}  // namespace

CPictureHandOff::CPictureHandOff(IPictureWriter& writer)
    : m_writer(writer), m_thread([this] { WriteLoop(); }) {}

CPictureHandOff::~CPictureHandOff() {
    Finish();
}

bool CPictureHandOff::Submit(uint32_t position) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_failed || m_finishing) return false;
        const int handed = m_grabbing;
        if (m_waiting >= 0) {
            // The newer picture takes the waiting one's place and surface.
            m_grabbing = m_waiting;
            ++m_replaced;
        } else {
            m_grabbing = SurfaceOtherThan(handed, m_writing);
        }
        m_waiting = handed;
        m_waitingPosition = position;
    }
    m_wake.notify_one();
    return true;
}

bool CPictureHandOff::Healthy() {
    std::lock_guard<std::mutex> hold(m_lock);
    return !m_failed;
}

bool CPictureHandOff::Finish() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_finishing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) m_thread.join();
    return !m_failed;
}

void CPictureHandOff::WriteLoop() {
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_wake.wait(hold, [this] { return m_waiting >= 0 || m_finishing; });
        if (m_waiting < 0) return;  // finishing with nothing left
        const int surface = m_waiting;
        const uint32_t position = m_waitingPosition;
        m_writing = surface;
        m_waiting = -1;
        hold.unlock();
        const bool written = m_writer.WritePicture(surface, position);
        hold.lock();
        m_writing = -1;
        if (!written) {
            m_failed = true;
            m_waiting = -1;  // nothing more reaches the file
            return;
        }
        ++m_written;
    }
}
