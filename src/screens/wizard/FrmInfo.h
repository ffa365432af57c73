#pragma once

#include "Screen.h"
#include "ScreenContext.h"

// The about box, opened from the entry screen's menu; built anew each time.
class FrmInfo : public Screen {
    Q_OBJECT

public:
    explicit FrmInfo(ScreenContext& context);

private:
    void cmdOk_Click();
    void closeRequested() override;
};
