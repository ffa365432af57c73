// The two screens of the choice screen's tab "Avanzate" on real list files:
// appending list 2 to list 1 (FrmCaricaFile) and merging two lists into a
// new one (FrmCreaUnione). What each leaves in the files, the names its
// dialogs keep, what it tells and the lists it closes when left. How a copy
// counts records and puts a list back after a failure is the copy's own
// test (test_unione_elenchi).

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "ProgramUnderTest.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>

namespace {

FileDialogRequest apri(const QString& nomeTenuto) {
    return {FileDialogMode::Open, QStringLiteral("(*.svz) | *.svz"), nomeTenuto};
}
FileDialogRequest salva(const QString& nomeProposto) {
    return {FileDialogMode::Save, QStringLiteral("(*.svz) | *.svz"), nomeProposto};
}
// The whole program showing the screen, with list files in its folder.
template <class Frm>
struct Unione : ProgramUnderTest {
    Unione() {
        program.start();
        screens().template show<Frm>();
    }
    ~Unione() { QVERIFY(finish()); }

    Frm& screen() { return screens().template get<Frm>(); }
    void press(const char* button) { click(screen(), {button}); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(screen(), name); }
    QByteArray read(const QString& name) const { return LeggiFile(path(name)); }
    // Browses for list 1 and list 2, the second dialog proposing the name
    // kept from the first; then, given a new name, names it through "Salva".
    void choose(const QString& uno, const std::optional<QString>& due, const QString& nuovo = {}) {
        dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), due);
        press("cmdSfoglia1");
        press("cmdSfoglia2");
        if (!nuovo.isEmpty()) {
            dialogs.expectFile(salva(QString()), nuovo);
            press("cmdsalva");
        }
    }
    // Leaves by "Indietro" or by the window frame: the screen is gone with
    // the lists it opened, and the choice screen is in front.
    void leave(bool byFrame) {
        byFrame ? void(screen().close()) : press("cmdIndietro");
        QVERIFY(screens().template find<Frm>() == nullptr);
        QVERIFY(!elenchi.Aperto(2) && !elenchi.Aperto(3));
        QVERIFY(shownScreens().contains("FrmScelta"));
    }
};

using Aggiunta = Unione<FrmCaricaFile>;
using Fusione = Unione<FrmCreaUnione>;

const QString kFatta = QStringLiteral("Operazione completata");
// Lists of 3, 2 and 9 records; the screens copy records without decoding them.
const QByteArray kPrimo(3 * kLunghezzaRecord, 'A');
const QByteArray kSecondo(2 * kLunghezzaRecord, 'b');
const QByteArray kVecchio(9 * kLunghezzaRecord, '0');

}  // namespace

class TestFrmUnione : public QObject {
    Q_OBJECT

private slots:
    // Nothing is appended while a list is missing; list 2 left unchosen is
    // list 1 again; each "Unisci" appends list 2 once more; a list that
    // cannot be opened leaves its slot empty. Leaving spares a list the
    // program holds open elsewhere. Failed copies are swept by test_guasti.
    void appending_gives_list_one_then_list_two_for_each_unisci() {
        Aggiunta f;
        f.dialogs.goingOn.emplace();  // the browse is cancelled
        f.press("cmdSfoglia2");
        QVERIFY(f.dialogs.told("scegliere un file"));
        f.press("cmdOk");
        QVERIFY(f.dialogs.told("l'elenco n. 1") && f.dialogs.told("l'elenco n. 2"));
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(uno, std::nullopt);
        QCOMPARE(f.box("txtElenco2")->text(), uno);
        f.press("cmdOk");
        QCOMPARE(f.read("uno.svz"), kPrimo + kPrimo);
        QVERIFY(f.dialogs.told(kFatta));
        f.dialogs.expectFile(apri(uno), f.write("due.svz", kSecondo));
        f.press("cmdSfoglia2");
        f.press("cmdOk");
        f.press("cmdOk");
        QCOMPARE(f.read("uno.svz"), kPrimo + kPrimo + kSecondo + kSecondo);
        QCOMPARE(f.read("due.svz"), kSecondo);
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("cartella.svz")));
        f.dialogs.expectFile(apri(f.path("due.svz")), f.path("cartella.svz"));
        f.press("cmdSfoglia1");
        QVERIFY(f.dialogs.told(DescrizioneErrore(EISDIR)));
        QVERIFY(!f.elenchi.Aperto(1) && f.box("txtElenco1")->text().isEmpty());
        QVERIFY(f.elenchi.ApriElenco(f.path("corrente.svz"), 1).ok());
        f.leave(true);
        QVERIFY(f.elenchi.Aperto(1));
    }

    // The focus starts on the first control of the tab order that takes it.
    // Nothing is written while a choice is missing, into a source list, or
    // over a list that is not empty before a Yes. List 2 left unchosen is
    // list 1 again. A cancelled "Salva" takes the typed name, trimmed;
    // neither a browse nor typing afterwards changes the name the merge
    // writes to. Failed copies are swept by test_guasti.
    void merging_writes_list_one_then_list_two_into_a_new_list_it_may_replace() {
        Fusione f;
        QCOMPARE(f.screen().focusWidget(), f.control<QPushButton>(f.screen(), "cmdSfoglia2"));
        f.dialogs.goingOn.emplace().toQuestions = MessageAnswer::No;
        QTest::keyClicks(f.box("txtNuovo"), "   ");
        f.press("cmdsalva");  // cancelled
        QVERIFY(f.dialogs.told("inserire un nome significativo per il file"));
        f.press("cmdUnisci");
        QVERIFY(f.dialogs.told("\"Salva\""));  // the new name is missing
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(uno, std::nullopt, uno);
        f.press("cmdUnisci");
        QVERIFY(f.dialogs.told("è l'elenco n. 1"));
        const QString vuoto = f.write("vuoto.svz", {});
        f.dialogs.expectFile(salva(uno), vuoto);
        f.press("cmdsalva");
        QCOMPARE(f.box("txtNuovo")->text(), vuoto);
        f.press("cmdUnisci");  // an empty file is no question
        QCOMPARE(f.read("vuoto.svz"), kPrimo + kPrimo);
        QVERIFY(f.dialogs.told(" " + kFatta));

        const QString due = f.write("due.svz", kSecondo);
        const QString nuovo = f.write("nuovo.svz", kVecchio);
        f.box("txtNuovo")->clear();
        QTest::keyClicks(f.box("txtNuovo"), "  " + nuovo + "  ");
        f.dialogs.expectFile(salva(nuovo), std::nullopt).expectFile(apri(nuovo), due);
        f.press("cmdsalva");
        f.press("cmdSfoglia2");
        f.box("txtNuovo")->setText(f.path("altro.svz"));
        f.press("cmdUnisci");  // the operator does not replace it
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.dialogs.goingOn->toQuestions = MessageAnswer::Yes;
        f.press("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kPrimo + kSecondo);
        QCOMPARE(f.read("uno.svz"), kPrimo);
        QCOMPARE(f.files().keys(), QStringList({"due.svz", "nuovo.svz", "uno.svz", "vuoto.svz"}));
        f.leave(true);
        QVERIFY(!f.elenchi.Aperto(1));
    }
};

QTEST_MAIN(TestFrmUnione)
#include "test_frm_unione.moc"
