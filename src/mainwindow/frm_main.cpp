// The main window: start-up, the drag-and-sample loop, the popup menu and its commands.
#include "mainwindow/frm_main.h"

#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "colour/screen_square.h"
#include "info/exec_html.h"
#include "info/frm_about.h"
#include "info/frm_help.h"
#include "mainwindow/zoom_lens.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/api_window.h"
#include "winservices/skin.h"

#include <algorithm>
#include <limits>
#include <vector>

#include <windowsx.h>

tk::FormInstance<FrmMain> frmMain;

namespace {

constexpr COLORREF kSwatchOutline = 0x00FFFFFF;
constexpr ColorValue kNoColour = 0; // the skin's empty swatch disc
constexpr std::int16_t kDragAlpha = 100;
constexpr UINT_PTR kSampleSettleTimer = 0x5351; // "SQ"
constexpr UINT kSampleSettleTime = 100;        // ms
// The low word of a top-level window's style belongs to its class, and our
// form class gives this bit no meaning: the window has always carried it, so
// anything that reads its style sees what it always saw.
constexpr std::uint32_t kClassStyleBit8 = 0x00000008;

struct FieldPlace {
    int index;
    int left, top, width, height;
};
// Rows from top to bottom are Web, Num, R, G, B; the index decides the value.
constexpr FieldPlace kFields[] = {
    {0, 126, 48, 57, 13}, {1, 126, 66, 57, 13}, {3, 126, 93, 35, 13}, {2, 126, 111, 35, 13}, {4, 126, 129, 35, 13},
};
struct CaptionPlace {
    int index;
    int left, top, width, height;
    const wchar_t* caption;
};
constexpr CaptionPlace kCaptions[] = {
    {0, 92, 48, 31, 15, L"Web:"}, {1, 70, 66, 53, 15, L"Num:"}, {3, 104, 93, 21, 15, L"R:"},
    {2, 108, 111, 17, 15, L"G:"}, {4, 108, 129, 17, 15, L"B:"},
};

std::int16_t ToInteger(long value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw tk::OverflowError();
    return static_cast<std::int16_t>(value);
}

} // namespace

FrmMain::FrmMain()
    : tk::Form(L"frmMain"), m_readPixel(&GetScreenPixel),
      m_keys(*this, {.sampleOffset = [this] { return SampleOffset(); },
                     .dragging = [this] { return m_isButtonDown; },
                     .sample = [this] { RefreshColor(); },
                     // Ctrl+C's colour enters the history as a menu copy's does.
                     .copy =
                         [this] {
                             if (CopyWebColour(*this, m_lastColor))
                                 m_historyMenu.Remember(m_lastColor);
                         },
                     .escape = [] {
                         const bool open = IsZoomLensOpen();
                         CloseZoomLens();
                         return open;
                     }})
{
    mPopup.Items = {&mMainLockUpdateInfo, &sep10, &mMainHelp, &mMainAbout, &sep11,
                    &mAdvancedOption, &mMoveTransparent, &sep12, &m_copyMenu.Item(), &mZoom, &m_sampleMenu.Item(), &m_historyMenu.Item(), &sep13, &mExit};
}

tk::FormStyle FrmMain::Style() const
{
    tk::FormStyle style;
    // No frame: the window is all skin, cut to its outline. The system menu
    // and minimise box give the taskbar button its usual menu.
    style.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    style.clientWidth = S(233);
    style.clientHeight = S(245);
    style.caption = L"Tavolisk";
    style.backColor = RGB(0, 0, 0);
    style.startUpPosition = tk::StartUpPosition::CenterScreen;
    return style;
}

void FrmMain::InitializeComponent()
{
    LoadIcons();

    PictureSkin.Create(*this, 0, 0, S(231), S(243));
    PictureSkin.SetPicture(LoadSkinBitmap(Dpi()));
    PictureSkin.MouseDown = [this](int button, int shift, float x, float y) { PictureSkin_MouseDown(button, shift, x, y); };
    PictureSkin.MouseUp = [this](int button, int shift, float x, float y) { PictureSkin_MouseUp(button, shift, x, y); };

    for (const FieldPlace& place : kFields) {
        tk::TextBox& field = txtColor[static_cast<std::size_t>(place.index)];
        field.Create(PictureSkin, S(place.left), S(place.top), S(place.width), S(place.height), false);
        field.SetText(L"Text1");
    }

    for (const CaptionPlace& place : kCaptions) {
        tk::Label& label = Label1[static_cast<std::size_t>(place.index)];
        label.Index = place.index;
        label.Create(PictureSkin, S(place.left), S(place.top), S(place.width), S(place.height));
        label.SetCaption(place.caption);
        label.SetFont({.weight = FW_BOLD, .dpi = Dpi()});
        label.SetForeColor(RGB(255, 255, 255));
        label.SetAlignment(tk::Alignment::Right);
        label.SetTransparent(true);
        const int index = place.index;
        label.MouseDown = [this, index](int button, int shift, float x, float y) {
            Label1_MouseDown(index, button, shift, x, y);
        };
        label.MouseUp = [this, index](int button, int shift, float x, float y) {
            Label1_MouseUp(index, button, shift, x, y);
        };
    }

    // Lies over the address drawn in the skin; a press here never starts a drag.
    LabelLink.Create(PictureSkin, S(102), S(29), S(97), S(9));
    LabelLink.SetFont({.underline = true, .dpi = Dpi()});
    LabelLink.SetForeColor(RGB(0, 0, 255));
    LabelLink.SetTransparent(true);
    LabelLink.SetMouseIcon(m_hands.Get(kCursorLinkHand, Dpi()));
    LabelLink.SetToolTipText(kMakerWebAddress);
    LabelLink.Click = [this] { LabelLink_Click(); };

    mMainLockUpdateInfo.Click = [this] { mMainLockUpdateInfo_Click(); };
    mMainHelp.Click = [this] { mMainHelp_Click(); };
    mMainAbout.Click = [this] { mMainAbout_Click(); };
    mAdvancedOption.Click = [this] { mAdvancedOption_Click(); };
    mMoveTransparent.Click = [this] { mMoveTransparent_Click(); };
    mExit.Click = [this] { mExit_Click(); };
    mZoom.Click = [this] {
        const POINT corner = PositionPixels();
        if (IsZoomLensOpen())
            CloseZoomLens();
        else
            OpenZoomLens(hWnd(), {corner.x + SampleOffset().x, corner.y + SampleOffset().y});
    };
    m_sampleMenu.Changed = [this] {
        ApplySkin(PictureSkin, *this, 0, L"", 0, 0);
        CutSampleSquare(hWnd(), SampleOffset(), m_sampleMenu.Side());
        RefreshColor();
        // What the opened square uncovered is painted by the windows below a
        // moment later: sampled once more then.
        ::SetTimer(hWnd(), kSampleSettleTimer, kSampleSettleTime, nullptr);
    };
    m_copyMenu.Copied = [this](ColorValue color) { m_historyMenu.Remember(color); };
    m_access.Create();
}

void FrmMain::Form_Load()
{
    mPopup.Visible = false;
    m_moveTransparent = false;
    mMainAbout.Caption = LoadResString(IDS_ABOUT);
    mMainLockUpdateInfo.Caption = LoadResString(IDS_LOCK);
    mMainHelp.Caption = LoadResString(IDS_HELP);
    mMoveTransparent.Caption = LoadResString(IDS_MOVE_TRANSPARENT);
    mExit.Caption = LoadResString(IDS_EXIT);
    mAdvancedOption.Caption = LoadResString(IDS_ADVANCED_VIEW);
    m_copyMenu.Item().Caption = LoadResString(IDS_COPY);
    mZoom.Caption = LoadResString(IDS_ZOOM);
    m_sampleMenu.LoadCaptions();
    m_historyMenu.LoadCaptions();
    m_historyMenu.Load();
    SetHandCursors(kCursorMano);
    mMoveTransparent.Enabled = IsLayeredSupported();
    SetStyleBits(hWnd(), WS_BORDER, false);
    SetStyleBits(hWnd(), kClassStyleBit8, true);
    ApplySkin(PictureSkin, *this, 0, L"", 0, 0);
    RefreshColor();
    SetTopMost(*this, true);
    m_access.Load();
}

POINT FrmMain::SampleOffset() const noexcept
{
    return {S(kSampleX), S(kSampleY)};
}

POINT FrmMain::CornerKeepingSample(POINT corner, UINT oldDpi, UINT newDpi) noexcept
{
    return {corner.x + tk::Scale(kSampleX, oldDpi) - tk::Scale(kSampleX, newDpi),
            corner.y + tk::Scale(kSampleY, oldDpi) - tk::Scale(kSampleY, newDpi)};
}

POINT FrmMain::CornerForDpi(const RECT&, UINT oldDpi, UINT newDpi)
{
    // The system's suggestion keeps the corner; the view-finder's point is
    // what the user aims with.
    const POINT before = PositionPixels();
    POINT corner = CornerKeepingSample(before, oldDpi, newDpi);
    // A view-finder off every monitor could leave the whole window there,
    // out of the user's reach: it comes back onto the nearest monitor.
    const SIZE size{tk::Scale(233, newDpi), tk::Scale(245, newDpi)};
    const RECT place{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy};
    const std::vector<RECT> monitors = tk::Screen::Monitors();
    RECT overlap{};
    if (std::none_of(monitors.begin(), monitors.end(), [&](const RECT& m) { return ::IntersectRect(&overlap, &m, &place); }))
        corner = tk::Screen::KeepOnMonitor(corner, size,
                                           tk::Screen::MonitorAt({corner.x + size.cx / 2, corner.y + size.cy / 2}));
    // A drag in progress goes on from the new corner, the cursor keeping its place.
    m_offsetX = ToInteger(m_offsetX - (corner.x - before.x));
    m_offsetY = ToInteger(m_offsetY - (corner.y - before.y));
    return corner;
}

void FrmMain::Form_DpiChanged()
{
    PlaceControls();
    LoadIcons();
    // A new skin for the scale, with the swatch of the colour shown so far
    // and the region cut from it.
    PictureSkin.SetPicture(LoadSkinBitmap(Dpi()));
    ApplySkin(PictureSkin, *this, 0, L"", 0, 0);
    CutSampleSquare(hWnd(), SampleOffset(), m_sampleMenu.Side());
    if (m_lastColor != kNoColour) {
        PictureSkin.Circle(S(kSwatchX), S(kSwatchY), S(kSwatchRadius), kSwatchOutline);
        FloodFillPicture(PictureSkin, S(kSwatchX), S(kSwatchY), m_lastColor >= 0 ? m_lastColor : kNoColour);
    }
}

void FrmMain::LoadIcons()
{
    // The taskbar button's and Alt+Tab's icons, drawn for the window's DPI;
    // the old ones go only once the window holds the new ones.
    tk::unique_hicon big = LoadAppIcon(S(32));
    tk::unique_hicon small = LoadAppIcon(S(16));
    SetIcons(big.get(), small.get());
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

void FrmMain::PlaceControls()
{
    for (const FieldPlace& place : kFields) {
        tk::TextBox& field = txtColor[static_cast<std::size_t>(place.index)];
        ::MoveWindow(field.hWnd(), S(place.left), S(place.top), S(place.width), S(place.height), TRUE);
        field.SetFont({.dpi = Dpi()});
    }
    for (const CaptionPlace& place : kCaptions) {
        tk::Label& label = Label1[static_cast<std::size_t>(place.index)];
        label.SetBounds(S(place.left), S(place.top), S(place.width), S(place.height));
        label.SetFont({.weight = FW_BOLD, .dpi = Dpi()});
    }
    LabelLink.SetBounds(S(102), S(29), S(97), S(9));
    LabelLink.SetFont({.underline = true, .dpi = Dpi()});
    LabelLink.SetMouseIcon(m_hands.Get(kCursorLinkHand, Dpi()));
    SetHandCursors(m_isButtonDown ? kCursorManoDrag : kCursorMano);
    m_access.Place();
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kSampleSettleTimer) {
        ::KillTimer(hWnd(), kSampleSettleTimer);
        RefreshColor();
        return 0;
    }
    if (message == WM_TIMER && m_keys.TimerElapsed(wParam))
        return 0;
    // The wheel comes to the window with the focus; turned over the lens, it is the lens's.
    if (message == WM_MOUSEWHEEL &&
        TakeZoomLensWheel({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, GET_WHEEL_DELTA_WPARAM(wParam)))
        return 0;
    return tk::Form::HandleMessage(message, wParam, lParam);
}

void FrmMain::Form_Unload()
{
    // Ends a drag whose loop is still running (Exit chosen from a menu opened
    // during the drag): the loop must not go on with a window that is gone.
    m_isButtonDown = false;
    CloseZoomLens();
    m_access.Unload();
}

bool FrmMain::Form_TakeKey(int keyCode, int shift)
{
    if (m_access.TakeKey(keyCode, shift))
        return true;
    if (TakeZoomLensKey(keyCode, shift))
        return true;
    return m_keys.TakeKey(keyCode, shift);
}

void FrmMain::SetHandCursors(const wchar_t* cursorName)
{
    const HCURSOR hand = m_hands.Get(cursorName, Dpi());
    SetMouseIcon(hand);
    for (tk::Label& label : Label1)
        label.SetMouseIcon(hand);
}

void FrmMain::PictureSkin_MouseDown(int button, int, float, float)
{
    if (button == tk::kLeftButton)
        EventButtonDown();
    else
        ShowPopupMenu();
}

void FrmMain::PictureSkin_MouseUp(int, int, float, float)
{
    EventButtonUp();
}

void FrmMain::Label1_MouseDown(int, int button, int, float, float)
{
    if (button == tk::kLeftButton)
        EventButtonDown();
    else
        ShowPopupMenu();
}

void FrmMain::Label1_MouseUp(int, int, int, float, float)
{
    EventButtonUp();
}

void FrmMain::EventButtonDown()
{
    m_isButtonDown = true;
    const ColorValue colourBefore = m_lastColor;
    SetTopMost(*this, true);
    SetHandCursors(kCursorManoDrag);
    const POINT corner = PositionPixels();
    m_offsetX = ToInteger(GetCursorX() - corner.x);
    m_offsetY = ToInteger(GetCursorY() - corner.y);
    // Remembered: the option may be switched off from the menu during the
    // drag, and the translucency must still go when the drag ends.
    const bool translucent = m_moveTransparent;
    if (translucent)
        SetWindowAlpha(PictureSkin, kDragAlpha);

    // Every iteration moves, samples, then lets the queued events run; the
    // mouse-up (or a lost capture) arrives there and ends the loop. When the
    // window already stood where the cursor holds it, nothing moved: the
    // loop then waits for input or for the next display frame (when a
    // colour changing under a still window can next be seen) instead of
    // spinning a core for as long as the button is held.
    const unsigned long frame = tk::Screen::FrameMilliseconds();
    while (m_isButtonDown) {
        const std::int32_t x = GetCursorX();
        const std::int32_t y = GetCursorY();
        const POINT corner = PositionPixels();
        const bool moved = corner.x != x - m_offsetX || corner.y != y - m_offsetY;
        if (moved)
            MovePixels(x - m_offsetX, y - m_offsetY);
        RefreshColor();
        tk::DoEvents();
        if (!moved && m_isButtonDown)
            m_waitForEvents(frame);
    }
    if (!IsLoaded())
        return; // Exit ran inside the loop: nothing of the window is left to restore
    if (!m_lockUpdateInfo)
        m_historyMenu.Remember(m_lastColor);

    if (translucent)
        SetWindowAlpha(PictureSkin, 0);
    SetHandCursors(kCursorMano);
    m_access.DragEnded(colourBefore);
}

void FrmMain::EventButtonUp()
{
    m_isButtonDown = false;
}

void FrmMain::RefreshColor()
{
    const bool advancedLoaded = IsFormLoaded(L"frmAdvanced");
    if (m_lockUpdateInfo)
        return;
    const POINT corner = PositionPixels();
    const POINT sample{corner.x + S(kSampleX), corner.y + S(kSampleY)};
    // A single pixel goes through the reader as it always has; a square is
    // one copy of the screen.
    const int side = m_sampleMenu.Side();
    const ColorValue color = side == 1 ? m_readPixel(sample.x, sample.y)
                                       : GetScreenSquare(sample.x, sample.y, side, m_sampleMenu.Reduction());
    ZoomLensFollow(sample.x, sample.y, side);
    // The first sample is always shown, black too: the fields' design text
    // is no colour value.
    if (color != m_lastColor || !m_sampleShown) {
        m_sampleShown = true;
        // The outline is drawn before every fill: a white swatch has coloured it too.
        PictureSkin.Circle(S(kSwatchX), S(kSwatchY), S(kSwatchRadius), kSwatchOutline);
        // An unreadable pixel (-1) is no fill colour: the disc goes back to
        // the skin's own black, "no colour", which the next colour fills whole.
        FloodFillPicture(PictureSkin, S(kSwatchX), S(kSwatchY), color >= 0 ? color : kNoColour);
        const ColorRGB rgb = ColorToRGB(color);
        txtColor[0].SetText(tk::Widen(AddHashPrefix(RGBToHex(rgb.Red, rgb.Green, rgb.Blue))));
        txtColor[1].SetText(std::to_wstring(color));
        txtColor[3].SetText(std::to_wstring(rgb.Red));
        txtColor[2].SetText(std::to_wstring(rgb.Green));
        txtColor[4].SetText(std::to_wstring(rgb.Blue));
        // The advanced view keeps its colour rather than take an unreadable one.
        if (advancedLoaded && color >= 0)
            frmAdvanced->SetColor(color, false);
        m_access.ColourShown(color);
    }
    m_lastColor = color;
}

void FrmMain::ShowPopupMenu()
{
    PrepareMenu();
    tk::PopupMenu(*this, mPopup);
}

void FrmMain::ShowPopupMenuAt(POINT at)
{
    PrepareMenu();
    tk::PopupMenuAt(*this, mPopup, at);
}

void FrmMain::PrepareMenu()
{
    mAdvancedOption.Checked = IsFormLoaded(L"frmAdvanced");
    mMainLockUpdateInfo.Checked = m_lockUpdateInfo;
    m_copyMenu.Refresh(m_lastColor);
    mZoom.Checked = IsZoomLensOpen();
    m_historyMenu.Refresh(Dpi());
}

void FrmMain::MostraGuida()
{
    FrmHelp& help = *frmHelp;
    // At the pointer, on whichever monitor it is, and kept on that monitor.
    const POINT pointer{GetCursorX(), GetCursorY()};
    RECT outer{};
    ::GetWindowRect(help.hWnd(), &outer);
    const POINT place = tk::Screen::KeepOnMonitor(pointer, {outer.right - outer.left, outer.bottom - outer.top},
                                                  tk::Screen::MonitorAt(pointer));
    help.SetLeft(tk::Screen::TwipsFromPixelsX(place.x));
    help.SetTop(tk::Screen::TwipsFromPixelsY(place.y));
    help.Show();
}

void FrmMain::Uscita()
{
    if (IsFormLoaded(L"frmAdvanced"))
        frmAdvanced->Unload();
    Unload();
}

void FrmMain::mMainLockUpdateInfo_Click()
{
    m_lockUpdateInfo = !m_lockUpdateInfo;
}

void FrmMain::mMainHelp_Click()
{
    MostraGuida();
}

void FrmMain::mMainAbout_Click()
{
    frmAbout->ShowModal();
}

void FrmMain::mAdvancedOption_Click()
{
    if (IsFormLoaded(L"frmAdvanced")) {
        frmAdvanced->Unload();
        return;
    }
    // After an unreadable sample the view opens with black, not with -1.
    frmAdvanced->ShowWindow(m_lastColor < 0 ? 0 : m_lastColor, hWnd());
}

void FrmMain::mMoveTransparent_Click()
{
    m_moveTransparent = !m_moveTransparent;
    mMoveTransparent.Checked = m_moveTransparent;
}

void FrmMain::mExit_Click()
{
    Uscita();
}

void FrmMain::LabelLink_Click()
{
    std::wstring address = LabelLink.ToolTipText();
    ExecHTML(address);
}
