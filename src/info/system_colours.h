// Under a high-contrast theme the About and Help windows draw their words
// and backgrounds in the theme's colours; the light bulb stays as drawn.
#pragma once

class FrmAbout;
class FrmHelp;

void UseThemeColoursIfHighContrast(FrmAbout& about);
void UseThemeColoursIfHighContrast(FrmHelp& help);
