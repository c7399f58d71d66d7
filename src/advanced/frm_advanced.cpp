// The advanced view window: layout, lifecycle, corner buttons, the colour
// fields and sliders, and the gradient strip with its stop colour.
#include "advanced/frm_advanced.h"

#include "colour/contrast.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"
#include "winservices/accessibility.h"
#include "winservices/api_window.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

tk::FormInstance<FrmAdvanced> frmAdvanced;

namespace {

constexpr COLORREF kPaleYellow = RGB(255, 255, 192);
constexpr int kCornerWidth = 9;
constexpr int kCornerHeight = 11;
constexpr int kRowTop[3] = {10, 26, 42};

// Slider values travel as 16-bit integers; anything wider is an overflow.
int ToInteger(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw tk::OverflowError();
    return value;
}

// True for one scope, also when it is left by an error.
class RaisedFlag {
public:
    explicit RaisedFlag(bool& flag) noexcept : m_flag(flag) { m_flag = true; }
    ~RaisedFlag() { m_flag = false; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

void SymbolLabel::SetSymbol(const std::wstring& fontName, double points, int weight, const std::wstring& caption,
                            Symbol symbol, UINT dpi)
{
    m_symbol = symbol;
    m_dpi = dpi;
    m_drawnByHand = !tk::FontExists(fontName);
    SetFont({.name = fontName, .points = points, .weight = weight, .charset = SYMBOL_CHARSET, .dpi = dpi});
    SetCaption(caption);
}

void SymbolLabel::Paint(HDC dc)
{
    if (!m_drawnByHand) {
        Label::Paint(dc);
        return;
    }
    const int left = Left();
    const int top = Top();
    const COLORREF ink = ForeColor();
    const auto S = [this](int value96) { return tk::Scale(value96, m_dpi); };
    if (m_symbol == Symbol::Cross) {
        // Two strokes, two pixels thick (at 100 %), like the close glyph of the caption font.
        const int leg = S(7);
        const int thick = S(2) - 1;
        for (int k = 0; k < leg; ++k)
            for (int t = 0; t <= thick && k + t < leg; ++t) {
                ::SetPixelV(dc, left + S(2) + k + t, top + S(2) + k, ink);
                ::SetPixelV(dc, left + S(2) + leg - 1 - k - t, top + S(2) + k, ink);
            }
        return;
    }
    // A right-angled triangle whose right angle sits in the corner the button
    // sends the window to; rows are filled one by one so the shape is exact.
    const bool toRight = m_symbol == Symbol::ArrowTopRight || m_symbol == Symbol::ArrowBottomRight;
    const bool toBottom = m_symbol == Symbol::ArrowBottomRight || m_symbol == Symbol::ArrowBottomLeft;
    const int leg = S(7);
    const int cornerX = toRight ? left + Width() - 1 : left;
    const int cornerY = toBottom ? top + Height() - 1 - S(1) : top + S(1);
    for (int row = 0; row < leg; ++row)
        for (int column = 0; column < leg - row; ++column)
            ::SetPixelV(dc, toRight ? cornerX - column : cornerX + column, toBottom ? cornerY - row : cornerY + row,
                        ink);
}

tk::FormStyle FrmAdvanced::Style() const
{
    tk::FormStyle style;
    style.style = WS_POPUP | WS_BORDER;
    style.clientWidth = S(283);
    style.clientHeight = S(154);
    style.backColor = kPaleYellow;
    style.startUpPosition = tk::StartUpPosition::WindowsDefault;
    style.tabNavigation = true;
    return style;
}

RECT FrmAdvanced::DefaultPlacementMonitor() const
{
    // The view opens where the window that opened it is, on whichever monitor.
    if (m_opener && ::IsWindow(m_opener)) {
        RECT outer{};
        ::GetWindowRect(m_opener, &outer);
        return tk::Screen::MonitorAt({(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2});
    }
    return tk::Form::DefaultPlacementMonitor();
}

void FrmAdvanced::InitializeComponent()
{
    MouseDown = [this](int button, int shift, float x, float y) { Form_MouseDown(button, shift, x, y); };

    // Created empty and placed by PlaceControls. Child windows are created in
    // the tab order: red, green, blue, then the hexadecimal and numeric fields.
    for (int i = 0; i < 3; ++i) {
        RGBSlider[i].Create(*this, 0, 0, 0, 0, 0, 255);
        RGBSlider[i].Change = [this, i] { RGBSlider_Change(i); };
        RGBSlider[i].Scroll = [this, i] { RGBSlider_Scroll(i); };
    }
    TextHEX.Create(*this, 0, 0, 0, 0, true);
    TextHEX.SetText(L"000000");
    TextHEX.SetTabStop(true);
    textNumeric.Create(*this, 0, 0, 0, 0, true);
    textNumeric.SetText(L"000000");
    textNumeric.SetTabStop(true);

    // Without a border the 256 one-pixel columns fill the strip exactly.
    picGradient.SetBorderStyle(0);
    picGradient.Create(*this, 0, 0, 1, 1);
    picGradient.SetScaleMode(tk::kScalePixels);
    picGradient.SetAutoRedraw(true);
    picGradient.SetBackColor(::GetSysColor(COLOR_WINDOW));
    picGradient.MouseDown = [this](int button, int shift, float x, float y) {
        picGradient_MouseDown(button, shift, x, y);
    };

    ColorPreview.Create(*this, 0, 0, 0, 0);
    ColorPreview.SetTransparent(false);
    ColorPreview.SetBorder(true);
    ColorPreview.SetBackColor(RGB(0, 0, 0));
    ColorPreview.MouseDown = [this](int button, int shift, float x, float y) {
        ColorPreview_MouseDown(button, shift, x, y);
    };

    lblGradientStop.Create(*this, 0, 0, 0, 0);
    lblGradientStop.SetTransparent(false);
    lblGradientStop.SetBorder(true);
    lblGradientStop.SetBackColor(RGB(0, 0, 0));
    lblGradientStop.Click = [this] { lblGradientStop_Click(); };

    static const wchar_t* const kComponentLetters[3] = {L"R", L"G", L"B"};
    for (int i = 0; i < 3; ++i) {
        Label1[i].Create(*this, 0, 0, 0, 0);
        Label1[i].Index = i;
        Label1[i].SetCaption(kComponentLetters[i]);
        Label1[i].MouseDown = [this, i](int button, int shift, float x, float y) {
            Label1_MouseDown(i, button, shift, x, y);
        };

        RBGValue[i].Create(*this, 0, 0, 0, 0);
        RBGValue[i].Index = i;
        RBGValue[i].SetCaption(L"000");
        RBGValue[i].MouseDown = [this, i](int button, int shift, float x, float y) {
            RBGValue_MouseDown(i, button, shift, x, y);
        };
    }

    Label3[0].Create(*this, 0, 0, 0, 0);
    Label3[0].SetCaption(L"HEX: #");
    Label3[1].Create(*this, 0, 0, 0, 0);
    Label3[1].SetCaption(L"Num:");
    for (int i = 0; i < 2; ++i) {
        Label3[i].Index = i;
        Label3[i].SetAlignment(tk::Alignment::Right);
        Label3[i].MouseDown = [this, i](int button, int shift, float x, float y) {
            Label3_MouseDown(i, button, shift, x, y);
        };
    }

    lblContrast.Create(*this, 0, 0, 0, 0);
    lblContrast.SetCaption(L"");
    lblContrast.MouseDown = [this](int button, int shift, float x, float y) { Form_MouseDown(button, shift, x, y); };

    ButtonClose.Create(*this, 0, 0, 0, 0);
    ButtonClose.Click = [this] { ButtonClose_Click(); };

    // Created last so they lie above everything else.
    for (int i = 0; i < 4; ++i) {
        Label2[i].Create(*this, 0, 0, 0, 0);
        Label2[i].Index = i;
        Label2[i].Click = [this, i] { Label2_Click(i); };
    }
    m_access.Create();
    PlaceControls();
}

void FrmAdvanced::PlaceControls()
{
    for (int i = 0; i < 3; ++i)
        ::MoveWindow(RGBSlider[i].hWnd(), S(80), S(kRowTop[i]), S(148), S(13), TRUE);
    ::MoveWindow(TextHEX.hWnd(), S(80), S(60), S(45), S(17), TRUE);
    ::MoveWindow(textNumeric.hWnd(), S(167), S(60), S(61), S(17), TRUE);
    // The font's own margins leave too little room for six digits in the
    // layout's box (in the stand-in faces at every scale): a pixel each side.
    // And a font does not grow exactly with the DPI (its pixel size is
    // rounded): a field grows by what its widest value grew beyond the scale.
    const auto fit = [this](tk::TextBox& field, wchar_t sign, int digits) {
        field.SetFont({.dpi = Dpi()});
        ::SendMessageW(field.hWnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(S(1), S(1)));
        const auto extent = [](HFONT font, const std::wstring& text) {
            const tk::WindowDC screen;
            const tk::SelectGuard select(screen, font);
            SIZE size{};
            ::GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        };
        const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(field.hWnd(), WM_GETFONT, 0, 0));
        const tk::unique_hfont designFont = tk::CreateFontFrom({.dpi = tk::kBaseDpi});
        int excess = 0;
        for (const wchar_t digit : std::wstring(L"0123456789ABCDEF")) {
            std::wstring value(static_cast<std::size_t>(digits), digit);
            if (sign)
                value.front() = sign;
            excess = std::max(excess, extent(font, value) - S(extent(designFont.get(), value)));
        }
        if (excess > 0) {
            RECT place{};
            ::GetWindowRect(field.hWnd(), &place);
            ::MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&place), 2);
            ::MoveWindow(field.hWnd(), place.left, place.top, place.right - place.left + excess,
                         place.bottom - place.top, TRUE);
        }
    };
    fit(TextHEX, 0, 6);
    fit(textNumeric, L'-', 9);

    picGradient.SetBounds(S(11), S(119), S(256), S(24));
    ColorPreview.SetBounds(S(10), S(10), S(46), S(31));
    lblGradientStop.SetBounds(S(10), S(43), S(46), S(12));
    for (int i = 0; i < 3; ++i) {
        Label1[i].SetBounds(S(64), S(kRowTop[i]), S(11), S(13));
        Label1[i].SetFont({.weight = FW_BOLD, .dpi = Dpi()});
        RBGValue[i].SetBounds(S(234), S(kRowTop[i]), S(27), S(13));
        RBGValue[i].SetFont({.dpi = Dpi()});
    }
    Label3[0].SetBounds(S(36), S(62), S(42), S(15));
    Label3[1].SetBounds(S(134), S(62), S(31), S(15));
    for (tk::Label& caption : Label3)
        caption.SetFont({.dpi = Dpi()});
    // In the free band above the strip.
    lblContrast.SetBounds(S(11), S(100), S(256), S(15));
    lblContrast.SetFont({.dpi = Dpi()});

    ButtonClose.SetBounds(S(264), S(7), S(11), S(11));
    ButtonClose.SetSymbol(L"Marlett", 9.75, 500, L"r", SymbolLabel::Symbol::Cross, Dpi());
    static const wchar_t* const kArrowLetters[4] = {L"{", L"y", L"x", L"z"};
    static const SymbolLabel::Symbol kArrows[4] = {
        SymbolLabel::Symbol::ArrowTopRight, SymbolLabel::Symbol::ArrowBottomRight,
        SymbolLabel::Symbol::ArrowBottomLeft, SymbolLabel::Symbol::ArrowTopLeft};
    for (int i = 0; i < 4; ++i) {
        Label2[i].SetBounds(0, 0, S(kCornerWidth), S(kCornerHeight));
        Label2[i].SetSymbol(L"Wingdings 3", 8.25, FW_NORMAL, kArrowLetters[i], kArrows[i], Dpi());
    }
    Form_Resize(); // the corners
}

void FrmAdvanced::Form_DpiChanged()
{
    PlaceControls();
    // The strip's image took its new size: drawn again, from the colour shown
    // (the last real one) to the stop colour. No colour shows no contrast.
    ShowGradient(static_cast<ColorValue>(ColorPreview.BackColor()), static_cast<ColorValue>(lblGradientStop.BackColor()));
    if (lCurrentColor < 0)
        lblContrast.SetCaption(L"");
}

void FrmAdvanced::Form_Load()
{
    oColorDialog = std::make_shared<CDlg>();
    GradientStep = 1;
    m_contrastWord = LoadResString(IDS_CONTRAST);
    m_access.Load();
}

void FrmAdvanced::Form_Unload()
{
    oColorDialog.reset();
    m_access.Unload();
}

LRESULT FrmAdvanced::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // High contrast switched on or off, or the theme's colours changed, while the view is open.
    if (IsThemeChange(message, wParam)) {
        m_access.ApplyTheme();
        ::RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return tk::Form::HandleMessage(message, wParam, lParam);
}

void FrmAdvanced::Form_Activate()
{
    SetColor(lCurrentColor, false);
    // The form takes no focus of its own; give it to the first slider so the
    // keyboard (Tab, arrows) works from the moment the window is active.
    if (!::IsChild(hWnd(), ::GetFocus()))
        ::SetFocus(RGBSlider[0].hWnd());
}

bool FrmAdvanced::Form_TakeKey(int keyCode, int shift)
{
    return m_access.TakeKey(keyCode, shift);
}

void FrmAdvanced::Form_Resize()
{
    const SIZE client = ClientSizePixels();
    const int right = client.cx - (S(kCornerWidth) + S(1));
    const int bottom = client.cy - (S(kCornerHeight) + S(1));
    Label2[3].Move(S(1), 0);
    Label2[2].Move(S(1), bottom);
    Label2[0].Move(right, 0);
    Label2[1].Move(right, bottom);
    m_access.Place();
}

void FrmAdvanced::ShowWindow(ColorValue vColor, HWND opener)
{
    m_opener = opener;
    SetTopMost(*this, true);
    Show();
    lblGradientStop.SetBackColor(RGB(0, 0, 0));
    SetColor(vColor, false);
}

void FrmAdvanced::DragWindow()
{
    DragByCaption(*this);
}

void FrmAdvanced::SetColor(ColorValue vColor, bool autoset)
{
    lCurrentColor = vColor;
    // A negative value (an unreadable screen pixel) is "no colour": the
    // preview and the sliders keep the last real colour, as split it would
    // put -1 into the blue slider, outside its range. The hexadecimal field
    // goes empty and the strip stays as it is; the numeric field shows it.
    if (vColor >= 0) {
        ColorPreview.SetBackColor(static_cast<COLORREF>(vColor));
        const ColorRGB rgb = ColorToRGB(vColor);
        if (!autoset) {
            // Each change raises the slider's Change, which re-enters here
            // with autoset on and the colour composed so far. Those calls
            // take the colour and leave the labels, fields and strip to this
            // one, which writes them with the final colour before anything
            // reaches the screen: one strip per colour instead of up to four.
            const RaisedFlag settingSliders(m_settingSliders);
            RGBSlider[0].SetValue(ToInteger(rgb.Red));
            RGBSlider[1].SetValue(ToInteger(rgb.Green));
            RGBSlider[2].SetValue(ToInteger(rgb.Blue));
        }
    }
    if (autoset && m_settingSliders)
        return; // nested in the call that sets the sliders, which writes the rest
    for (int i = 0; i < 3; ++i)
        RBGValue[i].SetCaption(std::to_wstring(RGBSlider[i].Value()));
    TextHEX.SetText(tk::Widen(ColorToHex(vColor)));
    textNumeric.SetText(tk::Widen(ColorToDecimal(vColor)));
    ShowGradient(vColor, static_cast<ColorValue>(lblGradientStop.BackColor()));
    m_access.ColourShown(vColor);
}

void FrmAdvanced::ShowGradient(ColorValue lMinCol, ColorValue lMaxCol)
{
    if (GradientStep == 0)
        GradientStep = 1;
    // Every colour and every stop colour passes through here.
    lblContrast.SetCaption(lMinCol < 0 || lMaxCol < 0
                               ? std::wstring()
                               : m_contrastWord + L" " + tk::Widen(ContrastText(ContrastRatio(lMinCol, lMaxCol))));
    if (lMinCol < 0 || lMaxCol < 0)
        return;
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Busy);

    std::vector<std::uint8_t> maxBytes;
    std::vector<std::uint8_t> minBytes;
    SplitBytes(lMaxCol, 3, maxBytes, true);
    SplitBytes(lMinCol, 3, minBytes, true);

    picGradient.Cls();
    picGradient.SetDrawMode(tk::kDrawCopyPen);
    const double height = picGradient.ScaleHeight();
    const double width = picGradient.ScaleWidth();
    for (int i = 0; i <= 255; ++i) {
        const double a = (255 - i) / 255.0;
        const double b = i / 255.0;
        // Round half to even, as the conversion to an integer always did.
        const auto mix = [a, b](std::uint8_t low, std::uint8_t high) {
            return static_cast<std::int32_t>(std::nearbyint(a * low + b * high));
        };
        const ColorValue column = mix(minBytes[0], maxBytes[0]) + 256 * mix(minBytes[1], maxBytes[1]) +
                                  65536 * mix(minBytes[2], maxBytes[2]);
        // Each step spans its share of the strip at the window's scale.
        for (int x = S(i); x < S(i + 1); ++x)
            picGradient.Line(x, 0, x, height, static_cast<COLORREF>(QuantizeColor(column)));
    }

    picGradient.SetDrawMode(tk::kDrawInvert);
    picGradient.Line(0, height * 2 / 3, width, height * 2 / 3, RGB(0, 0, 0));
    picGradient.SetDrawMode(tk::kDrawCopyPen);
    picGradient.Box(0, 0, width - 1, height - 1, ::GetSysColor(COLOR_BTNSHADOW));

    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Default);
}

void FrmAdvanced::ComposeFromSliders()
{
    SetColor(RGBToColor(RGBSlider[0].Value(), RGBSlider[1].Value(), RGBSlider[2].Value()), true);
}

void FrmAdvanced::RGBSlider_Change(int /*index*/)
{
    ComposeFromSliders();
}

void FrmAdvanced::RGBSlider_Scroll(int /*index*/)
{
    ComposeFromSliders();
}

void FrmAdvanced::lblGradientStop_Click()
{
    // The dialog has no owner: out of the topmost band, or it would open behind this window.
    SetTopMost(*this, false);
    // Held here too, since the window may be unloaded while the dialog is up.
    const std::shared_ptr<CDlg> dialog = oColorDialog;
    dialog->Color(static_cast<std::int32_t>(lblGradientStop.BackColor()));
    dialog->ShowColor();
    lblGradientStop.SetBackColor(static_cast<COLORREF>(dialog->Color()));
    ShowGradient(static_cast<ColorValue>(ColorPreview.BackColor()), dialog->Color());
    SetTopMost(*this, true);
}

void FrmAdvanced::picGradient_MouseDown(int /*button*/, int /*shift*/, float x, float y)
{
    SetColor(static_cast<ColorValue>(picGradient.Point(x, y)), false);
}

void FrmAdvanced::ButtonClose_Click()
{
    Unload();
}

void FrmAdvanced::Label2_Click(int index)
{
    // The whole screen, not the work area: a taskbar along an edge is not avoided.
    const int screenWidth = tk::Screen::Width();
    const int screenHeight = tk::Screen::Height();
    const int left = (index == 0 || index == 1) ? screenWidth - Width() : 0;
    const int top = (index == 1 || index == 2) ? screenHeight - Height() : 0;
    // One move: two moves in a row can leave Wine's window order behind X's.
    Move(left, top);
}

void FrmAdvanced::Form_MouseDown(int button, int, float, float)
{
    if (button == tk::kLeftButton)
        DragWindow();
}

void FrmAdvanced::ColorPreview_MouseDown(int button, int, float, float)
{
    if (button == tk::kLeftButton)
        DragWindow();
}

void FrmAdvanced::Label1_MouseDown(int /*index*/, int button, int, float, float)
{
    if (button == tk::kLeftButton)
        DragWindow();
}

void FrmAdvanced::Label3_MouseDown(int /*index*/, int button, int, float, float)
{
    if (button == tk::kLeftButton)
        DragWindow();
}

void FrmAdvanced::RBGValue_MouseDown(int /*index*/, int button, int, float, float)
{
    if (button == tk::kLeftButton)
        DragWindow();
}
