#include "FrmRicerca.h"

#include "CaselleModulo.h"
#include "Controls.h"
#include "DialogService.h"
#include "FileElenco.h"
#include "Module1.h"
#include "RiempiRecord.h"
#include "ScreenManager.h"
#include "TestiDelProgramma.h"
#include "Twips.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kTrova = QStringLiteral("Trova");
const QString kFineFile = QStringLiteral(
    "E' stata raggiunta la fine del file. Nominativo non trovato.\n Ripartire dall'inizio?");

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption,
                    Controls::Place place) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(Twips::rect(place));
    return box;
}

}  // namespace

FrmRicerca::FrmRicerca(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmRicerca"));
    setWindowTitle(QStringLiteral("Modifica i dati di un modulo di partecipazione"));
    setInnerSizeTwips(6360, 2610);

    Controls::label(
        this, "Label1",
        QStringLiteral(
            "Seleziona quali criteri utilizzare nella ricerca del modulo da modificare:"),
        {120, 360, 6015, 255});
    chkCognRich = checkBox(this, "chkCognRich", QStringLiteral("Cognome (Richiedente)"),
                           {240, 720, 2775, 375});
    txtcognome = Controls::textBox(this, "txtcognome", {3000, 720, 2775, 315});
    QLabel* Label3 = Controls::label(this, "Label3", QStringLiteral(" Nome     (Richiedente)"),
                                     {480, 1080, 2655, 255});
    txtNome = Controls::textBox(this, "txtNome", {3000, 1080, 2775, 285});
    Label3->setBuddy(txtNome);
    chkCodFisc = checkBox(this, "chkCodFisc", QStringLiteral("Codice Fiscale (Richiedente)"),
                          {240, 1440, 2775, 255});
    txtCodFisc = Controls::textBox(this, "txtCodFisc", {3120, 1440, 2655, 285});
    txtCodFisc->setMaxLength(LunghezzaCasella(Casella::CodFiscRich));
    cmdTrova =
        Controls::button(this, "cmdTrova", QStringLiteral("&Trova"), {3360, 2040, 1695, 375});
    cmdIndietro = Controls::button(this, "cmdIndietro", QStringLiteral("T&ermina Ricerca"),
                                   {1320, 2040, 1695, 375});

    for (QLineEdit* campo : {txtcognome, txtNome, txtCodFisc}) {
        campo->setEnabled(false);
        connect(campo, &QLineEdit::textChanged, this, &FrmRicerca::CampoDiRicerca_Change);
    }
    setDefaultButton(cmdTrova);
    chainTabOrder(
        {txtcognome, txtNome, txtCodFisc, cmdTrova, cmdIndietro, chkCognRich, chkCodFisc});

    connect(chkCognRich, &QCheckBox::toggled, this, &FrmRicerca::chkCognRich_Click);
    connect(chkCodFisc, &QCheckBox::toggled, this, &FrmRicerca::chkCodFisc_Click);
    connect(cmdTrova, &QPushButton::clicked, this, &FrmRicerca::cmdTrova_Click);
    connect(cmdIndietro, &QPushButton::clicked, this, &FrmRicerca::cmdIndietro_Click);
}

void FrmRicerca::MostraTrovaSuccessivo() {
    cmdTrova->setText(QStringLiteral("Trova Successivo"));
}

void FrmRicerca::load() {
    PrimaRicerca = true;
}

void FrmRicerca::closeRequested() {
    cmdIndietro_Click();
}

void FrmRicerca::chkCognRich_Click() {
    const bool spuntato = chkCognRich->isChecked();
    txtcognome->setEnabled(spuntato);
    txtNome->setEnabled(spuntato);
    if (spuntato) {
        txtcognome->setFocus();
    }
}

void FrmRicerca::chkCodFisc_Click() {
    const bool spuntato = chkCodFisc->isChecked();
    txtCodFisc->setEnabled(spuntato);
    if (spuntato) {
        txtCodFisc->setFocus();
    }
}

void FrmRicerca::CampoDiRicerca_Change() {
    PrimaRicerca = true;
    cmdTrova->setText(kTrova);
}

void FrmRicerca::cmdTrova_Click() {
    const Result<std::int64_t> lunghezza = context_.elenco.LunghezzaFile(kHandleElenco);
    if (!lunghezza) {
        segnalaErrore(lunghezza.error().message);
        return;
    }
    // Not the record count: a file shorter than half a record passes here
    // and its scan then finds no record to read.
    if (static_cast<double>(*lunghezza) / kLunghezzaRecord <= 0) {
        context_.dialogs.messageBox({kFileVuoto, MessageButtons::Ok, MessageIcon::Information});
        return;
    }
    TrovaDomanda();
}

void FrmRicerca::TrovaDomanda() {
    if (PrimaRicerca) {
        ind1 = 0;
        ind2 = 0;
        ind3 = 0;
    }
    const bool perNominativo = chkCognRich->checkState() != Qt::Unchecked;
    const bool perCodice = chkCodFisc->checkState() != Qt::Unchecked;
    if (!perNominativo && !perCodice) {
        return;
    }
    const bool vuoti = (perNominativo && campiRichiestiVuoti({txtcognome, txtNome})) ||
                       (perCodice && campiRichiestiVuoti({txtCodFisc}));
    if (vuoti) {
        context_.dialogs.messageBox(
            {QStringLiteral("Attenzione... Immettere i dati per la ricerca"), MessageButtons::Ok,
             MessageIcon::Exclamation});
        return;
    }
    if (perNominativo && perCodice) {
        CercaNominativoCodice(
            ChiaveDiRicerca({txtcognome->text(), txtNome->text(), txtCodFisc->text()}));
    } else if (perNominativo) {
        CercaNominativo(ChiaveDiRicerca({txtcognome->text(), txtNome->text()}));
    } else {
        CercaCodiceFiscale(ChiaveDiRicerca({txtCodFisc->text()}));
    }
    PrimaRicerca = false;
}

void FrmRicerca::CercaNominativo(const QString& chiave) {
    Cerca(CriterioRicerca::Nominativo, chiave, ind1);
}

void FrmRicerca::CercaCodiceFiscale(const QString& chiave) {
    Cerca(CriterioRicerca::CodiceFiscale, chiave, ind2);
}

void FrmRicerca::CercaNominativoCodice(const QString& chiave) {
    Cerca(CriterioRicerca::NominativoCodice, chiave, ind3);
}

void FrmRicerca::Cerca(CriterioRicerca criterio, const QString& chiave, std::int16_t& posizione) {
    const Result<std::optional<DatiDomanda>> trovata =
        CercaDomanda(context_.elenco, kHandleElenco, criterio, chiave, posizione);
    if (!trovata) {
        segnalaErrore(trovata.error().message);
        return;
    }
    if (trovata->has_value()) {
        MostraDomandaTrovata(**trovata, posizione);
        return;
    }
    const MessageAnswer risposta =
        context_.dialogs.messageBox({kFineFile, MessageButtons::YesNo, MessageIcon::None, true});
    if (risposta == MessageAnswer::Yes) {
        posizione = 0;
    }
}

void FrmRicerca::MostraDomandaTrovata(const DatiDomanda& domanda, std::int16_t nRecord) {
    context_.stato.nRecordTrovato = nRecord;
    context_.stato.bTrovato = true;
    auto& datiAnagrafici = screens().get<FrmDatiAnagrafici>();
    datiAnagrafici.ScriviModulo(ModuloDelRecord(domanda));
    screens().show(datiAnagrafici);
    screens().hide(*this);
}

void FrmRicerca::cmdIndietro_Click() {
    PrimaRicerca = true;
    screens().unload(*this);
    context_.stato.bTrovato = false;
    auto& datiAnagrafici = screens().get<FrmDatiAnagrafici>();
    screens().show(datiAnagrafici);
    datiAnagrafici.PulisciModulo();
}

bool FrmRicerca::campiRichiestiVuoti(std::initializer_list<const QLineEdit*> campi) const {
    for (const QLineEdit* campo : campi) {
        if (TestoDiConfronto(campo->text()).isEmpty()) {
            return true;
        }
    }
    return false;
}

void FrmRicerca::segnalaErrore(const QString& messaggio) {
    context_.dialogs.messageBox({QStringLiteral("Ricerca interrotta.\n") + messaggio,
                                 MessageButtons::Ok, MessageIcon::Critical});
}
