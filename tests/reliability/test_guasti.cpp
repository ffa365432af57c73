#include "DomandeNumerate.h"
#include "ErroreDiSistema.h"
#include "ProgrammaConGuasti.h"
#include "search/FrmRicerca.h"

#include <QAction>
#include <QApplication>

#include <cerrno>
#include <functional>
#include <optional>

namespace {

using Chiamata = FailingFileSystem::Call;

// The program of one run, with the screen the step works on and, for the
// entry screen, the application typed in its boxes.
struct Banco : ProgrammaConGuasti {
    QWidget* schermo = nullptr;
    std::optional<ModuloDomanda> digitato;
    FrmDatiAnagrafici& scheda() { return *static_cast<FrmDatiAnagrafici*>(schermo); }
};

// A step of the program that touches list files, as the operator does it.
struct Passo {
    QMap<QString, QByteArray> prima;      // the folder's lists before
    std::function<void(Banco&)> prepara;  // up to the step, unfaulted
    std::function<void(Banco&)> esegui;   // the step, with a call failing
    bool riprova;                         // after a fault the operator does it again
    QMap<QString, QByteArray> dopo;       // the folder's lists once the step succeeds
    int guastiMinimi;
};

// The entry screen on tre.svz holding `modulo`; when `trovata` is given, in
// modify mode on that record, as the search leaves it on a hit.
void Scheda(Banco& b, const ModuloDomanda& modulo, std::int16_t trovata = 0) {
    b.schermo = b.ApriScheda(b.Percorso("tre.svz"));
    QVERIFY(b.schermo != nullptr && b.dialoghi.messaggi.isEmpty());
    if (trovata > 0) {
        b.Controllo<QAction>(b.scheda(), "mnuDomanda")->trigger();
        b.programma.stato().bTrovato = true;
        b.programma.stato().nRecordTrovato = trovata;
        b.programma.screens().hide<FrmRicerca>();
        b.programma.screens().show(b.scheda());
        // The offscreen platform does not activate a window shown again.
        QApplication::setActiveWindow(b.schermo);
        QVERIFY(QTest::qWaitForWindowActive(b.schermo));
    }
    b.digitato = modulo;
    b.scheda().ScriviModulo(modulo);
}

void Scegli(Banco& b, const QStringList& nomi, bool unione) {
    for (const QString& nome : nomi) {
        b.dialoghi.fileDaScegliere.push_back(b.Percorso(nome));
    }
    b.schermo = unione ? &b.ApriUnione() : &b.ApriAggiunta();
}

const QByteArray kTre = RecordNumerati(1, 3);
const QByteArray kDue = RecordNumerati(4, 2);
const QByteArray kVecchia = RecordNumerati(900, 4);

const QMap<QString, Passo> kPassi = {
    {"load the list in the entry screen",
     {{{"tre.svz", kTre}},
      [](Banco&) {},
      [](Banco& b) { b.ApriScheda(b.Percorso("tre.svz")); },
      false,
      {{"tre.svz", kTre}},
      2}},
    {"store an application",
     {{{"tre.svz", kTre}},
      [](Banco& b) { Scheda(b, ModuloNumerato(4)); },
      [](Banco& b) { b.Premi(b.scheda(), {"CmdAvanti"}); },
      true,
      {{"tre.svz", RecordNumerati(1, 4)}},
      3}},
    {"modify the application found",
     {{{"tre.svz", kTre}},
      [](Banco& b) { Scheda(b, ModuloNumerato(7), 2); },
      [](Banco& b) { b.Premi(b.scheda(), {"cmdModfica"}); },
      true,
      {{"tre.svz", RecordNumerato(1) + RecordNumerato(7) + RecordNumerato(3)}},
      3}},
    {"append a list",
     {{{"tre.svz", kTre}, {"due.svz", kDue}},
      [](Banco& b) {
          Scegli(b, {"tre.svz", "due.svz"}, false);
      },
      [](Banco& b) { b.Aggiungi(*b.schermo); },
      false,
      {{"tre.svz", kTre + kDue}, {"due.svz", kDue}},
      6}},
    {"append a list to itself",
     {{{"tre.svz", kTre}},
      [](Banco& b) {
          Scegli(b, {"tre.svz", "tre.svz"}, false);
      },
      [](Banco& b) { b.Aggiungi(*b.schermo); },
      false,
      {{"tre.svz", kTre + kTre}},
      6}},
    {"merge into a new list",
     {{{"tre.svz", kTre}, {"due.svz", kDue}},
      [](Banco& b) {
          Scegli(b, {"tre.svz", "due.svz", "nuovo.svz"}, true);
      },
      [](Banco& b) { b.Unisci(*b.schermo); },
      false,
      {{"tre.svz", kTre}, {"due.svz", kDue}, {"nuovo.svz", kTre + kDue}},
      6}},
    {"merge over an old list",
     {{{"tre.svz", kTre}, {"due.svz", kDue}, {"nuovo.svz", kVecchia}},
      [](Banco& b) {
          Scegli(b, {"tre.svz", "due.svz", "nuovo.svz"}, true);
      },
      [](Banco& b) { b.Unisci(*b.schermo); },
      false,
      {{"tre.svz", kTre}, {"due.svz", kDue}, {"nuovo.svz", kTre + kDue}},
      6}},
};

// The step with call n of that kind failing. A fault reached must be told
// with its reason and leave every file and box as it was; the step done
// without it must leave the lists as they should be.
void ConGuasto(const Passo& passo, Chiamata tipo, int n, bool& colpita) {
    Banco b;
    for (auto file = passo.prima.begin(); file != passo.prima.end(); ++file) {
        b.Scrivi(file.key(), file.value());
    }
    passo.prepara(b);
    if (QTest::currentTestFailed()) {
        return;
    }
    const auto prima = b.File();
    const int chiamate = b.fs.calls(tipo);
    b.fs.failOn(tipo, n, EIO);

    passo.esegui(b);

    colpita = b.fs.calls(tipo) - chiamate >= n;
    b.fs.clearFailures();
    if (colpita) {
        QVERIFY2(b.Detto(DescrizioneErrore(EIO)), "nessun messaggio col motivo");
        QVERIFY(b.File() == prima);
        QVERIFY(!b.digitato || b.scheda().LeggiModulo() == *b.digitato);
        if (!passo.riprova) {
            return;
        }
        passo.esegui(b);
    }
    QVERIFY(b.File() == passo.dopo);
}

}  // namespace

// Every open, read, write, flush, truncation and length that fails along the
// steps that work on lists: the operator is told why and the files stay
// exactly as they were; done again without the fault, the step does what it
// should (a store once, a modification on its own record only).
class TestGuasti : public QObject {
    Q_OBJECT

private slots:
    void every_fault_is_told_and_leaves_the_files_as_they_were_data() {
        QTest::addColumn<QString>("passo");
        for (const QString& nome : kPassi.keys()) {
            QTest::newRow(qPrintable(nome)) << nome;
        }
    }

    void every_fault_is_told_and_leaves_the_files_as_they_were() {
        QFETCH(QString, passo);
        int guasti = 0;
        for (const Chiamata tipo : {Chiamata::Open, Chiamata::Read, Chiamata::Write,
                                    Chiamata::Flush, Chiamata::Truncate, Chiamata::Size}) {
            for (int n = 1;; ++n, ++guasti) {
                bool colpita = false;
                ConGuasto(kPassi[passo], tipo, n, colpita);
                QVERIFY2(!QTest::currentTestFailed(),
                         qPrintable(QStringLiteral("chiamata %1, n. %2").arg(int(tipo)).arg(n)));
                if (!colpita) {
                    break;
                }
            }
        }
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= kPassi[passo].guastiMinimi);
    }
};

QTEST_MAIN(TestGuasti)
#include "test_guasti.moc"
