// The summary table over the list the entry screen holds open: the first
// fill, the rows added later without rereading, the rebuild after a
// modification, the amounts in the locale's form, an empty list; sorting as
// a view and the totals; the export button after a sort; the printout as a
// PDF read back with poppler's tools.

#include "DomandaDiProva.h"
#include "EsportazioneDiProva.h"
#include "TextGridView.h"
#include "summary/FrmRiepilogo.h"
#include "summary/ImpaginazioneRiepilogo.h"
#include "summary/RigheRiepilogo.h"
#include "summary/StampaRiepilogo.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

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

// The output of a poppler tool run on a file.
QString poppler(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    processo.waitForFinished(60000);
    return QString::fromUtf8(processo.readAllStandardOutput());
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
    FrmRiepilogo* schermo() { return screens().find<FrmRiepilogo>(); }
    TextGridView* griglia() {
        return schermo()->findChild<TextGridView*>(QStringLiteral("Griglia"));
    }
    // Row r of the table, its cells joined by "|".
    QString riga(int r) {
        std::vector<QString> celle;
        griglia()->cells().readRow(r, celle);
        return QStringList(celle.begin(), celle.end()).join(u'|');
    }
    void premi(const char* pulsante) { click(*schermo(), {pulsante}); }
    // The summary is in front with this many data rows, or hidden behind
    // the entry screen.
    void verifica(bool inPrimoPiano, int righe) {
        QCOMPARE(schermo() != nullptr && schermo()->isVisible(), inPrimoPiano);
        QCOMPARE(screens().get<FrmDatiAnagrafici>().isVisible(), !inPrimoPiano);
        QCOMPARE(stato.nIndiceRiepilogo, righe);
        QCOMPARE(schermo() ? griglia()->cells().Rows() : 1, righe + 1);
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
        QVERIFY(t->schermo()->findChild<QLabel*>("LblTotali")->text().endsWith("12.845,67"));
        // Amounts follow the user's locale.
        QCOMPARE(RigaRiepilogo(QLocale(QLocale::English)).importo(12345.67f), "12345.67");
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
        t->stato.bModificaEseguita = true;
        for (const char* cognome : {"CAMBIATO", "DI NUOVO"}) {
            t->premi("CmdIndietro");
            t->scrivi(2, cognome);
            t->apri();
            t->verifica(true, 3);
            // As shown: no text of the table before is kept.
            QCOMPARE(t->griglia()->cells().text(2, 1), cognome + QStringLiteral(" MARIO"));
            QCOMPARE(t->riga(0), kIntestazioni.join(u'|'));
            QCOMPARE(t->riga(1).section(u'|', 1, 1), QStringLiteral("CAMBIATO MARIO"));
        }
    }

    void an_empty_list_says_so_and_keeps_the_entry_screen_in_front() {
        t = std::make_unique<Riepilogo>(std::vector<DatiDomanda>{});
        t->apri();
        QCOMPARE(t->dialogs.messages,
                 std::vector{informazione(QStringLiteral("Il file è vuoto!"))});
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
            QStringList({"Primaria", "1:COMUNE DI: Roma", "2:SCUOLA Primaria",
                         "3:*|*" + kIntestazioni.mid(1).join("|*"), "4:|" + bianchi + "|#250|#99.5",
                         "5:|" + QString(kRossi).replace("00100", "=1+1").section(u'|', 1) +
                             "#1234.5|#0"}));
        // The cell the operator sees as current is the last one read; the
        // table itself keeps record 1 in row 1.
        QCOMPARE(t->griglia()->currentIndex().row(), 1);
        QCOMPARE(t->griglia()->currentIndex().column(), 14);
        QCOMPARE(t->riga(1).section(u'|', 1, 1), QStringLiteral("ROSSI MARIO"));
    }

    void sorting_is_a_view_and_totals_sum_the_stored_amounts_data() {
        QTest::addColumn<int>("colonna");
        QTest::addColumn<Qt::SortOrder>("ordine");
        QTest::addColumn<QString>("mostrati");  // record numbers in the order shown
        QTest::newRow("names in Italian order") << 1 << Qt::AscendingOrder << "52314";
        QTest::newRow("names reversed, equal ones in list order")
            << 1 << Qt::DescendingOrder << "14325";
        QTest::newRow("dates as dates, blank first") << 3 << Qt::AscendingOrder << "35214";
        QTest::newRow("amounts by value") << 13 << Qt::AscendingOrder << "25413";
        QTest::newRow("amounts reversed") << 13 << Qt::DescendingOrder << "31425";
        QTest::newRow("record numbers") << 0 << Qt::DescendingOrder << "54321";
    }
    void sorting_is_a_view_and_totals_sum_the_stored_amounts() {
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
        QString visti;
        for (int r = 1; r < righe.Rows(); ++r) {
            visti += QString::number(vista.cellsRow(r));
        }
        QCOMPARE(visti, mostrati);
        QCOMPARE(righe.totali(), QStringLiteral("Domande: 5 — Spese sostenute: € 10.000.348,50"));
    }

    // Every row on exactly one page, pages never overfull, and the totals
    // with room on the last page, for lists that end on every line of a page.
    void pages_hold_every_row_once_and_the_totals_fit_on_the_last() {
        const auto misura = [](const QString& testo) { return double(testo.size()); };
        const int perPagina = ImpaginazioneRiepilogo(500, 60, 1, 0, misura).righePerPagina();
        for (int righe = 0; righe <= 3 * perPagina + 2; ++righe) {
            const ImpaginazioneRiepilogo pagine(500, 60, 1, righe, misura);
            int prossima = 1;
            for (int p = 1; p <= pagine.pagine(); ++p) {
                const int sullaPagina = std::max(0, pagine.ultimaRiga(p) - pagine.primaRiga(p) + 1);
                const bool ultima = p == pagine.pagine();
                // Only the last page may hold no rows: the totals alone.
                QVERIFY(sullaPagina > 0 ? pagine.primaRiga(p) == prossima : ultima);
                QVERIFY(sullaPagina + (ultima ? ImpaginazioneRiepilogo::kRigheTotali : 0) <=
                        perPagina);
                prossima += sullaPagina;
            }
            QCOMPARE(prossima, righe + 1);
        }
    }

    void stampa_shows_the_preview_of_a_short_list() {
        t = std::make_unique<Riepilogo>(std::vector{domanda("ROSSI")});
        t->apri();
        auto mostrata = std::make_shared<QString>();
        QTimer::singleShot(0, [mostrata] {
            if (QWidget* anteprima = QApplication::activeModalWidget()) {
                *mostrata = QString::fromLatin1(anteprima->metaObject()->className());
                anteprima->close();
            }
        });
        t->premi("CmdStampa");
        QCOMPARE(*mostrata, QStringLiteral("QPrintPreviewDialog"));
    }

    // A list too long for a quick preview asks first: Annulla does nothing,
    // Sì saves the printout as a PDF at once.
    void a_long_list_asks_before_printing_and_yes_saves_a_pdf() {
        t = std::make_unique<Riepilogo>(std::vector(4001, domanda("ROSSI")));
        t->apri();
        for (const MessageAnswer risposta : {MessageAnswer::Cancel, MessageAnswer::Yes}) {
            const QString pdf = t->path(QStringLiteral("stampa%1.pdf").arg(int(risposta)));
            t->dialogs.goingOn->toQuestions = risposta;
            t->dialogs.goingOn->files = {pdf};
            t->premi("CmdStampa");
            QCOMPARE(QFile::exists(pdf), risposta == MessageAnswer::Yes);
        }
        QVERIFY(t->dialogs.messages.size() == 2 && t->dialogs.told("4001"));
        t->dialogs.messages.clear();
    }

    void the_printout_saved_as_pdf_reads_back_page_by_page() {
        t = std::make_unique<Riepilogo>(std::vector(100, domanda("ROSSI")));
        t->apri();
        const QString pdf = t->path(QStringLiteral("stampa.pdf"));
        const StampaRiepilogo stampa{"Roma.svz", "2025/2026", QDate(2026, 9, 1), "Totali: 100"};
        QVERIFY(stampa.salvaPdf(pdf, *t->griglia(), [](int, int) { return true; }).value());
        const int pagine =
            poppler("pdfinfo", {pdf}).section("Pages:", 1).section(u'\n', 0, 0).trimmed().toInt();
        QVERIFY(pagine >= 3);
        // Each row whole on one line, from its number to its ISEE.
        const QRegularExpression riga("^\\s*\\d+\\s+ROSSI MARIO\\s.*\\s99,5$",
                                      QRegularExpression::MultilineOption);
        int stampate = 0;
        for (int p = 1; p <= pagine; ++p) {
            const QString testo = poppler("pdftotext", {"-layout", "-f", QString::number(p), "-l",
                                                        QString::number(p), pdf, "-"});
            QVERIFY(testo.contains("Roma.svz — Anno scolastico 2025/2026 — 01/09/2026"));
            QVERIFY(testo.contains("Richiedente") && testo.contains("ISEE"));
            QVERIFY(testo.contains(PaginaDi(p, pagine)));
            QCOMPARE(testo.contains("Totali: 100"), p == pagine);
            stampate += static_cast<int>(testo.count(riga));
        }
        QCOMPARE(stampate, 100);
        // Stopped at the second page: no file is left.
        QVERIFY(!stampa.salvaPdf(pdf, *t->griglia(), [](int pagina, int) { return pagina < 2; })
                     .value());
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestFrmRiepilogo)
#include "test_frm_riepilogo.moc"
