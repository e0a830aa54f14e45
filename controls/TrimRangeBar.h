// The trim dialog's marker slider: a position thumb above a selection bar and
// start and end markers below it, painted from six bitmap resources (magenta
// transparent). Every drag is reported to the parent with the private
// messages of trimbar:: (wParam the control's id, lParam the value). It sits
// on a template static control.
#pragma once

#include <cstdint>

#include "controls/BufferedControl.h"
#include "controls/SkinBitmaps.h"
#include "controls/TrimRangeModel.h"

class CTrimRangeBar : public CBufferedControl {
public:
    CTrimRangeBar() = default;

    // Loads the six pictures, each replacing the one before, and sizes the
    // control to the channel without moving it.
    void SetBitmaps(int thumbId, int draggedThumbId, int selectionId, int channelId, int startMarkerId,
                    int endMarkerId);
    // Sets the range; position and start go to the minimum, end to the maximum.
    void SetRange(int32_t minimum, int32_t maximum);
    void SetStart(int32_t value);
    void SetEnd(int32_t value);
    void SetPosition(int32_t value);
    int32_t GetPosition() const { return m_model.Position(); }
    int32_t GetStart() const { return m_model.Start(); }
    int32_t GetEnd() const { return m_model.End(); }
    const trimbar::TrimRangeModel& Model() const { return m_model; }

    BEGIN_MSG_MAP(CTrimRangeBar)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MSG_WM_CAPTURECHANGED(OnCaptureChanged)
        CHAIN_MSG_MAP(CBufferedControl)
    END_MSG_MAP()

protected:
    void PreSubclassWindow() override;
    void Paint(HDC dc, const RECT& client) const override;

private:
    void OnLButtonDown(UINT, POINT at);
    void OnMouseMove(UINT, POINT at);
    void OnLButtonUp(UINT, POINT);
    void OnCaptureChanged(HWND);
    // Ends the drags under way, if any, and tells the parent.
    void EndDrags();
    void PostToParent(const std::vector<trimbar::Post>& posts) const;
    void UpdateSizes();

    skinbmp::KeyedBitmap m_thumb;
    skinbmp::KeyedBitmap m_draggedThumb;
    skinbmp::KeyedBitmap m_selection;
    skinbmp::KeyedBitmap m_channel;
    skinbmp::KeyedBitmap m_startMarker;
    skinbmp::KeyedBitmap m_endMarker;
    trimbar::TrimRangeModel m_model;
};
