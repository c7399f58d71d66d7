// Keyboard and screen-reader support of the main window.
#include "mainwindow/main_access.h"

#include "advanced/colour_words.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/keyboard_nudge.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/container.h"
#include "winservices/accessibility.h"

namespace {

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;
// The fields from top to bottom (Web, Num, R, G, B) by their index.
constexpr int kRowOrder[5] = {0, 1, 3, 2, 4};
constexpr const wchar_t* kFieldNames[5] = {L"Web", L"Num", L"G", L"R", L"B"}; // by index
constexpr UINT_PTR kAnnounceTimer = 0x4E41; // "NA"
// A screen reader speaks once the user has stopped pressing arrows for this long.
constexpr UINT kAnnounceDelay = 500; // ms

void CALLBACK AnnounceOnceSettled(HWND window, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(window, timer);
    try {
        if (frmMain.Exists() && frmMain->hWnd() == window)
            frmMain->Access().NudgesSettled();
    } catch (...) {
        tk::ReportCurrentException();
    }
}

} // namespace

void MainAccess::ToolTipArea::SetText(const std::wstring& text)
{
    if (m_container)
        m_container->UpdateToolTip(*this, text);
}

void MainAccess::Create()
{
    m_swatchTip.Create(m_form.PictureSkin, 0, 0, 0, 0);
    Place();
}

void MainAccess::Place()
{
    const int radius = m_form.S(FrmMain::kSwatchRadius);
    m_swatchTip.SetBounds(m_form.S(FrmMain::kSwatchX) - radius, m_form.S(FrmMain::kSwatchY) - radius, 2 * radius + 1,
                          2 * radius + 1);
    if (m_form.m_sampleShown)
        m_swatchTip.SetText(ColourAndValue(m_form.m_lastColor, L" \u2014 "));
}

void MainAccess::Load()
{
    for (int index = 0; index < 5; ++index)
        m_names.Set(m_form.txtColor[static_cast<std::size_t>(index)].hWnd(), kFieldNames[index]);
}

bool MainAccess::TakeKey(int keyCode, int shift)
{
    const bool menuKey = keyCode == VK_APPS || (keyCode == VK_F10 && (shift & (kShiftMask | kCtrlMask | kAltMask)) == kShiftMask);
    if (menuKey) {
        if (!m_form.IsButtonDown()) {
            const POINT corner = m_form.PositionPixels();
            const POINT sample = m_form.SampleOffset();
            m_form.ShowPopupMenuAt({corner.x + sample.x, corner.y + sample.y});
        }
        return true;
    }
    if (keyCode == VK_TAB && (shift & (kCtrlMask | kAltMask)) == 0) {
        MoveFocus((shift & kShiftMask) != 0);
        return true;
    }
    const POINT step = NudgeStep(keyCode, shift);
    if ((step.x != 0 || step.y != 0) && !m_form.IsButtonDown()) {
        // The burst's first nudge remembers what was shown before it; every
        // nudge puts off the announcement.
        if (!m_nudging)
            m_beforeNudges = m_form.LastColor();
        m_nudging = true;
        ::SetTimer(m_form.hWnd(), kAnnounceTimer, kAnnounceDelay, &AnnounceOnceSettled);
    }
    return false; // the nudge itself is the window's own key
}

void MainAccess::MoveFocus(bool backwards)
{
    int row = -1;
    for (int i = 0; i < 5; ++i)
        if (m_form.txtColor[static_cast<std::size_t>(kRowOrder[i])].hWnd() == ::GetFocus())
            row = i;
    if (row < 0)
        row = backwards ? 4 : 0;
    else
        row = (row + (backwards ? 4 : 1)) % 5;
    const HWND field = m_form.txtColor[static_cast<std::size_t>(kRowOrder[row])].hWnd();
    ::SetFocus(field);
    // Selected whole, as a dialog's field is on Tab: the focus shows, and
    // Ctrl+C copies that field's value.
    ::SendMessageW(field, EM_SETSEL, 0, -1);
}

void MainAccess::ColourShown(ColorValue color)
{
    // Not during a drag: its end brings the colour the drag stopped on.
    if (!m_form.IsButtonDown())
        m_swatchTip.SetText(ColourAndValue(color, L" \u2014 "));
}

void MainAccess::DragEnded(ColorValue before)
{
    const ColorValue after = m_form.LastColor();
    m_swatchTip.SetText(ColourAndValue(after, L" \u2014 "));
    if (after != before)
        AnnounceColour(after);
}

void MainAccess::NudgesSettled()
{
    m_nudging = false;
    // Read again before it is said: without a compositor the pixels the
    // window uncovered reach the screen only once their owner has repainted
    // them, which a loaded machine may not have done by the nudge's own
    // second look.
    m_form.RefreshColor();
    if (m_form.LastColor() != m_beforeNudges)
        AnnounceColour(m_form.LastColor());
}

void MainAccess::AnnounceColour(ColorValue color)
{
    if (color >= 0)
        Announce(m_form.hWnd(), ColourAndValue(color, L", "), AnnouncementKind::Colour);
}

void AnnounceCopied(HWND owner, const std::wstring& text)
{
    std::wstring said = LoadResString(IDS_COPIED);
    const std::size_t slot = said.find(L"%1");
    if (slot != std::wstring::npos)
        said.replace(slot, 2, text);
    Announce(owner, said, AnnouncementKind::ActionDone);
}
