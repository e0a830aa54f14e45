// A progress bar painted from two bitmaps: the empty trough stretched over the
// whole control and the filled bar over the done part, with a text centred
// over both in Arial (the percentage unless a text is set). Range 0..100.
// It sits on a standard progress control ("msctls_progress32"), subclassed
// from a template or created here; PBM_SETPOS and its companions still work.
#pragma once

#include <cstdint>
#include <string>

#include "controls/BufferedControl.h"
#include "framework/Gdi.h"

class CSkinProgress : public CBufferedControl {
public:
    CSkinProgress() = default;

    // Creates the control as a visible child of `parent` in client pixels.
    bool Create(HWND parent, int id, int x, int y, int width, int height);

    // Pictures from the program's bitmap resources, each replacing the one
    // before. False when one cannot be loaded: that part is then painted in
    // a plain colour.
    bool SetBitmaps(int troughId, int barId);

    void SetPos(int32_t position);
    int32_t GetPos() const;
    // The text over the bar; empty shows the position as "N%".
    void SetText(const std::string& text);
    // What the control shows over the bar now.
    std::string ShownText() const;

protected:
    void PreSubclassWindow() override;
    void Paint(HDC dc, const RECT& client) const override;

private:

    fw::Bitmap m_trough;
    fw::Bitmap m_bar;
    std::string m_text;
};
