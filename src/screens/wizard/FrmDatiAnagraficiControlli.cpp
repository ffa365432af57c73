// How the entry screen is built: the rows of the paper form, its colours,
// box lengths, masks, names for screen readers, the tab order and the menus.

#include "CasellaImporto.h"
#include "FrmDatiAnagrafici.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

const QString kSuggerimentoTab =
    QStringLiteral("Premi il tasto TAB per passare da una casella all'altra");
const QString kMascheraData = QStringLiteral("99/99/9999;_");
const QColor kRossoStudente(192, 0, 0);

// The columns of the form: label and box on the left, in the middle and on
// the right.
enum Colonna {
    kEtichettaSinistra,
    kSinistra,
    kEtichettaCentro,
    kCentro,
    kEtichettaDestra,
    kDestra
};
constexpr int kColonne = 6;

QLabel* etichetta(const QString& testo, QWidget* casella = nullptr) {
    auto* label = new QLabel(testo);
    label->setBuddy(casella);
    return label;
}

QLabel* intestazione(const char* nome, const QString& testo, const QColor& colore) {
    auto* label = new QLabel(testo);
    label->setObjectName(QString::fromLatin1(nome));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colore);
    label->setPalette(palette);
    return label;
}

void coloraTesto(QLineEdit* casella, const QColor& colore) {
    QPalette palette = casella->palette();
    palette.setColor(QPalette::Text, colore);
    casella->setPalette(palette);
}

// A label, the euro sign and the box, one after the other.
QHBoxLayout* importo(QWidget* casella) {
    auto* riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("€")));
    riga->addWidget(casella, 1);
    return riga;
}

QMenu* menu(QMenuBar* barra, const char* nome, const QString& titolo) {
    QMenu* nuovo = barra->addMenu(titolo);
    nuovo->setObjectName(QString::fromLatin1(nome));
    nuovo->menuAction()->setObjectName(QString::fromLatin1(nome));
    return nuovo;
}

QAction* voce(QMenu* menu, const char* nome, const QString& testo,
              const QKeySequence& scorciatoia = {}) {
    QAction* azione = menu->addAction(testo);
    azione->setObjectName(QString::fromLatin1(nome));
    azione->setShortcut(scorciatoia);
    return azione;
}

// Wide enough to show a whole upper-case value of a short field (a codice
// fiscale, a postcode) and the first twenty characters of a long one.
void larghezzaPerIlTesto(QLineEdit* box, int lunghezza) {
    if (lunghezza == 0) {
        return;
    }
    const QString campione(std::min(lunghezza, 20), u'N');
    const int margini = 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(campione) + margini);
}

}  // namespace

QLineEdit* FrmDatiAnagrafici::nuovaCasella(const DescrizioneCampo& campo) {
    QLineEdit* box = nullptr;
    if (campo.tipo == TipoCampo::Importo) {
        box = new CasellaImporto(this);
    } else {
        box = new QLineEdit(this);
        box->setMaxLength(LunghezzaCasella(campo.campo));
    }
    box->setObjectName(QString::fromLatin1(campo.casella));
    box->setAccessibleName(NomeCasella(campo.campo));
    caselle_[static_cast<std::size_t>(campo.campo)] = box;
    return box;
}

void FrmDatiAnagrafici::costruisciModulo() {
    for (const DescrizioneCampo& campo : kCampi) {
        nuovaCasella(campo);
    }
    TxtSpese = static_cast<CasellaImporto*>(casella(Casella::Spese));
    TxtIsee = static_cast<CasellaImporto*>(casella(Casella::Isee));

    Label30 = new QLabel(this);
    Label30->setObjectName(QStringLiteral("Label30"));
    CmdIndietro = new QPushButton(QStringLiteral("<   Indietro"), this);
    CmdEsci = new QPushButton(QStringLiteral("&Esci"), this);
    cmdannulla = new QPushButton(QStringLiteral("Annulla"), this);
    CmdAvanti = new QPushButton(QStringLiteral("&Successivo "), this);
    cmdModfica = new QPushButton(QStringLiteral("Modifica"), this);
    CmdIndietro->setObjectName(QStringLiteral("CmdIndietro"));
    CmdEsci->setObjectName(QStringLiteral("CmdEsci"));
    cmdannulla->setObjectName(QStringLiteral("cmdannulla"));
    CmdAvanti->setObjectName(QStringLiteral("CmdAvanti"));
    cmdModfica->setObjectName(QStringLiteral("cmdModfica"));

    auto* griglia = new QGridLayout(this);
    int riga = 0;
    const auto tuttaLaRiga = [&](QWidget* widget) {
        griglia->addWidget(widget, riga++, 0, 1, kColonne);
    };
    // A field's label and box, the box in the column after its label's.
    const auto campo = [&](const QString& testo, Casella quale, Colonna colonnaEtichetta) {
        QLineEdit* box = casella(quale);
        griglia->addWidget(etichetta(testo, box), riga, colonnaEtichetta);
        griglia->addWidget(box, riga, colonnaEtichetta + 1);
    };
    const auto persona = [&](Casella cogn, Casella nome, Casella luogo, Casella data,
                             Casella codFisc, Casella com, Casella cap, Casella via, Casella num) {
        campo(QStringLiteral("Cognome:"), cogn, kEtichettaSinistra);
        campo(QStringLiteral("Nome:"), nome, kEtichettaDestra);
        ++riga;
        campo(QStringLiteral("Nato/a a:"), luogo, kEtichettaSinistra);
        campo(QStringLiteral("il:"), data, kEtichettaCentro);
        campo(QStringLiteral("Codice fiscale:"), codFisc, kEtichettaDestra);
        ++riga;
        campo(QStringLiteral("Residente nel comune di:"), com, kEtichettaSinistra);
        campo(QStringLiteral("Cap:"), cap, kEtichettaDestra);
        ++riga;
        campo(QStringLiteral("Via/Piazza:"), via, kEtichettaSinistra);
        campo(QStringLiteral("n."), num, kEtichettaCentro);
        ++riga;
    };

    const QColor coloreRichiedente = palette().color(QPalette::Active, QPalette::Highlight);
    tuttaLaRiga(
        intestazione("LabelRichiedente", QStringLiteral("Richiedente:"), coloreRichiedente));
    tuttaLaRiga(etichetta(QStringLiteral("Il sottoscritto:")));
    persona(Casella::CognRich, Casella::NomeRich, Casella::LuogoRich, Casella::DataRich,
            Casella::CodFiscRich, Casella::ComRich, Casella::CapRich, Casella::ViaRich,
            Casella::NumRich);
    tuttaLaRiga(
        etichetta(QStringLiteral("nella qualità di genitore o avente la rappresentanza "
                                 "legale dello/a studente/ssa")));
    tuttaLaRiga(intestazione("LabelStudente", QStringLiteral("Studente:"), kRossoStudente));
    persona(Casella::CognStud, Casella::NomeStud, Casella::LuogoStud, Casella::DataStud,
            Casella::CodFiscStud, Casella::ComStud, Casella::CapStud, Casella::ViaStud,
            Casella::NumStud);

    auto* anno = new QHBoxLayout;
    anno->addWidget(
        etichetta(QStringLiteral("Chiede l'erogazione della Sovvenzia per l'anno scolastico ")));
    anno->addWidget(Label30);
    anno->addStretch();
    griglia->addLayout(anno, riga++, 0, 1, kColonne);
    tuttaLaRiga(etichetta(QStringLiteral(" ai sensi della L. 10 marzo 2000, n. 62")));
    tuttaLaRiga(intestazione("LabelSpese", QStringLiteral("Dati relativi alle Spese:"),
                             palette().color(QPalette::WindowText)));
    griglia->addWidget(etichetta(QStringLiteral("Spese Sostenute:"), TxtSpese), riga,
                       kEtichettaSinistra);
    griglia->addLayout(importo(TxtSpese), riga, kSinistra);
    griglia->addWidget(etichetta(QStringLiteral("Isee:"), TxtIsee), riga, kEtichettaDestra);
    griglia->addLayout(importo(TxtIsee), riga++, kDestra);

    griglia->setRowMinimumHeight(riga++, 12);
    griglia->addWidget(CmdIndietro, riga, kEtichettaSinistra, 1, 2, Qt::AlignLeft);
    griglia->addWidget(CmdEsci, riga, kEtichettaCentro, 1, 2);
    griglia->addWidget(cmdannulla, riga, kEtichettaCentro, 1, 2);
    griglia->addWidget(CmdAvanti, riga, kEtichettaDestra, 1, 2, Qt::AlignRight);
    griglia->addWidget(cmdModfica, riga, kEtichettaDestra, 1, 2, Qt::AlignRight);
    griglia->setColumnStretch(kSinistra, 3);
    griglia->setColumnStretch(kDestra, 2);
    griglia->setColumnMinimumWidth(kCentro, 100);

    impostaCaselle();
    cmdannulla->hide();
    cmdModfica->hide();
    setDefaultButton(CmdAvanti);
}

void FrmDatiAnagrafici::impostaCaselle() {
    const QColor coloreRichiedente = palette().color(QPalette::Active, QPalette::Highlight);
    for (const DescrizioneCampo& campo : kCampi) {
        QLineEdit* box = casella(campo.campo);
        if (campo.persona == Persona::Richiedente) {
            coloraTesto(box, coloreRichiedente);
            box->setToolTip(kSuggerimentoTab);
        } else if (campo.persona == Persona::Studente) {
            coloraTesto(box, kRossoStudente);
        }
        if (campo.tipo == TipoCampo::Data) {
            box->setInputMask(kMascheraData);
        }
        box->installEventFilter(this);
        larghezzaPerIlTesto(box, LunghezzaCasella(campo.campo));
    }
    QWidget* precedente = nullptr;
    for (QWidget* widget : caselle_) {
        if (precedente != nullptr) {
            setTabOrder(precedente, widget);
        }
        precedente = widget;
    }
    chainTabOrder({TxtIsee, CmdAvanti, CmdEsci, cmdModfica, cmdannulla, CmdIndietro});
}

void FrmDatiAnagrafici::costruisciMenu() {
    auto* barra = new QMenuBar(this);
    layout()->setMenuBar(barra);

    mnuFile = menu(barra, "mnuFile", QStringLiteral("&File"));
    mnuNuovo = voce(mnuFile, "mnuNuovo", QStringLiteral("Nuova domanda da compilare"),
                    QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuSalva = voce(mnuFile, "mnuSalva", QStringLiteral("Salva modulo corrente"),
                    QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSepara"));
    mnuEsci = voce(mnuFile, "mnuEsci", QStringLiteral("Esci"), QKeySequence(Qt::CTRL | Qt::Key_X));

    mnuModifica = menu(barra, "mnuModifica", QStringLiteral("&Modifica"));
    QAction* mnuDomanda =
        voce(mnuModifica, "mnuDomanda", QStringLiteral("Domanda di partecipazione"));
    mnuannulla =
        voce(mnuModifica, "mnuannulla", QStringLiteral("Annulla i dati inseriti nel modulo"),
             QKeySequence(Qt::CTRL | Qt::Key_Z));

    MnuVisualizza = menu(barra, "MnuVisualizza", QStringLiteral("&Visualizza"));
    QAction* mnuRiepilogo =
        voce(MnuVisualizza, "mnuRiepilogo", QStringLiteral("Tabella di riepilogo"));

    QMenu* mnuGuida = menu(barra, "mnuGuida", QStringLiteral("&?"));
    QAction* mnuInfo = voce(mnuGuida, "mnuInfo", QStringLiteral("Informazioni sul prodotto"));

    connect(mnuNuovo, &QAction::triggered, this, &FrmDatiAnagrafici::mnuNuovo_Click);
    connect(mnuSalva, &QAction::triggered, this, &FrmDatiAnagrafici::mnuSalva_Click);
    connect(mnuEsci, &QAction::triggered, this, &FrmDatiAnagrafici::ConfermaUscita);
    connect(mnuDomanda, &QAction::triggered, this, &FrmDatiAnagrafici::mnuDomanda_Click);
    connect(mnuannulla, &QAction::triggered, this, &FrmDatiAnagrafici::mnuannulla_Click);
    connect(mnuRiepilogo, &QAction::triggered, this, &FrmDatiAnagrafici::mnuRiepilogo_Click);
    connect(mnuInfo, &QAction::triggered, this, &FrmDatiAnagrafici::mnuInfo_Click);
}
