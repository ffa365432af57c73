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
#include "TrailingHint.h"
#include "Twips.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>

namespace {

const QString kNonImporto = QStringLiteral(
    "Non è un importo: scrivere solo cifre, con la virgola o il punto prima dei centesimi. "
    "Finché non è corretto non limita le domande mostrate.");

// The band of the filter boxes above the table; the table and the controls
// under it stand that much lower than in a window without it.
constexpr int kBanda = 480;
constexpr Controls::Place sottoLaBanda(Controls::Place posto) {
    return {posto.left, posto.top + kBanda, posto.width, posto.height};
}
constexpr Controls::Place kLblFiltro{240, 270, 700, 255};
constexpr Controls::Place kTxtFiltro{960, 240, 4800, 315};
constexpr Controls::Place kLblIseeMassimo{6120, 270, 1300, 255};
constexpr Controls::Place kTxtIseeMassimo{7440, 240, 1500, 315};
constexpr Controls::Place kLblSpeseMinime{9300, 270, 1100, 255};
constexpr Controls::Place kTxtSpeseMinime{10420, 240, 1500, 315};

// The window's size and the places of its controls at that size, in twips;
// a larger or smaller window moves the controls under the table with its
// bottom edge, and the table grows or shrinks with it.
constexpr int kLarghezza = 14730;
constexpr int kAltezza = 6510 + kBanda;
constexpr Controls::Place kGriglia = sottoLaBanda({240, 240, 14415, 5415});
constexpr Controls::Place kCommand1 = sottoLaBanda({10080, 5880, 4215, 495});
constexpr Controls::Place kCmdIndietro = sottoLaBanda({240, 6000, 1815, 375});
constexpr Controls::Place kCmdStampa = sottoLaBanda({2280, 6000, 1815, 375});
constexpr Controls::Place kLblTotali = sottoLaBanda({4320, 6060, 5580, 315});
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

    TxtFiltro =
        casellaFiltro("LblFiltro", QStringLiteral("&Cerca:"), "TxtFiltro", kLblFiltro, kTxtFiltro);
    TxtIseeMassimo = casellaFiltro("LblIseeMassimo", QStringLiteral("&ISEE fino a €"),
                                   "TxtIseeMassimo", kLblIseeMassimo, kTxtIseeMassimo);
    TxtSpeseMinime = casellaFiltro("LblSpeseMinime", QStringLiteral("S&pese da €"),
                                   "TxtSpeseMinime", kLblSpeseMinime, kTxtSpeseMinime);
    Griglia = new TextGridView(this, "Griglia", *righe_, kGriglia);
    Command1 = Controls::button(
        this, "Command1", QStringLiteral("Esporta il contenuto della tabella in un foglio Excel"),
        kCommand1);
    CmdIndietro =
        Controls::button(this, "CmdIndietro", QStringLiteral("<     Indietro"), kCmdIndietro);
    CmdStampa = Controls::button(this, "CmdStampa", QStringLiteral("&Stampa..."), kCmdStampa);
    LblTotali = Controls::label(this, "LblTotali", QString(), kLblTotali);
    chainTabOrder(
        {TxtFiltro, TxtIseeMassimo, TxtSpeseMinime, Griglia, Command1, CmdIndietro, CmdStampa});
    // The boxes that must hold an amount are marked while they do not.
    for (QLineEdit* importo : {TxtIseeMassimo, TxtSpeseMinime}) {
        auto* segno = new TrailingHint(importo);
        connect(importo, &QLineEdit::textChanged, segno, [segno](const QString& testo) {
            segno->show(NonImporto(testo) ? QStringList{kNonImporto} : QStringList());
        });
    }
    for (QLineEdit* casella : {TxtFiltro, TxtIseeMassimo, TxtSpeseMinime}) {
        connect(casella, &QLineEdit::textChanged, this, &FrmRiepilogo::Filtra);
        new QShortcut(QKeySequence(Qt::Key_Escape), casella, casella, &QLineEdit::clear,
                      Qt::WidgetShortcut);
    }
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        TxtFiltro->setFocus(Qt::ShortcutFocusReason);
        TxtFiltro->selectAll();
    });

    connect(Command1, &QPushButton::clicked, this, &FrmRiepilogo::Command1_Click);
    connect(CmdIndietro, &QPushButton::clicked, this, &FrmRiepilogo::CmdIndietro_Click);
    connect(CmdStampa, &QPushButton::clicked, this, &FrmRiepilogo::CmdStampa_Click);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, CmdStampa,
            &QPushButton::click);
}

QLineEdit* FrmRiepilogo::casellaFiltro(const char* etichetta, const QString& testo,
                                       const char* nome, Controls::Place postoEtichetta,
                                       Controls::Place posto) {
    QLabel* label = Controls::label(this, etichetta, testo, postoEtichetta);
    QLineEdit* casella = Controls::textBox(this, nome, posto);
    label->setBuddy(casella);
    casella->setAccessibleName(QString(testo).remove(u'&').remove(u':').trimmed());
    return casella;
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
    Griglia->setGeometry(Twips::rect(kGriglia)
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

void FrmRiepilogo::Filtra() {
    righe_->filtra({TxtFiltro->text(), LimiteImporto(TxtIseeMassimo->text()),
                    LimiteImporto(TxtSpeseMinime->text())});
    MostraTotali();
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
                        *Griglia, grado, comune, ColonneDelTipo(TipoColonna::Data), 1, 1,
                        ColonneDelTipo(TipoColonna::Testo), QString());
}

void FrmRiepilogo::CmdStampa_Click() {
    const QString& elenco = context_.stato.sFileElenco;
    const RiepilogoInStampa tabella(*Griglia, *righe_);
    StampaDaSchermo({this, context_.dialogs, context_.elenco.fileSystem(), elenco}, tabella,
                    {QFileInfo(elenco).fileName(), context_.stato.sIntestazione,
                     QDate::currentDate(), righe_->totali(), righe_->filtro().descrizione()})
        .esegui();
}
