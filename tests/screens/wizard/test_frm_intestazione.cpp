#include "ProgramUnderTest.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmScelta.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

FileDialogRequest salvataggio(const QString& proposto) {
    return {FileDialogMode::Save, QStringLiteral("(*.svz) | *.svz"), proposto};
}

}  // namespace

class TestFrmIntestazione : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramUnderTest> t;

    FrmIntestazione& schermo() { return t->screens().get<FrmIntestazione>(); }
    template <class W = QComboBox>
    W* ctl(const QString& name) {
        return t->control<W>(schermo(), name);
    }

    // Chooses "Crea un nuovo elenco" on the choice screen.
    void creaNuovoElenco() {
        t->click(t->screens().get<FrmScelta>(), {"OptNuovo"});
        QVERIFY(schermo().isVisible());
    }

    // Types the municipality, picks the grade and the four year digits ("0506").
    void compila(const QString& comune, const QString& scuola, const QString& cifre) {
        ctl<QLineEdit>("txtIntestComune")->clear();
        ProgramUnderTest::type(ctl<QLineEdit>("txtIntestComune"), comune);
        ctl("cmbScuola")->setCurrentText(scuola);
        for (int i = 0; i < 4; ++i) {
            ctl(QStringLiteral("Cmb%1").arg(i + 1))->setCurrentIndex(cifre[i].digitValue());
        }
    }

    // The button offered where "Salva" and "Avanti" share their place.
    QString offerto() { return ProgramUnderTest::on(schermo(), {"cmdOk", "cmdAvanti"}); }

private slots:
    void init() {
        t = std::make_unique<ProgramUnderTest>();
        t->openChoice();
        creaNuovoElenco();
    }
    void cleanup() {
        QVERIFY(t->finish());
        t.reset();
    }

    void any_empty_field_stops_salva_with_a_notice_and_no_dialog() {
        for (const char* nome : {"cmbScuola", "Cmb1", "Cmb2", "Cmb3", "Cmb4", "txtIntestComune"}) {
            compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
            if (auto* combo = qobject_cast<QComboBox*>(ctl<QWidget>(nome))) {
                combo->setCurrentIndex(-1);
            } else {
                ctl<QLineEdit>(nome)->clear();
            }
            t->dialogs.expectMessage(informazione("Riempire correttamente tutti gli spazi"));
            t->click(schermo(), {"cmdOk"});
            QVERIFY2(t->finish(), nome);
        }
        QVERIFY(!t->stato.bElencoNuovo);
        QCOMPARE(offerto(), QStringLiteral("cmdOk"));
    }

    // A cancelled dialog, or a blank name with a notice, keeps "Salva".
    void the_proposed_name_joins_municipality_grade_and_years_and_no_name_keeps_salva() {
        t->stato.sFileElenco = QStringLiteral("/prima/Elenco.svz");
        const QList<QStringList> casi = {
            {"  ", "primaria", "0000", "  _Primaria_00-00", "annulla"},
            {"San Donà di Piave", "primaria", "0605", "San Donà di Piave_Primaria_06-05", ""},
            {"Roma", "secondaria di primo grado", "0506", "Roma_SecPrimoGrado_05-06", "   "},
            {"Roma", "secondaria di secondo grado", "0506", "Roma_SecSecondoGrado_05-06",
             "annulla"}};
        for (const QStringList& caso : casi) {
            compila(caso[0], caso[1], caso[2]);
            const bool annulla = caso[4] == QStringLiteral("annulla");
            t->dialogs.expectFile(salvataggio(caso[3]),
                                  annulla ? std::nullopt : std::optional(caso[4]));
            if (!annulla) {
                t->dialogs.expectMessage(
                    informazione(QStringLiteral("Dare un nome significativo al file.\n"
                                                "Si consiglia di lasciare inalterato quello "
                                                "proposto")));
            }
            t->click(schermo(), {"cmdOk"});
            QCOMPARE(offerto(), QStringLiteral("cmdOk"));
        }
        QCOMPARE(t->stato.sFileElenco, QStringLiteral("/prima/Elenco.svz"));
        QVERIFY(t->stato.bElencoNuovo);
    }

    void a_chosen_name_is_kept_as_returned_and_coming_back_offers_salva_again() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        const QString esistente = t->write(QStringLiteral("Vecchio.svz"), QByteArray(418, ' '));
        for (const QString& scelto : {t->path("Roma"), " " + t->path("Roma ") + ' ', esistente}) {
            schermo().close();  // the window frame acts as Annulla
            QCOMPARE(t->shownScreens(), QStringList{"FrmScelta"});
            creaNuovoElenco();  // the same window, fields as left
            t->dialogs.expectFile(salvataggio(QStringLiteral("Roma_Primaria_05-06")), scelto);
            t->click(schermo(), {"cmdOk"});
            QCOMPARE(t->stato.sFileElenco, scelto);
            QCOMPARE(offerto(), QStringLiteral("cmdAvanti"));
        }
        QVERIFY(!QFile::exists(t->path("Roma")));  // the entry screen creates it, not this one
        QCOMPARE(QFile(esistente).size(), 418);
    }

    // Enter presses "Salva" only: once the list is named it does nothing
    // until "Avanti", which reads the years anew.
    void enter_presses_salva_only_and_avanti_reads_the_years_anew() {
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0506"));
        t->dialogs.expectFile(salvataggio(QStringLiteral("Roma_Primaria_05-06")),
                              t->path("Roma.svz"));
        QTest::keyClick(ctl<QLineEdit>("txtIntestComune"), Qt::Key_Return);
        QCOMPARE(offerto(), QStringLiteral("cmdAvanti"));
        compila(QStringLiteral("Roma"), QStringLiteral("primaria"), QStringLiteral("0708"));
        QTest::keyClick(ctl<QLineEdit>("txtIntestComune"), Qt::Key_Return);
        QVERIFY(t->screens().find<FrmDatiAnagrafici>() == nullptr);
        t->click(schermo(), {"cmdAvanti"});
        QCOMPARE(t->stato.sIntestazione, QStringLiteral("07-08"));
        QCOMPARE(t->stato.sFileElenco, t->path("Roma.svz"));
        QVERIFY(t->screens().get<FrmDatiAnagrafici>().isVisible());
    }
};

QTEST_MAIN(TestFrmIntestazione)
#include "test_frm_intestazione.moc"
