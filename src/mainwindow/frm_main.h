// The main window: the skinned view-finder that samples the screen while it
// is dragged, its five value fields and its popup menu.
#pragma once

#include "colour/colour.h"
#include "mainwindow/copy_menu.h"
#include "mainwindow/hand_cursors.h"
#include "mainwindow/main_access.h"
#include "mainwindow/history_menu.h"
#include "mainwindow/keyboard_nudge.h"
#include "mainwindow/sample_menu.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/picturebox.h"
#include "toolkit/syscontrols.h"

#include <array>
#include <cstdint>
#include <functional>

class FrmMain : public tk::Form {
public:
    FrmMain();

    void EventButtonDown();
    void EventButtonUp();
    void MostraGuida();
    void RefreshColor();
    void ShowPopupMenu();
    void Uscita();
    // The popup menu at a screen point, for the keys that open it.
    void ShowPopupMenuAt(POINT at);
    MainAccess& Access() noexcept { return m_access; }

    // Where the view-finder's centre and the swatch lie in the skin, in pixels
    // at 96 dpi; the window scales them for its DPI.
    static constexpr int kSampleX = 45;
    static constexpr int kSampleY = 121;
    static constexpr int kSwatchX = 192;
    static constexpr int kSwatchY = 164;
    static constexpr int kSwatchRadius = 25;

    // The sampling point from the corner at the window's DPI.
    POINT SampleOffset() const noexcept;
    // Where the corner goes when the window's DPI changes, so that the screen
    // point under the view-finder's centre stays where it was.
    static POINT CornerKeepingSample(POINT corner, UINT oldDpi, UINT newDpi) noexcept;

    // Read-only views of the window's state, for its tests and the benchmark.
    ColorValue LastColor() const noexcept { return m_lastColor; }
    bool IsButtonDown() const noexcept { return m_isButtonDown; }
    bool LockUpdateInfo() const noexcept { return m_lockUpdateInfo; }
    bool MoveTransparent() const noexcept { return m_moveTransparent; }
    std::wstring FieldText(int index) const { return txtColor.at(static_cast<std::size_t>(index)).Text(); }
    const tk::Menu& PopupMenuItems() const noexcept { return mPopup; }
    const ColourHistory& History() const noexcept { return m_historyMenu.History(); }
    tk::PictureBox& Skin() noexcept { return PictureSkin; }
    const tk::Label& Caption(int index) const { return Label1.at(static_cast<std::size_t>(index)); }

    // The screen read behind every sample. Tests put a reader of their own
    // here only to produce what Wine never answers (an unreadable pixel).
    using PixelReader = std::function<ColorValue(std::int32_t x, std::int32_t y)>;
    void SetPixelReader(PixelReader reader) { m_readPixel = std::move(reader); }
    // The drag loop's wait for input or the next frame while the window
    // stands still; tests count the waits here.
    using EventWaiter = std::function<void(unsigned long milliseconds)>;
    void SetEventWaiter(EventWaiter waiter) { m_waitForEvents = std::move(waiter); }

protected:
    tk::FormStyle Style() const override;
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload() override;
    bool Form_TakeKey(int keyCode, int shift) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The view-finder keeps its point, and the window stays at least partly on a monitor.
    POINT CornerForDpi(const RECT& suggested, UINT oldDpi, UINT newDpi) override;
    // Size, skin, region, controls, fonts, cursors and icon afresh for the DPI.
    void Form_DpiChanged() override;

private:
    friend class MainAccess;
    void PrepareMenu();
    void PlaceControls();
    void LoadIcons();
    void PictureSkin_MouseDown(int button, int shift, float x, float y);
    void PictureSkin_MouseUp(int button, int shift, float x, float y);
    void Label1_MouseDown(int index, int button, int shift, float x, float y);
    void Label1_MouseUp(int index, int button, int shift, float x, float y);
    void LabelLink_Click();
    void mMainLockUpdateInfo_Click();
    void mMainHelp_Click();
    void mMainAbout_Click();
    void mAdvancedOption_Click();
    void mMoveTransparent_Click();
    void mExit_Click();
    void SetHandCursors(const wchar_t* cursorName);

    // The hands and icons outlive the windows that show them.
    HandCursors m_hands;
    tk::unique_hicon m_bigIcon;
    tk::unique_hicon m_smallIcon;
    // The skin holds every control, so it is declared before them.
    tk::PictureBox PictureSkin;
    std::array<tk::TextBox, 5> txtColor;
    std::array<tk::Label, 5> Label1;
    tk::Label LabelLink;
    MainAccess m_access{*this};

    tk::MenuItem mMainLockUpdateInfo{L"Blocca"};
    tk::MenuItem sep10{L"-"};
    tk::MenuItem mMainHelp{L"Guida"};
    tk::MenuItem mMainAbout{L"Informazioni..."};
    tk::MenuItem sep11{L"-"};
    tk::MenuItem mAdvancedOption{L"Opzioni avanzate..."};
    tk::MenuItem mMoveTransparent{L"Spostamento in trasparenza"};
    tk::MenuItem sep12{L"-"};
    CopyMenu m_copyMenu{*this};
    tk::MenuItem mZoom{L"Zoom"};
    SampleMenu m_sampleMenu;
    HistoryMenu m_historyMenu{*this};
    tk::MenuItem sep13{L"-"};
    tk::MenuItem mExit{L"Uscita"};
    tk::Menu mPopup;

    ColorValue m_lastColor = 0;
    bool m_isButtonDown = false;
    std::int16_t m_offsetX = 0;
    std::int16_t m_offsetY = 0;
    bool m_lockUpdateInfo = false;
    bool m_moveTransparent = false;
    bool m_sampleShown = false; // the fields and swatch show a sample, not their design state
    PixelReader m_readPixel;
    EventWaiter m_waitForEvents = &tk::WaitForEvents;
    KeyboardNudge m_keys;
};

extern tk::FormInstance<FrmMain> frmMain;
