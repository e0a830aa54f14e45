#include "engine/RecordState.h"

void CRecordState::PublishRect(const ScreenRect& rect) {
    std::lock_guard lock(m_handOff);
    m_pendingRect = rect;
    m_rectPending = true;
}

bool CRecordState::TakeRect(int32_t& left, int32_t& top) {
    if (!m_rectPending.load()) return false;
    std::lock_guard lock(m_handOff);
    if (!m_rectPending) return false;
    left = m_pendingRect.left;
    top = m_pendingRect.top;
    m_rectPending = false;
    return true;
}

void CRecordState::DropPendingRect() {
    std::lock_guard lock(m_handOff);
    m_rectPending = false;
}

void CRecordState::SetWrittenPath(const std::string& path) {
    std::lock_guard lock(m_pathLock);
    m_writtenPath = path;
}

std::string CRecordState::WrittenPath() const {
    std::lock_guard lock(m_pathLock);
    return m_writtenPath;
}

void CRecordState::SetOutcome(const RecordOutcome& outcome) {
    std::lock_guard lock(m_pathLock);
    m_outcome = outcome;
}

RecordOutcome CRecordState::Outcome() const {
    std::lock_guard lock(m_pathLock);
    return m_outcome;
}
