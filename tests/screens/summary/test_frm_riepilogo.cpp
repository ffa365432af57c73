// The summary table over the list the entry screen holds open: the first
// fill, the rows added later without rereading, the rebuild after a
// modification or a shortening, the amounts in the locale's form, an empty
// list; sorting and filtering as a view and the totals; the export button
// after a sort; the printout's layout, and the printout as a PDF read back
// with poppler's tools; the band's filter followed by both.

#include "DomandaDiProva.h"
#include "EsportazioneDiProva.h"
#include "TextGridView.h"
#include "summary/FrmRiepilogo.h"
#include "summary/ImpaginazioneRiepilogo.h"
#include "summary/RigheRiepilogo.h"
#include "summary/StampaDaSchermo.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QXmlStreamReader>

namespace {

// An application whose requester and student are called cognome.
DatiDomanda domanda(const QString& cognome, const QString& importi = QStringLiteral("250|99.5")) {
    return DomandaDa(QStringLiteral("%1|MARIO|ROMA|05/03/1970|RSSMRA70C05H501X|ROMA|VIA APPIA|12|"
                                    "00100|%1|LUCA|MILANO|25/05/2006|RSSLCU06E25F205Y|MILANO|"
                                    "VIA DANTE|3|20100|%2")
                         .arg(cognome, importi));
}

// An application with this surname, requester's date of birth and expenses.
QByteArray record(const QString& cognome, const QString& data, const QString& spese) {
    DatiDomanda d = domanda(cognome, spese + QStringLiteral("|1"));
    d[Campo::DataRich] = data;
    return CodificaDomanda(d);
}

// An application whose requester is called cognome nome, the student living
// in the same municipality.
QByteArray richiedente(const QString& cognome, const QString& nome, const QString& importi) {
    DatiDomanda d = domanda(cognome, importi);
    d[Campo::NomeRich] = nome;
    d[Campo::ComStud] = d[Campo::ComRich];
    d[Campo::CapStud] = d[Campo::CapRich];
    return CodificaDomanda(d);
}

// The record numbers of the rows shown, in the order shown.
QString mostrate(const TextGridOrder& vista) {
    QString numeri;
    for (int r = 1; r <= vista.rowCount(); ++r) {
        numeri += QString::number(vista.cellsRow(r));
    }
    return numeri;
}

// The output of a poppler tool run on a file.
QString poppler(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    processo.waitForFinished(60000);
    return QString::fromUtf8(processo.readAllStandardOutput());
}

// Widths in characters.
const Misura kCaratteri = [](QStringView testo) { return double(testo.size()); };

// The words of each page of a PDF as poppler reads them, with their boxes
// in points.
using Parole = std::vector<std::pair<QString, QRectF>>;
std::vector<Parole> leggiStampa(const QString& pdf) {
    QXmlStreamReader xml(poppler("pdftotext", {"-bbox-layout", pdf, "-"}));
    std::vector<Parole> pagine;
    const auto v = [&](const char* nome) { return xml.attributes().value(nome).toDouble(); };
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"page") {
            pagine.emplace_back();
        } else if (xml.isStartElement() && xml.name() == u"word") {
            const QRectF box(QPointF(v("xMin"), v("yMin")), QPointF(v("xMax"), v("yMax")));
            pagine.back().emplace_back(xml.readElementText(), box);
        }
    }
    return pagine;
}

// The words inside the box, line by line from the left, joined by blanks.
QString paroleIn(Parole parole, const QRectF& box) {
    std::erase_if(parole, [&](const auto& p) { return !box.contains(p.second); });
    std::sort(parole.begin(), parole.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.top(), a.second.left()) <
               std::pair(b.second.top(), b.second.left());
    });
    QStringList testi;
    for (const auto& p : parole) {
        testi << p.first;
    }
    return testi.join(u' ');
}

// The box of the leftmost word of the text; an empty box when there is none.
QRectF trova(const Parole& parole, const QString& testo) {
    QRectF trovata;
    for (const auto& [parola, box] : parole) {
        trovata =
            parola == testo && (trovata.isNull() || box.left() < trovata.left()) ? box : trovata;
    }
    return trovata;
}

// The whole program continuing a list of these applications on the entry
// screen, which holds it open on handle 1 as it does when the operator opens
// the summary.
struct Riepilogo : EsportazioneDiProva {
    explicit Riepilogo(const std::vector<DatiDomanda>& domande) {
        QByteArray elenco;
        for (const DatiDomanda& d : domande) {
            elenco += CodificaDomanda(d);
        }
        openEntry(write(QStringLiteral("Roma.svz"), elenco));
    }

    // Stores an application through handle 1, as the entry screen does.
    void scrivi(int nRecord, const QString& cognome) {
        QVERIFY(elenchi.ScriviDomanda(1, nRecord, domanda(cognome)).ok());
    }
    void apri() { screens().show<FrmRiepilogo>(); }
    // The summary's printout as its Stampa button makes it, dated 1/9/2026.
    StampaDaSchermo stampa() {
        tabella.emplace(*griglia(), righe());
        return StampaDaSchermo({schermo(), dialogs, fs, path("Roma.svz")}, *tabella,
                               {"Roma.svz", "2025/2026", QDate(2026, 9, 1), "Totali: 100",
                                righe().filtro().descrizione()});
    }
    std::optional<RiepilogoInStampa> tabella;
    FrmRiepilogo* schermo() { return screens().find<FrmRiepilogo>(); }
    TextGridView* griglia() {
        return schermo()->findChild<TextGridView*>(QStringLiteral("Griglia"));
    }
    RigheRiepilogo& righe() { return *schermo()->findChild<RigheRiepilogo*>(); }
    QLineEdit* casella(const char* nome) { return schermo()->findChild<QLineEdit*>(nome); }
    // Row r of the table (record r), its cells joined by "|".
    QString riga(int r) {
        std::vector<QString> celle;
        righe().readRow(r, celle);
        return QStringList(celle.begin(), celle.end()).join(u'|');
    }
    void premi(const char* pulsante) { click(*schermo(), {pulsante}); }
    QString totali() { return schermo()->findChild<QLabel*>("LblTotali")->text(); }
    // The summary is in front with this many data rows, or hidden behind
    // the entry screen.
    void verifica(bool inPrimoPiano, int righe) {
        QCOMPARE(schermo() != nullptr && schermo()->isVisible(), inPrimoPiano);
        QCOMPARE(screens().get<FrmDatiAnagrafici>().isVisible(), !inPrimoPiano);
        QCOMPARE(schermo() ? this->righe().Rows() : 1, righe + 1);
        QVERIFY(!inPrimoPiano || totali().startsWith(QStringLiteral("Domande: %1 ").arg(righe)));
    }
};

// The headers of the summary table, column 0 to 14.
const QStringList kIntestazioni =
    QStringLiteral(
        "Num. |Cognome e Nome del Richiedente |Luogo di nascita|Data di nascita|"
        "Codice Fiscale|Indirizzo, Num. Civico|Comune di Residenza - CAP|"
        "Cognome e Nome dello Studente|Luogo di nascita|Data di nascita|"
        "Codice Fiscale|Indirizzo, Num. Civico|Comune di Residenza - CAP|"
        "Spese Sostenute|ISEE")
        .split(u'|');

const QString kRossi = QStringLiteral(
    "1|ROSSI MARIO|ROMA|05/03/1970|RSSMRA70C05H501X|VIA APPIA, 12|ROMA - 00100|ROSSI LUCA|MILANO|"
    "25/05/2006|RSSLCU06E25F205Y|VIA DANTE, 3|MILANO - 20100|");

}  // namespace

class TestFrmRiepilogo : public QObject {
    Q_OBJECT

    std::unique_ptr<Riepilogo> t;

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup() {
        QVERIFY(!t || t->dialogs.messages.empty());  // each test takes the ones it expects
        t.reset();
    }

    void first_opening_shows_one_row_per_record_under_the_full_header() {
        DatiDomanda senza = domanda("BIANCHI", "12345.67|100000.5");
        senza[Campo::NumRich] = senza[Campo::CapRich] = senza[Campo::NomeStud] = QString();
        t = std::make_unique<Riepilogo>(std::vector{domanda("ROSSI"), senza, domanda("VERDI")});
        t->apri();
        t->verifica(true, 3);
        QCOMPARE(t->riga(0), kIntestazioni.join(u'|'));
        QCOMPARE(t->riga(1), kRossi + "250|99,5");
        // Blank parts keep their separators; amounts have at most 7 digits.
        QCOMPARE(t->riga(2),
                 "2|BIANCHI MARIO|ROMA|05/03/1970|RSSMRA70C05H501X|VIA APPIA, |"
                 "ROMA - |BIANCHI |MILANO|25/05/2006|RSSLCU06E25F205Y|VIA DANTE, 3|"
                 "MILANO - 20100|12345,67|100000,5");
        // Amounts follow the user's locale.
        QCOMPARE(RigaRiepilogo(QLocale(QLocale::English)).importo(12345.67f), "12345.67");
        // The export converts the dates and writes the texts as texts.
        QCOMPARE(ColonneDelTipo(TipoColonna::Data), "3-9");
        QCOMPARE(ColonneDelTipo(TipoColonna::Testo), "1-2-4-5-6-7-8-10-11-12");
    }

    void later_openings_add_only_the_new_rows_until_a_modification_rebuilds_them_all() {
        t = std::make_unique<Riepilogo>(std::vector{domanda("ROSSI"), domanda("BIANCHI")});
        t->apri();
        QVERIFY(!t->schermo()->close());  // the window frame acts as Indietro
        t->verifica(false, 2);
        t->scrivi(1, "CAMBIATO");  // behind the summary's back: not reread
        t->scrivi(3, "GIALLI");
        t->apri();
        t->verifica(true, 3);
        QCOMPARE(t->riga(1), kRossi + "250|99,5");
        QCOMPARE(t->riga(3).left(15), QStringLiteral("3|GIALLI MARIO|"));
        // A list shortened behind the summary's back is read again from record 1.
        t->premi("CmdIndietro");
        QVERIFY(QFile::resize(t->path("Roma.svz"), 2 * kLunghezzaRecord));
        t->apri();
        t->verifica(true, 2);
        QCOMPARE(t->riga(1).section(u'|', 1, 1), QStringLiteral("CAMBIATO MARIO"));
        t->stato.bModificaEseguita = true;
        QHeaderView* intestazione = t->griglia()->horizontalHeader();
        QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                          QPoint(intestazione->sectionViewportPosition(1) + 5, 5));
        for (const char* cognome : {"CAMBIATO", "DI NUOVO"}) {
            t->premi("CmdIndietro");
            t->scrivi(2, cognome);
            t->apri();
            t->verifica(true, 2);
            // As shown: no text of the table before is kept.
            QCOMPARE(t->righe().text(2, 1), cognome + QStringLiteral(" MARIO"));
            QCOMPARE(t->riga(0), kIntestazioni.join(u'|'));
            // Still sorted by the requester's name, as the rows read anew say.
            std::vector<QString> primaMostrata;
            t->griglia()->readRow(1, primaMostrata);
            QCOMPARE(primaMostrata[1], QStringLiteral("CAMBIATO MARIO"));
        }
    }

    void an_empty_list_says_so_and_keeps_the_entry_screen_in_front() {
        t = std::make_unique<Riepilogo>(std::vector<DatiDomanda>{});
        t->apri();
        QCOMPARE(t->dialogs.messages, std::vector{informazione("Il file è vuoto!")});
        t->dialogs.messages.clear();
        t->verifica(false, 0);
    }

    void the_export_button_asks_municipality_then_grade_and_writes_the_whole_table() {
        DatiDomanda uguale = domanda("ROSSI", "1234.5|0");
        uguale[Campo::CapRich] = QStringLiteral("=1+1");
        t = std::make_unique<Riepilogo>(std::vector{uguale, domanda("BIANCHI")});
        t->apri();
        // Sorted by name: BIANCHI is shown, and exported, first.
        QHeaderView* intestazione = t->griglia()->horizontalHeader();
        QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                          QPoint(intestazione->sectionViewportPosition(1) + 5, 5));
        t->dialogs.goingOn->inputs = {QStringLiteral("Roma"), QStringLiteral("Primaria")};
        t->premi("Command1");
        QCOMPARE(t->dialogs.inputs.size(), 2u);
        QCOMPARE(t->dialogs.inputs[0].prompt, QStringLiteral("Comune di:"));
        QCOMPARE(t->dialogs.inputs[1].prompt, "Inserire di seguito il grado della scuola...");
        QCOMPARE(t->desktop.aperti, QStringList{t->documento(t->file().value(0))});
        QVERIFY(t->desktop.clessidraInScrittura);
        const QString bianchi = t->riga(2).section(u'|', 1, -3);
        QCOMPARE(
            t->unica(),
            QStringList(
                {"Primaria", "1:COMUNE DI: Roma", "2:SCUOLA Primaria",
                 "3:*|*" + kIntestazioni.mid(1).join("|*"), "4:|" + bianchi + "|#250|#99.5",
                 "5:|" + QString(kRossi).replace("00100", "=1+1").section(u'|', 1) + "#1234.5|#0",
                 "widths:ABCDEFGHIJKLMNO"}));
        // The cell the operator sees as current is the last one read; the
        // table itself keeps record 1 in row 1.
        QCOMPARE(t->griglia()->currentIndex(), t->griglia()->model()->index(1, 14));
        QCOMPARE(t->riga(1).section(u'|', 1, 1), QStringLiteral("ROSSI MARIO"));
    }

    void sorting_is_a_view_data() {
        QTest::addColumn<int>("colonna");
        QTest::addColumn<Qt::SortOrder>("ordine");
        QTest::addColumn<QString>("mostrati");  // record numbers in the order shown
        QTest::newRow("names in Italian order") << 1 << Qt::AscendingOrder << "52314";
        QTest::newRow("names reversed, equal ones in list order")
            << 1 << Qt::DescendingOrder << "14325";
        QTest::newRow("dates as dates, blank first") << 3 << Qt::AscendingOrder << "35214";
        QTest::newRow("amounts by value") << 13 << Qt::AscendingOrder << "25413";
    }
    void sorting_is_a_view() {
        QFETCH(int, colonna);
        QFETCH(Qt::SortOrder, ordine);
        QFETCH(QString, mostrati);
        RigheRiepilogo righe;
        TextGridOrder vista(righe);
        righe.aggiungi(record("ZOLA", "01/01/1980", "250") + record("ÈLIA", "15/06/1975", "0") +
                       record("EMMA", "", "9999999") + record("ZOLA", "01/01/1980", "99.5"));
        vista.sort(colonna, ordine);
        // A row added later takes its sorted place.
        righe.aggiungi(record("ALBA", "31/12/1969", ""));
        QCOMPARE(mostrate(vista), mostrati);
    }

    void the_filter_narrows_the_rows_shown_in_their_order_data() {
        QTest::addColumn<QString>("cerca");
        QTest::addColumn<QString>("isee");
        QTest::addColumn<QString>("spese");
        QTest::addColumn<QString>("mostrati");  // record numbers in the order shown
        QTest::addColumn<QString>("totali");
        const auto caso = [](const char* nome, const char* cerca, const char* isee,
                             const char* spese, const char* mostrati, const char* domande,
                             const char* euro) {
            QTest::newRow(nome) << QString::fromUtf8(cerca) << QString(isee) << QString(spese)
                                << QString(mostrati)
                                << QStringLiteral("Domande: %1 — Spese sostenute: € %2")
                                       .arg(QString::fromUtf8(domande), euro);
        };
        caso("words in any order", " mario  ROSSI", "", "", "2", "1 di 5", "499,99");
        caso("accents, case, apostrophe", "nicolo dell‘ACQUA", "", "", "51", "2 di 5", "1.000,00");
        caso("typographic apostrophe, acute accent", "d´angelo", "", "", "3", "1 di 5", "1.200,00");
        caso("a full field, by its last word", "felicita", "", "", "4", "1 di 5", "800,00");
        caso("dates are not searched: none", "1970", "", "", "", "0 di 5", "0,00");
        caso("fields are not run together", "romarss", "", "", "", "0 di 5", "0,00");
        caso("ISEE at most, with a comma", "", "15493,71", "", "521", "3 di 5", "1.499,99");
        caso("expenses at least", "", " ", "500", "5431", "4 di 5", "3.000,00");
        caso("not an amount: no limit", "", "15.493,71", "1e3", "54321", "5", "3.499,99");
        caso("all three", "roma", "20000", "800.00", "43", "2 di 5", "2.000,00");
    }
    void the_filter_narrows_the_rows_shown_in_their_order() {
        QFETCH(QString, cerca);
        QFETCH(QString, isee);
        QFETCH(QString, spese);
        QFETCH(QString, mostrati);
        QFETCH(QString, totali);
        RigheRiepilogo righe;
        TextGridOrder vista(righe);
        const QByteArray dellAcqua = richiedente("DELL'ACQUA", "NICOLÒ", "500|15493.71");
        righe.aggiungi(dellAcqua + richiedente("ROSSI", "MARIO", "499.99|9000") +
                       richiedente("D’ANGELO", "LUCA", "1200|20000") +
                       richiedente("BIANCHI", "ANNA MARIA ADDOLORATA FELICITA", "800|15493.72"));
        vista.sort(0, Qt::DescendingOrder);
        righe.filtra({cerca, LimiteImporto(isee), LimiteImporto(spese)});
        righe.aggiungi(dellAcqua);  // shown when it meets the filter
        QCOMPARE(mostrate(vista), mostrati);
        QCOMPARE(righe.totali(), totali);
    }

    // Typed into the band of a sorted summary: the rows shown, their totals,
    // the export and the printout follow; a box that is not an amount is
    // marked, its label's Alt key reaches it, Escape empties it and Ctrl+F
    // goes back to "Cerca:".
    void the_band_narrows_what_is_shown_exported_and_printed() {
        t = std::make_unique<Riepilogo>(
            std::vector{domanda("ROSSI", "250|9000"), domanda("VERDI", "700|16000"),
                        domanda("BIANCHI", "300|12000.5"), domanda("ROSSINI", "100|1")});
        t->apri();
        t->griglia()->sortByColumn(1, Qt::DescendingOrder);
        // A name typed and taken back first: only what the box holds counts.
        QTest::keyClicks(t->casella("TxtFiltro"), "Verdi\b\b\b\b\bMario");
        QTest::keyClicks(t->casella("TxtIseeMassimo"), "12000,5");
        QLineEdit* spese = t->casella("TxtSpeseMinime");
        QTest::keyClicks(spese, "cento");
        QCOMPARE(spese->actions().size(), 1);
        QCOMPARE(t->totali(), "Domande: 3 di 4 — Spese sostenute: € 650,00");
        t->schermo()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t->schermo()));
        QTest::keyClick(t->schermo(), Qt::Key_P, Qt::AltModifier);  // "S&pese da €"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(spese->text().isEmpty() && spese->actions().isEmpty());
        QTest::keyClick(t->schermo(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), t->casella("TxtFiltro"));

        t->dialogs.goingOn->inputs = {QStringLiteral("Roma"), QStringLiteral("Primaria")};
        t->premi("Command1");
        QStringList esportati;
        for (const QString& riga : t->unica().mid(4, 3)) {
            esportati << riga.section(u'|', 1, 1) + riga.section(u'|', -1);
        }
        QCOMPARE(esportati,
                 QStringList({"ROSSINI MARIO#1", "ROSSI MARIO#9000", "BIANCHI MARIO#12000.5"}));
        const QString pdf = t->path("filtrata.pdf");
        t->stampa().salvaPdf(pdf);
        const QString stampata = paroleIn(leggiStampa(pdf).at(0), QRectF(0, 0, 842, 595));
        QVERIFY(stampata.contains("01/09/2026 — Filtro: Cerca \"Mario\", ISEE fino a € 12.000,50"));
        QVERIFY(stampata.contains(QRegularExpression("ROSSINI .*ROSSI MARIO.*BIANCHI")) &&
                !stampata.contains("VERDI"));
    }

    void texts_wrap_at_blanks_and_long_words_at_the_edge() {
        // The text, the width in characters, the lines joined by "|".
        const std::tuple<QString, double, QString> casi[] = {
            {"ROMA - 00100", 12, "ROMA - 00100"},
            {"DELL'ACQUA GIANFRANCESCO MARIA", 15, "DELL'ACQUA|GIANFRANCESCO|MARIA"},
            {"VIA DELLA REPUBBLICA, 12", 14, "VIA DELLA|REPUBBLICA, 12"},
            {" VIA  APPIA,  ", 8, "VIA|APPIA,"},
            {"RSSMRA70C05H501X", 6, "RSSMRA|70C05H|501X"},
            {"  ", 5, ""},
        };
        for (const auto& [testo, larghezza, righe] : casi) {
            QStringList lette;
            for (const QStringView riga : DividiInRighe(testo, larghezza, kCaratteri)) {
                lette << riga.toString();
            }
            QCOMPARE(lette.join(u'|'), righe);
        }
    }

    // On pages with room for every text (400), for every word (180) and
    // only for the dates whole (140): columns side by side within the page,
    // words whole while they fit, each row as high as its tallest cell and
    // on exactly one page, the totals with room on the last.
    void columns_take_what_they_need_and_pages_hold_whole_rows() {
        RigheRiepilogo righe;
        TextGridView vista(nullptr, "Griglia", righe, {0, 0, 100, 100});
        for (int n = 1; n <= 40; ++n) {
            righe.aggiungi(record(n % 3 ? "ROSSI" : "DELL'ACQUA GIANFRANCESCO", "05/03/1970", "1"));
        }
        const RiepilogoInStampa tabella(vista, righe);
        std::vector<QString> testi;
        for (const double larghezza : {400.0, 180.0, 140.0}) {
            for (const double altezza : {16.0, 30.0, 60.0}) {
                const ImpaginazioneRiepilogo imp(larghezza, altezza, 1.0, kCaratteri, kCaratteri,
                                                 QString(150, u'x'), tabella);
                for (int c = 1; c < kColonneRiepilogo; ++c) {
                    QVERIFY(imp.sinistra(c) >= imp.sinistra(c - 1) + imp.larghezza(c - 1) - 1e-9);
                }
                QVERIFY(imp.sinistra(14) + imp.larghezza(14) <= larghezza + 1e-9);
                QVERIFY(imp.intestazione()[0].size() + 2 * imp.margine() <= larghezza + 1e-9);
                int prossima = 1;
                for (int p = 1; p <= imp.pagine(); ++p) {
                    QCOMPARE(imp.primaRiga(p), prossima);
                    double y = imp.cimaRighe();
                    for (; prossima <= imp.ultimaRiga(p); ++prossima) {
                        tabella.leggi(prossima, testi);
                        for (int c = 0; c < kColonneRiepilogo; ++c) {
                            QStringList linee;
                            for (const QStringView l :
                                 DividiInRighe(testi[c], imp.spazio(c), kCaratteri)) {
                                linee << l.toString();
                            }
                            QVERIFY(linee.size() <= imp.linee(prossima));
                            QVERIFY((larghezza < 180 && c != 3 && c != 9) ||
                                    linee.join(u' ') == testi[c].simplified());
                        }
                        y += imp.altezzaRiga(imp.linee(prossima));
                    }
                    const bool ultima = p == imp.pagine();
                    // Only the last page may hold no rows: the totals alone.
                    QVERIFY(prossima > imp.primaRiga(p) || ultima);
                    QVERIFY(y + (ultima ? 2 : 0) * imp.altezzaRiga(1) <=
                            imp.piede() - imp.altezzaRiga(1) + 1e-9);
                }
                QCOMPARE(prossima, tabella.righe() + 1);
                QCOMPARE(imp.linee(3) > 1, larghezza < 400);
            }
        }
    }

    // The printout saved as a PDF read back by poppler as a person reads
    // it: every word whole and inside its page, none over another, the
    // header band under the heading, a long name whole and in order in its
    // cell, the amounts as money along the right edges of their columns,
    // every row once, the page numbers centred and the totals last; readable by its
    // owner alone. Stopped, it leaves the earlier file as it was.
    void the_printout_saved_as_pdf_reads_back_whole() {
        std::vector<DatiDomanda> domande;
        const QStringList spese = {"1", "250.5", "1000", "1250.5"};
        for (int n = 1; n <= 100; ++n) {
            domande.push_back(domanda("ROSSI", spese[n % 4] + "|99.5"));
        }
        domande[41][Campo::CognRich] = "DELL'ACQUA GIANFRANCESCO MARIA";
        domande[41][Campo::NomeRich] = "ROSANNA MARIA FRANCESCA GIULIA";
        t = std::make_unique<Riepilogo>(domande);
        t->apri();
        const QString pdf = t->path("stampa.pdf");
        t->stampa().salvaPdf(pdf);
        QCOMPARE(QFile::permissions(pdf) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        const std::vector<Parole> pagine = leggiStampa(pdf);
        const QRectF a4(0, 0, 842, 595);
        QStringList titoli = kIntestazioni.join(u' ').split(u' ', Qt::SkipEmptyParts);
        titoli.removeAll("-");
        titoli << "di";  // of the page number
        const QRegularExpression euro("^\\d{1,3}(\\.\\d{3})*,\\d{2}$");
        std::vector<int> numeri;  // the record numbers, in the order printed
        QString nome;             // the long name's cell
        for (std::size_t p = 1; p <= pagine.size(); ++p) {
            const Parole& parole = pagine[p - 1];
            const QString pagina = paroleIn(parole, a4);
            QVERIFY(pagina.contains("Roma.svz — Anno scolastico 2025/2026 — 01/09/2026"));
            QVERIFY(pagina.contains(QStringLiteral("Pagina %1 di %2").arg(p).arg(pagine.size())));
            // The page number stands alone, centred on its line.
            const QRectF piede = trova(parole, "Pagina");
            double fine = 0;
            for (const auto& [testo, box] : parole) {
                fine = std::abs(box.top() - piede.top()) < 0.5 ? std::max(fine, box.right()) : fine;
            }
            QVERIFY(std::abs(piede.left() + fine - a4.width()) < 1);
            QCOMPARE(pagina.contains("Totali: 100"), p == pagine.size());
            QVERIFY(!pagina.contains(u'…'));
            // The heading begins at the left edge of the numbers' column.
            const QRectF anno = trova(parole, "scolastico");
            const double sinistra = trova(parole, "Roma.svz").left();
            int intestazioni = 0;
            std::vector<double> destre[2];  // of the expenses and of the ISEE amounts
            for (std::size_t i = 0; i < parole.size(); ++i) {
                const auto& [testo, box] = parole[i];
                QVERIFY(a4.contains(box));
                for (std::size_t j = i + 1; j < parole.size(); ++j) {
                    QVERIFY2(!box.intersects(parole[j].second.adjusted(0.1, 0.1, -0.1, -0.1)),
                             qPrintable(testo + " / " + parole[j].first));
                }
                if (titoli.contains(testo)) {
                    QVERIFY(box.top() >= anno.bottom());
                    ++intestazioni;
                }
                if (std::abs(box.left() - sinistra) < 0.5 && testo.toInt() > 0) {
                    numeri.push_back(testo.toInt());
                }
                if (euro.match(testo).hasMatch()) {
                    destre[testo == "99,50"].push_back(box.right());
                }
            }
            QCOMPARE(intestazioni, titoli.size());
            for (const std::vector<double>& colonna : destre) {
                const auto [minimo, massimo] = std::minmax_element(colonna.begin(), colonna.end());
                QVERIFY(!colonna.empty() && *massimo - *minimo < 0.5);
            }
            if (const QRectF dell = trova(parole, "DELL'ACQUA"); !dell.isNull()) {
                // From the name's left edge to the header of the birthplace,
                // down to the next row.
                const QRectF dopo = trova(parole, "43");
                nome = paroleIn(parole, QRectF(dell.topLeft() - QPointF(0.5, 0.5),
                                               QPointF(trova(parole, "Luogo").left(),
                                                       dopo.isNull() ? a4.bottom() : dopo.top())));
            }
        }
        QVERIFY(pagine.size() >= 3 && numeri.size() == 100 && numeri.back() == 100 &&
                std::adjacent_find(numeri.begin(), numeri.end(), std::greater_equal()) ==
                    numeri.end());
        QCOMPARE(nome, "DELL'ACQUA GIANFRANCESCO MARIA ROSANNA MARIA FRANCESCA GIULIA");
        QVERIFY(poppler("pdftotext", {pdf, "-"}).contains("1.250,50"));

        const QByteArray prima = LeggiFile(pdf);
        const auto primaPagina = [](int pagina, int) { return pagina < 2; };
        QVERIFY(!StampaRiepilogo().salvaPdf(t->fs, pdf, *t->tabella, primaPagina).value());
        QCOMPARE(LeggiFile(pdf), prima);
        QCOMPARE(QDir(t->folder.path()).entryList({"stampa*"}, QDir::Files),
                 QStringList{"stampa.pdf"});
    }

    void stampa_shows_the_preview_of_a_short_list() {
        t = std::make_unique<Riepilogo>(std::vector{domanda("ROSSI")});
        t->apri();
        // The preview, its print job named after the printout's heading.
        auto mostrata = std::make_shared<QString>();
        QTimer::singleShot(0, [mostrata] {
            if (QWidget* finestra = QApplication::activeModalWidget()) {
                auto* anteprima = qobject_cast<QPrintPreviewDialog*>(finestra);
                *mostrata = anteprima ? anteprima->printer()->docName() : QString();
                finestra->close();
            }
        });
        t->premi("CmdStampa");
        QVERIFY(mostrata->startsWith(QStringLiteral("Roma.svz — Anno scolastico 05-06 — ")));
    }

    // A list too long for a quick preview asks first: Annulla does nothing,
    // Sì asks where to save the PDF, beside the list, with the usual
    // question before replacing a file. Printing into a file from the
    // preview saves the PDF as that does, never over the open list.
    void a_long_list_asks_before_printing_and_yes_saves_a_pdf() {
        t = std::make_unique<Riepilogo>(std::vector(10001, domanda("ROSSI")));
        t->apri();
        for (const MessageAnswer risposta : {MessageAnswer::Cancel, MessageAnswer::Yes}) {
            t->dialogs.goingOn->toQuestions = risposta;
            t->premi("CmdStampa");
        }
        QVERIFY(t->dialogs.messages.size() == 2 && t->dialogs.told("10001"));
        QCOMPARE(t->dialogs.fileDialogs, std::vector{FileDialogRequest(
                                             FileDialogMode::Save, "Documento PDF (*.pdf) | *.pdf",
                                             t->path("Roma.pdf"), "pdf", true)});
        const QByteArray elenco = LeggiFile(t->path("Roma.svz"));
        QPrinter suFile;
        suFile.setOutputFileName(t->path("Roma.svz"));
        t->stampa().stampa(suFile);
        QCOMPARE(LeggiFile(t->path("Roma.svz")), elenco);
        QVERIFY(t->dialogs.messages.back().prompt.contains(t->path("Roma.svz")));
        t->dialogs.messages.clear();
    }
};

QTEST_MAIN(TestFrmRiepilogo)
#include "test_frm_riepilogo.moc"
