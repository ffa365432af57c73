// The export of a table to a new workbook, read back with openpyxl and
// compared whole: the writing rules, sheet names, packing, widths, and every
// failure shown in the "Errore" box, with what was written before it saved
// or no file left behind. A whole summary is exported by the screen's test.

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

    void writing_rules_columns_and_sheet_contents_data() {
        QTest::addColumn<QString>("intestazione");
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QStringList>("colonne");  // sColData, tipo out, sColStringa, sColExport
        QTest::addColumn<QStringList>("attese");   // column widths, then rows 3 and 4
        QTest::newRow("plain numbers only in the locale's form, = stays a text")
            << "N|a|b|c|d|e|f|g|h|Testo|Data"
            << "1|99,5|-3|1,5e+07|12.5|inf|1.234,5| 5|=1+1|=1+1|=1+1"
            << QStringList{"10", "1", "9", ""}
            << QStringList{
                   "A=14 B=5.14062 C=3.42578 D=8.14062 E=5.14062 F=3.85547 G=7.57031 "
                   "H=3.14062 I=5.71094 J=7 K=5.85547",
                   "3:*|*a|*b|*c|*d|*e|*f|*g|*h|*Testo|*Data",
                   "4:|#99.5|#-3|#15000000|12.5|inf|1.234,5| 5|=1+1|=1+1|=1+1"};
        QTest::newRow("empty text, a column in both lists ends as a date")
            << "Num.|Testo|Entrambe"
            << "1||25/05/2006" << QStringList{"2", "3", "1-2-1", ""}
            << QStringList{"A=14 B=7 C=11.1406", "3:*|*Testo|*Entrambe", "4:||2006-05-25"};
        QTest::newRow("columns fitted to their longest value")
            << "Num.|A|B"
            << "1|UN TESTO MOLTO PIU LUNGO|Y" << QStringList{"", "0", "1-2", ""}
            << QStringList{"A=14 B=26 C=2.85547", "3:*|*A|*B", "4:|UN TESTO MOLTO PIU LUNGO|Y"};
        QTest::newRow("export columns packed left, bold range still to column Cols")
            << "Num.|Uno|Due|Tre|Quattro"
            << "1|a|b|c|d" << QStringList{"", "0", "1-2-3-4", "2-4"}
            << QStringList{"A=14 B=5.14062 C=8.57031", "3:*|*Due|*Quattro|*|*", "4:|b|d"};
    }
    void writing_rules_columns_and_sheet_contents() {
        QFETCH(QString, intestazione);
        QFETCH(QString, riga);
        QFETCH(QStringList, colonne);
        QFETCH(QStringList, attese);
        e->esporta(*tabella(intestazione.split(u'|'), {riga}), QStringLiteral("Foglio"), colonne[0],
                   colonne[1].toInt(), colonne[2], colonne[3]);
        QCOMPARE(e->unica(),
                 QStringList({"Foglio", attese[0], "1:COMUNE DI: X", "2:SCUOLA Foglio"}) +
                     attese.mid(1));
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
        const QStringList righe = e->unica();
        QCOMPARE(righe.value(0), foglio);
        QCOMPARE(righe.value(3), "2:SCUOLA " + foglio);
    }

    void a_table_with_only_its_header_gives_nessun_dato_on_the_default_sheet() {
        e->esporta(*tabella(kIntestazioni), QStringLiteral("Primaria"));
        QCOMPARE(e->unica(),
                 QStringList({"Foglio1", "", "1:COMUNE DI: X", "2:LETTURA DATI IN CORSO.........",
                              "4:*NESSUN dato disponibile"}));
    }

    void a_failure_shows_errore_after_saving_what_was_written_or_leaves_no_file_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("errore");
        // The cell left current, then the workbook as read back (widths
        // left out, "fitted" or not); nothing when no file may be left.
        QTest::addColumn<QStringList>("attese");
        const QString colonne = QStringLiteral("13:\nElenco di colonne \"%1\" non valido: ");
        const QString primaria = QStringLiteral("Primaria");
        const QString riga4 = "4:|" + rigaRiepilogo(1, "ROSSI", "#1|#2", "2006-05-25")
                                          .section(u'|', 1)
                                          .replace("05/03/1970", "1970-03-05");
        const QString riga5 = QString(riga4).replace("ROSSI", "BIANCHI").replace("4:", "5:");
        const QStringList intestazione = {"Foglio1", "1:COMUNE DI: X",
                                          "2:LETTURA DATI IN CORSO.........", kRigaIntestazioni,
                                          riga4};
        const QStringList tutte = QStringList{"2:14", "fitted"} + intestazione + QStringList{riga5};
        QTest::newRow("list ending with a dash")
            << primaria << "3-9-"
            << "25/05/2006" << colonne.arg("3-9-") + "\"\" non è un numero di colonna."
            << QStringList();
        QTest::newRow("column beyond 16 bits")
            << primaria << "3-32768"
            << "25/05/2006"
            << "6" + colonne.mid(2).arg("3-32768") +
                   "\"32768\" è fuori dall'intervallo dei numeri di colonna."
            << QStringList();
        QTest::newRow("documents folder is a file")
            << primaria << "3-9"
            << "25/05/2006"
            << "20:\nImpossibile creare il file \"<Documenti>/Primaria <ora>.xlsx\": una parte "
               "del percorso non è una cartella."
            << QStringList();
        QTest::newRow("date of the wrong length, second row: kept up to its plain value")
            << primaria << "3-9"
            << "5/5/2006"
            << "-2147221502:\nErrore di passaggio parametri a funzione convertidata, la data "
               "deve essere in formato 10 caratteri"
            << QStringList{"2:9", "not fitted"} + intestazione +
                   QStringList{riga5.section(u'|', 0, 8) + "|5/5/2006"};
        QTest::newRow("sheet name left empty")
            << "[]"
            << "3-9"
            << "25/05/2006"
            << "13:\nIl nome del foglio non può essere vuoto." << tutte;
        QTest::newRow("reserved sheet name")
            << "history"
            << "3-9"
            << "25/05/2006"
            << "13:\nIl nome del foglio \"history\" è riservato." << tutte;
        QTest::newRow("sheet name with an apostrophe")
            << "'Primaria"
            << "3-9"
            << "25/05/2006"
            << "16:\nIl nome del foglio \"'Primaria\" non può iniziare o finire con un "
               "apostrofo."
            << tutte;
    }
    void a_failure_shows_errore_after_saving_what_was_written_or_leaves_no_file() {
        QFETCH(QString, nome);
        QFETCH(QString, date);
        QFETCH(QString, data);
        QFETCH(QString, errore);
        QFETCH(QStringList, attese);
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
        MessageBoxRequest mostrato = e->dialogs.messaggi[0];
        mostrato.prompt.replace(QRegularExpression(QStringLiteral("\\d{4}(-\\d\\d){2} [.\\d]{8}")),
                                QStringLiteral("<ora>"));
        QCOMPARE(mostrato, MessageBoxRequest(errore.replace("<Documenti>", ostacolo.fileName()),
                                             MessageButtons::Ok, MessageIcon::Critical, false,
                                             QStringLiteral("Errore")));
        QVERIFY(!e->dialogs.clessidraAiMessaggi[0]);
        if (attese.isEmpty()) {
            QCOMPARE(QDir(e->cartella.path()).entryList(QDir::Files | QDir::Hidden),
                     ostacolo.exists() ? QStringList{"Documenti"} : QStringList());
            QVERIFY(e->desktop.aperti.isEmpty());
            return;
        }
        // One workbook is saved, under the default sheet name, then opened.
        QCOMPARE(e->file().size(), 1);
        QVERIFY(e->file().first().startsWith(QStringLiteral("Foglio1 ")));
        QCOMPARE(e->desktop.aperti.size(), 1);
        QCOMPARE(QStringLiteral("%1:%2").arg(griglia->Row()).arg(griglia->Col()), attese[0]);
        QStringList righe = e->unica();
        QCOMPARE(righe.value(1).isEmpty() ? "not fitted" : "fitted", attese[1]);
        righe.removeAt(1);
        QCOMPARE(righe, attese.mid(2));
    }

    void a_workbook_no_application_opens_is_named_in_an_information_message() {
        e->desktop.apre = false;
        const clsGlobalExcel global({e->dialogs, e->desktop});
        global.EsportaExcel(*tabella({"Num.", "Importo"}, {"1|12,5"}), QStringLiteral("Foglio"),
                            QStringLiteral("X"));
        const QString percorso = e->cartella.filePath(e->file().value(0));
        QCOMPARE(e->desktop.aperti, QStringList{percorso});
        QCOMPARE(e->dialogs.messaggi,
                 std::vector{MessageBoxRequest(
                     QStringLiteral("Il foglio di lavoro è stato salvato nel file\n%1\nNon è stato "
                                    "possibile aprirlo: aprirlo con un programma per fogli di "
                                    "calcolo.")
                         .arg(percorso),
                     MessageButtons::Ok, MessageIcon::Information)});
        // The clsGlobal method's defaults: no dates, no texts, plain values.
        QCOMPARE(e->unica().value(5), QStringLiteral("4:|#12.5"));
        QCOMPARE(global.DbConvertiData(QStringLiteral("25/05/2006"), 1, 3).value(),
                 QStringLiteral("2006-05-25"));
    }
};

QTEST_MAIN(TestEsportaExcel)
#include "test_esporta_excel.moc"
