#include "FrmDatiAnagrafici.h"

#include "AperturaElenchi.h"
#include "Arrotondamento.h"
#include "CasellaImporto.h"
#include "DialogService.h"
#include "FileElenco.h"
#include "FrmInfo.h"
#include "FrmScelta.h"
#include "Module1.h"
#include "RiempiRecord.h"
#include "ScreenManager.h"
#include "SuggerimentiCodiceFiscale.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

const QString kElencoNonVuoto = QStringLiteral(
    " ATTENZIONE! Impossibile sovrascrivere un file esistente.\n"
    "E' necessario creare un file totalmente nuovo. Tornare al menu precedente");
const QString kDomandaUscita = QStringLiteral(
    "Attenzione! Uscendo adesso dal programma perderai i dati inseriti nell'ultima domanda di "
    "partecipazione.\n"
    "Confermi l'uscita dal programma?");
const QString kDomandaNonRegistrata = QStringLiteral(
    "La domanda di partecipazione al bando non è stata ancora registrata.\n"
    "Scegliendo no i dati andranno persi.\n"
    "Aggiungerla all'elenco?");
const QString kGiaRegistrata = QStringLiteral("Domanda di partecipazione già registrata!");
const QString kElencoPieno =
    QStringLiteral(
        "ATTENZIONE! L'elenco contiene già %1 domande, il numero massimo consentito: "
        "la domanda non può essere aggiunta.\n"
        "Per le domande successive creare un nuovo elenco.")
        .arg(FileElenco::kMassimoDomande);
const QString kNuovaDomandaNonRegistrata = QStringLiteral("La domanda non è stata registrata.");
const QString kModificaNonRegistrata = QStringLiteral("La modifica non è stata registrata.");
const QString kRiprova =
    QStringLiteral("I dati restano nel modulo: eliminata la causa, si può registrarli di nuovo.");

void abilitaMenu(QMenu* menu, bool abilitato) {
    menu->menuAction()->setEnabled(abilitato);
    for (QAction* azione : menu->actions()) {
        azione->setEnabled(abilitato);
    }
}

}  // namespace

FrmDatiAnagrafici::FrmDatiAnagrafici(ScreenContext& context)
    : Screen(context.screens), context_(context), recDomanda(AzzeraRecord()) {
    setObjectName(QStringLiteral("FrmDatiAnagrafici"));
    setWindowTitle(QStringLiteral("Dati anagrafici"));
    costruisciModulo();
    costruisciMenu();
    suggerimenti_ = std::make_unique<SuggerimentiCodiceFiscale>(caselle_, context_.elenco,
                                                                kHandleElenco, context_.stato);

    connect(CmdAvanti, &QPushButton::clicked, this, &FrmDatiAnagrafici::CmdAvanti_Click);
    connect(cmdModfica, &QPushButton::clicked, this, &FrmDatiAnagrafici::cmdModfica_Click);
    connect(cmdannulla, &QPushButton::clicked, this, &FrmDatiAnagrafici::cmdannulla_Click);
    connect(CmdIndietro, &QPushButton::clicked, this, &FrmDatiAnagrafici::CmdIndietro_Click);
    connect(CmdEsci, &QPushButton::clicked, this, &FrmDatiAnagrafici::ConfermaUscita);
}

FrmDatiAnagrafici::~FrmDatiAnagrafici() = default;

QLineEdit* FrmDatiAnagrafici::casella(Casella quale) const {
    return caselle_[static_cast<std::size_t>(quale)];
}

ModuloDomanda FrmDatiAnagrafici::LeggiModulo() const {
    ModuloDomanda modulo;
    for (const DescrizioneCampo& campo : kCampi) {
        const QLineEdit* box = casella(campo.campo);
        modulo[campo.campo] = campo.tipo == TipoCampo::Data ? box->displayText() : box->text();
    }
    return modulo;
}

void FrmDatiAnagrafici::ScriviModulo(const ModuloDomanda& modulo) {
    for (const DescrizioneCampo& campo : kCampi) {
        QLineEdit* box = casella(campo.campo);
        box->setText(modulo[campo.campo]);
        // A stored field ends in blanks: show where its text begins.
        box->setCursorPosition(0);
    }
}

void FrmDatiAnagrafici::PulisciModulo() {
    for (QLineEdit* box : caselle_) {
        box->clear();
    }
    TxtSpese->azzeraPunto();
    TxtIsee->azzeraPunto();
    context_.stato.bDomandaSalvata = false;
}

// ---- Loading and activation ----

void FrmDatiAnagrafici::load() {
    Module1& stato = context_.stato;
    PulisciModulo();
    stato.nIndiceRiepilogo = 0;
    stato.bModificaEseguita = false;
    const Result<void> aperto =
        ApriElencoConConsenso(context_.elenco, context_.dialogs, stato.sFileElenco, kHandleElenco);
    if (!aperto) {
        erroreApertura_ = aperto.error();
        return;
    }
    recDomanda = AzzeraRecord();
    numeraDomande();
    fuocoSuCognome();
}

void FrmDatiAnagrafici::numeraDomande() {
    Module1& stato = context_.stato;
    if (stato.bElencoNuovo) {
        const Result<std::int16_t> domande = context_.elenco.ContaDomande(kHandleElenco);
        if (!domande || *domande >= 1) {
            rifiutaElencoNonVuoto();
            return;
        }
        stato.nProssimoRecord = 1;
        return;
    }
    const Result<std::int64_t> lunghezza = context_.elenco.LunghezzaFile(kHandleElenco);
    if (!lunghezza) {
        context_.elenco.ChiudiElenco(kHandleElenco);
        erroreApertura_ = lunghezza.error();
        return;
    }
    const double prossimo = ArrotondaPari(static_cast<double>(*lunghezza) / kLunghezzaRecord + 1.0);
    elencoPieno_ = prossimo > FileElenco::kMassimoDomande;
    stato.nProssimoRecord =
        static_cast<std::int16_t>(elencoPieno_ ? FileElenco::kMassimoDomande : prossimo);
}

void FrmDatiAnagrafici::rifiutaElencoNonVuoto() {
    context_.stato.bPrimaAttivazione = true;
    context_.dialogs.messageBox({kElencoNonVuoto, MessageButtons::Ok, MessageIcon::Information});
    context_.elenco.ChiudiElenco(kHandleElenco);
    abilitaMenu(MnuVisualizza, false);
}

void FrmDatiAnagrafici::tornaAllaScelta(const Error& errore) {
    context_.dialogs.messageBox(
        {QStringLiteral("Impossibile lavorare sull'elenco scelto.\n%1\nScegliere un altro elenco.")
             .arg(errore.message),
         MessageButtons::Ok, MessageIcon::Critical});
    screens().show<FrmScelta>();
    screens().unload(*this);
}

void FrmDatiAnagrafici::activate() {
    if (erroreApertura_) {
        tornaAllaScelta(*erroreApertura_);
        return;
    }
    Label30->setText(context_.stato.sIntestazione);
    impostaModalita();
    context_.stato.bDomandaSalvata = false;
    if (context_.stato.bTrovato) {
        suggerimenti_->domandaCaricata();
    }
}

void FrmDatiAnagrafici::impostaModalita() {
    const Module1& stato = context_.stato;
    const bool modifica = stato.bTrovato;
    const bool inserimento = !modifica && !stato.bPrimaAttivazione;
    abilitaMenu(mnuFile, inserimento);
    abilitaMenu(mnuModifica, inserimento);
    if (inserimento) {
        abilitaMenu(MnuVisualizza, true);
    }
    CmdAvanti->setVisible(inserimento);
    CmdIndietro->setEnabled(!modifica);
    CmdEsci->setVisible(!modifica);
    cmdannulla->setVisible(modifica);
    cmdModfica->setVisible(modifica);
}

// ---- Storing ----

void FrmDatiAnagrafici::CmdAvanti_Click() {
    if (context_.stato.bDomandaSalvata) {
        PulisciModulo();
        return;
    }
    RegistraDomanda();
}

bool FrmDatiAnagrafici::RegistraDomanda() {
    if (elencoPieno() || !controlla(Operazione::Successivo)) {
        return false;
    }
    recDomanda = RiempiRecord(LeggiModulo());
    if (!scrivi(context_.stato.nProssimoRecord, kNuovaDomandaNonRegistrata)) {
        return false;
    }
    avanzaProssimoRecord();
    recDomanda = AzzeraRecord();
    PulisciModulo();
    fuocoSuCognome();
    return true;
}

void FrmDatiAnagrafici::mnuSalva_Click() {
    Module1& stato = context_.stato;
    if (stato.bDomandaSalvata) {
        context_.dialogs.messageBox({kGiaRegistrata, MessageButtons::Ok, MessageIcon::Information});
        return;
    }
    if (elencoPieno() || !controlla(Operazione::SalvaModulo)) {
        return;
    }
    recDomanda = RiempiRecord(LeggiModulo());
    if (!scrivi(stato.nProssimoRecord, kNuovaDomandaNonRegistrata)) {
        return;
    }
    stato.bDomandaSalvata = true;
    avanzaProssimoRecord();
}

void FrmDatiAnagrafici::mnuNuovo_Click() {
    const bool compilata =
        !casella(Casella::CognRich)->text().isEmpty() && !TxtIsee->text().isEmpty();
    if (context_.stato.bDomandaSalvata || !compilata) {
        PulisciModulo();
    } else {
        const MessageAnswer risposta = context_.dialogs.messageBox(
            {kDomandaNonRegistrata, MessageButtons::YesNoCancel, MessageIcon::Question});
        if (risposta == MessageAnswer::Yes) {
            RegistraDomanda();
        } else if (risposta == MessageAnswer::No) {
            PulisciModulo();
        }
    }
    fuocoSuCognome();
}

void FrmDatiAnagrafici::ModificaDomanda() {
    Module1& stato = context_.stato;
    if (!controlla(Operazione::Modifica)) {
        return;
    }
    recDomanda = RiempiRecord(LeggiModulo());
    if (!scrivi(stato.nRecordTrovato, kModificaNonRegistrata)) {
        return;
    }
    stato.bDomandaSalvata = true;
    stato.bModificaEseguita = true;
    auto& ricerca = screens().get<FrmRicerca>();
    ricerca.MostraTrovaSuccessivo();
    screens().show(ricerca);
    screens().hide(*this);
}

bool FrmDatiAnagrafici::controlla(Operazione operazione) {
    // A box left by a click on the inactive window is only noticed now.
    followFocus();
    const EsitoControlli esito = ControllaDomanda(operazione, LeggiModulo());
    for (const Segnalazione& segnalazione : esito.segnalazioni) {
        mostra(segnalazione);
    }
    if (esito.azzeraPunti) {
        TxtSpese->azzeraPunto();
        TxtIsee->azzeraPunto();
    }
    return esito.registrabile;
}

void FrmDatiAnagrafici::mostra(const Segnalazione& segnalazione) {
    context_.dialogs.messageBox({segnalazione.messaggio, MessageButtons::Ok, segnalazione.icona});
    if (segnalazione.azzera) {
        casella(*segnalazione.azzera)->setText(QStringLiteral("0"));
    }
    if (segnalazione.fuoco) {
        moveFocus(casella(*segnalazione.fuoco));
    }
}

bool FrmDatiAnagrafici::elencoPieno() {
    if (elencoPieno_) {
        context_.dialogs.messageBox({kElencoPieno, MessageButtons::Ok, MessageIcon::Exclamation});
    }
    return elencoPieno_;
}

bool FrmDatiAnagrafici::scrivi(std::int32_t nRecord, const QString& esito) {
    const Result<void> scritto = context_.elenco.ScriviDomanda(kHandleElenco, nRecord, recDomanda);
    if (!scritto) {
        context_.dialogs.messageBox({esito + u'\n' + scritto.error().message + u'\n' + kRiprova,
                                     MessageButtons::Ok, MessageIcon::Critical});
    }
    return scritto.ok();
}

void FrmDatiAnagrafici::avanzaProssimoRecord() {
    std::int16_t& prossimo = context_.stato.nProssimoRecord;
    if (prossimo >= FileElenco::kMassimoDomande) {
        elencoPieno_ = true;
        return;
    }
    ++prossimo;
}

// ---- Other events ----

void FrmDatiAnagrafici::cmdModfica_Click() {
    ModificaDomanda();
}

void FrmDatiAnagrafici::cmdannulla_Click() {
    auto& ricerca = screens().get<FrmRicerca>();
    ricerca.MostraTrovaSuccessivo();
    screens().show(ricerca);
    screens().hide(*this);
}

void FrmDatiAnagrafici::mnuannulla_Click() {
    PulisciModulo();
    fuocoSuCognome();
}

void FrmDatiAnagrafici::mnuDomanda_Click() {
    screens().show<FrmRicerca>();
    screens().hide(*this);
}

void FrmDatiAnagrafici::mnuRiepilogo_Click() {
    screens().show<FrmRiepilogo>();
}

void FrmDatiAnagrafici::mnuInfo_Click() {
    screens().hide(*this);
    screens().show<FrmInfo>();
}

void FrmDatiAnagrafici::CmdIndietro_Click() {
    context_.elenco.ChiudiElenco(kHandleElenco);
    context_.stato.bPrimaAttivazione = false;
    screens().show<FrmScelta>();
    screens().unload<FrmRiepilogo>();
    screens().unload(*this);
}

void FrmDatiAnagrafici::ConfermaUscita() {
    const bool vuota = casella(Casella::CognRich)->text().isEmpty() || TxtIsee->text().isEmpty();
    if (!vuota && !context_.stato.bDomandaSalvata) {
        const MessageAnswer risposta = context_.dialogs.messageBox(
            {kDomandaUscita, MessageButtons::YesNo, MessageIcon::None, true});
        if (risposta != MessageAnswer::Yes) {
            return;
        }
    }
    screens().endProgram();  // which closes the list
}

void FrmDatiAnagrafici::closeRequested() {
    ConfermaUscita();
}

// ---- Focus ----

bool FrmDatiAnagrafici::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        scorciatoiaDelMenu(*static_cast<QKeyEvent*>(event))) {
        // The menu's shortcuts (Ctrl+X, Ctrl+Z) win over the box's own.
        return true;
    }
    return Screen::eventFilter(watched, event);
}

bool FrmDatiAnagrafici::scorciatoiaDelMenu(const QKeyEvent& tasto) const {
    const QKeySequence sequenza(tasto.keyCombination());
    for (const QAction* azione : {mnuNuovo, mnuSalva, mnuEsci, mnuannulla}) {
        if (azione->isEnabled() && azione->shortcut() == sequenza) {
            return true;
        }
    }
    return false;
}

void FrmDatiAnagrafici::focusLeft(QWidget* widget) {
    casellaLasciata(widget);
}

void FrmDatiAnagrafici::casellaLasciata(QWidget* box) {
    static constexpr std::array<std::pair<Casella, Casella>, 4> kIndirizzo = {{
        {Casella::ComRich, Casella::ComStud},
        {Casella::CapRich, Casella::CapStud},
        {Casella::ViaRich, Casella::ViaStud},
        {Casella::NumRich, Casella::NumStud},
    }};
    for (const auto& [richiedente, studente] : kIndirizzo) {
        if (box == casella(richiedente)) {
            casella(studente)->setText(casella(richiedente)->text());
        }
    }
    suggerimenti_->casellaLasciata(box);
    if (box == TxtSpese) {
        TxtIsee->azzeraPunto();
    } else if (box == TxtIsee) {
        TxtSpese->azzeraPunto();
    }
}

void FrmDatiAnagrafici::fuocoSuCognome() {
    moveFocus(casella(Casella::CognRich));
}
