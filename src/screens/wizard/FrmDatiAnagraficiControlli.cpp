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
#include <array>

namespace {

const QString kSuggerimentoTab =
    QStringLiteral("Premi il tasto TAB per passare da una casella all'altra");
const QString kMascheraData = QStringLiteral("99/99/9999;_");

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

// A box of the form: its label, the line of the form and the column of the
// label; the box takes the next column.
struct Posto {
    Casella casella;
    const char16_t* etichetta;
    int riga;
    Colonna colonna;
};

constexpr std::array<Posto, kNumeroCaselle> kPosti{{
    {Casella::CognRich, u"Cognome:", 2, kEtichettaSinistra},
    {Casella::NomeRich, u"Nome:", 2, kEtichettaDestra},
    {Casella::LuogoRich, u"Nato/a a:", 3, kEtichettaSinistra},
    {Casella::DataRich, u"il:", 3, kEtichettaCentro},
    {Casella::CodFiscRich, u"Codice fiscale:", 3, kEtichettaDestra},
    {Casella::ComRich, u"Residente nel comune di:", 4, kEtichettaSinistra},
    {Casella::CapRich, u"Cap:", 4, kEtichettaDestra},
    {Casella::ViaRich, u"Via/Piazza:", 5, kEtichettaSinistra},
    {Casella::NumRich, u"n.", 5, kEtichettaCentro},
    {Casella::CognStud, u"Cognome:", 8, kEtichettaSinistra},
    {Casella::NomeStud, u"Nome:", 8, kEtichettaDestra},
    {Casella::LuogoStud, u"Nato/a a:", 9, kEtichettaSinistra},
    {Casella::DataStud, u"il:", 9, kEtichettaCentro},
    {Casella::CodFiscStud, u"Codice fiscale:", 9, kEtichettaDestra},
    {Casella::ComStud, u"Residente nel comune di:", 10, kEtichettaSinistra},
    {Casella::CapStud, u"Cap:", 10, kEtichettaDestra},
    {Casella::ViaStud, u"Via/Piazza:", 11, kEtichettaSinistra},
    {Casella::NumStud, u"n.", 11, kEtichettaCentro},
    {Casella::Spese, u"Spese Sostenute:", 15, kEtichettaSinistra},
    {Casella::Isee, u"Isee:", 15, kEtichettaDestra},
}};

// A line of words across the form. A named one is a heading, in bold and
// in the colour of the person it introduces.
struct Scritta {
    int riga;
    const char* nome;
    const char16_t* testo;
    Persona persona;
};

constexpr std::array<Scritta, 6> kScritte{{
    {0, "LabelRichiedente", u"Richiedente:", Persona::Richiedente},
    {1, nullptr, u"Il sottoscritto:", Persona::Nessuna},
    {6, nullptr,
     u"nella qualità di genitore o avente la rappresentanza legale dello/a studente/ssa",
     Persona::Nessuna},
    {7, "LabelStudente", u"Studente:", Persona::Studente},
    {13, nullptr, u" ai sensi della L. 10 marzo 2000, n. 62", Persona::Nessuna},
    {14, "LabelSpese", u"Dati relativi alle Spese:", Persona::Nessuna},
}};
constexpr int kRigaAnno = 12;
constexpr int kRigaPulsanti = 17;

QLabel* scritta(const Scritta& riga, const QColor& colore) {
    auto* label = new QLabel(QString::fromUtf16(riga.testo));
    if (riga.nome != nullptr) {
        label->setObjectName(QString::fromLatin1(riga.nome));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colore);
        label->setPalette(palette);
    }
    return label;
}

void coloraTesto(QLineEdit* casella, const QColor& colore) {
    QPalette palette = casella->palette();
    palette.setColor(QPalette::Text, colore);
    casella->setPalette(palette);
}

// The euro sign, then the box.
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

QPushButton* pulsante(QWidget* schermo, const char* nome, const QString& testo) {
    auto* nuovo = new QPushButton(testo, schermo);
    nuovo->setObjectName(QString::fromLatin1(nome));
    return nuovo;
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

QColor FrmDatiAnagrafici::colore(Persona persona) const {
    switch (persona) {
        case Persona::Richiedente:
            return palette().color(QPalette::Active, QPalette::Highlight);
        case Persona::Studente:
            return QColor(192, 0, 0);
        case Persona::Nessuna:
            break;
    }
    return palette().color(QPalette::WindowText);
}

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
    CmdIndietro = pulsante(this, "CmdIndietro", QStringLiteral("<   Indietro"));
    CmdEsci = pulsante(this, "CmdEsci", QStringLiteral("&Esci"));
    cmdannulla = pulsante(this, "cmdannulla", QStringLiteral("Annulla"));
    CmdAvanti = pulsante(this, "CmdAvanti", QStringLiteral("&Successivo "));
    cmdModfica = pulsante(this, "cmdModfica", QStringLiteral("Modifica"));
    disponiModulo();
    impostaCaselle();
    cmdannulla->hide();
    cmdModfica->hide();
    setDefaultButton(CmdAvanti);
}

void FrmDatiAnagrafici::disponiModulo() {
    auto* griglia = new QGridLayout(this);
    for (const Scritta& riga : kScritte) {
        griglia->addWidget(scritta(riga, colore(riga.persona)), riga.riga, 0, 1, kColonne);
    }
    for (const Posto& posto : kPosti) {
        QLineEdit* box = casella(posto.casella);
        auto* etichetta = new QLabel(QString::fromUtf16(posto.etichetta));
        etichetta->setBuddy(box);
        griglia->addWidget(etichetta, posto.riga, posto.colonna);
        if (Descrizione(posto.casella).tipo == TipoCampo::Importo) {
            griglia->addLayout(importo(box), posto.riga, posto.colonna + 1);
        } else {
            griglia->addWidget(box, posto.riga, posto.colonna + 1);
        }
    }
    auto* anno = new QHBoxLayout;
    anno->addWidget(
        new QLabel(QStringLiteral("Chiede l'erogazione della Sovvenzia per l'anno scolastico ")));
    anno->addWidget(Label30);
    anno->addStretch();
    griglia->addLayout(anno, kRigaAnno, 0, 1, kColonne);

    griglia->setRowMinimumHeight(kRigaPulsanti - 1, 12);
    griglia->addWidget(CmdIndietro, kRigaPulsanti, kEtichettaSinistra, 1, 2, Qt::AlignLeft);
    griglia->addWidget(CmdEsci, kRigaPulsanti, kEtichettaCentro, 1, 2);
    griglia->addWidget(cmdannulla, kRigaPulsanti, kEtichettaCentro, 1, 2);
    griglia->addWidget(CmdAvanti, kRigaPulsanti, kEtichettaDestra, 1, 2, Qt::AlignRight);
    griglia->addWidget(cmdModfica, kRigaPulsanti, kEtichettaDestra, 1, 2, Qt::AlignRight);
    griglia->setColumnStretch(kSinistra, 3);
    griglia->setColumnStretch(kDestra, 2);
    griglia->setColumnMinimumWidth(kCentro, 100);
}

void FrmDatiAnagrafici::impostaCaselle() {
    for (const DescrizioneCampo& campo : kCampi) {
        QLineEdit* box = casella(campo.campo);
        if (campo.persona != Persona::Nessuna) {
            coloraTesto(box, colore(campo.persona));
        }
        if (campo.persona == Persona::Richiedente) {
            box->setToolTip(kSuggerimentoTab);
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
