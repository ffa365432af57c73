#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmDatiAnagrafici : public Screen {
    Q_OBJECT

public:
    explicit FrmDatiAnagrafici(ScreenContext& context);

private:
    ScreenContext& context_;
};
