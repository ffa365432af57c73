#include "EsportazioneDiProva.h"
#include "FailingFileSystem.h"
#include "RiepilogoDiProva.h"
#include "Twips.h"

#include <QHeaderView>
#include <QLocale>
#include <QPushButton>

#include <cerrno>

namespace {

const int kLarghezze[] = {500,  3300, 3300, 1000, 2000, 3300, 3300, 3300,
                          3300, 1000, 2000, 3300, 3300, 1500, 1500};

using D = RiepilogoDiProva;

}  // namespace

class TestFrmRiepilogo : public QObject {
    Q_OBJECT

private:
    FailingFileSystem guasto;
    std::unique_ptr<RiepilogoDiProva> t;

    // A list of the given applications, continued on the entry screen.
    void lista(const std::vector<DatiDomanda>& domande) {
        t->scriviElenco(domande);
        t->apriSchedaDomande();
    }
    void indietro() {
        QPushButton* bottone = t->riepilogo()->findChild<QPushButton*>("CmdIndietro");
        QVERIFY(bottone != nullptr);
        QTest::mouseClick(bottone, Qt::LeftButton);
    }
    bool riepilogoInPrimoPiano() {
        return t->riepilogo() != nullptr && t->riepilogo()->isVisible() &&
               t->program.screens().activeScreen() == t->riepilogo() &&
               !t->program.screens().get<FrmDatiAnagrafici>().isVisible();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() { t = std::make_unique<RiepilogoDiProva>(); }
    void cleanup() {
        QVERIFY(t->dialogs.verifyAllUsed());
        t.reset();
        guasto.clearFailures();
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void first_opening_of_three_applications_shows_rows_1_to_3_under_the_full_header() {
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI"), D::domanda("VERDI")});
        t->apriRiepilogo();
        QVERIFY(riepilogoInPrimoPiano());
        QCOMPARE(t->riepilogo()->windowTitle(), QStringLiteral("Riepilogo"));
        QCOMPARE(t->righe(), 4);
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 3);
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(t->cella(r, 0), QString::number(r));
        }
        TextGridView* griglia = t->griglia();
        for (int c = 0; c < 15; ++c) {
            QCOMPARE(griglia->model()->headerData(c, Qt::Horizontal).toString(), kIntestazioni[c]);
            QCOMPARE(griglia->columnWidth(c), Twips::toPixels(kLarghezze[c]));
        }
        const QStringList attese{"1",
                                 "ROSSI MARIO",
                                 "ROMA",
                                 "05/03/1970",
                                 "RSSMRA70C05H501X",
                                 "VIA APPIA, 12",
                                 "ROMA - 00100",
                                 "ROSSI LUCA",
                                 "MILANO",
                                 "25/05/2006",
                                 "RSSLCU06E25F205Y",
                                 "VIA DANTE, 3",
                                 "MILANO - 20100",
                                 "250",
                                 "99,5"};
        for (int c = 0; c < 15; ++c) {
            QCOMPARE(t->cella(1, c), attese[c]);
        }
        QVERIFY(griglia->editTriggers() == QAbstractItemView::NoEditTriggers);
    }

    void a_later_opening_adds_only_the_new_applications_without_rereading_the_old() {
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI"), D::domanda("VERDI")});
        t->apriRiepilogo();
        indietro();
        QVERIFY(t->program.screens().get<FrmDatiAnagrafici>().isVisible());
        QVERIFY(!t->riepilogo()->isVisible());
        // Record 1 changes behind the summary's back: it is not reread.
        t->scrivi(1, D::domanda("CAMBIATO"));
        t->scrivi(4, D::domanda("NERI"));
        t->scrivi(5, D::domanda("GIALLI"));
        t->apriRiepilogo();
        QVERIFY(riepilogoInPrimoPiano());
        QCOMPARE(t->righe(), 6);
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 5);
        QCOMPARE(t->cella(1, 1), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(t->cella(4, 0), QStringLiteral("4"));
        QCOMPARE(t->cella(4, 1), QStringLiteral("NERI MARIO"));
        QCOMPARE(t->cella(5, 1), QStringLiteral("GIALLI MARIO"));
    }

    void opening_again_with_nothing_new_shows_the_table_as_it_was() {
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI")});
        t->apriRiepilogo();
        indietro();
        t->apriRiepilogo();
        QVERIFY(riepilogoInPrimoPiano());
        QCOMPARE(t->righe(), 3);
        QCOMPARE(t->cella(2, 1), QStringLiteral("BIANCHI MARIO"));
        QCOMPARE(t->cella(0, 14), QStringLiteral("ISEE"));
    }

    void after_a_modification_every_opening_rebuilds_the_table_from_record_1() {
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI"), D::domanda("VERDI")});
        t->apriRiepilogo();
        indietro();
        t->scrivi(2, D::domanda("MODIFICATO"));
        t->program.stato().bModificaEseguita = true;
        t->apriRiepilogo();
        QCOMPARE(t->righe(), 4);
        QCOMPARE(t->cella(2, 1), QStringLiteral("MODIFICATO MARIO"));
        QCOMPARE(t->cella(0, 0), QStringLiteral("Num. "));
        QCOMPARE(t->cella(0, 13), QStringLiteral("Spese Sostenute"));
        QVERIFY(t->program.stato().bModificaEseguita);
        indietro();
        t->scrivi(3, D::domanda("DI NUOVO"));
        t->apriRiepilogo();
        QCOMPARE(t->righe(), 4);
        QCOMPARE(t->cella(3, 1), QStringLiteral("DI NUOVO MARIO"));
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 3);
    }

    void blank_house_number_and_postcode_keep_their_separators() {
        DatiDomanda senza = D::domanda("ROSSI");
        senza.NumRich = QString();
        senza.CapRich = QString();
        senza.NomeStud = QString();
        lista({senza});
        t->apriRiepilogo();
        QCOMPARE(t->cella(1, 5), QStringLiteral("VIA APPIA, "));
        QCOMPARE(t->cella(1, 6), QStringLiteral("ROMA - "));
        QCOMPARE(t->cella(1, 7), QStringLiteral("ROSSI "));
    }

    void amounts_show_in_the_locale_form_with_at_most_seven_digits() {
        lista({D::domanda("ROSSI", 250.0f, 99.5f), D::domanda("BIANCHI", 12345.67f, 1234.56f),
               D::domanda("VERDI", 0.0f, 100000.5f)});
        t->apriRiepilogo();
        QCOMPARE(t->cella(1, 13), QStringLiteral("250"));
        QCOMPARE(t->cella(1, 14), QStringLiteral("99,5"));
        QCOMPARE(t->cella(2, 13), QStringLiteral("12345,67"));
        QCOMPARE(t->cella(2, 14), QStringLiteral("1234,56"));
        QCOMPARE(t->cella(3, 13), QStringLiteral("0"));
        QCOMPARE(t->cella(3, 14), QStringLiteral("100000,5"));
    }

    void amounts_follow_the_users_locale() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        lista({D::domanda("ROSSI", 12345.67f, 99.5f)});
        t->apriRiepilogo();
        QCOMPARE(t->cella(1, 13), QStringLiteral("12345.67"));
        QCOMPARE(t->cella(1, 14), QStringLiteral("99.5"));
    }

    void an_empty_list_says_so_and_keeps_the_entry_screen_in_front() {
        lista({});
        t->dialogs.expectMessage(
            {QStringLiteral("Il file è vuoto!"), MessageButtons::Ok, MessageIcon::Information});
        t->apriRiepilogo();
        QVERIFY(t->riepilogo() == nullptr || !t->riepilogo()->isVisible());
        QVERIFY(t->program.screens().get<FrmDatiAnagrafici>().isVisible());
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 0);
    }

    void closing_the_window_acts_as_indietro_and_keeps_the_rows() {
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI")});
        t->apriRiepilogo();
        QVERIFY(!t->riepilogo()->close());
        QVERIFY(!t->riepilogo()->isVisible());
        QVERIFY(t->program.screens().get<FrmDatiAnagrafici>().isVisible());
        QCOMPARE(t->righe(), 3);
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 2);
    }

    void a_read_error_is_shown_and_the_table_keeps_its_rows() {
        t = std::make_unique<RiepilogoDiProva>(guasto);
        lista({D::domanda("ROSSI"), D::domanda("BIANCHI")});
        t->apriRiepilogo();
        indietro();
        t->scrivi(3, D::domanda("VERDI"));
        guasto.failOn(FailingFileSystem::Call::Read, 1, EIO);
        t->dialogs.expectMessage(
            {QStringLiteral("Impossibile mostrare la tabella di riepilogo.\n"
                            "Impossibile leggere dal file \"%1\": errore di lettura o scrittura "
                            "sul disco.")
                 .arg(t->elenco()),
             MessageButtons::Ok, MessageIcon::Critical});
        t->apriRiepilogo();
        QVERIFY(!t->riepilogo()->isVisible());
        QVERIFY(t->program.screens().get<FrmDatiAnagrafici>().isVisible());
        QCOMPARE(t->righe(), 3);
        QCOMPARE(t->program.stato().nIndiceRiepilogo, 2);
        // Once the disk reads again, the next opening adds the missing row.
        t->apriRiepilogo();
        QCOMPARE(t->righe(), 4);
        QCOMPARE(t->cella(3, 1), QStringLiteral("VERDI MARIO"));
    }

    void the_export_button_asks_municipality_then_grade_and_writes_the_whole_table() {
        DatiDomanda uguale = D::domanda("ROSSI", 1234.5f, 0.0f);
        uguale.CapRich = QStringLiteral("=1+1");
        lista({uguale, D::domanda("BIANCHI")});
        t->apriRiepilogo();
        const auto domanda = [](const char* testo) {
            return InputBoxRequest(QString::fromUtf8(testo), QStringLiteral("Gestione Sovvenzia"),
                                   QString(), QPoint(2000, 2000));
        };
        t->dialogs.expectInput(domanda("Comune di:"), QStringLiteral("Roma"))
            .expectInput(domanda("Inserire di seguito il grado della scuola..."),
                         QStringLiteral("Primaria"));
        QTest::mouseClick(t->riepilogo()->findChild<QPushButton*>("Command1"), Qt::LeftButton);

        const QStringList scritti = cartelleNella(t->cartella.path());
        QCOMPARE(scritti.size(), 1);
        QCOMPARE(t->desktop.aperti, QStringList{t->cartella.filePath(scritti.first())});
        const CartellaLetta letta(t->cartella.filePath(scritti.first()));
        QVERIFY2(letta.letta(), qPrintable(letta.errori()));
        QCOMPARE(letta.fogli(), QStringList{QStringLiteral("Primaria")});
        QCOMPARE(letta.valore("A1").toString(), QStringLiteral("COMUNE DI: Roma"));
        QCOMPARE(letta.valore("A2").toString(), QStringLiteral("SCUOLA Primaria"));
        QCOMPARE(letta.valore("B3").toString(), kIntestazioni[1]);
        QCOMPARE(letta.valore("O3").toString(), kIntestazioni[14]);
        QCOMPARE(letta.valore("G4").toString(), QStringLiteral("ROMA - =1+1"));
        QCOMPARE(letta.valore("D5").toString(), QStringLiteral("05/03/1970"));
        QCOMPARE(letta.tipo("D5"), QStringLiteral("s"));
        QCOMPARE(letta.valore("N4").toDouble(), 1234.5);
        QCOMPARE(letta.valore("O4").toDouble(), 0.0);
        QCOMPARE(letta.tipo("O5"), QStringLiteral("n"));
        QVERIFY(!letta.esiste("A4"));
        QVERIFY(!letta.esiste("B6"));
        // The table's current cell is the last one the export read.
        QCOMPARE(t->griglia()->cells().Row(), 2);
        QCOMPARE(t->griglia()->cells().Col(), 14);
    }
};

QTEST_MAIN(TestFrmRiepilogo)
#include "test_frm_riepilogo.moc"
