#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class FrmIntestazione : public Screen {
    Q_OBJECT

public:
    explicit FrmIntestazione(ScreenContext& context);

private:
    ScreenContext& context_;
};
