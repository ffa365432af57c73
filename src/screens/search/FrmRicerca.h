#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmRicerca : public Screen {
    Q_OBJECT

public:
    explicit FrmRicerca(ScreenContext& context);

private:
    ScreenContext& context_;
};
