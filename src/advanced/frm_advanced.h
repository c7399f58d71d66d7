// The advanced view: preview, sliders, value fields and the gradient strip.
#pragma once

#include "colour/colour.h"
#include "toolkit/form.h"

class FrmAdvanced : public tk::Form {
public:
    FrmAdvanced() : tk::Form(L"frmAdvanced") {}
    void DragWindow();
    void SetColor(ColorValue vColor, bool autoset);
    void ShowWindow(ColorValue vColor);
    void ShowGradient(ColorValue lMinCol, ColorValue lMaxCol);

protected:
    tk::FormStyle Style() const override { return {}; }
};

extern tk::FormInstance<FrmAdvanced> frmAdvanced;
