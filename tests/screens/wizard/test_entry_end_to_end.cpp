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
    std::unique_ptr<EntryFixture> f;

    template <class W>
    W* su(QWidget& screen, const char* name) {
        return f->t->control<W>(screen, QString::fromLatin1(name));
    }

    // The entry screen in front, ready for typing.
    void schermoDiInserimento() {
        f->entry = f->t->screens().find<FrmDatiAnagrafici>();
        QVERIFY(f->entry != nullptr);
        QVERIFY(f->entry->isVisible());
        QApplication::setActiveWindow(f->entry);
        QVERIFY(QTest::qWaitForWindowActive(f->entry));
    }

    void registraCognome(const char* cognome) {
        ModuloDomanda modulo = ModuloCompleto();
        modulo.CognRich = QString::fromLatin1(cognome);
        f->compila(modulo);
        f->successivo();
    }

private slots:
    void init() { f = std::make_unique<EntryFixture>(); }
    void cleanup() {
        QVERIFY(f->t->finish());
        f.reset();
    }

    void a_new_list_then_the_same_list_continued() {
        f->t->program.start();
        QTest::keyClick(&f->t->screens().get<FrmPresentazione>(), Qt::Key_Return);
        auto& scelta = f->t->screens().get<FrmScelta>();
        ProgramUnderTest::click(su<QRadioButton>(scelta, "OptNuovo"));

        auto& intestazione = f->t->screens().get<FrmIntestazione>();
        QTest::keyClicks(su<QLineEdit>(intestazione, "txtIntestComune"), QStringLiteral("Roma"));
        su<QComboBox>(intestazione, "cmbScuola")->setCurrentText(QStringLiteral("primaria"));
        const char* anni[] = {"Cmb1", "Cmb2", "Cmb3", "Cmb4"};
        const int cifre[] = {0, 5, 0, 6};
        for (int i = 0; i < 4; ++i) {
            su<QComboBox>(intestazione, anni[i])->setCurrentIndex(cifre[i]);
        }
        f->file = f->t->path(QStringLiteral("Roma_Primaria_05-06.svz"));
        f->t->dialogs.expectFile(
            {FileDialogMode::Save, kFiltroElenchi, QStringLiteral("Roma_Primaria_05-06")}, f->file);
        ProgramUnderTest::click(su<QPushButton>(intestazione, "cmdOk"));
        ProgramUnderTest::click(su<QPushButton>(intestazione, "cmdAvanti"));

        schermoDiInserimento();
        QCOMPARE(f->t->stato().sIntestazione, QStringLiteral("05-06"));
        registraCognome("bianchi");
        registraCognome("verdi");
        registraCognome("neri");
        QCOMPARE(f->byteDelFile().size(), 3 * kLunghezzaRecord);
        QCOMPARE(f->record(1).left(7), QByteArray("BIANCHI"));
        QCOMPARE(f->record(3).left(5), QByteArray("NERI "));

        ProgramUnderTest::click(f->button("CmdIndietro"));
        QVERIFY(scelta.isVisible());
        QVERIFY(!f->t->program.elenco().Aperto(1));

        f->t->dialogs.expectFile({FileDialogMode::Open, kFiltroElenchi, QString()}, f->file)
            .expectInput({QStringLiteral("Sovvenzia per l'anno scolastico:"),
                          QStringLiteral("Gestione Sovvenzia"), QString(), QPoint(2000, 2000)},
                         QStringLiteral("2005/2006"));
        ProgramUnderTest::click(su<QRadioButton>(scelta, "OptApri"));
        ProgramUnderTest::click(su<QPushButton>(scelta, "cmdAvanti"));

        schermoDiInserimento();
        QCOMPARE(f->t->stato().nProssimoRecord, std::int16_t(4));
        registraCognome("gialli");
        const QByteArray tutto = f->byteDelFile();
        QCOMPARE(tutto.size(), 4 * kLunghezzaRecord);
        QCOMPARE(tutto.mid(3 * kLunghezzaRecord, 6), QByteArray("GIALLI"));
        QCOMPARE(tutto.mid(3 * kLunghezzaRecord + 30), EntryFixture::recordCompleto().mid(30));
    }
};

QTEST_MAIN(TestEntryEndToEnd)
#include "test_entry_end_to_end.moc"
