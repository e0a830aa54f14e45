// An edit control that takes typed characters only where its mask allows
// them, in overwrite mode, typing the mask's literals itself; backspace puts
// the default character back. With the mask off it is a plain edit.
// CTimeEdit and CDateEdit come set up for "hh:mm:ss" and "dd/mm/yyyy".
#pragma once

#include <string>

#include "controls/MaskRules.h"
#include "framework/Wnd.h"

class CMaskEdit : public fw::CWnd {
public:
    CMaskEdit() = default;

    // Set by the owner right after construction, before the window text.
    void SetUseMask(bool use) { m_useMask = use; }
    void SetDateMode(bool date) { m_config.dateMode = date; }
    void SetMask(const std::string& mask, const std::string& prompt, const std::string& defaultText);
    void SetExtraChars(const std::string& extra) { m_config.extra = extra; }
    void SetShadowText(const std::string& text) { m_shadow = text; }

    bool UsesMask() const { return m_useMask; }
    const maskedit::Config& Config() const { return m_config; }
    const std::string& ShadowText() const { return m_shadow; }

    BEGIN_MSG_MAP(CMaskEdit)
        MSG_WM_CHAR(OnChar)
        MSG_WM_KEYDOWN(OnKeyDown)
    END_MSG_MAP()

private:
    void OnChar(UINT character, UINT, UINT);
    void OnKeyDown(UINT virtualKey, UINT, UINT);
    // Shows the state's text and caret.
    void Apply(const maskedit::State& state);

    bool m_useMask = false;
    maskedit::Config m_config;
    std::string m_shadow;
};

// "00:00:00" with the prompt "__:__:__": hours to 47, minutes to 59.
class CTimeEdit : public CMaskEdit {
public:
    CTimeEdit();

protected:
    void PreSubclassWindow() override;
};

// "00/00/0000" with the prompt "__/__/____": days to 31, months to 12.
class CDateEdit : public CMaskEdit {
public:
    CDateEdit();

protected:
    void PreSubclassWindow() override;
};
