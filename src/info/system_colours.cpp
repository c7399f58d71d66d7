// The information windows in a high-contrast theme's colours, or their own.
#include "info/system_colours.h"

#include "info/frm_about.h"
#include "info/frm_help.h"
#include "winservices/accessibility.h"

#include <initializer_list>

namespace {

// Words as a label draws them unless told otherwise, and the link's blue.
constexpr COLORREF kOwnText = RGB(0, 0, 0);
constexpr COLORREF kOwnLink = RGB(0, 0, 255);

} // namespace

void ApplyThemeColours(FrmAbout& about)
{
    // A dialog's colours: button face behind, button text, and the theme's
    // colour for links. The window's own background is the button face too.
    const bool contrast = IsHighContrast();
    about.SetBackColor(::GetSysColor(COLOR_BTNFACE));
    for (tk::Label* label : {&about.Label2, &about.Label3, &about.Label5, &about.Label4})
        label->SetForeColor(contrast ? ::GetSysColor(COLOR_BTNTEXT) : kOwnText);
    about.Label1.SetForeColor(contrast ? ::GetSysColor(COLOR_HOTLIGHT) : kOwnLink);
}

void ApplyThemeColours(FrmHelp& help)
{
    // The note lies on the tool-tip background with its paragraph in the
    // tool-tip text colour, theme or not; under the theme its title takes
    // that colour too.
    help.SetBackColor(::GetSysColor(COLOR_INFOBK));
    help.Label2.SetForeColor(IsHighContrast() ? ::GetSysColor(COLOR_INFOTEXT) : kOwnText);
    help.Label1.SetForeColor(::GetSysColor(COLOR_INFOTEXT));
}
