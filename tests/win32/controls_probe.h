// What the control tests share: a dialog that records what its controls tell
// it, an owner window for the floating stop window, and test bitmaps.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Dialog.h"
#include "framework/PrivateMessages.h"
#include "framework/Wnd.h"
#include "tests/support/bitmap_files.h"
#include "tests/win32/controls_probe_ids.h"

namespace probe {

// A modeless dialog placed on the screen at a known spot, logging commands
// and list notifications.
class ProbeDialog : public fw::CDialog {
public:
    explicit ProbeDialog(int templateId = IDD_CONTROLS_PROBE);
    // Creates it at (x, y) with the given size, shown.
    bool Open(int x, int y, int width, int height);
    // Places a child in client pixels.
    void Place(int id, int x, int y, int width, int height) const;

    std::vector<std::pair<int, int>> commands;       // (id, code)
    std::vector<std::pair<int, int>> notifications;  // (id, code)
    int Count(const std::vector<std::pair<int, int>>& log, int id, int code) const;
    // The sliders' messages: their private ones and WM_HSCROLL, in order.
    struct Message {
        UINT message;
        WPARAM wp;
        LPARAM lp;
    };
    std::vector<Message> sliderMessages;
    // When set, the dialog's background is this colour.
    COLORREF background = CLR_INVALID;

    BEGIN_MSG_MAP(ProbeDialog)
        MESSAGE_HANDLER(WM_COMMAND, OnCommand)
        MESSAGE_HANDLER(WM_NOTIFY, OnNotify)
        MESSAGE_RANGE_HANDLER(WM_USER + 2049, WM_USER + 2054, OnSliderMessage)
        MESSAGE_RANGE_HANDLER(msg::kSliderMoved, msg::kSliderSettled, OnSliderMessage)
        MESSAGE_HANDLER(WM_HSCROLL, OnSliderMessage)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    void OnOK() override {}
    void OnCancel() override {}

private:
    LRESULT OnCommand(UINT, WPARAM wp, LPARAM, BOOL& handled);
    LRESULT OnNotify(UINT, WPARAM wp, LPARAM lp, BOOL& handled);
    LRESULT OnSliderMessage(UINT msg, WPARAM wp, LPARAM lp, BOOL& handled);
    LRESULT OnEraseBkgnd(UINT, WPARAM wp, LPARAM, BOOL& handled);
};

// A plain top-level window standing in for the main window.
class OwnerWindow : public fw::CWnd {
public:
    bool Open(int x, int y, int width, int height);
    std::vector<int> commands;  // command ids

    BEGIN_MSG_MAP(OwnerWindow)
        MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    END_MSG_MAP()

private:
    LRESULT OnCommand(UINT, WPARAM wp, LPARAM, BOOL&) {
        commands.push_back(LOWORD(wp));
        return 0;
    }
};

// Writes a 24-bit bitmap file in the temp folder; returns its path. Each
// pixel's colour comes from `colourAt(x, y)`.
template <typename F>
std::string WriteBitmap(const std::string& name, int width, int height, F colourAt);
std::string WriteSolidBitmap(const std::string& name, int width, int height, COLORREF colour);
std::string WriteBitmapPixels(const std::string& name, int width, int height,
                              const std::vector<COLORREF>& topDownPixels);

using pictures::BitmapPixel;
using pictures::BitmapSize;
using pictures::Near;

// The tests' program folder's skin folders (the skin is installed beside the tests).
std::string MainSkinFolder();
std::string DialogSkinFolder();

std::string Describe(COLORREF colour);

template <typename F>
std::string WriteBitmap(const std::string& name, int width, int height, F colourAt) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(colourAt(x, y));
    return WriteBitmapPixels(name, width, height, pixels);
}

}  // namespace probe
