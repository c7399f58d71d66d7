// The About window: product description, author and the maker's web address.
#include "info/frm_about.h"

#include "info/exec_html.h"
#include "info/system_colours.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/accessibility.h"
#include "winservices/api_window.h"

#include <initializer_list>

tk::FormInstance<FrmAbout> frmAbout;

namespace {

// Frame1's corner; the labels' places are given inside the frame.
constexpr int kFrameLeft = 68;
constexpr int kFrameTop = 60;

} // namespace

tk::FormStyle FrmAbout::Style() const
{
    tk::FormStyle style;
    // A caption without control box: Close and Esc are the only ways out.
    style.style = WS_POPUP | WS_CAPTION;
    style.exStyle = WS_EX_DLGMODALFRAME;
    style.clientWidth = Pixels(5640);
    style.clientHeight = Pixels(2220);
    style.caption = L"Informazioni...";
    style.startUpPosition = tk::StartUpPosition::CenterScreen;
    style.keyPreview = true;
    return style;
}

void FrmAbout::InitializeComponent()
{
    // Created empty and placed by PlaceControls; the frame first, beneath the labels.
    for (tk::LightControl* control :
         std::initializer_list<tk::LightControl*>{&Frame1, &Label2, &Label3, &Label5, &Label4, &Label1})
        control->Create(*this, 0, 0, 0, 0);
    Label3.SetWordWrap(true);
    Label5.SetAlignment(tk::Alignment::Center);
    Label5.SetCaption(L"Creato da: Quenmarlo");
    Label4.SetAlignment(tk::Alignment::Right);
    Label4.SetCaption(L"Per maggiori informazioni, visita il sito Web:");
    Label1.SetForeColor(RGB(0, 0, 255));
    Label1.SetCaption(kMakerWebAddress);
    Label1.Click = [this] { Label1_Click(); };

    Command1.Create(*this, 0, 0, 0, 0);
    Command1.SetCaption(L"Chiudi");
    Command1.Click = [this] { Command1_Click(); };
    PlaceControls();
}

void FrmAbout::PlaceControls()
{
    Frame1.SetBounds(Pixels(kFrameLeft), Pixels(kFrameTop), Pixels(5505), Pixels(1665));
    // The labels' places are given inside the frame.
    const auto inFrame = [this](tk::Label& label, int left, int top, int width, int height) {
        label.SetBounds(Pixels(kFrameLeft + left), Pixels(kFrameTop + top), Pixels(width), Pixels(height));
    };
    inFrame(Label2, 150, 240, 2955, 225);
    Label2.SetFont({.weight = FW_BOLD, .dpi = Dpi()});
    inFrame(Label3, 390, 510, 4875, 405);
    Label3.SetFont({.dpi = Dpi()});
    inFrame(Label5, 105, 1020, 5265, 225);
    Label5.SetFont({.weight = FW_BOLD, .dpi = Dpi()});
    // Its right edge meets the link as laid out; its left edge starts a little
    // further left than the layout's 195, so the Italian words still fit when
    // a wider face stands in for MS Sans Serif (as under Wine).
    inFrame(Label4, 105, 1320, 3165, 225);
    Label4.SetFont({.dpi = Dpi()});
    inFrame(Label1, 3315, 1320, 2115, 255);
    Label1.SetFont({.underline = true, .dpi = Dpi()});
    Label1.SetMouseIcon(LoadResCursor(kCursorLinkHand, Dpi()));
    ::MoveWindow(Command1.hWnd(), Pixels(2243), Pixels(1800), Pixels(1155), Pixels(345), TRUE);
    Command1.SetFont({.dpi = Dpi()});
}

void FrmAbout::Form_DpiChanged()
{
    PlaceControls();
}

void FrmAbout::Form_Load()
{
    // The main window is topmost too; this one must open in front of it.
    SetTopMost(*this, true);
    Label2.SetCaption(VersionComments());
    Label3.SetCaption(LoadResString(IDS_NOTICE));
    SetCaption(LoadResString(IDS_ABOUT));
    Label5.SetCaption(LoadResString(IDS_CREATED_BY));
    Label4.SetCaption(LoadResString(IDS_VISIT));
    Command1.SetCaption(LoadResString(IDS_CLOSE));
    ApplyThemeColours(*this);
}

void FrmAbout::Form_Activate()
{
    // The button is the window's one control, so it takes the keyboard.
    ::SetFocus(Command1.hWnd());
}

LRESULT FrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The system may hand the focus to the window itself after activating it
    // (Wine does, on the X server's focus event); pass it on, as a dialog does.
    if (message == WM_SETFOCUS && Command1.hWnd()) {
        ::SetFocus(Command1.hWnd());
        return 0;
    }
    // High contrast switched on or off, or the theme's colours changed, while the window is open.
    if (IsThemeChange(message, wParam)) {
        ApplyThemeColours(*this);
        ::RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return tk::Form::HandleMessage(message, wParam, lParam);
}

void FrmAbout::Form_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == VK_ESCAPE)
        Unload();
}

void FrmAbout::Command1_Click()
{
    Unload();
}

void FrmAbout::Label1_Click()
{
    std::wstring address = Label1.Caption();
    ExecHTML(address);
}
