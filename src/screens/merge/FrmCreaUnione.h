#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmCreaUnione : public Screen {
    Q_OBJECT

public:
    explicit FrmCreaUnione(ScreenContext& context);

private:
    ScreenContext& context_;
};
