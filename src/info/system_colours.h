// About and Help in a high-contrast theme's colours while the theme is on,
// in their own otherwise; the light bulb stays as drawn. Applied at load
// and again whenever the theme changes while the window is open.
#pragma once

class FrmAbout;
class FrmHelp;

void ApplyThemeColours(FrmAbout& about);
void ApplyThemeColours(FrmHelp& help);
