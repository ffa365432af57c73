#include "FrmScelta.h"

#include "Controls.h"
#include "FrmDatiAnagrafici.h"
#include "FrmIntestazione.h"
#include "Module1.h"
#include "ScreenManager.h"
#include "TestiDelProgramma.h"
#include "Twips.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString kPrimeRighe = QStringLiteral(
    "E' Necessario effettuare una scelta.\n"
    "Scegli la prima opzione se vuoi creare un nuovo elenco. \n");

const QString kMessaggioA =
    kPrimeRighe + QStringLiteral(
                      "Scegli la seconda opzione se vuoi continuare ad inserire dati "
                      "in un elenco già esistente.");

const QString kMessaggioB =
    kPrimeRighe + QStringLiteral(
                      "Scegli la seconda opzione se vuoi che i dati del secondo "
                      "elenco vengano agganciati al primo.");

// Runs the step when the option becomes selected.
template <class Handler>
void onSelected(QRadioButton* option, QObject* receiver, Handler handler) {
    QObject::connect(option, &QRadioButton::toggled, receiver, [handler](bool selected) {
        if (selected) {
            handler();
        }
    });
}

}  // namespace

FrmScelta::FrmScelta(ScreenContext& context)
    : Screen(context.screens), context_(context), CommonDialog1(context.dialogs) {
    setObjectName(QStringLiteral("FrmScelta"));
    setWindowTitle(QStringLiteral("Opzioni"));
    setInnerSizeTwips(4920, 2820);
    CommonDialog1.FileName = context.elencoDaAprire;

    TabOpzioni = new QTabWidget(this);
    TabOpzioni->setObjectName(QStringLiteral("TabOpzioni"));
    TabOpzioni->setGeometry(Twips::rect({120, 120, 4695, 2055}));
    TabOpzioni->addTab(new QWidget, QStringLiteral("Generale"));
    TabOpzioni->addTab(new QWidget, QStringLiteral("Avanzate"));

    Frame1 =
        Controls::frame(this, "Frame1", QStringLiteral("Compila Elenco"), {360, 600, 3855, 1215});
    OptNuovo = Controls::option(this, "OptNuovo", QStringLiteral("Crea un nuovo elenco"),
                                {720, 960, 2775, 255});
    OptApri = Controls::option(this, "OptApri", QStringLiteral("Continua a scrivere un elenco"),
                               {720, 1320, 2895, 195});
    Frame2 =
        Controls::frame(this, "Frame2", QStringLiteral("Unione Elenchi"), {360, 600, 3855, 1335});
    OptNuovaUnione =
        Controls::option(Frame2, "OptNuovaUnione",
                         QStringLiteral("Unisci i due elenchi esistenti in un unico nuovo elenco"),
                         {360, 360, 3015, 375});
    OptUnione =
        Controls::option(Frame2, "OptUnione", QStringLiteral("Aggiungi il secondo elenco al primo"),
                         {360, 720, 3135, 375});

    QPushButton* cmdAvanti =
        Controls::button(this, "cmdAvanti", QStringLiteral("Avanti   >"), {3240, 2280, 1455, 375});
    QPushButton* CmdAnnulla =
        Controls::button(this, "CmdAnnulla", QStringLiteral("Annulla"), {240, 2280, 1455, 375});
    setDefaultButton(cmdAvanti);
    chainTabOrder(
        {OptNuovo, OptApri, cmdAvanti, CmdAnnulla, TabOpzioni, OptNuovaUnione, OptUnione});

    connect(TabOpzioni, &QTabWidget::currentChanged, this, &FrmScelta::TabOpzioni_Click);
    onSelected(OptNuovo, this, [this] { OptNuovo_Click(); });
    onSelected(OptApri, this, [this] { OptApri_Click(); });
    onSelected(OptUnione, this, [this] { OptUnione_Click(); });
    onSelected(OptNuovaUnione, this, [this] { OptNuovaUnione_Click(); });
    connect(cmdAvanti, &QPushButton::clicked, this, &FrmScelta::cmdAvanti_Click);
    connect(CmdAnnulla, &QPushButton::clicked, this, &FrmScelta::CmdAnnulla_Click);
}

void FrmScelta::activate() {
    Frame2->hide();
    for (QRadioButton* option : {OptApri, OptNuovo, OptNuovaUnione, OptUnione}) {
        Controls::clearOption(option);
    }
    TabOpzioni->setCurrentIndex(0);
    TabOpzioni_Click();
}

void FrmScelta::TabOpzioni_Click() {
    const bool generale = TabOpzioni->currentIndex() == 0;
    Frame1->setVisible(generale);
    OptApri->setVisible(generale);
    OptNuovo->setVisible(generale);
    Frame2->setVisible(!generale);
    OptNuovaUnione->setVisible(!generale);
    OptUnione->setVisible(!generale);
}

void FrmScelta::OptNuovo_Click() {
    screens().show<FrmIntestazione>();
    screens().hide(*this);
}

void FrmScelta::OptApri_Click() {
    context_.stato.bElencoNuovo = false;
    CommonDialog1.Filter = kFiltroElenchi;
    CommonDialog1.ShowOpen();
    if (CommonDialog1.FileName.trimmed().isEmpty()) {
        Controls::clearOption(OptApri);
        return;
    }
    context_.stato.sFileElenco = CommonDialog1.FileName;
}

void FrmScelta::OptUnione_Click() {
    screens().show<FrmCaricaFile>();
}

void FrmScelta::OptNuovaUnione_Click() {
    screens().show<FrmCreaUnione>();
}

void FrmScelta::cmdAvanti_Click() {
    const int tab = TabOpzioni->currentIndex();
    if (tab == 0 && !OptApri->isChecked()) {
        avvisa(kMessaggioA);
        return;
    }
    if (tab == 1 && !OptUnione->isChecked() && !OptNuovaUnione->isChecked()) {
        avvisa(kMessaggioB);
        return;
    }
    context_.stato.sIntestazione =
        context_.dialogs.inputBox({QStringLiteral("Sovvenzia per l'anno scolastico:"),
                                   kTitoloDomande, QString(), kPosizioneDomande});
    screens().hide(*this);
    screens().show<FrmDatiAnagrafici>();
}

void FrmScelta::CmdAnnulla_Click() {
    screens().endProgram();
}

void FrmScelta::closeRequested() {
    CmdAnnulla_Click();
}

void FrmScelta::avvisa(const QString& messaggio) {
    context_.dialogs.messageBox({messaggio, MessageButtons::Ok, MessageIcon::Information});
}
