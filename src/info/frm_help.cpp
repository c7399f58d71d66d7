// The Help note: one paragraph on how the program is used, in tool-tip colours.
#include "info/frm_help.h"

#include "info/system_colours.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/accessibility.h"

tk::FormInstance<FrmHelp> frmHelp;

tk::FormStyle FrmHelp::Style() const
{
    tk::FormStyle style;
    style.style = WS_POPUP | WS_BORDER;
    style.clientWidth = Pixels(4695);
    style.clientHeight = Pixels(1515);
    style.backColor = ::GetSysColor(COLOR_INFOBK);
    style.startUpPosition = tk::StartUpPosition::Manual;
    return style;
}

void FrmHelp::InitializeComponent()
{
    // Created empty and placed by PlaceControls.
    Image1.Create(*this, 0, 0, 0, 0);
    Label2.Create(*this, 0, 0, 0, 0);
    Label2.SetCaption(L"GUIDA");
    Label2.Click = [this] { Label2_Click(); };
    Label1.Create(*this, 0, 0, 0, 0);
    Label1.SetForeColor(::GetSysColor(COLOR_INFOTEXT));
    Label1.SetWordWrap(true);
    Label1.Click = [this] { Label1_Click(); };
    Click = [this] { Form_Click(); };
    PlaceControls();
}

void FrmHelp::PlaceControls()
{
    Image1.SetBounds(Pixels(60), Pixels(60), Pixels(240), Pixels(240));
    tk::unique_hbitmap bulb = LoadBulbBitmap(Dpi());
    // The bulb is drawn on a flat background; its corner pixel names that colour.
    COLORREF key = CLR_INVALID;
    if (const tk::unique_hdc probe{::CreateCompatibleDC(nullptr)}; bulb && probe) {
        const tk::SelectGuard select(probe.get(), bulb.get());
        key = ::GetPixel(probe.get(), 0, 0);
    }
    Image1.SetPicture(std::move(bulb), key);
    Label2.SetBounds(Pixels(360), Pixels(90), Pixels(1035), Pixels(225));
    Label2.SetFont({.weight = FW_BOLD, .dpi = Dpi()});
    Label1.SetBounds(Pixels(60), Pixels(390), Pixels(4575), Pixels(1005));
    Label1.SetFont({.dpi = Dpi()});
}

void FrmHelp::Form_DpiChanged()
{
    PlaceControls();
    FitTextHeight();
}

void FrmHelp::Form_Load()
{
    Label2.SetCaption(LoadResString(IDS_HELP));
    Label1.SetCaption(LoadResString(IDS_HELP_TEXT));
    ApplyThemeColours(*this);
    FitTextHeight();
}

// Fonts do not grow in step with the DPI (their pixel sizes are rounded, and
// the words then wrap elsewhere): when the paragraph needs more lines than the
// layout's box holds, the box and the note grow by what is missing.
void FrmHelp::FitTextHeight()
{
    const tk::WindowDC screen;
    const tk::SelectGuard font(screen, Label1.Font());
    RECT needed{0, 0, Label1.Width(), 0};
    const std::wstring& text = Label1.Caption();
    ::DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_NOPREFIX | DT_TOP | DT_WORDBREAK | DT_CALCRECT);
    const int missing = needed.bottom - Label1.Height();
    if (missing <= 0)
        return;
    Label1.SetBounds(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height() + missing);
    RECT outer{};
    ::GetWindowRect(hWnd(), &outer);
    ::SetWindowPos(hWnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + missing,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Any click on the note but one on the bulb, or another window of the
// program becoming active, puts the note away.
void FrmHelp::Form_Click()
{
    Unload();
}

void FrmHelp::Label1_Click()
{
    Unload();
}

void FrmHelp::Label2_Click()
{
    Unload();
}

bool FrmHelp::Form_TakeKey(int keyCode, int /*shift*/)
{
    // Put away from the keyboard as a tool tip is.
    if (keyCode != VK_ESCAPE)
        return false;
    Unload();
    return true;
}

LRESULT FrmHelp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // High contrast switched on or off, or the theme's colours changed, while the note is open.
    if (IsThemeChange(message, wParam)) {
        ApplyThemeColours(*this);
        ::RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return tk::Form::HandleMessage(message, wParam, lParam);
}

void FrmHelp::Form_Deactivate()
{
    Unload();
}
