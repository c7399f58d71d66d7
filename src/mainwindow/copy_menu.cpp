// Copying the current colour as text, from the Copy submenu or Ctrl+C.
#include "mainwindow/copy_menu.h"

#include "colour/colour_formats.h"
#include "winservices/clipboard.h"

namespace {

std::function<void()> g_copyFailedWarning;

// Puts the colour's text on the clipboard for the user, who hears when
// nothing was copied: no colour (an unreadable sample), or a clipboard that
// another program kept.
void CopyColour(HWND owner, ColorValue color, ColourFormat format)
{
    if (color >= 0 && CopyTextToClipboard(owner, tk::Widen(FormatColour(color, format))))
        return;
    if (g_copyFailedWarning)
        g_copyFailedWarning();
    else
        ::MessageBeep(MB_ICONWARNING);
}

} // namespace

CopyMenu::CopyMenu(const tk::Window& owner) : m_owner(owner)
{
    for (std::size_t i = 0; i < mCopyFormat.size(); ++i) {
        const ColourFormat format = kColourFormats[i];
        mCopyFormat[i].Click = [this, format] { CopyColour(m_owner.hWnd(), m_color, format); };
        mCopy.Items.push_back(&mCopyFormat[i]);
    }
}

void CopyMenu::Refresh(ColorValue color)
{
    m_color = color;
    const bool hasColour = color >= 0;
    mCopy.Enabled = hasColour;
    // With no colour the greyed item opens nothing, so its texts may stay.
    for (std::size_t i = 0; i < mCopyFormat.size() && hasColour; ++i)
        mCopyFormat[i].Caption = tk::Widen(FormatColour(color, kColourFormats[i]));
}

void CopyWebColour(const tk::Window& owner, ColorValue color)
{
    CopyColour(owner.hWnd(), color, ColourFormat::Web);
}

void SetCopyFailedWarning(std::function<void()> warn)
{
    g_copyFailedWarning = std::move(warn);
}
