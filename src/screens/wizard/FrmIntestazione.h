#pragma once

#include "CommonDialog.h"
#include "Screen.h"
#include "ScreenContext.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// The heading of a new list: municipality, school grade and school year.
// "Salva" proposes the list file's name from them and lets the operator
// confirm it in a Save dialog; "Avanti" then opens the entry screen on it.
class FrmIntestazione : public Screen {
    Q_OBJECT

public:
    explicit FrmIntestazione(ScreenContext& context);

private:
    void activate() override;
    void closeRequested() override;

    void cmdOk_Click();
    void cmdAvanti_Click();
    void CmdAnnulla_Click();

    // The school year as the two two-digit years joined by a hyphen ("05-06").
    QString AnnoScolastico() const;
    // Shows "Salva" (entering) or "Avanti" (named) in their shared place.
    void MostraPulsante(QPushButton* pulsante);
    void avvisa(const QString& messaggio);

    ScreenContext& context_;
    CommonDialog CommonDialog1;
    QLineEdit* txtIntestComune;
    QComboBox* cmbScuola;
    QComboBox* Cmb1;
    QComboBox* Cmb2;
    QComboBox* Cmb3;
    QComboBox* Cmb4;
    QPushButton* cmdOk;
    QPushButton* cmdAvanti;
    QPushButton* CmdAnnulla;
};
