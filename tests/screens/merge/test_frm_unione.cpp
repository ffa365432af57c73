// The two screens of the choice screen's tab "Avanzate" on real list files:
// appending list 2 to list 1 (FrmCaricaFile) and merging two lists into a
// new one (FrmCreaUnione). The bytes of every list, the names each browse
// keeps, the notices and refusals, and a failure part-way that leaves the
// lists as they were.

#include "DatiDomanda.h"
#include "ErroreDiSistema.h"
#include "FailingFileSystem.h"
#include "ProgramUnderTest.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

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
                         const QString& seguito = {}) {
    return {ErroreDiSistema(errore, QString::fromUtf8(azione), percorso).message + seguito,
            MessageButtons::Ok, MessageIcon::Critical};
}
MessageBoxRequest sostituire(const QString& percorso) {
    return {QStringLiteral("Il file \"%1\" esiste già e non è vuoto.\nSostituirlo con l'unione "
                           "dei due elenchi? Il suo contenuto attuale andrà perso.")
                .arg(percorso),
            MessageButtons::YesNo, MessageIcon::Question, true};
}
const QString kManca = QStringLiteral("Per unire gli elenchi occorre ancora scegliere:");
const QString kElenco = QStringLiteral("\n- l'elenco n. %1 (pulsante \"Sfoglia...\")");
QString troppe(const char* uno, const char* due, const char* somma) {
    return QStringLiteral(
               "L'elenco n. 1 contiene %1 domande e l'elenco n. 2 ne contiene %2: "
               "insieme sarebbero %3, ma un elenco può contenere al massimo 32.767 "
               "domande.\nNessun file è stato modificato.")
        .arg(uno, due, somma);
}

// `count` records whose surnames start with `prefix` and tell them apart.
QByteArray records(const QString& prefix, int count) {
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        DatiDomanda domanda = AzzeraRecord();
        domanda[Campo::CognRich] = QStringLiteral("%1 %2").arg(prefix).arg(n);
        domanda.importo(Campo::Isee) = 1000.25f * static_cast<float>(n);
        bytes += CodificaDomanda(domanda);
    }
    return bytes;
}

// The whole program over a file system that can be made to fail, brought to
// the screen of `option` on the tab "Avanzate" the way the operator gets
// there, with list files in its temporary folder.
template <class Frm>
struct Unione {
    explicit Unione(const char* option) : option_(option) {
        t.program.start();
        QTest::keyClick(&t.screens().get<FrmPresentazione>(), Qt::Key_Return);
        openFromChoice();
    }
    ~Unione() { QVERIFY(t.finish()); }

    void openFromChoice() {
        FrmScelta& scelta = t.screens().get<FrmScelta>();
        scelta.findChild<QTabWidget*>(QStringLiteral("TabOpzioni"))->setCurrentIndex(1);
        ProgramUnderTest::click(scelta.findChild<QRadioButton*>(QString::fromLatin1(option_)));
        screen = &t.screens().get<Frm>();
    }
    // Browses for list 1 and list 2, each dialog proposing the name kept
    // from the one before; then, given a new name, names it through "Salva".
    void choose(const QString& uno, const std::optional<QString>& due, const QString& nuovo = {}) {
        t.dialogs.expectFile(apri(QString()), uno).expectFile(apri(uno), due);
        click("cmdSfoglia1");
        click("cmdSfoglia2");
        if (!nuovo.isEmpty()) {
            t.dialogs.expectFile(salva(QString()), nuovo);
            click("cmdsalva");
        }
    }
    // Presses the button and expects the information box with this text.
    void clickAndSee(const char* button, const QString& testo) {
        t.dialogs.expectMessage(informazione(testo));
        click(button);
    }
    void click(const char* button) {
        ProgramUnderTest::click(t.control<QPushButton>(*screen, QString::fromLatin1(button)));
    }
    QLineEdit* box(const char* name) { return t.control<QLineEdit>(*screen, name); }
    bool aperto(int handle) { return t.program.elenco().Aperto(handle); }
    // A list file of these bytes, or of `count` records whose bytes do not
    // matter (a sparse file).
    QString write(const QString& name, const QByteArray& bytes, qint64 count = -1) {
        const QString path = t.write(name, bytes);
        if (count >= 0 && !QFile::resize(path, count * kLunghezzaRecord)) {
            QTest::qFail("cannot make a sparse list", __FILE__, __LINE__);
        }
        return path;
    }
    QByteArray read(const QString& name) const { return ProgramUnderTest::read(t.path(name)); }
    QStringList folder() const { return QDir(t.folder.path()).entryList(QDir::Files); }
    // The screen is gone, its lists closed, the choice screen in front
    // with no option of the tab checked.
    void backAtChoice() {
        QVERIFY(t.screens().find<Frm>() == nullptr);
        QCOMPARE(t.screens().activeScreen(), &t.screens().get<FrmScelta>());
        QVERIFY(!aperto(2) && !aperto(3));
        QCOMPARE(t.on(t.screens().get<FrmScelta>(), {"OptUnione", "OptNuovaUnione"}), QString());
    }

    FailingFileSystem fs;
    ProgramUnderTest t{fs};
    Screen* screen = nullptr;

private:
    const char* option_;
};

using Aggiunta = Unione<FrmCaricaFile>;
using Fusione = Unione<FrmCreaUnione>;

const QString kFatta = QStringLiteral("Operazione completata");
const QByteArray kPrimo = records("PRIMO", 3);
const QByteArray kSecondo = records("SECONDO", 2);
const QByteArray kVecchio = records("VECCHIO", 9);

}  // namespace

class TestFrmUnione : public QObject {
    Q_OBJECT

private slots:
    void appending_gives_list_one_then_list_two_for_each_unisci_data() {
        QTest::addColumn<QByteArray>("due");  // "-": the browse is cancelled
        QTest::addColumn<int>("volte");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("3 + 2, twice") << kSecondo << 2 << kPrimo + kSecondo + kSecondo;
        QTest::newRow("empty list 2") << QByteArray() << 1 << kPrimo;
        QTest::newRow("cancel takes list 1: itself") << QByteArray("-") << 1 << kPrimo + kPrimo;
    }
    void appending_gives_list_one_then_list_two_for_each_unisci() {
        QFETCH(QByteArray, due);
        QFETCH(int, volte);
        QFETCH(QByteArray, atteso);
        Aggiunta f("OptUnione");
        QCOMPARE(f.t.screens().activeScreen(), f.screen);
        QVERIFY(f.t.screens().get<FrmScelta>().isVisible());
        const QString uno = f.write("uno.svz", kPrimo);
        const bool annullato = due == "-";
        f.choose(uno, annullato ? std::nullopt : std::optional(f.write("due.svz", due)));
        QCOMPARE(f.box("txtElenco1")->text(), uno);
        QCOMPARE(f.box("txtElenco2")->text(), annullato ? uno : f.t.path("due.svz"));
        for (int volta = 0; volta < volte; ++volta) {
            f.clickAndSee("cmdOk", kFatta);
        }
        QCOMPARE(f.read("uno.svz"), atteso);
        QCOMPARE(f.read("due.svz"), annullato ? QByteArray() : due);
        QVERIFY(f.aperto(1) && f.aperto(2));
    }

    void appending_tells_what_is_missing_and_what_cannot_be_opened() {
        Aggiunta f("OptUnione");
        const QString uno = f.write("uno.svz", kPrimo);
        f.t.dialogs.expectFile(apri(QString()), std::nullopt);
        f.clickAndSee("cmdSfoglia2", QStringLiteral("scegliere un file"));
        QVERIFY(!f.aperto(2) && f.box("txtElenco2")->text().isEmpty());
        f.clickAndSee("cmdOk", kManca + kElenco.arg(1) + kElenco.arg(2));
        QVERIFY(QDir(f.t.folder.path()).mkdir(QStringLiteral("cartella.svz")));
        const QString cartella = f.t.path("cartella.svz");
        f.t.dialogs.expectFile(apri(QString()), uno);
        f.click("cmdSfoglia1");
        f.clickAndSee("cmdOk", kManca + kElenco.arg(2));
        f.t.dialogs.expectFile(apri(uno), cartella)
            .expectMessage(guasto(EISDIR, "Impossibile aprire il file", cartella));
        f.click("cmdSfoglia1");
        QVERIFY(!f.aperto(1) && f.box("txtElenco1")->text().isEmpty());
        QCOMPARE(f.read("uno.svz"), kPrimo);
    }

    void browsing_again_closes_the_slots_file_and_appends_to_the_new_choice() {
        Aggiunta f("OptUnione");
        const QString altro = f.write("altro.svz", records("ALTRO", 1));
        f.choose(f.write("uno.svz", kPrimo), f.write("due.svz", kSecondo));
        f.t.dialogs.expectFile(apri(f.t.path("due.svz")), altro);
        f.click("cmdSfoglia1");
        QCOMPARE(f.t.program.elenco().Percorso(1), altro);
        QCOMPARE(f.box("txtElenco1")->text(), altro);
        f.clickAndSee("cmdOk", kFatta);
        QCOMPARE(f.read("altro.svz"), records("ALTRO", 1) + kSecondo);
        QCOMPARE(f.read("uno.svz"), kPrimo);
    }

    void appending_beyond_the_record_numbers_or_onto_a_full_disk_leaves_list_one() {
        Aggiunta f("OptUnione");
        const QString uno = f.write("uno.svz", kPrimo);
        f.choose(f.write("pieno.svz", {}, 32766), f.write("due.svz", kSecondo));
        f.clickAndSee("cmdOk", troppe("32.766", "2", "32.768"));
        QCOMPARE(QFileInfo(f.t.path("pieno.svz")).size(), 32766 * kLunghezzaRecord);

        const QByteArray lungo = records("SECONDO", 4);
        f.t.dialogs.expectFile(apri(f.t.path("due.svz")), uno)
            .expectFile(apri(uno), f.write("lungo.svz", lungo));
        f.click("cmdSfoglia1");
        f.click("cmdSfoglia2");
        f.fs.failOn(FailingFileSystem::Call::Write, 1, ENOSPC);
        f.t.dialogs.expectMessage(guasto(ENOSPC, "Impossibile scrivere nel file", uno,
                                         "\nL'elenco n. 1 è stato riportato com'era: non è stata "
                                         "aggiunta nessuna domanda."));
        f.click("cmdOk");
        QCOMPARE(f.read("uno.svz"), kPrimo);
        QCOMPARE(f.read("lungo.svz"), lungo);
        f.clickAndSee("cmdOk", kFatta);  // once the disk has room again
        QCOMPARE(f.read("uno.svz"), kPrimo + lungo);
    }

    void leaving_closes_the_screens_lists_and_spares_one_opened_elsewhere_data() {
        QTest::addColumn<bool>("unione");
        QTest::addColumn<bool>("dallaCornice");
        QTest::newRow("append, Indietro") << false << false;
        QTest::newRow("append, window frame") << false << true;
        QTest::newRow("merge, Indietro") << true << false;
        QTest::newRow("merge, window frame") << true << true;
    }
    void leaving_closes_the_screens_lists_and_spares_one_opened_elsewhere() {
        QFETCH(bool, unione);
        QFETCH(bool, dallaCornice);
        const auto esci = [&](auto& f) {
            const auto lascia = [&] {
                dallaCornice ? void(f.screen->close()) : f.click("cmdIndietro");
                f.backAtChoice();
            };
            const QString corrente = f.write("corrente.svz", {});
            QVERIFY(f.t.program.elenco().ApriElenco(corrente, 1).ok());
            const QString due = f.write("due.svz", {});
            f.t.dialogs.expectFile(apri(QString()), due);
            f.click("cmdSfoglia2");
            lascia();
            QCOMPARE(f.t.program.elenco().Percorso(1), corrente);
            f.t.program.elenco().ChiudiElenco(1);
            f.openFromChoice();  // a fresh screen
            QVERIFY(f.box("txtElenco2")->text().isEmpty());
            f.t.dialogs.expectFile(apri(QString()), due);
            f.click("cmdSfoglia1");
            lascia();
            QVERIFY(!f.aperto(1));
        };
        if (unione) {
            Fusione f("OptNuovaUnione");
            esci(f);
        } else {
            Aggiunta f("OptUnione");
            esci(f);
        }
    }

    void merging_writes_list_one_then_list_two_into_the_new_list_data() {
        QTest::addColumn<QByteArray>("uno");
        QTest::addColumn<QByteArray>("due");  // "-": the browse is cancelled
        QTest::addColumn<bool>("esiste");     // the new list exists, empty
        QTest::newRow("3 + 2") << kPrimo << kSecondo << false;
        QTest::newRow("two empty sources") << QByteArray() << QByteArray() << false;
        QTest::newRow("the same list twice into an empty file, no question")
            << kPrimo << QByteArray("-") << true;
    }
    void merging_writes_list_one_then_list_two_into_the_new_list() {
        QFETCH(QByteArray, uno);
        QFETCH(QByteArray, due);
        QFETCH(bool, esiste);
        Fusione f("OptNuovaUnione");
        QVERIFY(f.t.screens().get<FrmScelta>().isVisible());
        const QString nuovo = esiste ? f.write("nuovo.svz", {}) : f.t.path("nuovo.svz");
        const bool annullato = due == "-";
        f.choose(f.write("uno.svz", uno),
                 annullato ? std::nullopt : std::optional(f.write("due.svz", due)), nuovo);
        QCOMPARE(f.box("txtNuovo")->text(), nuovo);
        QCOMPARE(f.box("txtElenco2")->text(), f.t.path(annullato ? "uno.svz" : "due.svz"));
        f.clickAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("nuovo.svz"), uno + (annullato ? uno : due));
        QCOMPARE(f.read("uno.svz"), uno);
        QCOMPARE(f.folder(), annullato ? QStringList({"nuovo.svz", "uno.svz"})
                                       : QStringList({"due.svz", "nuovo.svz", "uno.svz"}));
    }

    void the_new_name_is_kept_trimmed_and_neither_a_browse_nor_typing_changes_it() {
        Fusione f("OptNuovaUnione");
        const QString scritto = f.t.path("scritto.svz");
        QTest::keyClicks(f.box("txtNuovo"), "  " + scritto + "  ");
        const QString uno = f.write("uno.svz", kPrimo);
        f.t.dialogs.expectFile(salva(scritto), std::nullopt)
            .expectFile(apri(scritto), uno)
            .expectFile(apri(uno), f.write("due.svz", kSecondo));
        f.click("cmdsalva");
        QCOMPARE(f.box("txtNuovo")->text(), scritto);
        f.click("cmdSfoglia1");
        f.click("cmdSfoglia2");
        f.clickAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("scritto.svz"), kPrimo + kSecondo);

        const QString nuovo = f.t.path("nuovo.svz");
        f.t.dialogs.expectFile(salva(scritto), nuovo)
            .expectFile(apri(nuovo), uno)
            .expectFile(apri(uno), f.t.path("due.svz"));
        f.click("cmdsalva");
        f.click("cmdSfoglia1");
        f.click("cmdSfoglia2");
        f.box("txtNuovo")->clear();
        QTest::keyClicks(f.box("txtNuovo"), f.t.path("altro.svz"));
        f.clickAndSee("cmdUnisci", " " + kFatta);
        QCOMPARE(f.read("nuovo.svz"), kPrimo + kSecondo);
        QVERIFY(!QFileInfo::exists(f.t.path("altro.svz")));
    }

    void an_existing_list_is_replaced_only_after_yes_and_a_failed_flush_leaves_it() {
        Fusione f("OptNuovaUnione");
        const QString nuovo = f.write("nuovo.svz", kVecchio);
        f.choose(f.write("uno.svz", kPrimo), f.write("due.svz", kSecondo), nuovo);
        f.t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::No);
        f.click("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        f.fs.failOn(FailingFileSystem::Call::Flush, 1, EIO);
        f.t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes)
            .expectMessage(
                guasto(EIO, "Impossibile salvare sul disco il file", nuovo,
                       QStringLiteral("\nIl file \"%1\" è rimasto com'era.").arg(nuovo)));
        f.click("cmdUnisci");
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        QCOMPARE(f.folder(), (QStringList{"due.svz", "nuovo.svz", "uno.svz"}));
        for (int volta = 1; volta <= 2; ++volta) {  // a second Unisci gives the same
            f.t.dialogs.expectMessage(sostituire(nuovo), MessageAnswer::Yes);
            f.clickAndSee("cmdUnisci", " " + kFatta);
            QCOMPARE(f.read("nuovo.svz"), kPrimo + kSecondo);
        }
    }

    void merging_refuses_a_missing_choice_a_source_as_new_list_and_too_many_records() {
        Fusione f("OptNuovaUnione");
        QTest::keyClicks(f.box("txtNuovo"), "   ");
        f.t.dialogs.expectFile(salva(QString()), std::nullopt);
        f.clickAndSee("cmdsalva", QStringLiteral("inserire un nome significativo per il file"));
        QTest::keyClicks(f.box("txtNuovo"), f.t.path("digitato.svz"));
        f.clickAndSee("cmdUnisci", kManca + kElenco.arg(1) + kElenco.arg(2) +
                                       "\n- il nome del nuovo elenco (pulsante \"Salva\")");
        QCOMPARE(f.folder(), QStringList());

        const QString uno = f.write("uno.svz", {}, 16384);
        f.t.dialogs.expectFile(apri(QString()), uno)
            .expectFile(apri(uno), f.write("due.svz", {}, 16384))
            .expectFile(salva(f.t.path("digitato.svz")), uno);
        f.click("cmdSfoglia1");
        f.click("cmdSfoglia2");
        f.click("cmdsalva");
        f.clickAndSee("cmdUnisci", QStringLiteral("Il nuovo elenco deve essere un file diverso dai "
                                                  "due elenchi da unire: \"%1\" è l'elenco n. 1.")
                                       .arg(uno));
        const QString nuovo = f.write("nuovo.svz", kVecchio);
        f.t.dialogs.expectFile(salva(uno), nuovo);
        f.click("cmdsalva");
        f.clickAndSee("cmdUnisci", troppe("16.384", "16.384", "32.768"));
        QCOMPARE(f.read("nuovo.svz"), kVecchio);
        QCOMPARE(QFileInfo(uno).size(), 16384 * kLunghezzaRecord);
    }
};

QTEST_MAIN(TestFrmUnione)
#include "test_frm_unione.moc"
