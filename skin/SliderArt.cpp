// Pictures of the sliders and the progress bar, compiled into the programs as
// bitmap resources. Magenta is transparent where the controls draw with a
// colour key; the edges around it are blended with the dialogs' body colour.
#include "skin/Artwork.h"
#include "skin/ImageFiles.h"
#include "skin/Palette.h"
#include "skin/Shapes.h"

namespace skin {
namespace {

using namespace palette;

bool WriteKeyed(const std::string& path, const Canvas& picture) {
    return WriteFile(path, EncodeBmp(FlattenKeyed(picture, kDialogBody, kMagenta)));
}

bool WriteOpaque(const std::string& path, const Canvas& picture) {
    return WriteFile(path, EncodeBmp(Flatten(picture)));
}

// The trim bar's position thumb: a pin pointing down at its value.
Canvas TrimThumb(bool dragged) {
    Canvas c(kTrimThumbWidth, kTrimThumbHeight);
    const float w = kTrimThumbWidth, h = kTrimThumbHeight;
    Shape pin = Polygon({{0.5f, 0.5f}, {w - 0.5f, 0.5f}, {w - 0.5f, h - 5}, {w / 2, h - 0.5f}, {0.5f, h - 5}});
    c.Fill(pin, dragged ? kAccent : kDarkInk);
    c.Fill(InnerOutline(pin, 1), dragged ? kAccentPressed : Hex(0x0F1114));
    c.Fill(Rect(w / 2 - 0.5f, 3, w / 2 + 0.5f, h - 6), kWhite);
    return c;
}

// A trim marker: a flag whose straight side stands on its value (the start
// marker's right edge, the end marker's left edge).
Canvas TrimMarker(bool start) {
    Canvas c(kTrimMarkerWidth, kTrimMarkerHeight);
    const float w = kTrimMarkerWidth, h = kTrimMarkerHeight;
    Shape flag = start ? Polygon({{w, 0}, {w, h}, {0, h}, {0, 6}})
                       : Polygon({{0, 0}, {w, 6}, {w, h}, {0, h}});
    c.Fill(flag, kRecord);
    c.Fill(InnerOutline(flag, 1), kRecordPressed);
    return c;
}

Canvas TrimSelection() {
    Canvas c(16, kTrimBarHeight);
    c.Fill(Rect(0, 0, 16, kTrimBarHeight), VerticalGradient(0, kAccentHover, kTrimBarHeight, kAccentPressed));
    return c;
}

// The trim bar's background: a groove in the bar row between the margins.
Canvas TrimChannel() {
    Canvas c(kTrimChannelWidth, kTrimChannelHeight, kDialogBody);
    const float top = kTrimThumbHeight, m = kTrimMarkerWidth;
    Shape groove = RoundRect(m - 2, top + 1, kTrimChannelWidth - m + 2, top + kTrimBarHeight - 1, 2);
    c.Fill(groove, kPanelEdge);
    c.Fill(Rect(m, kTrimChannelHeight - 1, kTrimChannelWidth - m, kTrimChannelHeight), kCardEdge);
    return c;
}

// A track bar's channel: a rounded groove.
Canvas TrackChannel(int length) {
    Canvas c(length, kTrackChannelHeight);
    const float l = static_cast<float>(length), h = kTrackChannelHeight;
    Shape groove = RoundRect(0, 0, l, h, h / 2);
    c.Fill(groove, VerticalGradient(0, kFaint, h, kMuted));
    c.Fill(InnerOutline(groove, 1), kFrame);
    return c;
}

Canvas TrackThumb(bool pressed) {
    Canvas c(kTrackThumbWidth, kTrackThumbHeight);
    const float w = kTrackThumbWidth, h = kTrackThumbHeight;
    Shape knob = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4);
    c.Fill(knob, pressed ? kAccent : kWhite);
    c.Fill(InnerOutline(knob, 1), pressed ? kAccentPressed : kMuted);
    for (float x : {w / 2 - 2.5f, w / 2 + 1.5f})
        c.Fill(Rect(x, h / 2 - 4, x + 1, h / 2 + 4), pressed ? kWhite : kFaint);
    return c;
}

Canvas ProgressTrough() {
    Canvas c(kProgressWidth, kProgressHeight);
    const float w = kProgressWidth, h = kProgressHeight;
    c.Fill(Rect(0, 0, w, h), VerticalGradient(0, Hex(0x15171B), h, kTool));
    c.Fill(InnerOutline(Rect(0, 0, w, h), 1), kToolEdge);
    return c;
}

Canvas ProgressBar() {
    Canvas c(kProgressWidth, kProgressHeight);
    const float w = kProgressWidth, h = kProgressHeight;
    c.Fill(Rect(0, 0, w, h), VerticalGradient(0, kAccentHover, h, kAccentPressed));
    c.Fill(Rect(0, 0, w, 1), Hex(0x9CC4FF));
    c.Fill(Rect(0, h - 1, w, h), Hex(0x1F4F9C));
    return c;
}

}  // namespace

bool WriteSliderArt(const std::string& folder) {
    bool ok = WriteKeyed(folder + "/trim_thumb.bmp", TrimThumb(false));
    ok = WriteKeyed(folder + "/trim_thumb_drag.bmp", TrimThumb(true)) && ok;
    ok = WriteOpaque(folder + "/trim_selection.bmp", TrimSelection()) && ok;
    ok = WriteOpaque(folder + "/trim_channel.bmp", TrimChannel()) && ok;
    ok = WriteKeyed(folder + "/trim_start.bmp", TrimMarker(true)) && ok;
    ok = WriteKeyed(folder + "/trim_end.bmp", TrimMarker(false)) && ok;
    ok = WriteKeyed(folder + "/track_channel.bmp", TrackChannel(kTrackChannelLength)) && ok;
    ok = WriteKeyed(folder + "/track_channel_wide.bmp", TrackChannel(kTrackChannelWideLength)) && ok;
    ok = WriteKeyed(folder + "/track_thumb.bmp", TrackThumb(false)) && ok;
    ok = WriteKeyed(folder + "/track_thumb_pressed.bmp", TrackThumb(true)) && ok;
    ok = WriteOpaque(folder + "/progress_trough.bmp", ProgressTrough()) && ok;
    ok = WriteOpaque(folder + "/progress_bar.bmp", ProgressBar()) && ok;
    return ok;
}

}  // namespace skin
