#include "FrmCaricaFile.h"

#include "AvvisiUnione.h"
#include "Controls.h"
#include "ScreenManager.h"
#include "UnioneElenchi.h"
#include "wizard/FrmScelta.h"

#include <QLineEdit>
#include <QPushButton>

FrmCaricaFile::FrmCaricaFile(ScreenContext& context)
    : Screen(context.screens),
      context_(context),
      CommonDialog1(context.dialogs),
      elenchi_(context, CommonDialog1) {
    setObjectName(QStringLiteral("FrmCaricaFile"));
    setWindowTitle(QStringLiteral("Unione elenchi"));
    setInnerSizeTwips(5865, 2310);

    Controls::label(this, "Label1", QStringLiteral("Elenco n. 1"), {240, 480, 810, 195});
    auto* cmdSfoglia1 =
        Controls::button(this, "cmdSfoglia1", QStringLiteral("Sfoglia..."), {4440, 360, 1095, 375});
    Controls::label(this, "Label2", QStringLiteral("Elenco n. 2"), {240, 960, 810, 195});
    auto* cmdSfoglia2 =
        Controls::button(this, "cmdSfoglia2", QStringLiteral("Sfoglia..."), {4440, 840, 1095, 375});
    auto* cmdOk =
        Controls::button(this, "cmdOk", QStringLiteral("&Unisci"), {4440, 1560, 1095, 375});
    auto* cmdIndietro = Controls::button(this, "cmdIndietro", QStringLiteral("<    Indietro"),
                                         {240, 1560, 1335, 375});
    txtElenco1 = Controls::textBox(this, "txtElenco1", {1200, 360, 3015, 405});
    txtElenco2 = Controls::textBox(this, "txtElenco2", {1200, 840, 3015, 375});
    chainTabOrder({cmdSfoglia1, cmdSfoglia2, cmdOk, cmdIndietro, txtElenco1, txtElenco2});
    cmdSfoglia1->setFocus();

    connect(cmdSfoglia1, &QPushButton::clicked, this, &FrmCaricaFile::cmdSfoglia1_Click);
    connect(cmdSfoglia2, &QPushButton::clicked, this, &FrmCaricaFile::cmdSfoglia2_Click);
    connect(cmdOk, &QPushButton::clicked, this, &FrmCaricaFile::cmdOk_Click);
    connect(cmdIndietro, &QPushButton::clicked, this, &FrmCaricaFile::cmdIndietro_Click);
}

void FrmCaricaFile::cmdSfoglia1_Click() {
    elenchi_.Sfoglia(kHandlePrimo, txtElenco1);
}

void FrmCaricaFile::cmdSfoglia2_Click() {
    elenchi_.Sfoglia(kHandleSecondo, txtElenco2);
}

void FrmCaricaFile::cmdOk_Click() {
    const AvvisiUnione::Mancanti mancanti{!elenchi_.Scelto(kHandlePrimo),
                                          !elenchi_.Scelto(kHandleSecondo)};
    if (!mancanti.nessuno()) {
        AvvisiUnione::avvisa(context_.dialogs, AvvisiUnione::testoMancanti(mancanti));
        return;
    }
    const Result<PianoCopia> piano = PianificaDaElenchi(context_.elenco, TipoCopia::Aggiunta);
    if (!piano) {
        AvvisiUnione::segnalaRifiuto(context_.dialogs, piano.error());
        return;
    }
    const Result<void> aggiunto = AggiungiElenco(context_.elenco, *piano);
    if (!aggiunto) {
        AvvisiUnione::segnalaGuasto(context_.dialogs, aggiunto.error());
        return;
    }
    AvvisiUnione::avvisa(context_.dialogs, QStringLiteral("Operazione completata"));
}

void FrmCaricaFile::cmdIndietro_Click() {
    elenchi_.ChiudiTutti();
    screens().show<FrmScelta>();
    screens().unload(*this);
}

void FrmCaricaFile::closeRequested() {
    cmdIndietro_Click();
}
