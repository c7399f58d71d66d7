// The main window for keyboard and screen-reader users: the menu keys
// (Shift+F10, the Menu key) open the popup menu at the view-finder, Tab
// and Shift+Tab move through the five fields, the fields carry their
// captions as names, the swatch's tool tip names its colour, and a screen
// reader hears the colour when a drag ends on a new one or a burst of
// nudges settles.
#pragma once

#include "colour/colour.h"
#include "toolkit/controls.h"
#include "winservices/accessibility.h"

#include <windows.h>

#include <string>

class FrmMain;

class MainAccess {
public:
    explicit MainAccess(FrmMain& form) : m_form(form) {}
    MainAccess(const MainAccess&) = delete;
    MainAccess& operator=(const MainAccess&) = delete;

    // From the window's InitializeComponent, Form_Load, re-layout and Form_Unload.
    void Create();
    void Load();
    void Place();
    void Unload() { m_names.Clear(); }
    // The keys above, before the nudge and copy keys; true when taken.
    bool TakeKey(int keyCode, int shift);
    // A colour newly shown by RefreshColor.
    void ColourShown(ColorValue color);
    // The drag has ended; `before` is the colour shown when it began.
    void DragEnded(ColorValue before);
    // The nudges have stopped for a moment: said once for the whole burst.
    void NudgesSettled();

private:
    // The swatch's tool tip: an area of the skin that lets the mouse through.
    class ToolTipArea : public tk::LightControl {
    public:
        bool TakesMouse() const noexcept override { return false; }
        void Paint(HDC) override {}
        void SetText(const std::wstring& text);
    };

    void MoveFocus(bool backwards);
    void AnnounceColour(ColorValue color);

    FrmMain& m_form;
    ToolTipArea m_swatchTip;
    AccessibleNames m_names;
    ColorValue m_beforeNudges = -1;
    bool m_nudging = false;
};

// What a screen reader hears after a text has been copied ("copied #FF8000").
void AnnounceCopied(HWND owner, const std::wstring& text);
