#include "DomandeNumerate.h"
#include "ProgrammaConGuasti.h"
#include "Spazzata.h"
#include "search/FrmRicerca.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmScelta.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include <cerrno>
#include <functional>

namespace {

// The entry screen continuing the list, as the choice screen opens it.

// What the search does on a hit: the entry screen in modify mode on record n.
void MostraTrovata(ProgrammaConGuasti& p, FrmDatiAnagrafici& scheda, int n) {
    p.Controllo<QAction>(scheda, "mnuDomanda")->trigger();
    scheda.ScriviModulo(ModuloNumerato(n));
    p.programma.stato().bTrovato = true;
    p.programma.stato().nRecordTrovato = static_cast<std::int16_t>(n);
    p.programma.screens().hide<FrmRicerca>();
    p.programma.screens().show(scheda);
    // The offscreen platform does not activate a window shown again.
    QApplication::setActiveWindow(&scheda);
    QVERIFY(QTest::qWaitForWindowActive(&scheda));
}

// The entry screen on a list of three applications, brought by `prepara` to
// the step, holding `modulo`; `pulsante` pressed with call n of that kind
// failing. A fault reached must be told with its reason, leave the list as
// it was and the boxes as typed; pressed again without the fault, the step
// must leave the list holding `attesa`. Gives whether the fault was reached.
bool PremiConGuasto(Chiamata tipo, int n,
                    const std::function<void(ProgrammaConGuasti&, FrmDatiAnagrafici&)>& prepara,
                    const ModuloDomanda& modulo, const char* pulsante, const QByteArray& attesa) {
    ProgrammaConGuasti p;
    FrmDatiAnagrafici* scheda =
        p.ApriScheda(p.Scrivi(QStringLiteral("Tre.svz"), RecordNumerati(1, 3)));
    [&] { QVERIFY(scheda != nullptr && p.dialoghi.messaggi.isEmpty()); }();
    if (QTest::currentTestFailed()) {
        return false;
    }
    prepara(p, *scheda);
    scheda->ScriviModulo(modulo);
    const auto prima = p.File();
    const int chiamate = p.fs.calls(tipo);
    p.fs.failOn(tipo, n, EIO);

    p.Premi(*scheda, pulsante);

    const bool colpita = p.fs.calls(tipo) - chiamate >= n;
    p.fs.clearFailures();
    if (colpita) {
        [&] {
            QVERIFY2(p.Detto(0, kMotivoGuasto), "nessun messaggio col motivo");
            QVERIFY(p.File() == prima);
            QVERIFY(scheda->LeggiModulo() == modulo);
        }();
        p.Premi(*scheda, pulsante);
    }
    [&] { QVERIFY(p.File().value(QStringLiteral("Tre.svz")) == attesa); }();
    return colpita;
}

}  // namespace

// Every read, write, flush, truncation, length and open that fails while
// the entry screen loads a list, stores an application or rewrites one: the
// operator is told why, the list stays as it was, and the same step done
// again once the fault is gone does what it should.
class TestGuastiDomande : public QObject {
    Q_OBJECT

private slots:
    void every_fault_while_loading_is_told_and_changes_nothing() {
        const int guasti = Spazza([](Chiamata tipo, int n) {
            ProgrammaConGuasti p;
            const QString lista = p.Scrivi(QStringLiteral("Tre.svz"), RecordNumerati(1, 3));
            const auto prima = p.File();
            p.fs.failOn(tipo, n, EIO);

            p.ApriScheda(lista);

            const bool colpita = p.fs.calls(tipo) >= n;
            if (colpita) {
                [&] { QVERIFY2(p.Detto(0, kMotivoGuasto), "nessun messaggio col motivo"); }();
            }
            [&] { QVERIFY(p.File() == prima); }();
            return colpita;
        });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 2);
    }

    void every_fault_while_storing_is_told_and_the_retry_stores_once() {
        const int guasti = Spazza([](Chiamata tipo, int n) {
            return PremiConGuasto(
                tipo, n, [](ProgrammaConGuasti&, FrmDatiAnagrafici&) {}, ModuloNumerato(4),
                "CmdAvanti", RecordNumerati(1, 4));
        });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 3);
    }

    void every_fault_while_rewriting_is_told_and_the_retry_rewrites_its_record_only() {
        // The corrected application is that of number 7, stored as record 2.
        const int guasti = Spazza([](Chiamata tipo, int n) {
            return PremiConGuasto(
                tipo, n,
                [](ProgrammaConGuasti& p, FrmDatiAnagrafici& scheda) {
                    MostraTrovata(p, scheda, 2);
                },
                ModuloNumerato(7), "cmdModfica",
                RecordNumerati(1, 1) + RecordNumerato(7) + RecordNumerati(3, 1));
        });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 3);
    }
};

QTEST_MAIN(TestGuastiDomande)
#include "test_guasti_domande.moc"
