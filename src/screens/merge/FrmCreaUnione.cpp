#include "FrmCreaUnione.h"

#include "AperturaElenchi.h"
#include "AvvisiUnione.h"
#include "Controls.h"
#include "ScreenManager.h"
#include "TestiDelProgramma.h"
#include "UnioneElenchi.h"
#include "wizard/FrmScelta.h"

#include <QLineEdit>
#include <QPushButton>

FrmCreaUnione::FrmCreaUnione(ScreenContext& context)
    : Screen(context.screens),
      context_(context),
      CommonDialog1(context.dialogs),
      elenchi_(context, CommonDialog1) {
    setObjectName(QStringLiteral("FrmCreaUnione"));
    setWindowTitle(QStringLiteral("Unione elenchi"));
    setInnerSizeTwips(5700, 3315);

    txtElenco2 = Controls::textBox(this, "txtElenco2", {600, 1200, 3015, 285});
    txtElenco1 = Controls::textBox(this, "txtElenco1", {600, 480, 3015, 285});
    txtElenco1->setEnabled(false);
    txtElenco2->setEnabled(false);
    auto* cmdSfoglia2 = Controls::button(this, "cmdSfoglia2", QStringLiteral("Sfoglia..."),
                                         {3960, 1080, 1095, 375});
    auto* cmdSfoglia1 =
        Controls::button(this, "cmdSfoglia1", QStringLiteral("Sfoglia..."), {3960, 360, 1095, 375});
    Controls::label(this, "Label2", QStringLiteral("Elenco n. 2"), {600, 960, 810, 195});
    Controls::label(this, "Label1", QStringLiteral("Elenco n. 1"), {600, 240, 810, 195});
    Controls::label(this, "Label3", QStringLiteral("Nuovo Elenco:"), {600, 1680, 1215, 255});
    txtNuovo = Controls::textBox(this, "txtNuovo", {600, 1920, 3015, 285});
    auto* cmdsalva =
        Controls::button(this, "cmdsalva", QStringLiteral("Salva"), {3960, 1800, 1095, 375});
    auto* cmdIndietro = Controls::button(this, "cmdIndietro", QStringLiteral("<   Indietro"),
                                         {720, 2640, 1095, 375});
    auto* cmdUnisci =
        Controls::button(this, "cmdUnisci", QStringLiteral("&Unisci"), {3840, 2640, 1095, 375});
    chainTabOrder({txtElenco2, txtElenco1, cmdSfoglia2, cmdSfoglia1, txtNuovo, cmdsalva,
                   cmdIndietro, cmdUnisci});
    cmdSfoglia2->setFocus();

    connect(cmdSfoglia1, &QPushButton::clicked, this, &FrmCreaUnione::cmdSfoglia1_Click);
    connect(cmdSfoglia2, &QPushButton::clicked, this, &FrmCreaUnione::cmdSfoglia2_Click);
    connect(cmdsalva, &QPushButton::clicked, this, &FrmCreaUnione::cmdsalva_Click);
    connect(cmdUnisci, &QPushButton::clicked, this, &FrmCreaUnione::cmdUnisci_Click);
    connect(cmdIndietro, &QPushButton::clicked, this, &FrmCreaUnione::cmdIndietro_Click);
}

void FrmCreaUnione::cmdSfoglia1_Click() {
    elenchi_.Sfoglia(kHandlePrimo, txtElenco1);
}

void FrmCreaUnione::cmdSfoglia2_Click() {
    elenchi_.Sfoglia(kHandleSecondo, txtElenco2);
}

void FrmCreaUnione::cmdsalva_Click() {
    CommonDialog1.FileName = txtNuovo->text().trimmed();
    CommonDialog1.Filter = kFiltroElenchi;
    CommonDialog1.ShowSave();
    if (CommonDialog1.FileName.trimmed().isEmpty()) {
        AvvisiUnione::avvisa(context_.dialogs,
                             QStringLiteral("inserire un nome significativo per il file"));
        return;
    }
    sNuovoElenco = CommonDialog1.FileName;
    txtNuovo->setText(sNuovoElenco);
}

void FrmCreaUnione::cmdUnisci_Click() {
    const AvvisiUnione::Mancanti mancanti{!elenchi_.Scelto(kHandlePrimo),
                                          !elenchi_.Scelto(kHandleSecondo), sNuovoElenco.isEmpty()};
    if (!mancanti.nessuno()) {
        AvvisiUnione::avvisa(context_.dialogs, AvvisiUnione::testoMancanti(mancanti));
        return;
    }
    const Result<std::int64_t> esistente = EsaminaNuovoElenco(context_.elenco, sNuovoElenco);
    if (!esistente) {
        AvvisiUnione::segnalaRifiuto(context_.dialogs, esistente.error());
        return;
    }
    const Result<PianoCopia> piano = PianificaDaElenchi(context_.elenco, TipoCopia::Unione);
    if (!piano) {
        AvvisiUnione::segnalaRifiuto(context_.dialogs, piano.error());
        return;
    }
    if (*esistente > 0 && !sostituzioneConfermata()) {
        return;
    }
    const Result<void> creato = ConConsensoDelOperatore(context_.dialogs, [&](Subentro subentro) {
        return CreaUnione(context_.elenco, sNuovoElenco, *piano, subentro);
    });
    if (!creato) {
        AvvisiUnione::segnalaGuasto(context_.dialogs, creato.error());
        return;
    }
    AvvisiUnione::avvisa(context_.dialogs, QStringLiteral(" Operazione completata"));
}

bool FrmCreaUnione::sostituzioneConfermata() {
    const QString domanda =
        QStringLiteral(
            "Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione dei "
            "due elenchi? Il suo contenuto attuale andrà perso.")
            .arg(sNuovoElenco);
    return context_.dialogs.messageBox(
               {domanda, MessageButtons::YesNo, MessageIcon::Question, true}) == MessageAnswer::Yes;
}

void FrmCreaUnione::cmdIndietro_Click() {
    elenchi_.ChiudiTutti();
    screens().show<FrmScelta>();
    screens().unload(*this);
}

void FrmCreaUnione::closeRequested() {
    cmdIndietro_Click();
}
