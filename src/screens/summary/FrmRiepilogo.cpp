#include "FrmRiepilogo.h"

#include "Controls.h"
#include "DialogService.h"
#include "Excel.h"
#include "FileElenco.h"
#include "Module1.h"
#include "RigaRiepilogo.h"
#include "ScreenManager.h"
#include "TextGridView.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QLocale>
#include <QPushButton>

namespace {

constexpr int kHandle = 1;

const QString kFileVuoto = QStringLiteral("Il file è vuoto!");
const QString kTitoloDomande = QStringLiteral("Gestione Sovvenzia");
const QPoint kPosizioneDomande(2000, 2000);

}  // namespace

FrmRiepilogo::FrmRiepilogo(ScreenContext& context) : Screen(context.screens), context_(context) {
    setObjectName(QStringLiteral("FrmRiepilogo"));
    setWindowTitle(QStringLiteral("Riepilogo"));
    setInnerSizeTwips(14730, 6510);

    Griglia = new TextGridView(this, "Griglia", kColonneRiepilogo, {240, 240, 14415, 5415});
    QPushButton* Command1 = Controls::button(
        this, "Command1", QStringLiteral("Esporta il contenuto della tabella in un foglio Excel"),
        {10080, 5880, 4215, 495});
    QPushButton* CmdIndietro = Controls::button(
        this, "CmdIndietro", QStringLiteral("<     Indietro"), {240, 6000, 1815, 375});
    chainTabOrder({Griglia, Command1, CmdIndietro});

    connect(Command1, &QPushButton::clicked, this, &FrmRiepilogo::Command1_Click);
    connect(CmdIndietro, &QPushButton::clicked, this, &FrmRiepilogo::CmdIndietro_Click);
}

void FrmRiepilogo::setVisible(bool visible) {
    if (visible && !isVisible() && !CaricaRiepilogo()) {
        return;
    }
    Screen::setVisible(visible);
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
    TextGridModel& righe = Griglia->cells();
    if (stato.bModificaEseguita) {
        righe.clear();
        stato.nIndiceRiepilogo = 0;
    }
    const Result<std::int16_t> n = context_.elenco.ContaDomande(kHandle);
    if (n && *n == 0) {
        context_.dialogs.messageBox({kFileVuoto, MessageButtons::Ok, MessageIcon::Information});
        return false;
    }
    if (n && *n < stato.nIndiceRiepilogo) {
        // The list lost records behind the program's back: start over, so
        // that row r keeps showing record r.
        righe.clear();
        stato.nIndiceRiepilogo = 0;
    }
    Result<std::vector<QString>> nuove =
        n ? LeggiRighe(stato.nIndiceRiepilogo + 1, *n) : Result<std::vector<QString>>(n.error());
    if (!nuove) {
        context_.dialogs.messageBox(
            {QStringLiteral("Impossibile mostrare la tabella di riepilogo.\n") +
                 nuove.error().message,
             MessageButtons::Ok, MessageIcon::Critical});
        return false;
    }
    righe.appendRows(std::move(nuove).value());
    stato.nIndiceRiepilogo = *n;
    return true;
}

Result<std::vector<QString>> FrmRiepilogo::LeggiRighe(int primo, int ultimo) const {
    const RigaRiepilogo riga{QLocale()};
    std::vector<QString> cells;
    if (ultimo >= primo) {
        cells.reserve(static_cast<std::size_t>(ultimo - primo + 1) * kColonneRiepilogo);
    }
    for (int r = primo; r <= ultimo; ++r) {
        const Result<DatiDomanda> domanda = context_.elenco.LeggiDomanda(kHandle, r);
        if (!domanda) {
            return domanda.error();
        }
        riga.aggiungi(cells, r, *domanda);
    }
    return cells;
}

void FrmRiepilogo::ImpostaColonne() {
    TextGridModel& righe = Griglia->cells();
    for (int c = 0; c < kColonneRiepilogo; ++c) {
        Griglia->setColWidthTwips(c, kColonneTabella[c].larghezza);
        righe.setText(0, c, IntestazioneRiepilogo(c));
    }
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
    Excel::EsportaExcel({context_.dialogs, context_.desktop}, Griglia->cells(), grado, comune,
                        QStringLiteral("3-9"), 1, 1, QStringLiteral("1-2-4-5-6-7-8-10-11-12"),
                        QString());
}
