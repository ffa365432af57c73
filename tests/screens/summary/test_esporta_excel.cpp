// The export of a table to a new workbook, read back with openpyxl: the
// writing rules, sheet names, a workbook name already taken, and every failure shown in the
// "Errore" box, with what was written before it saved or no file left behind. A whole summary is
// exported by the screen's test.

#include "EsportazioneDiProva.h"
#include "summary/LarghezzaColonne.h"
#include "summary/RegoleEsportazione.h"

#include <QDateTime>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>

class TestEsportaExcel : public QObject {
    Q_OBJECT

    std::unique_ptr<EsportazioneDiProva> e;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() { e = std::make_unique<EsportazioneDiProva>(); }
    void cleanup() {
        QVERIFY(!clessidra());
        e.reset();
    }

    void writing_rules_data() {
        QTest::addColumn<QString>("intestazione");
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QStringList>("colonne");  // sColData, tipo out, sColStringa, sColExport
        QTest::addColumn<QStringList>("attese");   // rows 3 and 4, the columns sized
        QTest::newRow("plain numbers only in the locale's form, = stays a text")
            << "N|a|b|c|d|e|f|g|h|Testo|Data"
            << "1|99,5|-3|1,5e+07|12.5|inf|1.234,5| 5|=1+1|=1+1|=1+1"
            << QStringList{"10", "1", "9", ""}
            << QStringList{"3:*|*a|*b|*c|*d|*e|*f|*g|*h|*Testo|*Data",
                           "4:|#99.5|#-3|#15000000|12.5|inf|1.234,5| 5|=1+1|=1+1|=1+1",
                           "widths:ABCDEFGHIJK"};
        QTest::newRow("empty text, a column in both lists ends as a date")
            << "Num.|Testo|Entrambe"
            << "1||25/05/2006" << QStringList{"2", "3", "1-2-1", ""}
            << QStringList{"3:*|*Testo|*Entrambe", "4:||2006-05-25", "widths:ABC"};
        QTest::newRow("export columns packed left, bold range still to column Cols")
            << "Num.|Uno|Due|Tre|Quattro"
            << "1|a|b|c|d" << QStringList{"", "0", "1-2-3-4", "2-4"}
            << QStringList{"3:*|*Due|*Quattro|*|*", "4:|b|d", "widths:ABC"};
    }
    void writing_rules() {
        QFETCH(QString, intestazione);
        QFETCH(QString, riga);
        QFETCH(QStringList, colonne);
        QFETCH(QStringList, attese);
        e->desktop.apre = false;
        e->esporta(*tabella(intestazione, {riga}), QStringLiteral("Foglio"), colonne[0],
                   colonne[1].toInt(), colonne[2], colonne[3]);
        QCOMPARE(e->unica(), QStringList({"Foglio", "1:COMUNE DI: X", "2:SCUOLA Foglio"}) + attese);
        // Saved even when no application opens it: the message names the file.
        QCOMPARE(e->dialogs.messages.size(), 1u);
        QVERIFY(e->dialogs.messages[0].prompt.contains(e->documento(e->file().value(0))));
        QCOMPARE(e->dialogs.messages[0].icon, MessageIcon::Information);
    }

    void sheet_names_lose_forbidden_characters_default_gets_nuovo_and_are_cut() {
        const std::pair<QString, QString> casi[] = {
            {"1/2 [A]?:*\\", "12 A"},
            {"Fo:glio1", "Foglio1-nuovo"},
            {"foglio1", "foglio1"},
            {QString(30, u'S') + QString::fromUtf8("😀"), QString(30, u'S')}};
        for (const auto& [nome, foglio] : casi) {
            QCOMPARE(NomeFoglioFinale(PulisciNomeFoglio(nome), QStringLiteral("Foglio1")), foglio);
        }
    }

    void a_taken_workbook_name_gets_the_next_free_one() {
        // Taken for the next seconds, whichever of them the export starts in.
        QVERIFY(QDir().mkpath(e->path("Documenti")));
        QStringList presi;
        for (int secondo = 0; secondo < 5; ++secondo) {
            const QDateTime ora = QDateTime::currentDateTime().addSecs(secondo);
            presi << "Foglio " + ora.toString("yyyy-MM-dd HH.mm.ss") + ".xlsx";
            e->write("Documenti/" + presi.back(), "preso");
        }
        e->esporta(*tabella("Num.|Nome", {"1|ROSSI"}), QStringLiteral("Foglio"));
        QStringList nuovi = e->file();
        for (const QString& preso : presi) {
            QVERIFY(nuovi.removeOne(preso));
        }
        QVERIFY(nuovi.size() == 1 && presi.contains(nuovi[0].replace(" (2).xlsx", ".xlsx")));
    }

    // Measured in the workbook's default font, 11 points on a screen of 96
    // dots per inch, where a digit (a column's width unit) is 7 pixels:
    // Carlito, which has its widths and stands in for it on this desktop.
    void every_column_fits_its_text_with_a_character_to_spare() {
        QFont font(QStringLiteral("Carlito"));
        font.setPixelSize(14);
        font.setHintingPreference(QFont::PreferFullHinting);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Carlito"));
        for (const QString& testo : QStringList{
                 "Via Giuseppe Garibaldi, 12/B - int. 3", "WOLFGANG MÜLLER & MAXWELL MEMMI",
                 "GIANNI DONÀ DAL NOCE, UGO D'ORIA", "Sezione \"Aurora\": 100% www.comune.it",
                 "ufficio@comune.it; scuola@istituto.it; mamma@email.it; amm@pec.it"}) {
            LarghezzaColonne colonne;
            colonne.misura(1, testo, false);
            const double spazio =
                colonne.larghezza(1) - QFontMetricsF(font).horizontalAdvance(testo) / 7;
            QVERIFY2(spazio >= 1 && spazio < 1.5, qPrintable(testo));
        }
    }

    void a_failure_shows_errore_after_saving_what_was_written_or_leaves_no_file_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QStringList>("attese");  // the workbook read back; none for no file
        const QStringList scritte = {"Foglio1", "1:COMUNE DI: X",
                                     "2:LETTURA DATI IN CORSO.........", "3:*|*Nome|*Data",
                                     "4:|ROSSI|2006-05-25"};
        const QStringList bianchi = scritte + QStringList{"5:|BIANCHI|2006-05-25", "widths:ABC"};
        const auto riga = [](const char* caso, const char* nome, const char* date, const char* data,
                             int numero, const QStringList& attese) {
            QTest::newRow(caso) << QString(nome) << QString(date) << QString(data) << numero
                                << attese;
        };
        riga("column list ending with a dash", "Primaria", "2-", "25/05/2006", 13, {});
        riga("column beyond 16 bits", "Primaria", "2-32768", "25/05/2006", 6, {});
        riga("date of the wrong length: kept up to its plain value", "Primaria", "2", "5052006",
             -2147221502, scritte + QStringList{"5:|BIANCHI|#5052006"});
        riga("sheet name left empty", "[]", "2", "25/05/2006", 13, bianchi);
        riga("reserved sheet name", "history", "2", "25/05/2006", 13, bianchi);
    }
    void a_failure_shows_errore_after_saving_what_was_written_or_leaves_no_file() {
        QFETCH(QString, nome);
        QFETCH(QString, date);
        QFETCH(QString, data);
        QFETCH(int, numero);
        QFETCH(QStringList, attese);
        e->esporta(*tabella("Num.|Nome|Data", {"1|ROSSI|25/05/2006", "2|BIANCHI|" + data}), nome,
                   date, 3, QStringLiteral("1"));

        QCOMPARE(e->dialogs.messages.size(), 1u);
        const MessageBoxRequest& mostrato = e->dialogs.messages[0];
        QVERIFY(mostrato.prompt.startsWith(QStringLiteral("%1:\n").arg(numero)));
        QCOMPARE(mostrato.title, QStringLiteral("Errore"));
        QCOMPARE(mostrato.icon, MessageIcon::Critical);
        QVERIFY(!e->dialogs.hourglassUnderMessage);
        if (attese.isEmpty()) {
            QVERIFY(QDir(e->path("Documenti")).entryList(QDir::Files | QDir::Hidden).isEmpty());
            QVERIFY(e->desktop.aperti.isEmpty());
            return;
        }
        // One workbook is saved, under the default sheet name, then opened.
        QVERIFY(e->file().value(0).startsWith(QStringLiteral("Foglio1 ")));
        QCOMPARE(e->desktop.aperti.size(), 1);
        QCOMPARE(e->unica(), attese);
    }
};

QTEST_MAIN(TestEsportaExcel)
#include "test_esporta_excel.moc"
