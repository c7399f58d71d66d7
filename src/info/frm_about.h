// The About window.
#pragma once

#include "toolkit/form.h"

class FrmAbout : public tk::Form {
public:
    FrmAbout() : tk::Form(L"frmAbout") {}

protected:
    tk::FormStyle Style() const override { return {}; }
};

extern tk::FormInstance<FrmAbout> frmAbout;
