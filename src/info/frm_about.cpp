// The About window: product description, author and the maker's web address.
#include "info/frm_about.h"

#include "info/exec_html.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/api_window.h"

#include <cmath>

tk::FormInstance<FrmAbout> frmAbout;

namespace {

// The layout is laid out in twips; controls are placed in pixels, at the
// screen's exact DPI.
int PixelsX(int twips)
{
    return tk::Screen::PixelsFromTwipsX(twips);
}

int PixelsY(int twips)
{
    return tk::Screen::PixelsFromTwipsY(twips);
}

// Frame1's corner; the labels' places are given inside the frame.
constexpr int kFrameLeft = 68;
constexpr int kFrameTop = 60;

void PlaceInFrame(tk::Container& form, tk::Label& label, int left, int top, int width, int height)
{
    label.Create(form, PixelsX(kFrameLeft + left), PixelsY(kFrameTop + top), PixelsX(width), PixelsY(height));
}

} // namespace

tk::FormStyle FrmAbout::Style() const
{
    tk::FormStyle style;
    // A caption without control box: Close and Esc are the only ways out.
    style.style = WS_POPUP | WS_CAPTION;
    style.exStyle = WS_EX_DLGMODALFRAME;
    style.clientWidth = PixelsX(5640);
    style.clientHeight = PixelsY(2220);
    style.caption = L"Informazioni...";
    style.startUpPosition = tk::StartUpPosition::CenterScreen;
    style.keyPreview = true;
    return style;
}

void FrmAbout::InitializeComponent()
{
    Frame1.Create(*this, PixelsX(kFrameLeft), PixelsY(kFrameTop), PixelsX(5505), PixelsY(1665));

    PlaceInFrame(*this, Label2, 150, 240, 2955, 225);
    Label2.SetFont({.weight = FW_BOLD});

    PlaceInFrame(*this, Label3, 390, 510, 4875, 405);
    Label3.SetWordWrap(true);

    PlaceInFrame(*this, Label5, 105, 1020, 5265, 225);
    Label5.SetFont({.weight = FW_BOLD});
    Label5.SetAlignment(tk::Alignment::Center);
    Label5.SetCaption(L"Creato da: Quenmarlo");

    // Its right edge meets the link as laid out; its left edge starts a little
    // further left than the layout's 195, so the Italian words still fit when
    // a wider face stands in for MS Sans Serif (as under Wine).
    PlaceInFrame(*this, Label4, 105, 1320, 3165, 225);
    Label4.SetAlignment(tk::Alignment::Right);
    Label4.SetCaption(L"Per maggiori informazioni, visita il sito Web:");

    PlaceInFrame(*this, Label1, 3315, 1320, 2115, 255);
    Label1.SetFont({.underline = true});
    Label1.SetForeColor(RGB(0, 0, 255));
    Label1.SetCaption(kMakerWebAddress);
    Label1.SetMouseIcon(LoadResCursor(kCursorLinkHand, tk::DpiOf(nullptr)));
    Label1.Click = [this] { Label1_Click(); };

    Command1.Create(*this, PixelsX(2243), PixelsY(1800), PixelsX(1155), PixelsY(345));
    Command1.SetCaption(L"Chiudi");
    Command1.Click = [this] { Command1_Click(); };
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
