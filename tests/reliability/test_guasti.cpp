#include "DomandaDiProva.h"
#include "ErroreDiSistema.h"
#include "ProgramUnderTest.h"
#include "TextGridView.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "search/FrmRicerca.h"
#include "summary/FrmRiepilogo.h"
#include "summary/RigheRiepilogo.h"
#include "summary/StampaDaSchermo.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include <cerrno>
#include <functional>

namespace {

using Chiamata = FailingFileSystem::Call;

// The lists in the folder before each step: "tre.svz" (applications 1 to
// 3), "due.svz" (4 and 5) and "vecchia.svz" (900 to 903).
const QMap<QString, QByteArray> kElenchi = {{"tre.svz", RecordCompleti(1, 3)},
                                            {"due.svz", RecordCompleti(4, 2)},
                                            {"vecchia.svz", RecordCompleti(900, 4)}};

// The steps of the program that work on lists, as the operator does them;
// Ripresa loads a list after a copy died writing application 667 over its
// second one.
enum Passo { Carica, Registra, Modifica, Aggiunta, Unione, Esporta, Stampa, Ripresa };

// The program brought up to the step, with the entry screen holding an
// application (on Modifica, in modify mode on record 2 as a search hit
// leaves it), or the append or merge screen with the lists to choose.
struct Banco : ProgramUnderTest {
    Banco() {
        dialogs.goingOn =
            ScriptedDialogs::Operator{MessageAnswer::Yes, {QStringLiteral("2026-27")}, {}};
    }

    FrmDatiAnagrafici* scheda = nullptr;
    QWidget* copia = nullptr;

    void Prepara(Passo passo, const QStringList& scelti) {
        for (auto file = kElenchi.begin(); file != kElenchi.end(); ++file) {
            write(file.key(), file.value());
        }
        for (const QString& nome : scelti) {
            dialogs.goingOn->files.push_back(path(nome));
        }
        if (passo == Ripresa) {
            FileElenco morta(fs);
            QVERIFY(morta.ApriElenco(path("tre.svz"), 1).ok() &&
                    morta.ScriviRecord(1, 2, RecordCompleti(667), FileElenco::Flush::Differito));
            const QString diario = path(".~lock.tre.svz#.diario");
            const QByteArray lasciati[] = {LeggiFile(diario), LeggiFile(path("tre.svz"))};
            morta.ChiudiTutti();
            QVERIFY(ScriviFile(diario, lasciati[0]) && ScriviFile(path("tre.svz"), lasciati[1]));
        } else if (passo == Aggiunta || passo == Unione) {
            copia = passo == Unione
                        ? static_cast<QWidget*>(&openFromChoice<FrmCreaUnione>("OptNuovaUnione"))
                        : &openFromChoice<FrmCaricaFile>("OptUnione");
        } else if (passo == Esporta || passo == Stampa) {
            if (passo == Stampa) {
                write("stampa.pdf", "%PDF-1.4 la stampa di ieri");
            }
            QVERIFY(openEntry(path("tre.svz")) != nullptr);
        } else if (passo != Carica) {
            scheda = openEntry(path("tre.svz"));
            QVERIFY(scheda != nullptr && dialogs.messages.empty());
            if (passo == Modifica) {
                // Application 2 found by its requester's name.
                control<QAction>(*scheda, "mnuDomanda")->trigger();
                auto& ricerca = screens().get<FrmRicerca>();
                control<QCheckBox>(ricerca, "chkCognRich")->click();
                QTest::keyClicks(control<QLineEdit>(ricerca, "txtcognome"), "rossic");
                QTest::keyClicks(control<QLineEdit>(ricerca, "txtNome"), "mario");
                click(ricerca, {"cmdTrova"});
                QCOMPARE(shownScreens(), QStringList{"FrmDatiAnagrafici"});
                // The offscreen platform does not activate a window shown again.
                QApplication::setActiveWindow(scheda);
                QVERIFY(QTest::qWaitForWindowActive(scheda));
            }
            scheda->ScriviModulo(ModuloCompleto(passo == Modifica ? 7 : 4));
        }
    }

    void Esegui(Passo passo) {
        const std::function<void()> passi[] = {
            [&] { openEntry(path("tre.svz")); },
            [&] { click(*scheda, {"CmdAvanti"}); },
            [&] { click(*scheda, {"cmdModfica"}); },
            [&] {
                click(*copia, {"cmdSfoglia1", "cmdSfoglia2", "cmdOk"});
            },
            [&] {
                click(*copia, {"cmdSfoglia1", "cmdSfoglia2", "cmdsalva", "cmdUnisci"});
            },
            [&] { Riepiloga(Esporta); },
            [&] { Riepiloga(Stampa); }};
        passi[passo == Ripresa ? Carica : passo]();
    }

    // The summary, then, when it could show the list, its export or its
    // printout saved as a PDF over the one of the day before.
    void Riepiloga(Passo passo) {
        screens().show<FrmRiepilogo>();
        FrmRiepilogo* riepilogo = screens().find<FrmRiepilogo>();
        if (riepilogo == nullptr || !riepilogo->isVisible()) {
            return;
        }
        if (passo == Esporta) {
            click(*riepilogo, {"Command1"});
            // Opened unless a fault was told.
            QCOMPARE(desktop.aperti.size(), dialogs.messages.empty() ? 1 : 0);
            return;
        }
        auto* griglia = control<TextGridView>(*riepilogo, "Griglia");
        const RiepilogoInStampa tabella(*griglia, *riepilogo->findChild<RigheRiepilogo*>());
        StampaDaSchermo({riepilogo, dialogs, fs, path("tre.svz")}, tabella,
                        {"tre.svz", {}, QDate(2026, 9, 1), {}})
            .salvaPdf(path("stampa.pdf"));
    }
};

}  // namespace

// Every call of the storage layer that fails along the steps that work on
// lists: the operator is told why, and every file and box
// stays exactly as it was; done again without the fault, the step does what
// it should (a store once, a modification on its own record only). Failed
// or not, a step leaves no file open once its lists are closed.
class TestGuasti : public QObject {
    Q_OBJECT

    // The step with call n of that kind failing; whether it was reached.
    static void ConGuasto(Chiamata tipo, int n, bool& colpita) {
        QFETCH(int, passo);
        QFETCH(QStringList, scelti);
        QFETCH(QString, scritta);
        QFETCH(QByteArray, attesa);
        Banco b;
        b.Prepara(Passo(passo), scelti);
        if (QTest::currentTestFailed()) {
            return;
        }
        const auto prima = b.files();
        auto dopo = prima;
        dopo[scritta] = attesa;
        // A PDF holds the moment it was made: a new whole one stands for itself.
        const auto fatti = [&] {
            auto visti = b.files();
            const QByteArray pdf = visti[scritta];
            const bool nuovo = attesa.isEmpty() && pdf != prima[scritta] &&
                               pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF");
            visti[scritta] = nuovo ? attesa : pdf;
            return visti;
        };
        const ModuloDomanda digitato = b.scheda ? b.scheda->LeggiModulo() : ModuloDomanda{};
        const int chiamate = b.fs.calls(tipo);
        b.fs.failOn(tipo, n, EIO);

        b.Esegui(Passo(passo));

        colpita = b.fs.calls(tipo) - chiamate >= n;
        b.fs.clearFailures();
        // A fault the step can do without (a leftover it could not clean
        // up) is not told: the step has then done its work.
        // Only a failed deletion is told as one.
        QVERIFY(tipo == Chiamata::Unlink || !b.dialogs.told("eliminare"));
        if (colpita && b.dialogs.told(DescrizioneErrore(EIO))) {
            // A copy is all or nothing: one told of a fault after its rename
            // may stand whole.
            QVERIFY(b.files() == prima || (b.scheda == nullptr && fatti() == dopo));
            QVERIFY(!b.scheda || b.scheda->LeggiModulo() == digitato);
            // The operator is never left without a window to go on from.
            QVERIFY(!b.shownScreens().isEmpty());
            if (b.scheda == nullptr) {
                // A list that could not be loaded is not held.
                QVERIFY((passo != Carica && passo != Ripresa) ||
                        !QFile::exists(b.path(".~lock.tre.svz#")));
                return;
            }
            b.Esegui(Passo(passo));
        }
        QVERIFY(fatti() == dopo);
    }

private slots:
    void every_fault_is_told_and_leaves_the_files_as_they_were_data() {
        QTest::addColumn<int>("passo");
        QTest::addColumn<QStringList>("scelti");  // the lists chosen in turn
        QTest::addColumn<QString>("scritta");     // the list the step writes
        QTest::addColumn<QByteArray>("attesa");   // and what it holds after
        QTest::addColumn<int>("minimi");          // faults the step reaches
        const QByteArray tre = kElenchi["tre.svz"];
        const QByteArray due = kElenchi["due.svz"];
        const QStringList unione{"tre.svz", "due.svz", "nuova.svz"};
        const QStringList sostituzione{"tre.svz", "due.svz", "vecchia.svz"};
        QTest::newRow("load") << int(Carica) << QStringList() << "tre.svz" << tre << 2;
        QTest::newRow("load after a crash")
            << int(Ripresa) << QStringList() << "tre.svz" << tre << 20;
        QTest::newRow("store") << int(Registra) << QStringList() << "tre.svz"
                               << RecordCompleti(1, 4) << 3;
        QTest::newRow("modify") << int(Modifica) << QStringList() << "tre.svz"
                                << RecordCompleti(1) + RecordCompleti(7) + RecordCompleti(3) << 3;
        QTest::newRow("append") << int(Aggiunta) << QStringList{"tre.svz", "due.svz"} << "tre.svz"
                                << tre + due << 6;
        QTest::newRow("append to itself")
            << int(Aggiunta) << QStringList{"tre.svz", "tre.svz"} << "tre.svz" << tre + tre << 6;
        QTest::newRow("sum up and export")
            << int(Esporta) << QStringList() << "tre.svz" << tre << 4;
        QTest::newRow("sum up and print to a PDF")  // none expected: a new PDF
            << int(Stampa) << QStringList() << "stampa.pdf" << QByteArray() << 12;
        QTest::newRow("merge") << int(Unione) << unione << "nuova.svz" << tre + due << 6;
        QTest::newRow("merge over a list")
            << int(Unione) << sostituzione << "vecchia.svz" << tre + due << 6;
    }

    void every_fault_is_told_and_leaves_the_files_as_they_were() {
        QFETCH(int, minimi);
        const uint aperti = DescrittoriAperti();
        int guasti = 0;
        for (int tipo = 0; tipo < int(FailingFileSystem::kKinds); ++tipo) {
            bool colpita = true;
            for (int n = 1; colpita; ++n) {
                colpita = false;
                ConGuasto(Chiamata(tipo), n, colpita);
                QVERIFY2(!QTest::currentTestFailed(),
                         qPrintable(QStringLiteral("chiamata %1, n. %2").arg(tipo).arg(n)));
                guasti += colpita ? 1 : 0;
            }
        }
        QVERIFY(guasti >= minimi);
        QCOMPARE(DescrittoriAperti(), aperti);
    }
};

QTEST_MAIN(TestGuasti)
#include "test_guasti.moc"
