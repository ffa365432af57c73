#include "CommonDialog.h"
#include "EntryFixture.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QComboBox>
#include <QRadioButton>

// From the intro screen through a new list to three stored applications and
// back to the choice screen, then continuing the same list with a fourth.
class TestEntryEndToEnd : public QObject {
    Q_OBJECT

private:
    EntryFixture f;

    // The entry screen in front, ready for typing.
    void schermoDiInserimento() {
        f.entry = f.screens().find<FrmDatiAnagrafici>();
        QVERIFY(f.entry != nullptr && f.entry->isVisible());
        QApplication::setActiveWindow(f.entry);
        QVERIFY(QTest::qWaitForWindowActive(f.entry));
    }

    void registra(const char* cognome) {
        ModuloDomanda modulo = ModuloCompleto();
        modulo[Campo::CognRich] = QString::fromLatin1(cognome);
        f.compila(modulo);
        f.successivo();
    }

private slots:
    void cleanup() { QVERIFY(f.finish()); }

    void a_new_list_then_the_same_list_continued() {
        f.program.start();
        QTest::keyClick(&f.screens().get<FrmPresentazione>(), Qt::Key_Return);
        auto& scelta = f.screens().get<FrmScelta>();
        f.click(f.control<QRadioButton>(scelta, "OptNuovo"));

        auto& intestazione = f.screens().get<FrmIntestazione>();
        QTest::keyClicks(f.control<QLineEdit>(intestazione, "txtIntestComune"), "Roma");
        f.control<QComboBox>(intestazione, "cmbScuola")->setCurrentText("primaria");
        for (const auto& [anno, cifra] :
             {std::pair{"Cmb1", 0}, {"Cmb2", 5}, {"Cmb3", 0}, {"Cmb4", 6}}) {
            f.control<QComboBox>(intestazione, anno)->setCurrentIndex(cifra);
        }
        f.file = f.path(QStringLiteral("Roma_Primaria_05-06.svz"));
        f.dialogs.expectFile({FileDialogMode::Save, kFiltroElenchi, "Roma_Primaria_05-06"}, f.file);
        f.click(f.control<QPushButton>(intestazione, "cmdOk"));
        f.click(f.control<QPushButton>(intestazione, "cmdAvanti"));

        schermoDiInserimento();
        QCOMPARE(f.stato().sIntestazione, QStringLiteral("05-06"));
        registra("bianchi");
        registra("verdi");
        registra("neri");
        QCOMPARE(f.bytes().size(), 3 * kLunghezzaRecord);
        QCOMPARE(f.record(1).left(7), QByteArray("BIANCHI"));
        QCOMPARE(f.record(3).left(5), QByteArray("NERI "));

        f.click(f.button("CmdIndietro"));
        QVERIFY(scelta.isVisible());
        QVERIFY(!f.program.elenco().Aperto(1));

        f.dialogs.expectFile({FileDialogMode::Open, kFiltroElenchi, QString()}, f.file)
            .expectInput({"Sovvenzia per l'anno scolastico:", "Gestione Sovvenzia", QString(),
                          QPoint(2000, 2000)},
                         "2005/2006");
        f.click(f.control<QRadioButton>(scelta, "OptApri"));
        f.click(f.control<QPushButton>(scelta, "cmdAvanti"));

        schermoDiInserimento();
        QCOMPARE(f.stato().nProssimoRecord, std::int16_t(4));
        registra("gialli");
        QCOMPARE(f.bytes().size(), 4 * kLunghezzaRecord);
        QCOMPARE(f.record(4).left(6), QByteArray("GIALLI"));
        QCOMPARE(f.record(4).mid(30), EntryFixture::recordCompleto().mid(30));
    }
};

QTEST_MAIN(TestEntryEndToEnd)
#include "test_entry_end_to_end.moc"
