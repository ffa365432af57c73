#pragma once

#include "CommonDialog.h"
#include "ElenchiDaUnire.h"
#include "Screen.h"
#include "ScreenContext.h"

class QLineEdit;

// Appends every application of a second list to the end of a first one,
// unchanged and in their order. Opens in front of the choice screen, which
// stays visible behind it.
class FrmCaricaFile : public Screen {
    Q_OBJECT

public:
    explicit FrmCaricaFile(ScreenContext& context);

private:
    void closeRequested() override;

    void cmdSfoglia1_Click();
    void cmdSfoglia2_Click();
    void cmdOk_Click();
    void cmdIndietro_Click();

    ScreenContext& context_;
    CommonDialog CommonDialog1;
    ElenchiDaUnire elenchi_;
    QLineEdit* txtElenco1;
    QLineEdit* txtElenco2;
};
