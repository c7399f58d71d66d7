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

private:
    // Every control at its place and in its fonts for m_dpi, at creation and
    // after a change of scale.
    void PlaceControls();
    // Laid out afresh at another DPI, its corner at `corner`.
    void LayOutAt(UINT dpi, POINT corner);
    // The layout is written in twips; controls are placed in pixels at m_dpi.
    int Pixels(int twips) const noexcept { return tk::PixelsFromTwips(twips, m_dpi); }
    UINT m_dpi = tk::DpiOf(nullptr);

    void Command1_Click();
    void Label1_Click();
};

extern tk::FormInstance<FrmAbout> frmAbout;
