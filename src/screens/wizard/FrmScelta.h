#pragma once

#include "CommonDialog.h"
#include "Screen.h"
#include "ScreenContext.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The choice of work: a new list or an existing one (tab "Generale"),
// merging or appending lists (tab "Avanzate"). Created once and then only
// hidden and shown until the program ends.
class FrmScelta : public Screen {
    Q_OBJECT

public:
    explicit FrmScelta(ScreenContext& context);

private:
    void activate() override;
    void closeRequested() override;

    void TabOpzioni_Click();
    void OptNuovo_Click();
    void OptApri_Click();
    void OptUnione_Click();
    void OptNuovaUnione_Click();
    void cmdAvanti_Click();
    void CmdAnnulla_Click();

    void avvisa(const QString& messaggio);

    ScreenContext& context_;
    CommonDialog CommonDialog1;
    QTabWidget* TabOpzioni;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QRadioButton* OptNuovo;
    QRadioButton* OptApri;
    QRadioButton* OptNuovaUnione;
    QRadioButton* OptUnione;
};
