#include "FrmIntestazione.h"

#include "Controls.h"
#include "FrmDatiAnagrafici.h"
#include "FrmScelta.h"
#include "Module1.h"
#include "ScreenManager.h"
#include "TestiDelProgramma.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kPrimaria = QStringLiteral("primaria");
const QString kPrimoGrado = QStringLiteral("secondaria di primo grado");
const QString kSecondoGrado = QStringLiteral("secondaria di secondo grado");

const QStringList kCifre = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// The code of the school grade in the proposed file name.
QString CodiceScuola(const QString& scuola) {
    if (scuola == kPrimaria) {
        return QStringLiteral("Primaria");
    }
    if (scuola == kPrimoGrado) {
        return QStringLiteral("SecPrimoGrado");
    }
    if (scuola == kSecondoGrado) {
        return QStringLiteral("SecSecondoGrado");
    }
    return QString();
}

// A digit of the school year; the name is read out by screen readers.
QComboBox* cifra(QWidget* parent, const char* name, const QString& descrizione,
                 Controls::Place place) {
    QComboBox* combo = Controls::dropDownList(parent, name, kCifre, place);
    combo->setAccessibleName(descrizione);
    return combo;
}

}  // namespace

FrmIntestazione::FrmIntestazione(ScreenContext& context)
    : Screen(context.screens), context_(context), CommonDialog1(context.dialogs) {
    setObjectName(QStringLiteral("FrmIntestazione"));
    setWindowTitle(QStringLiteral("Intestazione"));
    setInnerSizeTwips(4635, 3450);

    QLabel* Label1 =
        Controls::label(this, "Label1", QStringLiteral("Comune di:"), {360, 360, 2055, 255});
    txtIntestComune = Controls::textBox(this, "txtIntestComune", {360, 600, 3975, 285});
    txtIntestComune->setToolTip(QStringLiteral("Non inserire simboli speciali"));
    Label1->setBuddy(txtIntestComune);

    QLabel* Label2 =
        Controls::label(this, "Label2", QStringLiteral("Scuola:"), {360, 1080, 1335, 255});
    cmbScuola = Controls::dropDownList(this, "cmbScuola", {kPrimaria, kPrimoGrado, kSecondoGrado},
                                       {360, 1320, 3975, 315});
    Label2->setBuddy(cmbScuola);

    Controls::label(this, "Label3", QStringLiteral("Anno Scolastico:"), {360, 1800, 1455, 195});
    Cmb1 = cifra(this, "Cmb1", QStringLiteral("Prima cifra del primo anno"), {360, 2040, 600, 315});
    Cmb2 =
        cifra(this, "Cmb2", QStringLiteral("Seconda cifra del primo anno"), {960, 2040, 615, 315});
    Controls::label(this, "Label4", QStringLiteral("/"), {1680, 2040, 105, 300});
    Cmb3 =
        cifra(this, "Cmb3", QStringLiteral("Prima cifra del secondo anno"), {1800, 2040, 600, 315});
    Cmb4 = cifra(this, "Cmb4", QStringLiteral("Seconda cifra del secondo anno"),
                 {2400, 2040, 615, 315});

    CmdAnnulla =
        Controls::button(this, "CmdAnnulla", QStringLiteral("&Annulla"), {360, 2640, 1335, 375});
    cmdOk = Controls::button(this, "cmdOk", QStringLiteral("Salva"), {3000, 2640, 1215, 375});
    cmdAvanti =
        Controls::button(this, "cmdAvanti", QStringLiteral("Avanti"), {3000, 2640, 1215, 375});
    MostraPulsante(cmdOk);
    // Enter presses "Salva" only: once the list is named, it does nothing
    // until the operator presses "Avanti".
    setDefaultButton(cmdOk);
    chainTabOrder(
        {txtIntestComune, cmbScuola, Cmb1, Cmb2, Cmb3, Cmb4, cmdOk, CmdAnnulla, cmdAvanti});

    CommonDialog1.CancelError = true;
    CommonDialog1.Filter = kFiltroElenchi;

    connect(cmdOk, &QPushButton::clicked, this, &FrmIntestazione::cmdOk_Click);
    connect(cmdAvanti, &QPushButton::clicked, this, &FrmIntestazione::cmdAvanti_Click);
    connect(CmdAnnulla, &QPushButton::clicked, this, &FrmIntestazione::CmdAnnulla_Click);
}

// "Avanti" is hidden on every return. "Salva" comes back too: after a named
// list and "&Annulla" the file does not exist yet, so naming it again is
// harmless, and the operator is never left with "&Annulla" alone.
void FrmIntestazione::activate() {
    MostraPulsante(cmdOk);
}

void FrmIntestazione::cmdOk_Click() {
    const QString comune = txtIntestComune->text();
    const QString scuola = cmbScuola->currentText();
    for (const QString& valore : {comune, scuola, Cmb1->currentText(), Cmb2->currentText(),
                                  Cmb3->currentText(), Cmb4->currentText()}) {
        if (valore.isEmpty()) {
            avvisa(QStringLiteral("Riempire correttamente tutti gli spazi"));
            return;
        }
    }
    const QString codice = CodiceScuola(scuola);
    const QString anno = AnnoScolastico();
    context_.stato.bElencoNuovo = true;

    CommonDialog1.FileName = comune + '_' + codice + '_' + anno;
    if (CommonDialog1.ShowSave() == CommonDialog::Esito::Annullato) {
        return;
    }
    if (CommonDialog1.FileName.trimmed().isEmpty()) {
        avvisa(
            QStringLiteral("Dare un nome significativo al file.\n"
                           "Si consiglia di lasciare inalterato quello proposto"));
        return;
    }
    context_.stato.sFileElenco = CommonDialog1.FileName;
    MostraPulsante(cmdAvanti);
}

void FrmIntestazione::cmdAvanti_Click() {
    context_.stato.sIntestazione = AnnoScolastico();
    screens().hide(*this);
    screens().show<FrmDatiAnagrafici>();
    screens().unload(*this);
}

void FrmIntestazione::CmdAnnulla_Click() {
    screens().show<FrmScelta>();
    screens().hide(*this);
}

void FrmIntestazione::closeRequested() {
    CmdAnnulla_Click();
}

QString FrmIntestazione::AnnoScolastico() const {
    return Cmb1->currentText() + Cmb2->currentText() + '-' + Cmb3->currentText() +
           Cmb4->currentText();
}

void FrmIntestazione::MostraPulsante(QPushButton* pulsante) {
    cmdOk->setVisible(pulsante == cmdOk);
    cmdAvanti->setVisible(pulsante == cmdAvanti);
}

void FrmIntestazione::avvisa(const QString& messaggio) {
    context_.dialogs.messageBox({messaggio, MessageButtons::Ok, MessageIcon::Information});
}
