#include "FrmRiepilogo.h"

#include "Controls.h"
#include "DialogService.h"
#include "Excel.h"
#include "FileElenco.h"
#include "Module1.h"
#include "RigheRiepilogo.h"
#include "ScreenManager.h"
#include "StampaDaSchermo.h"
#include "TestiDelProgramma.h"
#include "TextGridView.h"
#include "Twips.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>

namespace {

// The window's size and the places of its controls at that size, in twips;
// a larger or smaller window moves the controls under the table with its
// bottom edge, and the table grows or shrinks with it.
constexpr int kLarghezza = 14730;
constexpr int kAltezza = 6510;
constexpr Controls::Place kGriglia{240, 240, 14415, 5415};
constexpr Controls::Place kCommand1{10080, 5880, 4215, 495};
constexpr Controls::Place kCmdIndietro{240, 6000, 1815, 375};
constexpr Controls::Place kCmdStampa{2280, 6000, 1815, 375};
constexpr Controls::Place kLblTotali{4320, 6060, 5580, 315};
// The smallest window keeps the row of buttons whole and the table's header
// with a few rows.
constexpr int kAltezzaMinimaGriglia = 1500;
constexpr int kLarghezzaMinima = kCommand1.left + kCommand1.width + kGriglia.left;
constexpr int kAltezzaMinima = kAltezza - kGriglia.height + kAltezzaMinimaGriglia;

}  // namespace

FrmRiepilogo::FrmRiepilogo(ScreenContext& context)
    : Screen(context.screens), context_(context), righe_(new RigheRiepilogo(this)) {
    setObjectName(QStringLiteral("FrmRiepilogo"));
    setWindowTitle(QStringLiteral("Riepilogo"));
    setInnerSizeTwips(kLarghezza, kAltezza);
    setMinimumSize(Twips::size(kLarghezzaMinima, kAltezzaMinima));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    Griglia = new TextGridView(this, "Griglia", *righe_, kGriglia);
    Command1 = Controls::button(
        this, "Command1", QStringLiteral("Esporta il contenuto della tabella in un foglio Excel"),
        kCommand1);
    CmdIndietro =
        Controls::button(this, "CmdIndietro", QStringLiteral("<     Indietro"), kCmdIndietro);
    CmdStampa = Controls::button(this, "CmdStampa", QStringLiteral("&Stampa..."), kCmdStampa);
    LblTotali = Controls::label(this, "LblTotali", QString(), kLblTotali);
    chainTabOrder({Griglia, Command1, CmdIndietro, CmdStampa});

    connect(Command1, &QPushButton::clicked, this, &FrmRiepilogo::Command1_Click);
    connect(CmdIndietro, &QPushButton::clicked, this, &FrmRiepilogo::CmdIndietro_Click);
    connect(CmdStampa, &QPushButton::clicked, this, &FrmRiepilogo::CmdStampa_Click);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, CmdStampa,
            &QPushButton::click);
}

void FrmRiepilogo::setVisible(bool visible) {
    if (visible && !isVisible() && !CaricaRiepilogo()) {
        return;
    }
    Screen::setVisible(visible);
}

void FrmRiepilogo::resizeEvent(QResizeEvent* event) {
    Screen::resizeEvent(event);
    const QSize crescita = size() - Twips::size(kLarghezza, kAltezza);
    Griglia->setGeometry(Twips::rect(kGriglia.left, kGriglia.top, kGriglia.width, kGriglia.height)
                             .adjusted(0, 0, crescita.width(), crescita.height()));
    const std::pair<QWidget*, Controls::Place> sotto[] = {{Command1, kCommand1},
                                                          {CmdIndietro, kCmdIndietro},
                                                          {CmdStampa, kCmdStampa},
                                                          {LblTotali, kLblTotali}};
    for (const auto& [controllo, posto] : sotto) {
        controllo->move(Twips::toPixels(QPoint(posto.left, posto.top)) +
                        QPoint(0, crescita.height()));
    }
}

void FrmRiepilogo::activate() {
    if (!isVisible()) {
        // The opening found nothing to show: the entry screen stays in front.
        screens().hide(*this);
        return;
    }
    screens().hide<FrmDatiAnagrafici>();
    ImpostaColonne();
}

bool FrmRiepilogo::CaricaRiepilogo() {
    Module1& stato = context_.stato;
    if (stato.bModificaEseguita) {
        righe_->svuota();
        stato.nIndiceRiepilogo = 0;
    }
    const Result<std::int16_t> n = context_.elenco.ContaDomande(kHandleElenco);
    if (n && *n == 0) {
        context_.dialogs.messageBox({kFileVuoto, MessageButtons::Ok, MessageIcon::Information});
        return false;
    }
    if (n && *n < stato.nIndiceRiepilogo) {
        // The list lost records behind the program's back: start over, so
        // that row r keeps showing record r.
        righe_->svuota();
        stato.nIndiceRiepilogo = 0;
    }
    const Result<QByteArray> nuove =
        n ? LeggiRecords(stato.nIndiceRiepilogo + 1, *n) : Result<QByteArray>(n.error());
    if (!nuove) {
        context_.dialogs.messageBox(
            {QStringLiteral("Impossibile mostrare la tabella di riepilogo.\n") +
                 nuove.error().message,
             MessageButtons::Ok, MessageIcon::Critical});
        return false;
    }
    righe_->aggiungi(*nuove);
    stato.nIndiceRiepilogo = *n;
    MostraTotali();
    return true;
}

Result<QByteArray> FrmRiepilogo::LeggiRecords(int primo, int ultimo) const {
    QByteArray records;
    if (ultimo < primo) {
        return records;
    }
    records.reserve(static_cast<qsizetype>(ultimo - primo + 1) * kLunghezzaRecord);
    const Result<void> letto = context_.elenco.LeggiABlocchi(
        kHandleElenco, primo, ultimo, [&](std::int32_t, const QByteArray& blocco) {
            records.append(blocco);
            return true;
        });
    if (!letto) {
        return letto.error();
    }
    return records;
}

void FrmRiepilogo::ImpostaColonne() {
    for (int c = 0; c < kColonneRiepilogo; ++c) {
        Griglia->setColWidthTwips(c, kColonneTabella[c].larghezza);
        righe_->setHeaderText(c, IntestazioneRiepilogo(c));
    }
}

void FrmRiepilogo::MostraTotali() {
    LblTotali->setText(righe_->totali());
    LblTotali->adjustSize();
}

void FrmRiepilogo::CmdIndietro_Click() {
    screens().show<FrmDatiAnagrafici>();
    screens().hide(*this);
}

void FrmRiepilogo::closeRequested() {
    CmdIndietro_Click();
}

void FrmRiepilogo::Command1_Click() {
    const QString comune = context_.dialogs.inputBox(
        {QStringLiteral("Comune di:"), kTitoloDomande, QString(), kPosizioneDomande});
    const QString grado =
        context_.dialogs.inputBox({QStringLiteral("Inserire di seguito il grado della scuola..."),
                                   kTitoloDomande, QString(), kPosizioneDomande});
    Excel::EsportaExcel({context_.dialogs, context_.desktop, context_.elenco.fileSystem()},
                        *Griglia, grado, comune, QStringLiteral("3-9"), 1, 1,
                        QStringLiteral("1-2-4-5-6-7-8-10-11-12"), QString());
}

void FrmRiepilogo::CmdStampa_Click() {
    const QString& elenco = context_.stato.sFileElenco;
    const RiepilogoInStampa tabella(*Griglia, *righe_);
    StampaDaSchermo({this, context_.dialogs, context_.elenco.fileSystem(), elenco}, tabella,
                    {QFileInfo(elenco).fileName(), context_.stato.sIntestazione,
                     QDate::currentDate(), righe_->totali()})
        .esegui();
}
