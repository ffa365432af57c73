#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmRiepilogo : public Screen {
    Q_OBJECT

public:
    explicit FrmRiepilogo(ScreenContext& context);

private:
    ScreenContext& context_;
};
