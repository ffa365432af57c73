#include "EsportazioneDiProva.h"
#include "summary/clsGlobalExcel.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace {

const QString kDescrizioneData = QStringLiteral(
    "Errore di passaggio parametri a funzione convertidata, la data deve essere in formato 10 "
    "caratteri");

QString colonna(int c) {
    return QString(QChar(u'A' + c - 1));
}

}  // namespace

class TestEsportaExcel : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EsportazioneDiProva> e;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() { e = std::make_unique<EsportazioneDiProva>(); }
    void cleanup() {
        QVERIFY(e->dialogs.verifyAllUsed());
        QVERIFY(!DesktopDiProva::clessidra());
        e.reset();
    }

    void a_summary_of_two_applications_fills_titles_bold_headers_and_rows_4_and_5() {
        auto griglia =
            tabella(kIntestazioni, {rigaRiepilogo(1, QStringLiteral("ROSSI"), QStringLiteral("250"),
                                                  QStringLiteral("99,5")),
                                    rigaRiepilogo(2, QStringLiteral("BIANCHI"),
                                                  QStringLiteral("1234,56"), QStringLiteral("0"))});
        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("X"));

        QCOMPARE(e->file().size(), 1);
        QVERIFY(e->file().first().startsWith(QStringLiteral("Primaria ")));
        QCOMPARE(e->desktop.aperti, QStringList{e->percorso(e->file().first())});
        QVERIFY(e->desktop.clessidraDuranteLaScrittura);
        QVERIFY(!e->desktop.clessidraDuranteLApertura);

        const CartellaLetta letta = e->unica();
        QVERIFY2(letta.letta(), qPrintable(letta.errori()));
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Primaria")});
        QCOMPARE(letta.valore("A1").toString(), QStringLiteral("COMUNE DI: X"));
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("SCUOLA Primaria"));
        for (int c = 1; c <= 14; ++c) {
            const QString cella = colonna(c + 1) + QStringLiteral("3");
            QCOMPARE(letta.valore(cella).toString(), kIntestazioni[c]);
            QVERIFY2(letta.grassetto(cella), qPrintable(cella));
        }
        QVERIFY(letta.grassetto("A3"));
        QVERIFY(!letta.esiste("P3"));
        // Column A holds nothing below A2.
        for (const QString& cella : letta.celle()) {
            if (cella.startsWith(u'A') && cella != QStringLiteral("A1") &&
                cella != QStringLiteral("A2")) {
                QVERIFY2(!letta.valore(cella).isValid(), qPrintable(cella));
            }
        }
        QCOMPARE(letta.valore("B4").toString(), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(letta.valore("B5").toString(), QStringLiteral("BIANCHI MARIO"));
        QCOMPARE(letta.valore("J5").toString(), QStringLiteral("25/05/2006"));
        QCOMPARE(letta.tipo("D4"), QStringLiteral("s"));
        QCOMPARE(letta.valore("G4").toString(), QStringLiteral("ROMA - 00100"));
        // The amounts are numbers the office can add up.
        QCOMPARE(letta.tipo("N4"), QStringLiteral("n"));
        QCOMPARE(letta.valore("N4").toDouble(), 250.0);
        QCOMPARE(letta.valore("O4").toDouble(), 99.5);
        QCOMPARE(letta.valore("N5").toDouble(), 1234.56);
        QVERIFY(!letta.esiste("B6"));
        QVERIFY(!letta.grassetto("B4"));
        // The grid's current cell is the last cell read.
        QCOMPARE(griglia->Row(), 2);
        QCOMPARE(griglia->Col(), 14);
    }

    void columns_are_fitted_to_their_longest_value() {
        auto griglia =
            tabella({QStringLiteral("Num."), QStringLiteral("A"), QStringLiteral("B")},
                    {{QStringLiteral("1"), QStringLiteral("CORTO"), QStringLiteral("X")},
                     {QStringLiteral("2"), QStringLiteral("UN TESTO MOLTO PIU LUNGO DEGLI ALTRI"),
                      QStringLiteral("Y")}});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("UN COMUNE"), {}, 0, 0,
                   QStringLiteral("1-2"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.colonneConLarghezza(), (QStringList{"A", "B", "C"}));
        QVERIFY(letta.larghezza("B") > letta.larghezza("A"));
        QVERIFY(letta.larghezza("A") > letta.larghezza("C"));
        QVERIFY(letta.larghezza("B") >= 36);
    }

    void forbidden_characters_leave_the_sheet_name_and_a_name_like_the_default_gets_nuovo() {
        auto griglia =
            tabella(kIntestazioni, {rigaRiepilogo(1, QStringLiteral("ROSSI"), "1", "2")});
        e->esporta(*griglia, QStringLiteral("1/2 [A]?"), QStringLiteral("X"));
        QCOMPARE(e->unica().fogli(), QStringList{QStringLiteral("12 A")});
        QVERIFY(QFile::remove(e->percorso(e->file().first())));

        e->esporta(*griglia, QStringLiteral("Fo:glio1"), QStringLiteral("X"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Foglio1-nuovo")});
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("SCUOLA Foglio1-nuovo"));
    }

    void a_cell_beginning_with_equals_stays_a_text_in_every_kind_of_column() {
        const QString formula = QStringLiteral("=1+1");
        auto griglia =
            tabella({"Num.", "Testo", "Data", "Chiaro"}, {{"1", formula, formula, formula}});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("X"), QStringLiteral("2"), 1,
                   1, QStringLiteral("1"));
        const CartellaLetta letta = e->unica();
        for (const char* cella : {"B4", "C4", "D4"}) {
            QCOMPARE(letta.tipo(cella), QStringLiteral("s"));
            QCOMPARE(letta.valore(cella).toString(), formula);
        }
    }

    void an_empty_text_cell_shows_empty_and_a_column_in_both_lists_ends_as_a_date() {
        auto griglia = tabella({"Num.", "Testo", "Entrambe"}, {{"1", "", "25/05/2006"}});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("X"), QStringLiteral("2"), 1,
                   3, QStringLiteral("1-2-1"));
        const CartellaLetta letta = e->unica();
        QVERIFY(!letta.valore("B4").isValid());
        QCOMPARE(letta.valore("C4").toString(), QStringLiteral("2006-05-25"));
        QCOMPARE(letta.tipo("C4"), QStringLiteral("s"));
    }

    void a_table_with_only_its_header_gives_nessun_dato_on_the_default_sheet() {
        auto griglia = tabella(kIntestazioni, {});
        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("X"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Foglio1")});
        QCOMPARE(letta.valore("A1").toString(), QStringLiteral("COMUNE DI: X"));
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("LETTURA DATI IN CORSO........."));
        QCOMPARE(letta.valore("A4").toString(), QStringLiteral("NESSUN dato disponibile"));
        QVERIFY(letta.grassetto("A4"));
        QCOMPARE(letta.celle().size(), 3);
        QVERIFY(letta.colonneConLarghezza().isEmpty());
        QCOMPARE(griglia->Row(), 1);
        QCOMPARE(griglia->Col(), 1);
    }

    void export_columns_are_packed_left_and_the_bold_range_still_reaches_column_cols() {
        auto griglia =
            tabella({"Num.", "Uno", "Due", "Tre", "Quattro"}, {{"1", "a", "b", "c", "d"}});
        e->esporta(*griglia, QStringLiteral("Foglio"), QStringLiteral("X"), {}, 0, 0,
                   QStringLiteral("1-2-3-4"), QStringLiteral("2-4"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.valore("B3").toString(), QStringLiteral("Due"));
        QCOMPARE(letta.valore("C3").toString(), QStringLiteral("Quattro"));
        QCOMPARE(letta.valore("B4").toString(), QStringLiteral("b"));
        QCOMPARE(letta.valore("C4").toString(), QStringLiteral("d"));
        QVERIFY(!letta.esiste("D4"));
        for (const char* cella : {"A3", "B3", "C3", "D3", "E3"}) {
            QVERIFY2(letta.grassetto(cella), cella);
        }
        QVERIFY(!letta.esiste("F3"));
    }

    void a_column_list_ending_with_a_dash_fails_before_any_file_is_made() {
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2")});
        e->attendiErrore(QStringLiteral(
            "13:\nElenco di colonne \"3-9-\" non valido: \"\" non è un numero di colonna."));
        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("X"),
                   QStringLiteral("3-9-"));
        QVERIFY(e->file().isEmpty());
        QVERIFY(e->desktop.aperti.isEmpty());
    }

    void a_date_of_the_wrong_length_fails_and_leaves_no_half_written_file() {
        QStringList seconda = rigaRiepilogo(2, "BIANCHI", "1", "2");
        seconda[9] = QStringLiteral("5/5/2006");
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2"), seconda});
        e->attendiErrore(QStringLiteral("-2147221502:\n") + kDescrizioneData);
        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("X"), kDateRiepilogo, 1, 3,
                   kTestiRiepilogo);
        QVERIFY(e->file().isEmpty());
        QCOMPARE(QDir(e->cartella.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
        QVERIFY(e->desktop.aperti.isEmpty());
    }

    void a_sheet_name_left_empty_is_refused_with_data_to_write() {
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2")});
        e->attendiErrore(QStringLiteral("13:\nIl nome del foglio non può essere vuoto."));
        e->esporta(*griglia, QStringLiteral("[]"), QStringLiteral("X"));
        QVERIFY(e->file().isEmpty());
    }

    void a_documents_folder_that_cannot_hold_files_shows_the_reason() {
        QFile ostacolo(e->percorso(QStringLiteral("Documenti")));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.close();
        DesktopDiProva desktop(ostacolo.fileName());
        DialogsRegistrati dialogs;
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2")});
        Excel::EsportaExcel({dialogs, desktop}, *griglia, QStringLiteral("Primaria"),
                            QStringLiteral("X"), kDateRiepilogo, 1, 1, kTestiRiepilogo, {});
        QCOMPARE(dialogs.messaggi.size(), 1u);
        const MessageBoxRequest& errore = dialogs.messaggi.front();
        QCOMPARE(errore.title, QStringLiteral("Errore"));
        QCOMPARE(errore.icon, MessageIcon::Critical);
        const QRegularExpression atteso(
            QStringLiteral("^20:\\nImpossibile creare il file \"%1/Primaria [-0-9 .]+\\.xlsx\": "
                           "una parte del percorso non è una cartella\\.$")
                .arg(QRegularExpression::escape(ostacolo.fileName())));
        QVERIFY2(atteso.match(errore.prompt).hasMatch(), qPrintable(errore.prompt));
        QVERIFY(desktop.aperti.isEmpty());
    }

    void a_second_export_never_overwrites_the_first() {
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2")});
        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("X"));
        const QString primo = e->percorso(e->file().first());
        QFile file(primo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contenuto = file.readAll();
        file.close();

        e->esporta(*griglia, QStringLiteral("Primaria"), QStringLiteral("Y"));
        QCOMPARE(e->file().size(), 2);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contenuto);
        QCOMPARE(e->desktop.aperti.size(), 2);
        QVERIFY(e->desktop.aperti[0] != e->desktop.aperti[1]);
    }

    void a_workbook_no_application_opens_is_named_in_an_information_message() {
        e->desktop.apre = false;
        DialogsRegistrati dialogs;
        auto griglia = tabella(kIntestazioni, {rigaRiepilogo(1, "ROSSI", "1", "2")});
        Excel::EsportaExcel({dialogs, e->desktop}, *griglia, QStringLiteral("Primaria"),
                            QStringLiteral("X"), kDateRiepilogo, 1, 1, kTestiRiepilogo, {});
        QCOMPARE(e->file().size(), 1);
        const QString percorso = e->percorso(e->file().first());
        QCOMPARE(e->desktop.aperti, QStringList{percorso});
        QCOMPARE(dialogs.messaggi.size(), 1u);
        QCOMPARE(dialogs.messaggi.front(),
                 MessageBoxRequest(QStringLiteral("Il foglio di lavoro è stato salvato nel file\n"
                                                  "%1\nNon è stato possibile aprirlo: aprirlo con "
                                                  "un programma per fogli di calcolo.")
                                       .arg(percorso),
                                   MessageButtons::Ok, MessageIcon::Information));
        QVERIFY(e->unica().letta());
    }

    void the_cls_global_method_passes_its_arguments_with_plain_defaults() {
        const clsGlobalExcel global({e->dialogs, e->desktop});
        auto griglia = tabella({"Num.", "Importo", "Testo"}, {{"1", "12,5", "12.5"}});
        global.EsportaExcel(*griglia, QStringLiteral("Foglio"), QStringLiteral("X"));
        const CartellaLetta letta = e->unica();
        QCOMPARE(letta.tipo("B4"), QStringLiteral("n"));
        QCOMPARE(letta.valore("B4").toDouble(), 12.5);
        // Under an Italian locale "12.5" is not a plain number.
        QCOMPARE(letta.tipo("C4"), QStringLiteral("s"));
        QCOMPARE(global.DbConvertiData(QStringLiteral("25/05/2006"), 1, 3).value(),
                 QStringLiteral("2006-05-25"));
    }
};

QTEST_MAIN(TestEsportaExcel)
#include "test_esporta_excel.moc"
