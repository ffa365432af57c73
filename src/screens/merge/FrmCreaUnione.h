#pragma once

#include "CommonDialog.h"
#include "ElenchiDaUnire.h"
#include "Screen.h"
#include "ScreenContext.h"

class QLineEdit;

// Writes every application of a first list and then of a second list into a
// new list file, leaving both lists unchanged. Opens in front of the choice
// screen, which stays visible behind it.
class FrmCreaUnione : public Screen {
    Q_OBJECT

public:
    explicit FrmCreaUnione(ScreenContext& context);

private:
    void closeRequested() override;

    void cmdSfoglia1_Click();
    void cmdSfoglia2_Click();
    void cmdsalva_Click();
    void cmdUnisci_Click();
    void cmdIndietro_Click();

    // Whether the existing file named as the new list may be replaced.
    bool sostituzioneConfermata();

    ScreenContext& context_;
    CommonDialog CommonDialog1;
    ElenchiDaUnire elenchi_;
    // The new list's name, as the last successful "Salva" gave it; edits of
    // txtNuovo do not change it until the next "Salva".
    QString sNuovoElenco;
    QLineEdit* txtElenco1;
    QLineEdit* txtElenco2;
    QLineEdit* txtNuovo;
};
