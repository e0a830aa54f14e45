// The frame of the program's skinned dialogs (the main window, the editing
// dialogs, the settings dialog, ClipForge's window): no caption and round top
// corners, the skin's background picture with the title written on it, a
// body that drags the window, skinned buttons placed from a layout table, and
// the skinned minimise and close buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "controls/HoverButton.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "layout/SkinPlace.h"

// How a skinned dialog's title is written.
struct SkinTitleStyle {
    const char* face;
    int height, weight;
    COLORREF colour;
    layout::Box line;
};

// How a skinned dialog's frame looks and which of its buttons minimise and
// close it.
struct SkinFrameStyle {
    int width, height;
    int cornerDiameter;  // of the round top corners
    // A minimise box stays without the caption, so that the task bar's button
    // and the system menu can minimise the window.
    bool minimizeBox;
    // What shows where the background picture is missing: black, or the
    // system's button face.
    bool blackWithoutPicture;
    SkinTitleStyle title;
    static constexpr int kNoButton = -1;
    int minimizeId = kNoButton;
    int closeId = kNoButton;
};

// The main window's look, which ClipForge's window shares: corners of 11, a
// minimise box, black without its picture, the caption on its title bar.
constexpr SkinFrameStyle MainWindowLook(int width, int height, int minimizeId, int closeId) {
    return {width, height, 11, true, true, {"System", 16, 600, RGB(240, 240, 240), {20, 5, 480, 17}},
            minimizeId, closeId};
}

// The dialogs' look ("skin\little"): corners of 10 and the button face
// without their pictures.
constexpr SkinFrameStyle DialogLook(int width, int height, bool minimizeBox, const SkinTitleStyle& title,
                                    int closeId) {
    return {width, height, 10, minimizeBox, false, title, SkinFrameStyle::kNoButton, closeId};
}

inline RECT ToRect(const layout::Box& box) {
    return {box.x, box.y, box.Right(), box.Bottom()};
}

class CSkinDialog : public fw::CDialog {
public:
    CSkinDialog(int templateId, HWND parent, const SkinFrameStyle& style);
    ~CSkinDialog() override;

    BEGIN_MSG_MAP(CSkinDialog)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        COMMAND_ID_HANDLER_EX(m_style.minimizeId, OnMinimizeButton)
        COMMAND_ID_HANDLER_EX(m_style.closeId, OnCloseButton)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    // Takes the caption away, gives the window the frame's size and its round
    // top corners.
    void ApplyShape();
    // The background picture, a bitmap file; none leaves the plain face.
    void LoadBackground(const std::string& path);
    HBITMAP Background() const { return m_background; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    // Takes over each button of the table, loads its pictures from `folder`
    // (with the trailing backslash) and places it.
    void PlaceButtons(std::span<const layout::ButtonPlace> table, const std::string& folder);
    // Places a control of the template, shown or hidden.
    void PlaceControl(int id, const layout::Box& box, bool shown = true) const;
    // Lets the window follow the pointer for as long as the button is down.
    void DragByBody(POINT client);

    // What lies on the background besides the title: labels, texts.
    virtual void PaintBody(HDC) {}
    // The skinned close button: Cancel, unless the window ends otherwise.
    virtual void OnCloseBox() { OnCancel(); }

private:
    BOOL OnEraseBkgnd(HDC dc);
    void OnLButtonDown(UINT, POINT at);
    void OnMinimizeButton(UINT, int, HWND) { ShowWindow(SW_SHOWMINIMIZED); }
    void OnCloseButton(UINT, int, HWND) { OnCloseBox(); }

    const SkinFrameStyle m_style;
    std::string m_title;
    fw::Bitmap m_background;
    std::vector<std::unique_ptr<CHoverButton>> m_skinButtons;
};
