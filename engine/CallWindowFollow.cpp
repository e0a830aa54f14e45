#include "engine/CallWindowFollow.h"

void CCallWindowFollower::Begin(const ScreenRect& window) {
    m_window = window;
    m_minimised = false;
}

CCallWindowFollower::Step CCallWindowFollower::Observe(const ScreenRect& window, bool minimised) {
    Step step;
    step.minimised = minimised;
    step.minimisedChanged = minimised != m_minimised;
    m_minimised = minimised;
    // A minimised window's rectangle is a parking place, not where it shows.
    if (minimised) return step;
    if (window.left != m_window.left || window.top != m_window.top) {
        step.move = true;
        step.left = window.left;
        step.top = window.top;
    }
    m_window = window;
    return step;
}
