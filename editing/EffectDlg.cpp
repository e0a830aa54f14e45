#include "editing/EffectDlg.h"

#include "editing/DialogTrackBar.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr EditingFrameLayout kLayout{
    IDD_EFFECT,       IDC_EFFECT_PLAY,  IDC_EFFECT_PAUSE, IDC_EFFECT_STOP, IDC_EFFECT_RESET, IDC_EFFECT_CLOSE,
    IDC_EFFECT_PREVIEW, 14,             "effect_bk.bmp",  "",              msg::kEffectAutomaticStart,
    false,            false};

constexpr FrameLabel kNames[] = {
    {"Special Effect", 360, 45}, {"Brightness", 360, 100}, {"Contrast", 360, 165},
    {"Saturation", 360, 225},    {"Volume", 360, 295},
};
constexpr FrameLabel kScales[] = {
    {"-100", 360, 130}, {"-100", 360, 195}, {"-100", 360, 255}, {"+100", 560, 130}, {"+100", 560, 195},
    {"+100", 560, 255}, {"0", 360, 330},    {"100%", 460, 330}, {"200%", 560, 330},
};
constexpr COLORREF kLabelColour = RGB(0x14, 0x14, 0x14);

}  // namespace

CEffectDlg::CEffectDlg(const EditingContext& context) : CEditingFrame(kLayout, context) {}

void CEffectDlg::AddFilters(PreviewHooks& hooks) {
    hooks.frameFilter = [this](const uint8_t* frame, uint8_t* scratch, int width, int height) {
        return effects::Apply(frame, scratch, width, height, m_picture.Get());
    };
    hooks.audioFilter = [this](int16_t* samples, size_t count) {
        effects::ScaleSamples(samples, count, m_volume.load());
    };
}

bool CEffectDlg::InitControls() {
    Place(IDC_EFFECT_POSITION, 125, 320, 220, 30);
    SetUpDialogTrackBar(m_position, m_hWnd, IDC_EFFECT_POSITION, IDB_TRACK_CHANNEL, 100);
    const struct {
        CSkinTrackBar& bar;
        int id, y;
    } bars[] = {{m_brightness, IDC_EFFECT_BRIGHTNESS, 110},
                {m_contrast, IDC_EFFECT_CONTRAST, 175},
                {m_saturation, IDC_EFFECT_SATURATION, 235},
                {m_volumeBar, IDC_EFFECT_VOLUME, 310}};
    for (const auto& b : bars) {
        Place(b.id, 350, b.y, 245, 30);
        SetUpDialogTrackBar(b.bar, m_hWnd, b.id, IDB_TRACK_CHANNEL_WIDE, 200);
    }
    HWND list = GetDlgItem(IDC_EFFECT_LIST);
    Place(IDC_EFFECT_LIST, 360, 65, 200, 120);  // the height takes in the drop-down list
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const char* name : effects::kSpecialNames)
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);

    if (const EditSettings* s = m_context.settings) ShowValues(*s);
    const ClipRecord* clip = m_context.Clip();
    if (!clip) return false;
    ShowValues(clip->edits);
    // Until the worker plays; it gives them back also when it cannot play.
    EnableClosing(false);
    return true;
}

void CEffectDlg::ShowValues(const EditSettings& edits) {
    ShowValues({edits.brightness, edits.contrast, edits.saturation, edits.effect}, edits.volume);
}

void CEffectDlg::ShowValues(const effects::PictureSettings& picture, int32_t volume) {
    m_picture.Set(picture);
    m_volume = volume;
    m_brightness.SetPos(picture.brightness + 100);
    m_contrast.SetPos(picture.contrast);
    m_saturation.SetPos(picture.saturation + 100);
    m_volumeBar.SetPos(volume);
    ::SendDlgItemMessageA(m_hWnd, IDC_EFFECT_LIST, CB_SETCURSEL, static_cast<WPARAM>(picture.special), 0);
}

void CEffectDlg::PaintLabels(HDC dc) {
    PaintTexts(dc, kNames, std::size(kNames), 16, 500, kLabelColour);
    PaintTexts(dc, kScales, std::size(kScales), 14, 400, kLabelColour);
}

void CEffectDlg::RefreshIfIdle() {
    // While playing, the worker takes the values with its next picture.
    if (Player().CurrentPlayState() != PlayState::Playing) Player().Refresh(Player().Position());
}

void CEffectDlg::OnHScroll(int code, int, HWND bar) {
    if (bar == m_position.m_hWnd) {
        if (code == TB_ENDTRACK) return;  // the last move has been shown
        Player().Pause();
        Player().SetPosition(m_position.GetPos());
        Player().Refresh(Player().Position());
        return;
    }
    if (bar == m_volumeBar.m_hWnd) {
        m_volume = m_volumeBar.GetPos();  // heard from the next segment
        return;
    }
    effects::PictureSettings picture = m_picture.Get();
    if (bar == m_brightness.m_hWnd)
        picture.brightness = m_brightness.GetPos() - 100;
    else if (bar == m_contrast.m_hWnd)
        picture.contrast = m_contrast.GetPos();
    else if (bar == m_saturation.m_hWnd)
        picture.saturation = m_saturation.GetPos() - 100;
    else {
        SetMsgHandled(FALSE);
        return;
    }
    m_picture.Set(picture);
    if (code != TB_ENDTRACK) RefreshIfIdle();
}

void CEffectDlg::OnEffectListChanged(UINT, int, HWND list) {
    effects::PictureSettings picture = m_picture.Get();
    picture.special = std::max<int32_t>(0, static_cast<int32_t>(::SendMessageA(list, CB_GETCURSEL, 0, 0)));
    m_picture.Set(picture);
    RefreshIfIdle();
}

void CEffectDlg::OnReset() {
    ShowValues({}, 100);
    RefreshIfIdle();
}

void CEffectDlg::OnOK() {
    const effects::PictureSettings picture = m_picture.Get();
    const int32_t volume = m_volume.load();
    const auto store = [&](EditSettings& into) {
        into.effect = picture.special;
        into.brightness = picture.brightness;
        into.contrast = picture.contrast;
        into.saturation = picture.saturation;
        into.volume = volume;
    };
    if (EditSettings* s = m_context.settings) store(*s);
    if (ClipRecord* clip = m_context.Clip()) store(clip->edits);
    ClosePreview();
    EndDialog(IDOK);
}
