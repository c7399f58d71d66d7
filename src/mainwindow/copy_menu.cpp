// Copying the current colour as text, from the Copy submenu or Ctrl+C.
#include "mainwindow/copy_menu.h"

#include "colour/colour_formats.h"
#include "colour/css_names.h"
#include "colour/more_formats.h"
#include "mainwindow/main_access.h"
#include "winservices/clipboard.h"

namespace {

std::function<void()> g_copyFailedWarning;

// Puts the colour's text on the clipboard for the user, who hears when
// nothing was copied: no colour (an unreadable sample), or a clipboard that
// another program kept.
bool CopyColourText(HWND owner, ColorValue color, const std::function<std::string(ColorValue)>& text)
{
    if (color >= 0) {
        const std::wstring copied = tk::Widen(text(color));
        if (CopyTextToClipboard(owner, copied)) {
            AnnounceCopied(owner, copied);
            return true;
        }
    }
    if (g_copyFailedWarning)
        g_copyFailedWarning();
    else
        ::MessageBeep(MB_ICONWARNING);
    return false;
}

} // namespace

CopyMenu::CopyMenu(const tk::Window& owner) : m_owner(owner)
{
    const auto plain = [](ColourFormat format) {
        return Form{[format](ColorValue c) { return FormatColour(c, format); }, {}};
    };
    const auto more = [](MoreFormat format) {
        return Form{[format](ColorValue c) { return FormatMore(c, format); }, {}};
    };
    // The further forms follow hsl(); the colour's name follows its number.
    m_forms = {plain(ColourFormat::Web),    plain(ColourFormat::Hex),    plain(ColourFormat::CssRgb),
               plain(ColourFormat::CssHsl), more(MoreFormat::Hsv),       more(MoreFormat::OkLch),
               more(MoreFormat::ColorRef),  more(MoreFormat::Floats),    plain(ColourFormat::Numeric)};
    m_forms.push_back({[](ColorValue c) { return NearestCssName(c).name; }, [](ColorValue c) {
                           const CssName name = NearestCssName(c);
                           return (name.exact ? L"" : L"\u2248 ") + tk::Widen(name.name);
                       }});

    mCopyFormat.reserve(m_forms.size());
    for (std::size_t i = 0; i < m_forms.size(); ++i) {
        mCopyFormat.emplace_back(L"");
        mCopyFormat.back().Click = [this, i] {
            if (CopyColourText(m_owner.hWnd(), m_color, m_forms[i].text) && Copied)
                Copied(m_color);
        };
    }
    for (tk::MenuItem& item : mCopyFormat)
        mCopy.Items.push_back(&item);
}

void CopyMenu::Refresh(ColorValue color)
{
    m_color = color;
    const bool hasColour = color >= 0;
    mCopy.Enabled = hasColour;
    // With no colour every item is greyed and keeps its last text.
    for (std::size_t i = 0; i < m_forms.size(); ++i) {
        mCopyFormat[i].Enabled = hasColour;
        if (hasColour)
            mCopyFormat[i].Caption =
                m_forms[i].caption ? m_forms[i].caption(color) : tk::Widen(m_forms[i].text(color));
    }
}

bool CopyWebColour(const tk::Window& owner, ColorValue color)
{
    return CopyColourText(owner.hWnd(), color, [](ColorValue c) { return FormatColour(c, ColourFormat::Web); });
}

void SetCopyFailedWarning(std::function<void()> warn)
{
    g_copyFailedWarning = std::move(warn);
}
