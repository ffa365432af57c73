#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmCaricaFile : public Screen {
    Q_OBJECT

public:
    explicit FrmCaricaFile(ScreenContext& context);

private:
    ScreenContext& context_;
};
