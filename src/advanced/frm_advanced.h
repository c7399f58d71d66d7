// The advanced view: preview, sliders, value fields and the gradient strip.
#pragma once

#include "advanced/advanced_access.h"
#include "advanced/cdlg.h"
#include "colour/colour.h"
#include "toolkit/form.h"
#include "toolkit/picturebox.h"
#include "toolkit/dpi.h"
#include "toolkit/syscontrols.h"

#include <array>
#include <memory>

// A caption in a symbol font that the system may lack (Marlett, Wingdings 3);
// without the font the label draws its symbol itself rather than showing the
// plain letters the symbol font maps.
class SymbolLabel : public tk::Label {
public:
    enum class Symbol { Cross, ArrowTopRight, ArrowBottomRight, ArrowBottomLeft, ArrowTopLeft };

    void SetSymbol(const std::wstring& fontName, double points, int weight, const std::wstring& caption,
                   Symbol symbol, UINT dpi);
    bool DrawnByHand() const noexcept { return m_drawnByHand; }
    void Paint(HDC dc) override;

private:
    Symbol m_symbol = Symbol::Cross;
    bool m_drawnByHand = false;
    UINT m_dpi = tk::kBaseDpi; // the DPI the hand-drawn symbol is drawn for
};

class FrmAdvanced : public tk::Form {
public:
    FrmAdvanced() : tk::Form(L"frmAdvanced") {}
    void DragWindow();
    void SetColor(ColorValue vColor, bool autoset);
    // `opener`, when given, is the window whose monitor the view first shows on.
    void ShowWindow(ColorValue vColor, HWND opener = nullptr);
    void ShowGradient(ColorValue lMinCol, ColorValue lMaxCol);

protected:
    tk::FormStyle Style() const override;
    RECT DefaultPlacementMonitor() const override;
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_DpiChanged() override;
    bool Form_TakeKey(int keyCode, int shift) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend struct FrmAdvancedTestAccess;
    friend class AdvancedAccess;

    void RGBSlider_Change(int index);
    void RGBSlider_Scroll(int index);
    void lblGradientStop_Click();
    void picGradient_MouseDown(int button, int shift, float x, float y);
    void ButtonClose_Click();
    void Label2_Click(int index);
    void Form_MouseDown(int button, int shift, float x, float y);
    void ColorPreview_MouseDown(int button, int shift, float x, float y);
    void Label1_MouseDown(int index, int button, int shift, float x, float y);
    void Label3_MouseDown(int index, int button, int shift, float x, float y);
    void RBGValue_MouseDown(int index, int button, int shift, float x, float y);
    void ComposeFromSliders();
    // Every control at its place and in its fonts for the form's DPI, at
    // creation and after a change of scale.
    void PlaceControls();

    // Windows first: the labels unregister from this form when destroyed.
    std::array<tk::ScrollBar, 3> RGBSlider;
    tk::TextBox TextHEX;
    tk::TextBox textNumeric;
    tk::PictureBox picGradient;

    tk::Label ColorPreview;
    tk::Label lblGradientStop;
    std::array<tk::Label, 3> Label1;
    std::array<tk::Label, 3> RBGValue;
    std::array<tk::Label, 2> Label3;
    SymbolLabel ButtonClose;
    std::array<SymbolLabel, 4> Label2;
    tk::Label lblContrast;
    std::wstring m_contrastWord;
    AdvancedAccess m_access{*this};

    HWND m_opener = nullptr; // the window that opened the view, for its first placement
    ColorValue lCurrentColor = 0;
    bool m_settingSliders = false; // SetColor is setting the sliders itself
    // Shared with a stop-colour click in progress: the colour dialog runs its
    // own message loop, in which this window may be unloaded.
    std::shared_ptr<CDlg> oColorDialog;
};

extern tk::FormInstance<FrmAdvanced> frmAdvanced;
