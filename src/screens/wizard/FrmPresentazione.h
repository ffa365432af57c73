#pragma once

#include "Screen.h"
#include "ScreenContext.h"

// The intro screen: the program starts here, and goes on to the choice of
// work or ends.
class FrmPresentazione : public Screen {
    Q_OBJECT

public:
    explicit FrmPresentazione(ScreenContext& context);

private:
    void Command1_Click();
    void Command3_Click();
    void closeRequested() override;
};
