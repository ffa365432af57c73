#pragma once

#include "Screen.h"
#include "ScreenContext.h"

class QLabel;

// The intro screen: the program starts here, and goes on to the choice of
// work or ends.
class FrmPresentazione : public Screen {
    Q_OBJECT

public:
    explicit FrmPresentazione(ScreenContext& context);

private:
    // The header picture shrinks, keeping its proportions, down to half its
    // height; the controls under it move up and keep their sizes.
    void giveWay(QSize room) override;

    void Command1_Click();
    void Command3_Click();
    void closeRequested() override;

    QLabel* Picture2;
};
