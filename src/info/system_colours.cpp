// The information windows in a high-contrast theme's colours.
#include "info/system_colours.h"

#include "info/frm_about.h"
#include "info/frm_help.h"
#include "winservices/accessibility.h"

void UseThemeColoursIfHighContrast(FrmAbout& about)
{
    if (!IsHighContrast())
        return;
    // A dialog's colours: button face behind, button text, and the theme's
    // colour for links.
    about.SetBackColor(::GetSysColor(COLOR_BTNFACE));
    for (tk::Label* label : {&about.Label2, &about.Label3, &about.Label5, &about.Label4})
        label->SetForeColor(::GetSysColor(COLOR_BTNTEXT));
    about.Label1.SetForeColor(::GetSysColor(COLOR_HOTLIGHT));
}

void UseThemeColoursIfHighContrast(FrmHelp& help)
{
    if (!IsHighContrast())
        return;
    // The note already lies on the tool-tip background; its title takes the
    // tool-tip text colour as the paragraph does.
    help.SetBackColor(::GetSysColor(COLOR_INFOBK));
    help.Label2.SetForeColor(::GetSysColor(COLOR_INFOTEXT));
    help.Label1.SetForeColor(::GetSysColor(COLOR_INFOTEXT));
}
