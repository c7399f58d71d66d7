// The Help note.
#pragma once

#include "toolkit/form.h"

class FrmHelp : public tk::Form {
public:
    FrmHelp() : tk::Form(L"frmHelp") {}

protected:
    tk::FormStyle Style() const override { return {}; }
};

extern tk::FormInstance<FrmHelp> frmHelp;
