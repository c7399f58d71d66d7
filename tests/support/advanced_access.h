// The advanced view's parts that have no public reader, for the tests and the
// soak: FrmAdvancedTestAccess{form}.Slider(i), .Stop(), .Contrast(), .Current() and so on.
#pragma once

#include "advanced/frm_advanced.h"

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
