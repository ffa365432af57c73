#pragma once

#include "CaselleModulo.h"
#include "ControlliDomanda.h"
#include "DatiDomanda.h"
#include "ModuloDomanda.h"
#include "Result.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <array>
#include <memory>
#include <optional>

class CasellaImporto;
class SuggerimentiCodiceFiscale;
class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// The entry screen, on which the operator types the applications of the
// current list; it keeps the list open on handle 1 while it is loaded. It
// shows itself in entry mode, in blocked mode (a new list was asked for on a
// file that already holds applications) or in modify mode (the search put a
// stored application on it).
class FrmDatiAnagrafici : public Screen {
    Q_OBJECT

public:
    explicit FrmDatiAnagrafici(ScreenContext& context);
    ~FrmDatiAnagrafici() override;

    // The texts of the 20 boxes as they stand.
    ModuloDomanda LeggiModulo() const;
    // Puts texts into the 20 boxes (the search shows a found application).
    void ScriviModulo(const ModuloDomanda& modulo);
    // Empties every box and forgets that the application on screen is stored.
    void PulisciModulo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load() override;
    void activate() override;
    void closeRequested() override;
    void focusLeft(QWidget* widget) override;

    // Building the screen.
    void costruisciModulo();
    void disponiModulo();
    void costruisciMenu();
    QLineEdit* nuovaCasella(const DescrizioneCampo& campo);
    void impostaCaselle();
    // The colour of a person's heading and boxes.
    QColor colore(Persona persona) const;

    // Events.
    void CmdAvanti_Click();
    void mnuSalva_Click();
    void mnuNuovo_Click();
    void cmdModfica_Click();
    void cmdannulla_Click();
    void mnuannulla_Click();
    void mnuDomanda_Click();
    void mnuRiepilogo_Click();
    void mnuInfo_Click();
    void CmdIndietro_Click();
    void ConfermaUscita();

    // Loading and activation.
    void numeraDomande();
    void rifiutaElencoNonVuoto();
    void tornaAllaScelta(const Error& errore);
    void impostaModalita();

    // Storing.
    bool RegistraDomanda();
    void ModificaDomanda();
    // Runs the checks of the operation, showing their messages; true when
    // the application may be stored.
    bool controlla(Operazione operazione);
    void mostra(const Segnalazione& segnalazione);
    bool elencoPieno();
    // Writes recDomanda as record nRecord of handle 1; a failure is shown
    // after the words that say what was not stored.
    bool scrivi(std::int32_t nRecord, const QString& esito);
    void avanzaProssimoRecord();

    // A box lost the focus: the requester's address goes to the student's
    // boxes, and leaving one amount clears the other's separator flag.
    void casellaLasciata(QWidget* box);
    bool scorciatoiaDelMenu(const QKeyEvent& tasto) const;
    QLineEdit* casella(Casella quale) const;
    void fuocoSuCognome();

    ScreenContext& context_;
    DatiDomanda recDomanda;
    std::optional<Error> erroreApertura_;
    std::unique_ptr<SuggerimentiCodiceFiscale> suggerimenti_;
    // The list holds the most applications that record numbers allow.
    bool elencoPieno_ = false;

    std::array<QLineEdit*, kNumeroCaselle> caselle_{};
    CasellaImporto* TxtSpese = nullptr;
    CasellaImporto* TxtIsee = nullptr;
    QLabel* Label30 = nullptr;
    QPushButton* CmdIndietro = nullptr;
    QPushButton* CmdEsci = nullptr;
    QPushButton* cmdannulla = nullptr;
    QPushButton* CmdAvanti = nullptr;
    QPushButton* cmdModfica = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuModifica = nullptr;
    QMenu* MnuVisualizza = nullptr;
    QAction* mnuSalva = nullptr;
    QAction* mnuNuovo = nullptr;
    QAction* mnuEsci = nullptr;
    QAction* mnuannulla = nullptr;
};
