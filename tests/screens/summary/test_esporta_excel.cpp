// The export of a table to a new workbook, read back with openpyxl: titles,
// bold header, the writing rules, sheet names, packing, widths, and every
// failure shown in the "Errore" box with no file left behind.

#include "EsportazioneDiProva.h"
#include "summary/clsGlobalExcel.h"

#include <QLocale>
#include <QRegularExpression>

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

    void a_summary_of_two_applications_fills_titles_bold_headers_and_rows_4_and_5() {
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "250|99,5"),
                                               rigaRiepilogo(2, "BIANCHI", "1234,56|0")});
        e->esporta(*griglia, QStringLiteral("Primaria"));
        QVERIFY(e->dialogs.messaggi.empty());
        QCOMPARE(e->file().size(), 1);
        QVERIFY(e->file().first().startsWith(QStringLiteral("Primaria ")));
        QCOMPARE(e->desktop.aperti, QStringList{e->cartella.filePath(e->file().first())});
        QVERIFY(e->desktop.clessidraInScrittura && !e->desktop.clessidraInApertura);

        const CartellaLetta letta = e->unica();
        QVERIFY2(!letta.fogli().isEmpty(), qPrintable(letta.errori));
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Primaria")});
        QCOMPARE(letta.valore("A1").toString(), QStringLiteral("COMUNE DI: X"));
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("SCUOLA Primaria"));
        for (int c = 0; c <= 14; ++c) {
            const QString cella = QChar(u'A' + c) + QStringLiteral("3");
            QVERIFY2(letta.grassetto(cella), qPrintable(cella));
            QCOMPARE(letta.valore(cella).toString(), c == 0 ? QString() : kIntestazioni[c]);
        }
        QVERIFY(!letta.esiste("P3"));
        for (const QString& cella : letta.celle()) {
            if (cella.startsWith(u'A') && cella != QStringLiteral("A1") &&
                cella != QStringLiteral("A2")) {
                QVERIFY2(!letta.valore(cella).isValid(), qPrintable(cella));
            }
        }
        QCOMPARE(letta.valore("B5").toString(), QStringLiteral("BIANCHI MARIO"));
        QCOMPARE(letta.valore("J5").toString(), QStringLiteral("25/05/2006"));
        QCOMPARE(letta.tipo("D4"), QStringLiteral("s"));
        QVERIFY(!letta.grassetto("B4"));
        QCOMPARE(letta.tipo("N4"), QStringLiteral("n"));  // amounts the office can add up
        QCOMPARE(letta.valore("O4").toDouble(), 99.5);
        QCOMPARE(letta.valore("N5").toDouble(), 1234.56);
        QVERIFY(!letta.esiste("B6"));
        // The grid's current cell is the last cell read.
        QCOMPARE(griglia->Row(), 2);
        QCOMPARE(griglia->Col(), 14);
    }

    void plain_values_are_numbers_only_in_the_locales_form_and_equals_stays_a_text() {
        auto griglia = tabella(QStringLiteral("N|a|b|c|d|e|f|g|h|Testo|Data").split(u'|'),
                               {"1|99,5|-3|1,5e+07|12.5|inf|1.234,5| 5|=1+1|=1+1|=1+1"});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("10"), 1,
                   QStringLiteral("9"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.valore("B4").toDouble(), 99.5);
        QCOMPARE(letta.valore("C4").toDouble(), -3.0);
        QCOMPARE(letta.valore("D4").toDouble(), 1.5e7);
        for (const char* cella : {"E4", "F4", "G4", "H4", "I4", "J4", "K4"}) {
            QVERIFY2(letta.tipo(cella) == QStringLiteral("s"), cella);
        }
        QCOMPARE(letta.valore("I4").toString(), QStringLiteral("=1+1"));
        QCOMPARE(letta.valore("K4").toString(), QStringLiteral("=1+1"));
    }

    void an_empty_text_cell_shows_empty_and_a_column_in_both_lists_ends_as_a_date() {
        auto griglia = tabella({"Num.", "Testo", "Entrambe"}, {"1||25/05/2006"});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("2"), 3,
                   QStringLiteral("1-2-1"));
        const CartellaLetta letta = e->unica();
        QVERIFY(!letta.valore("B4").isValid());
        QCOMPARE(letta.valore("C4").toString(), QStringLiteral("2006-05-25"));
        QCOMPARE(letta.tipo("C4"), QStringLiteral("s"));
    }

    void columns_are_fitted_to_their_longest_value() {
        auto griglia = tabella({"Num.", "A", "B"}, {"1|CORTO|X", "2|UN TESTO MOLTO PIU LUNGO|Y"});
        e->esporta(*griglia, QStringLiteral("Foglio"), {}, 0, QStringLiteral("1-2"));
        const QJsonObject larghezze = e->unica().larghezze();
        QCOMPARE(larghezze.keys(), (QStringList{"A", "B", "C"}));
        QVERIFY(larghezze["B"].toDouble() >= 24);
        QVERIFY(larghezze["B"].toDouble() > larghezze["A"].toDouble());
        QVERIFY(larghezze["A"].toDouble() > larghezze["C"].toDouble());
    }

    void sheet_names_lose_forbidden_characters_default_gets_nuovo_and_are_cut_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("foglio");
        QTest::newRow("forbidden") << "1/2 [A]?:*\\"
                                   << "12 A";
        QTest::newRow("like the default") << "Fo:glio1"
                                          << "Foglio1-nuovo";
        QTest::newRow("default, other case") << "foglio1"
                                             << "foglio1";
        QTest::newRow("40 characters") << QString(40, u'S') << QString(31, u'S');
        QTest::newRow("emoji at 31")
            << QString(30, u'S') + QString::fromUtf8("😀") << QString(30, u'S');
    }
    void sheet_names_lose_forbidden_characters_default_gets_nuovo_and_are_cut() {
        QFETCH(QString, nome);
        QFETCH(QString, foglio);
        e->esporta(*tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1|2")}), nome);
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.fogli(), QStringList{foglio});
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("SCUOLA ") + foglio);
    }

    void a_table_with_only_its_header_gives_nessun_dato_on_the_default_sheet() {
        e->esporta(*tabella(kIntestazioni), QStringLiteral("Primaria"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Foglio1")});
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("LETTURA DATI IN CORSO........."));
        QCOMPARE(letta.valore("A4").toString(), QStringLiteral("NESSUN dato disponibile"));
        QVERIFY(letta.grassetto("A4"));
        QCOMPARE(letta.celle(), (QStringList{"A1", "A2", "A4"}));
        QVERIFY(letta.larghezze().isEmpty());
    }

    void export_columns_are_packed_left_and_the_bold_range_still_reaches_column_cols() {
        auto griglia = tabella({"Num.", "Uno", "Due", "Tre", "Quattro"}, {"1|a|b|c|d"});
        e->esporta(*griglia, QStringLiteral("Foglio"), {}, 0, QStringLiteral("1-2-3-4"),
                   QStringLiteral("2-4"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.valore("B3").toString(), QStringLiteral("Due"));
        QCOMPARE(letta.valore("C3").toString(), QStringLiteral("Quattro"));
        QCOMPARE(letta.valore("C4").toString(), QStringLiteral("d"));
        QVERIFY(!letta.esiste("D4"));
        QVERIFY(letta.grassetto("E3"));
        QVERIFY(!letta.esiste("F3"));
    }

    void a_failure_shows_errore_with_the_normal_pointer_and_leaves_no_file_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("errore");
        const QString colonne = QStringLiteral("13:\nElenco di colonne \"%1\" non valido: ");
        QTest::newRow("list ending with a dash")
            << "Primaria"
            << "3-9-"
            << "25/05/2006" << colonne.arg("3-9-") + "\"\" non è un numero di colonna.";
        QTest::newRow("column beyond 16 bits")
            << "Primaria"
            << "3-32768"
            << "25/05/2006"
            << "6" + colonne.mid(2).arg("3-32768") +
                   "\"32768\" è fuori dall'intervallo dei numeri di colonna.";
        QTest::newRow("date of the wrong length, second row")
            << "Primaria"
            << "3-9"
            << "5/5/2006"
            << "-2147221502:\nErrore di passaggio parametri a funzione convertidata, la data "
               "deve essere in formato 10 caratteri";
        QTest::newRow("sheet name left empty") << "[]"
                                               << "3-9"
                                               << "25/05/2006"
                                               << "13:\nIl nome del foglio non può essere vuoto.";
        QTest::newRow("reserved sheet name") << "history"
                                             << "3-9"
                                             << "25/05/2006"
                                             << "13:\nIl nome del foglio \"history\" è riservato.";
        QTest::newRow("sheet name with an apostrophe")
            << "'Primaria"
            << "3-9"
            << "25/05/2006"
            << "16:\nIl nome del foglio \"'Primaria\" non può iniziare o finire con un "
               "apostrofo.";
        QTest::newRow("documents folder is a file")
            << "Primaria"
            << "3-9"
            << "25/05/2006"
            << "20:\nImpossibile creare il file \"<Documenti>/Primaria <ora>.xlsx\": una parte "
               "del percorso non è una cartella.";
    }
    void a_failure_shows_errore_with_the_normal_pointer_and_leaves_no_file() {
        QFETCH(QString, nome);
        QFETCH(QString, date);
        QFETCH(QString, data);
        QFETCH(QString, errore);
        QFile ostacolo(e->cartella.filePath(QStringLiteral("Documenti")));
        if (errore.contains(QStringLiteral("<Documenti>"))) {
            QVERIFY(ostacolo.open(QIODevice::WriteOnly));
            ostacolo.close();
            e->desktop.cartella = ostacolo.fileName();
        }
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1|2"),
                                               rigaRiepilogo(2, "BIANCHI", "1|2", data)});
        e->esporta(*griglia, nome, date, 3);

        QCOMPARE(e->dialogs.messaggi.size(), 1u);
        const MessageBoxRequest& mostrato = e->dialogs.messaggi[0];
        QCOMPARE(QString(mostrato.prompt)
                     .replace(QRegularExpression(QStringLiteral("\\d{4}(-\\d\\d){2} [.\\d]{8}")),
                              QStringLiteral("<ora>")),
                 errore.replace(QStringLiteral("<Documenti>"), ostacolo.fileName()));
        QCOMPARE(mostrato.title, QStringLiteral("Errore"));
        QCOMPARE(mostrato.icon, MessageIcon::Critical);
        QVERIFY(!e->dialogs.clessidraAiMessaggi[0]);
        QCOMPARE(QDir(e->cartella.path()).entryList(QDir::Files | QDir::Hidden),
                 ostacolo.exists() ? QStringList{"Documenti"} : QStringList());
        QVERIFY(e->desktop.aperti.isEmpty());
    }

    void a_second_export_never_overwrites_the_first() {
        e->esporta(*tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1|2")}), "Primaria");
        QFile primo(e->cartella.filePath(e->file().first()));
        QVERIFY(primo.open(QIODevice::ReadOnly));
        const QByteArray contenuto = primo.readAll();
        primo.close();
        e->esporta(*tabella(kIntestazioni, {rigaRiepilogo(1, "VERDI", "3|4")}), "Primaria");
        QCOMPARE(e->file().size(), 2);
        QVERIFY(primo.open(QIODevice::ReadOnly));
        QCOMPARE(primo.readAll(), contenuto);
        QCOMPARE(e->desktop.aperti.size(), 2);
        QVERIFY(e->desktop.aperti[0] != e->desktop.aperti[1]);
    }

    void a_workbook_no_application_opens_is_named_in_an_information_message() {
        e->desktop.apre = false;
        const clsGlobalExcel global({e->dialogs, e->desktop});
        global.EsportaExcel(*tabella({"Num.", "Importo"}, {"1|12,5"}), QStringLiteral("Foglio"),
                            QStringLiteral("X"));
        QCOMPARE(e->file().size(), 1);
        const QString percorso = e->cartella.filePath(e->file().first());
        QCOMPARE(e->desktop.aperti, QStringList{percorso});
        QCOMPARE(e->dialogs.messaggi,
                 std::vector{MessageBoxRequest(
                     QStringLiteral("Il foglio di lavoro è stato salvato nel file\n%1\nNon è stato "
                                    "possibile aprirlo: aprirlo con un programma per fogli di "
                                    "calcolo.")
                         .arg(percorso),
                     MessageButtons::Ok, MessageIcon::Information)});
        // The clsGlobal method's defaults: no dates, no texts, plain values.
        QCOMPARE(e->unica().valore("B4").toDouble(), 12.5);
        QCOMPARE(global.DbConvertiData(QStringLiteral("25/05/2006"), 1, 3).value(),
                 QStringLiteral("2006-05-25"));
    }
};

QTEST_MAIN(TestEsportaExcel)
#include "test_esporta_excel.moc"
