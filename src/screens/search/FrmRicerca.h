#pragma once

#include "RicercaDomanda.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The search for a stored application, by the requester's surname and first
// name, by codice fiscale, or by both. A hit shows the application on the
// entry screen in modify mode; the entry screen hands back here afterwards
// and the next search goes on after the hit.
class FrmRicerca : public Screen {
    Q_OBJECT

public:
    explicit FrmRicerca(ScreenContext& context);

    // The entry screen hands back after "Annulla" or a stored modification:
    // the search button then reads "Trova Successivo".
    void MostraTrovaSuccessivo();

private:
    void load() override;
    void closeRequested() override;

    void chkCognRich_Click();
    void chkCodFisc_Click();
    void CampoDiRicerca_Change();
    void cmdTrova_Click();
    void cmdIndietro_Click();

    void TrovaDomanda();
    void CercaNominativo(const QString& chiave);
    void CercaCodiceFiscale(const QString& chiave);
    void CercaNominativoCodice(const QString& chiave);
    // The scan shared by the three criteria, each on its own position.
    void Cerca(CriterioRicerca criterio, const QString& chiave, std::int16_t& posizione);
    void MostraDomandaTrovata(const DatiDomanda& domanda, std::int16_t nRecord);

    bool campiRichiestiVuoti(std::initializer_list<const QLineEdit*> campi) const;
    void segnalaErrore(const QString& messaggio);

    ScreenContext& context_;
    QCheckBox* chkCognRich;
    QLineEdit* txtcognome;
    QLineEdit* txtNome;
    QCheckBox* chkCodFisc;
    QLineEdit* txtCodFisc;
    QPushButton* cmdTrova;
    QPushButton* cmdIndietro;

    // True: the next search starts every criterion again from record 1.
    bool PrimaRicerca = true;
    // The last record examined by each criterion, 0 before the first.
    std::int16_t ind1 = 0;  // surname and first name
    std::int16_t ind2 = 0;  // codice fiscale
    std::int16_t ind3 = 0;  // all three
};
