// Copying the current colour as text, from the Copy submenu or Ctrl+C.
#include "mainwindow/copy_menu.h"

#include "colour/colour_formats.h"
#include "mainwindow/main_access.h"
#include "winservices/clipboard.h"

CopyMenu::CopyMenu(const tk::Window& owner) : m_owner(owner)
{
    for (std::size_t i = 0; i < mCopyFormat.size(); ++i) {
        const ColourFormat format = kColourFormats[i];
        mCopyFormat[i].Click = [this, format] {
            if (m_color < 0)
                return;
            const std::wstring text = tk::Widen(FormatColour(m_color, format));
            if (CopyTextToClipboard(m_owner.hWnd(), text))
                AnnounceCopied(m_owner.hWnd(), text);
        };
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
    if (color < 0)
        return;
    const std::wstring text = tk::Widen(FormatColour(color, ColourFormat::Web));
    if (CopyTextToClipboard(owner.hWnd(), text))
        AnnounceCopied(owner.hWnd(), text);
}
