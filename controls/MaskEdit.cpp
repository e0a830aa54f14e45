#include "controls/MaskEdit.h"

namespace {

constexpr char kBackspace = 8;

bool IsPrintable(unsigned char c) {
    return c >= 0x20 && c != 0x7F;
}

}  // namespace

void CMaskEdit::SetMask(const std::string& mask, const std::string& prompt, const std::string& defaultText) {
    m_config.mask = mask;
    m_config.prompt = prompt;
    m_config.defaultText = defaultText;
}

void CMaskEdit::Apply(const maskedit::State& state) {
    if (GetWindowText() != state.text) SetWindowText(state.text);
    SendMessage(EM_SETSEL, state.caret, state.caret);
}

void CMaskEdit::OnChar(UINT character, UINT, UINT) {
    const auto c = static_cast<unsigned char>(character);
    if (!m_useMask || (c != kBackspace && !IsPrintable(c))) {
        SetMsgHandled(FALSE);
        return;
    }
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    maskedit::State state{GetWindowText(), start, m_shadow};
    if (c == kBackspace) {
        if (!maskedit::Backspace(m_config, state, start != end)) {
            ::MessageBeep(static_cast<UINT>(-1));
            return;
        }
    } else {
        // The selection collapses to its start; literals may go in even
        // when the character after them is refused.
        const maskedit::Verdict verdict = maskedit::TypeChar(m_config, state, static_cast<char>(c));
        if (verdict == maskedit::Verdict::Refuse) ::MessageBeep(static_cast<UINT>(-1));
    }
    m_shadow = state.shadow;
    Apply(state);
}

void CMaskEdit::OnKeyDown(UINT virtualKey, UINT, UINT) {
    // Overwrite mode keeps every position: nothing is inserted or deleted.
    if (!m_useMask || (virtualKey != VK_INSERT && virtualKey != VK_DELETE)) SetMsgHandled(FALSE);
}

CTimeEdit::CTimeEdit() {
    SetUseMask(true);
    SetMask("00:00:00", "__:__:__", "00:00:00");
    SetShadowText("00:00:00");
}

void CTimeEdit::PreSubclassWindow() {
    SetWindowText(Config().defaultText);
}

CDateEdit::CDateEdit() {
    SetUseMask(true);
    SetDateMode(true);
    SetMask("00/00/0000", "__/__/____", "00/00/0000");
    SetShadowText("00/00/0000");
}

void CDateEdit::PreSubclassWindow() {
    SetWindowText(Config().defaultText);
}
