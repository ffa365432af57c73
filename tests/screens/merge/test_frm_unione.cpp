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

// The whole program over a file system that can be made to fail, showing
// the screen, with list files in its temporary folder.
template <class Frm>
struct Unione {
    Unione() {
        t.program.start();
        t.screens().template show<Frm>();
        screen = &t.screens().template get<Frm>();
    }
    ~Unione() { QVERIFY(t.finish()); }

    // Browses for list 1 and list 2, the second dialog proposing the name
    // kept from the first; then, given a new name, names it through "Salva".
    void choose(const QString& uno, const std::optional<QString>& due, const QString& nuovo = {}) {
        t.dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), due);
        click("cmdSfoglia1");
        click("cmdSfoglia2");
        if (!nuovo.isEmpty()) {
            t.dialogs.expectFile(salva(QString()), nuovo);
            click("cmdsalva");
        }
    }
    void clickAndSee(const char* button, const QString& testo) {
        t.dialogs.expectMessage(informazione(testo));
        click(button);
    }
    void click(const char* button) {
        ProgramUnderTest::click(t.control<QPushButton>(*screen, QString::fromLatin1(button)));
    }
    QLineEdit* box(const char* name) { return t.control<QLineEdit>(*screen, name); }
    bool aperto(int handle) { return t.elenchi.Aperto(handle); }
    QString write(const QString& name, const QByteArray& bytes) { return t.write(name, bytes); }
    QByteArray read(const QString& name) const { return LeggiFile(t.path(name)); }
    // Leaves by "Indietro" or by the window frame: the screen is gone with
    // the lists it opened, and the choice screen is in front.
    void leave(bool byFrame) {
        byFrame ? void(screen->close()) : click("cmdIndietro");
        QVERIFY(t.screens().template find<Frm>() == nullptr && !aperto(2) && !aperto(3));
        QVERIFY(t.shownScreens().contains("FrmScelta"));
    }

    ProgramUnderTest t;
    Screen* screen = nullptr;
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
            QCOMPARE(f.box("txtElenco2")->text(), annullato ? uno : f.t.path("due.svz"));
            for (int volta = 0; volta < volte; ++volta) {
                f.clickAndSee("cmdOk", kFatta);
            }
            QCOMPARE(f.read("uno.svz"), atteso);
            QCOMPARE(f.read("due.svz"), annullato ? QByteArray("<assente>") : due);
            f.leave(annullato);
            QVERIFY(!f.aperto(1));
        }
    }

    // Nothing is appended while a list is missing or when it cannot be
    // written; a list that cannot be opened leaves its slot empty. Leaving
    // spares a list the program holds open elsewhere.
    void appending_tells_why_it_cannot_and_leaves_list_one() {
        Aggiunta f;
        f.t.dialogs.expectFile(apri(QString()), std::nullopt);
        f.clickAndSee("cmdSfoglia2", QStringLiteral("scegliere un file"));
        f.clickAndSee("cmdOk", kManca + kElenco.arg(1) + kElenco.arg(2));
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(uno, f.write("due.svz", kSecondo));
        f.t.fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f.t.dialogs.expectMessage(guasto(ENOSPC, "Impossibile scrivere nel file", uno,
                                         "\nL'elenco n. 1 è stato riportato com'era: non è stata "
                                         "aggiunta nessuna domanda."));
        f.click("cmdOk");
        QCOMPARE(f.read("uno.svz"), kPrimo);
        QVERIFY(QDir(f.t.folder.path()).mkdir(QStringLiteral("cartella.svz")));
        const QString cartella = f.t.path("cartella.svz");
        f.t.dialogs.expectFile(apri(f.t.path("due.svz")), cartella)
            .expectMessage(guasto(EISDIR, "Impossibile aprire il file", cartella, {}));
        f.click("cmdSfoglia1");
        QVERIFY(!f.aperto(1) && f.box("txtElenco1")->text().isEmpty());
        QVERIFY(f.t.elenchi.ApriElenco(f.t.path("corrente.svz"), 1).ok());
        f.leave(true);
        QVERIFY(f.t.elenchi.Aperto(1));
    }

    void merging_writes_list_one_then_list_two_into_the_new_list() {
        const std::tuple<QByteArray, QByteArray, bool> casi[] = {
            {kPrimo, kSecondo, false},
            {QByteArray(), QByteArray(), false},
            {kPrimo, "-", true}};  // list 1 twice into an existing empty file: no question
        for (const auto& [uno, due, esiste] : casi) {
            Fusione f;
            const QString nuovo = esiste ? f.write("nuovo.svz", {}) : f.t.path("nuovo.svz");
            const bool annullato = due == "-";
            f.choose(f.write("uno.svz", uno),
                     annullato ? std::nullopt : std::optional(f.write("due.svz", due)), nuovo);
            QCOMPARE(f.box("txtNuovo")->text(), nuovo);
            f.clickAndSee("cmdUnisci", " " + kFatta);
            QCOMPARE(f.read("nuovo.svz"), uno + (annullato ? uno : due));
            QCOMPARE(f.read("uno.svz"), uno);
            f.leave(!annullato);
            QVERIFY(!f.aperto(1));
        }
    }

    // A cancelled "Salva" takes the typed name, trimmed; neither a browse nor
    // typing afterwards changes the name the merge writes to.
    void the_new_list_is_the_name_the_last_salva_gave() {
        Fusione f;
        const QString scritto = f.t.path("scritto.svz");
        QTest::keyClicks(f.box("txtNuovo"), "  " + scritto + "  ");
        const QString uno = f.write("uno.svz", kPrimo);
        f.t.dialogs.expectFile(salva(scritto), std::nullopt)
            .expectFile(apri(scritto), uno)
            .expectFile(apri(uno), f.write("due.svz", kSecondo));
        f.click("cmdsalva");
        f.click("cmdSfoglia1");
        f.click("cmdSfoglia2");
        f.box("txtNuovo")->setText(f.t.path("altro.svz"));
        f.clickAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("scritto.svz"), kPrimo + kSecondo);
    }

    void an_existing_list_is_replaced_only_after_yes_and_a_failed_flush_leaves_it() {
        Fusione f;
        const QString nuovo = f.write("nuovo.svz", kVecchio);
        f.choose(f.write("uno.svz", kPrimo), f.write("due.svz", kSecondo), nuovo);
        const MessageBoxRequest sostituire{
            QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione "
                           "dei due elenchi? Il suo contenuto attuale andrà perso.")
                .arg(nuovo),
            MessageButtons::YesNo, MessageIcon::Question, true};
        f.t.dialogs.expectMessage(sostituire, MessageAnswer::No);
        f.click("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.t.fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f.t.dialogs.expectMessage(sostituire, MessageAnswer::Yes)
            .expectMessage(
                guasto(EIO, "Impossibile salvare sul disco il file", nuovo,
                       QStringLiteral("\nIl file \"%1\" è rimasto com'era.").arg(nuovo)));
        f.click("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.t.dialogs.expectMessage(sostituire, MessageAnswer::Yes);
        f.clickAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("nuovo.svz"), kPrimo + kSecondo);
    }

    // Nothing is written while a choice is missing or when the new list is
    // one of the sources.
    void merging_refuses_a_missing_choice_and_a_source_as_new_list() {
        Fusione f;
        QTest::keyClicks(f.box("txtNuovo"), "   ");
        f.t.dialogs.expectFile(salva(QString()), std::nullopt);
        f.clickAndSee("cmdsalva", QStringLiteral("inserire un nome significativo per il file"));
        f.clickAndSee("cmdUnisci", kManca + kElenco.arg(1) + kElenco.arg(2) +
                                       "\n- il nome del nuovo elenco (pulsante \"Salva\")");
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(uno, f.write("due.svz", kSecondo), uno);
        f.clickAndSee("cmdUnisci", QStringLiteral("Il nuovo elenco deve essere un file diverso dai "
                                                  "due elenchi da unire: \"%1\" è l'elenco n. 1.")
                                       .arg(uno));
        QCOMPARE(f.read("uno.svz"), kPrimo);
    }
};

QTEST_MAIN(TestFrmUnione)
#include "test_frm_unione.moc"
