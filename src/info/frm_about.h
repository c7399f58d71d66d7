// The About window: product description, author and the maker's web address.
#pragma once

#include "toolkit/dpi.h"
#include "toolkit/form.h"
#include "toolkit/syscontrols.h"

class FrmAbout : public tk::Form {
public:
    FrmAbout() : tk::Form(L"frmAbout") {}

    // The frame first: labels leave their container when destroyed, and the
    // frame is painted beneath them.
    tk::Frame Frame1;
    tk::Label Label2; // product description
    tk::Label Label3; // distribution notice
    tk::Label Label5; // author
    tk::Label Label4; // the words in front of the link
    tk::Label Label1; // the link
    tk::CommandButton Command1;

protected:
    tk::FormStyle Style() const override;
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyDown(int keyCode, int shift) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Form_DpiChanged() override;

private:
    // Every control at its place and in its fonts for the form's DPI, at
    // creation and after a change of scale.
    void PlaceControls();
    // The layout is written in twips; controls are placed in pixels at the form's DPI.
    int Pixels(int twips) const noexcept { return tk::PixelsFromTwips(twips, Dpi()); }

    void Command1_Click();
    void Label1_Click();
};

extern tk::FormInstance<FrmAbout> frmAbout;
