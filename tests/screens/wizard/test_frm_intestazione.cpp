#include "ProgramUnderTest.h"
#include "Twips.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kRiempire = QStringLiteral("Riempire correttamente tutti gli spazi");
const QString kNomeSignificativo = QStringLiteral(
    "Dare un nome significativo al file.\nSi consiglia di lasciare inalterato quello proposto");

FileDialogRequest salva(const QString& proposto) {
    return {FileDialogMode::Save, QStringLiteral("(*.svz) | *.svz"), proposto};
}

}  // namespace

class TestFrmIntestazione : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramUnderTest> t;
    FrmIntestazione* intestazione = nullptr;

    template <class W>
    W* ctl(const char* name) {
        return t->control<W>(*intestazione, QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) { return ctl<QPushButton>(name); }

    // Chooses "Crea un nuovo elenco" on the choice screen.
    void creaNuovoElenco() {
        ProgramUnderTest::click(t->screens().get<FrmScelta>().findChild<QRadioButton*>("OptNuovo"));
        intestazione = t->screens().find<FrmIntestazione>();
        QVERIFY(intestazione != nullptr);
    }

    // Types the municipality and picks the grade and the four year digits
    // ("0506" picks 0, 5 / 0, 6).
    void compila(const QString& comune, const QString& scuola, const QString& cifre) {
        QTest::keyClicks(ctl<QLineEdit>("txtIntestComune"), comune);
        ctl<QComboBox>("cmbScuola")->setCurrentText(scuola);
        scegliAnni(cifre);
    }
    void scegliAnni(const QString& cifre) {
        const char* nomi[] = {"Cmb1", "Cmb2", "Cmb3", "Cmb4"};
        for (int i = 0; i < 4; ++i) {
            ctl<QComboBox>(nomi[i])->setCurrentIndex(cifre.mid(i, 1).toInt());
        }
    }

    // Enter typed in a field, which has the focus.
    static void invio(QWidget* campo) {
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Return);
    }

    bool inEntrata() { return button("cmdOk")->isVisible() && !button("cmdAvanti")->isVisible(); }
    bool nominato() { return !button("cmdOk")->isVisible() && button("cmdAvanti")->isVisible(); }

    // Names the list Roma, secondaria di primo grado, 05-06 with the proposed
    // name accepted inside the temporary folder.
    QString nominaElenco() {
        compila(QStringLiteral("Roma"), QStringLiteral("secondaria di primo grado"),
                QStringLiteral("0506"));
        const QString percorso = t->path(QStringLiteral("Roma_SecPrimoGrado_05-06"));
        t->dialogs.expectFile(salva(QStringLiteral("Roma_SecPrimoGrado_05-06")), percorso);
        ProgramUnderTest::click(button("cmdOk"));
        return percorso;
    }

private slots:
    void init() {
        t = std::make_unique<ProgramUnderTest>();
        t->program.start();
        QTest::keyClick(&t->screens().get<FrmPresentazione>(), Qt::Key_Return);
        creaNuovoElenco();
    }
    void cleanup() {
        QVERIFY(t->finish());
        t.reset();
    }

    void a_fresh_heading_screen_is_empty_and_offers_salva() {
        QVERIFY(intestazione->isVisible());
        QVERIFY(!t->screens().get<FrmScelta>().isVisible());
        QCOMPARE(intestazione->windowTitle(), QStringLiteral("Intestazione"));
        QCOMPARE(intestazione->size(), Twips::size(4635, 3450));
        QCOMPARE(ctl<QLineEdit>("txtIntestComune")->text(), QString());
        QCOMPARE(ctl<QLineEdit>("txtIntestComune")->toolTip(),
                 QStringLiteral("Non inserire simboli speciali"));
        QCOMPARE(ctl<QLabel>("Label1")->text(), QStringLiteral("Comune di:"));
        QCOMPARE(ctl<QLabel>("Label4")->text(), QStringLiteral("/"));
        QCOMPARE(button("cmdOk")->text(), QStringLiteral("Salva"));
        QCOMPARE(button("CmdAnnulla")->text(), QStringLiteral("&Annulla"));
        QCOMPARE(button("cmdAvanti")->geometry(), button("cmdOk")->geometry());
        QCOMPARE(ctl<QComboBox>("cmbScuola")->geometry(), Twips::rect(360, 1320, 3975, 315));
        QVERIFY(inEntrata());

        auto* scuola = ctl<QComboBox>("cmbScuola");
        QCOMPARE(scuola->count(), 3);
        QCOMPARE(scuola->itemText(1), QStringLiteral("secondaria di primo grado"));
        QVERIFY(!scuola->isEditable());
        for (const char* nome : {"cmbScuola", "Cmb1", "Cmb2", "Cmb3", "Cmb4"}) {
            QVERIFY2(ctl<QComboBox>(nome)->currentIndex() == -1, nome);
            QVERIFY2(!ctl<QComboBox>(nome)->isEditable(), nome);
        }
        QCOMPARE(ctl<QComboBox>("Cmb3")->itemText(9), QStringLiteral("9"));
        QCOMPARE(ctl<QComboBox>("Cmb4")->count(), 10);
    }

    void tab_visits_the_fields_then_salva_then_annulla() {
        QVERIFY(QTest::qWaitForWindowActive(intestazione));
        ctl<QLineEdit>("txtIntestComune")->setFocus();
        QStringList visitati{intestazione->focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(intestazione->focusWidget(), Qt::Key_Tab);
            visitati << intestazione->focusWidget()->objectName();
        }
        QCOMPARE(visitati, QStringList({"txtIntestComune", "cmbScuola", "Cmb1", "Cmb2", "Cmb3",
                                        "Cmb4", "cmdOk", "CmdAnnulla"}));
    }

    void any_empty_field_stops_salva_with_a_notice_and_no_dialog() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        for (const char* nome : {"cmbScuola", "Cmb1", "Cmb2", "Cmb3", "Cmb4"}) {
            auto* combo = ctl<QComboBox>(nome);
            const int scelto = combo->currentIndex();
            combo->setCurrentIndex(-1);
            t->dialogs.expectMessage(informazione(kRiempire));
            ProgramUnderTest::click(button("cmdOk"));
            QVERIFY2(t->finish(), nome);
            combo->setCurrentIndex(scelto);
        }
        ctl<QLineEdit>("txtIntestComune")->clear();
        t->dialogs.expectMessage(informazione(kRiempire));
        ProgramUnderTest::click(button("cmdOk"));
        QVERIFY(!t->stato().bElencoNuovo);
        QVERIFY(inEntrata());
        QCOMPARE(ctl<QComboBox>("cmbScuola")->currentText(), QStringLiteral("primaria"));
    }

    void a_municipality_of_blanks_enters_the_proposed_name_unchanged() {
        compila(QStringLiteral("  "), QStringLiteral("primaria"), QStringLiteral("0000"));
        t->dialogs.expectFile(salva(QStringLiteral("  _Primaria_00-00")), std::nullopt);
        ProgramUnderTest::click(button("cmdOk"));
    }

    void each_grade_gives_its_code_and_any_year_order_is_accepted() {
        const QString comune = QStringLiteral("San Donà di Piave");
        for (const QChar ch : comune) {
            QTest::sendKeyEvent(QTest::Click, ctl<QLineEdit>("txtIntestComune"), Qt::Key_unknown,
                                QString(ch), Qt::NoModifier);
        }
        const QList<std::pair<QString, QString>> casi = {
            {"primaria", "San Donà di Piave_Primaria_06-05"},
            {"secondaria di primo grado", "San Donà di Piave_SecPrimoGrado_06-05"},
            {"secondaria di secondo grado", "San Donà di Piave_SecSecondoGrado_06-05"}};
        scegliAnni(QStringLiteral("0605"));
        for (const auto& [scuola, proposto] : casi) {
            ctl<QComboBox>("cmbScuola")->setCurrentText(scuola);
            t->dialogs.expectFile(salva(proposto), std::nullopt);
            ProgramUnderTest::click(button("cmdOk"));
        }
    }

    void accepting_the_proposed_name_stores_it_without_extension_and_offers_avanti() {
        const QString percorso = nominaElenco();
        QCOMPARE(t->stato().sFileElenco, percorso);
        QVERIFY(t->stato().bElencoNuovo);
        QVERIFY(nominato());
        QVERIFY(!QFile::exists(percorso));  // the entry screen creates it, not this one
    }

    void enter_presses_salva_and_then_avanti() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        const QString percorso = t->path(QStringLiteral("Roma_Primaria_05-06.svz"));
        t->dialogs.expectFile(salva(QStringLiteral("Roma_Primaria_05-06")), percorso);
        invio(ctl<QLineEdit>("txtIntestComune"));
        QVERIFY(nominato());

        invio(ctl<QComboBox>("Cmb4"));
        QVERIFY(t->screens().get<FrmDatiAnagrafici>().isVisible());
        QCOMPARE(t->stato().sIntestazione, QStringLiteral("05-06"));
    }

    void a_cancelled_dialog_keeps_salva_and_the_path_but_marks_the_list_new() {
        t->stato().sFileElenco = QStringLiteral("/prima/Elenco.svz");
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        t->dialogs.expectFile(salva(QStringLiteral("Roma_Primaria_05-06")), std::nullopt);
        ProgramUnderTest::click(button("cmdOk"));
        QVERIFY(inEntrata());
        QCOMPARE(t->stato().sFileElenco, QStringLiteral("/prima/Elenco.svz"));
        QVERIFY(t->stato().bElencoNuovo);

        // The next "Salva" proposes the name afresh from the fields.
        QTest::keyClicks(ctl<QLineEdit>("txtIntestComune"), QStringLiteral("no"));
        t->dialogs.expectFile(salva(QStringLiteral("Romano_Primaria_05-06")), std::nullopt);
        ProgramUnderTest::click(button("cmdOk"));
    }

    void a_blank_name_is_refused_with_a_notice() {
        t->stato().sFileElenco = QStringLiteral("/prima/Elenco.svz");
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        for (const QString& vuoto : {QString(), QStringLiteral("   ")}) {
            t->dialogs.expectFile(salva(QStringLiteral("Roma_Primaria_05-06")), vuoto)
                .expectMessage(informazione(kNomeSignificativo));
            ProgramUnderTest::click(button("cmdOk"));
            QVERIFY(inEntrata());
            QCOMPARE(t->stato().sFileElenco, QStringLiteral("/prima/Elenco.svz"));
        }
    }

    void a_name_with_blanks_around_is_kept_as_returned() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        const QString scelto = QStringLiteral(" ") + t->path(QStringLiteral("Roma ")) + ' ';
        t->dialogs.expectFile(salva(QStringLiteral("Roma_Primaria_05-06")), scelto);
        ProgramUnderTest::click(button("cmdOk"));
        QCOMPARE(t->stato().sFileElenco, scelto);
        QVERIFY(nominato());
    }

    void an_existing_list_file_is_accepted_here() {
        const QString esistente = t->path(QStringLiteral("Vecchio.svz"));
        QFile file(esistente);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(418, ' '));
        file.close();
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        t->dialogs.expectFile(salva(QStringLiteral("Roma_Primaria_05-06")), esistente);
        ProgramUnderTest::click(button("cmdOk"));
        QCOMPARE(t->stato().sFileElenco, esistente);
        QVERIFY(nominato());
        QCOMPARE(QFile(esistente).size(), 418);
    }

    void avanti_takes_the_year_from_the_current_selections_and_unloads_the_screen() {
        const QString percorso = nominaElenco();
        scegliAnni(QStringLiteral("0708"));
        ProgramUnderTest::click(button("cmdAvanti"));
        QCOMPARE(t->stato().sIntestazione, QStringLiteral("07-08"));
        QCOMPARE(t->stato().sFileElenco, percorso);
        QVERIFY(t->stato().bElencoNuovo);
        QVERIFY(t->screens().find<FrmIntestazione>() == nullptr);
        QVERIFY(t->screens().get<FrmDatiAnagrafici>().isVisible());
    }

    void annulla_returns_to_the_choice_screen_and_keeps_the_fields() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        ProgramUnderTest::click(button("CmdAnnulla"));
        auto& scelta = t->screens().get<FrmScelta>();
        QVERIFY(scelta.isVisible());
        QCOMPARE(t->screens().activeScreen(), &scelta);
        QVERIFY(!intestazione->isVisible());
        QVERIFY(!t->stato().bElencoNuovo);

        creaNuovoElenco();
        QCOMPARE(t->screens().find<FrmIntestazione>(), intestazione);
        QCOMPARE(ctl<QLineEdit>("txtIntestComune")->text(), QStringLiteral("Roma"));
        QCOMPARE(ctl<QComboBox>("Cmb2")->currentText(), QStringLiteral("5"));
        QVERIFY(inEntrata());
    }

    void coming_back_after_a_named_list_offers_salva_again() {
        const QString percorso = nominaElenco();
        ProgramUnderTest::click(button("CmdAnnulla"));
        creaNuovoElenco();
        QVERIFY(inEntrata());
        QCOMPARE(t->stato().sFileElenco, percorso);

        // Enter presses "Salva" again, which proposes the name once more.
        t->dialogs.expectFile(salva(QStringLiteral("Roma_SecPrimoGrado_05-06")), std::nullopt);
        invio(ctl<QLineEdit>("txtIntestComune"));
        QVERIFY(inEntrata());
    }

    void closing_the_window_acts_as_annulla() {
        nominaElenco();
        intestazione->close();
        QVERIFY(!intestazione->isVisible());
        QVERIFY(t->screens().get<FrmScelta>().isVisible());
        QVERIFY(!t->screens().programEnded());
        QCOMPARE(t->screens().find<FrmIntestazione>(), intestazione);
    }
};

QTEST_MAIN(TestFrmIntestazione)
#include "test_frm_intestazione.moc"
