// The Help note: one paragraph on how the program is used, in tool-tip colours.
#pragma once

#include "toolkit/dpi.h"
#include "toolkit/form.h"

// Opened by the main window where the pointer is: referring to frmHelp loads
// it (texts set), then SetLeft / SetTop in twips, then Show.
class FrmHelp : public tk::Form {
public:
    FrmHelp() : tk::Form(L"frmHelp") {}

    tk::Image Image1; // the bulb; it takes the mouse, so a click on it keeps the note open
    tk::Label Label2; // title
    tk::Label Label1; // usage text

protected:
    tk::FormStyle Style() const override;
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Deactivate() override;
    void Form_DpiChanged() override;
    bool Form_TakeKey(int keyCode, int shift) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Every control at its place and in its fonts for the form's DPI, at
    // creation and after a change of scale.
    void PlaceControls();
    // The layout is written in twips; controls are placed in pixels at the form's DPI.
    int Pixels(int twips) const noexcept { return tk::PixelsFromTwips(twips, Dpi()); }

    void Form_Click();
    void Label1_Click();
    void FitTextHeight();
    void Label2_Click();
};

extern tk::FormInstance<FrmHelp> frmHelp;
