// The two screens of the choice screen's tab "Avanzate" on real list files:
// appending list 2 to list 1 (FrmCaricaFile) and merging two lists into a
// new one (FrmCreaUnione). What each leaves in the files, the names its
// dialogs keep, what it tells and the lists it closes when left. How a copy
// counts records and puts a list back after a failure is the copy's own
// test (test_unione_elenchi).

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"
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
// The critical box with the reason a failed call gives, and what follows it.
MessageBoxRequest guasto(int errore, const char* azione, const QString& percorso,
                         const QString& seguito) {
    return {ErroreDiSistema(errore, QString::fromUtf8(azione), percorso).message + seguito,
            MessageButtons::Ok, MessageIcon::Critical};
}
const QString kManca = QStringLiteral("Per unire gli elenchi occorre ancora scegliere:");
const QString kElenco = QStringLiteral("\n- l'elenco n. %1 (pulsante \"Sfoglia...\")");

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
    void pressAndSee(const char* button, const QString& testo) {
        dialogs.expectMessage(informazione(testo));
        press(button);
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
    void appending_gives_list_one_then_list_two_for_each_unisci() {
        const std::tuple<QByteArray, int, QByteArray> casi[] = {
            {kSecondo, 2, kPrimo + kSecondo + kSecondo},
            {QByteArray(), 1, kPrimo},
            {"-", 1, kPrimo + kPrimo}};  // the browse is cancelled: list 1 twice
        for (const auto& [due, volte, atteso] : casi) {
            Aggiunta f;
            const QString uno = f.write("uno.svz", kPrimo);
            const bool annullato = due == "-";
            f.choose(uno, annullato ? std::nullopt : std::optional(f.write("due.svz", due)));
            QCOMPARE(f.box("txtElenco2")->text(), annullato ? uno : f.path("due.svz"));
            for (int volta = 0; volta < volte; ++volta) {
                f.pressAndSee("cmdOk", kFatta);
            }
            QCOMPARE(f.read("uno.svz"), atteso);
            QCOMPARE(f.read("due.svz"), annullato ? QByteArray("<assente>") : due);
            f.leave(annullato);
            QVERIFY(!f.elenchi.Aperto(1));
        }
    }

    // Nothing is appended while a list is missing or when it cannot be
    // written; a list that cannot be opened leaves its slot empty. Leaving
    // spares a list the program holds open elsewhere.
    void appending_tells_why_it_cannot_and_leaves_list_one() {
        Aggiunta f;
        f.dialogs.expectFile(apri(QString()), std::nullopt);
        f.pressAndSee("cmdSfoglia2", QStringLiteral("scegliere un file"));
        f.pressAndSee("cmdOk", kManca + kElenco.arg(1) + kElenco.arg(2));
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(uno, f.write("due.svz", kSecondo));
        f.fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f.dialogs.expectMessage(guasto(ENOSPC, "Impossibile scrivere nel file", uno,
                                       "\nL'elenco n. 1 è stato riportato com'era: non è stata "
                                       "aggiunta nessuna domanda."));
        f.press("cmdOk");
        QCOMPARE(f.read("uno.svz"), kPrimo);
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("cartella.svz")));
        const QString cartella = f.path("cartella.svz");
        f.dialogs.expectFile(apri(f.path("due.svz")), cartella)
            .expectMessage(guasto(EISDIR, "Impossibile aprire il file", cartella, {}));
        f.press("cmdSfoglia1");
        QVERIFY(!f.elenchi.Aperto(1) && f.box("txtElenco1")->text().isEmpty());
        QVERIFY(f.elenchi.ApriElenco(f.path("corrente.svz"), 1).ok());
        f.leave(true);
        QVERIFY(f.elenchi.Aperto(1));
    }

    void merging_writes_list_one_then_list_two_into_the_new_list() {
        const std::tuple<QByteArray, QByteArray, bool> casi[] = {
            {kPrimo, kSecondo, false},
            {QByteArray(), QByteArray(), false},
            {kPrimo, "-", true}};  // list 1 twice into an existing empty file: no question
        for (const auto& [uno, due, esiste] : casi) {
            Fusione f;
            const QString nuovo = esiste ? f.write("nuovo.svz", {}) : f.path("nuovo.svz");
            const bool annullato = due == "-";
            f.choose(f.write("uno.svz", uno),
                     annullato ? std::nullopt : std::optional(f.write("due.svz", due)), nuovo);
            QCOMPARE(f.box("txtNuovo")->text(), nuovo);
            f.pressAndSee("cmdUnisci", " " + kFatta);
            QCOMPARE(f.read("nuovo.svz"), uno + (annullato ? uno : due));
            QCOMPARE(f.read("uno.svz"), uno);
            f.leave(!annullato);
            QVERIFY(!f.elenchi.Aperto(1));
        }
    }

    // Nothing is written while a choice is missing, into a source list, or
    // over a list that is not empty before a Yes; a failed flush leaves that
    // list. A cancelled "Salva" takes the typed name, trimmed; neither a
    // browse nor typing afterwards changes the name the merge writes to.
    void merging_writes_only_a_new_list_it_may_replace() {
        Fusione f;
        QTest::keyClicks(f.box("txtNuovo"), "   ");
        f.dialogs.expectFile(salva(QString()), std::nullopt);
        f.pressAndSee("cmdsalva", QStringLiteral("inserire un nome significativo per il file"));
        f.pressAndSee("cmdUnisci", kManca + kElenco.arg(1) + kElenco.arg(2) +
                                       "\n- il nome del nuovo elenco (pulsante \"Salva\")");
        const QString uno = f.write("uno.svz", kPrimo);
        const QString due = f.write("due.svz", kSecondo);
        f.choose(uno, due, uno);
        f.pressAndSee("cmdUnisci", QStringLiteral("Il nuovo elenco deve essere un file diverso dai "
                                                  "due elenchi da unire: \"%1\" è l'elenco n. 1.")
                                       .arg(uno));
        QCOMPARE(f.read("uno.svz"), kPrimo);

        const QString nuovo = f.write("nuovo.svz", kVecchio);
        f.box("txtNuovo")->clear();
        QTest::keyClicks(f.box("txtNuovo"), "  " + nuovo + "  ");
        f.dialogs.expectFile(salva(nuovo), std::nullopt).expectFile(apri(nuovo), due);
        f.press("cmdsalva");
        f.press("cmdSfoglia2");
        f.box("txtNuovo")->setText(f.path("altro.svz"));
        const MessageBoxRequest sostituire{
            QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione "
                           "dei due elenchi? Il suo contenuto attuale andrà perso.")
                .arg(nuovo),
            MessageButtons::YesNo, MessageIcon::Question, true};
        f.dialogs.expectMessage(sostituire, MessageAnswer::No);
        f.press("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f.dialogs.expectMessage(sostituire, MessageAnswer::Yes)
            .expectMessage(
                guasto(EIO, "Impossibile salvare sul disco il file", nuovo,
                       QStringLiteral("\nIl file \"%1\" è rimasto com'era.").arg(nuovo)));
        f.press("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.dialogs.expectMessage(sostituire, MessageAnswer::Yes);
        f.pressAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("nuovo.svz"), kPrimo + kSecondo);
        QCOMPARE(f.files().keys(), QStringList({"due.svz", "nuovo.svz", "uno.svz"}));
    }
};

QTEST_MAIN(TestFrmUnione)
#include "test_frm_unione.moc"
