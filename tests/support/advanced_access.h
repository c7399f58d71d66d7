// The advanced view's parts that have no public reader, for the tests and the
// soak: FrmAdvancedTestAccess{form}.Slider(i), .Stop(), .Contrast(), .Current()
// and so on; ChooseStop picks the stop colour as a user does, in the colour dialog.
#pragma once

#include "advanced/frm_advanced.h"
#include "support/modal.h"
#include "support/pump.h"

#include <atomic>
#include <vector>

struct FrmAdvancedTestAccess {
    FrmAdvanced& form;
    tk::ScrollBar& Slider(int i) { return form.RGBSlider[i]; }
    tk::Label& Value(int i) { return form.RBGValue[i]; }
    tk::Label& Preview() { return form.ColorPreview; }
    tk::Label& Stop() { return form.lblGradientStop; }
    tk::PictureBox& Strip() { return form.picGradient; }
    tk::TextBox& Hex() { return form.TextHEX; }
    tk::TextBox& Numeric() { return form.textNumeric; }
    SymbolLabel& Corner(int i) { return form.Label2[i]; }
    tk::Label& Contrast() { return form.lblContrast; }
    ColorValue& Current() { return form.lCurrentColor; }
    std::vector<tk::LightControl*> Lights()
    {
        return {&form.ColorPreview, &form.lblGradientStop, &form.ButtonClose, &form.Label1[0], &form.Label1[1],
                &form.Label1[2], &form.RBGValue[0], &form.RBGValue[1], &form.RBGValue[2], &form.Label3[0],
                &form.Label3[1]};
    }
};

namespace tktest {

struct DialogOutcome {
    bool answered = false;
    bool topmostWhileOpen = true;
};

// Clicks the stop label and answers the colour dialog from a second thread
// with `color`, confirmed or cancelled; returns once the click is handled.
inline DialogOutcome ChooseStop(FrmAdvancedTestAccess access, bool confirm, COLORREF color)
{
    std::atomic<bool> topmost{true};
    const HWND form = access.form.hWnd();
    const RECT stop = access.Stop().Bounds();
    const DialogAnswer answer([&](HWND dialog) {
        topmost = (::GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        TypeColour(dialog, GetRValue(color), GetGValue(color), GetBValue(color));
        ::PostMessageW(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    });
    ::PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stop.left + 5, stop.top + 5));
    ::PostMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(stop.left + 5, stop.top + 5));
    PumpUntil([&] { return answer.Answers() > 0 && !FindDialog(::GetCurrentThreadId()); }, 10000);
    return {answer.Answers() == 1, topmost.load()};
}

} // namespace tktest
