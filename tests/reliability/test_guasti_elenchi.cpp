#include "DomandeNumerate.h"
#include "ProgrammaConGuasti.h"
#include "Spazzata.h"
#include "merge/FrmCaricaFile.h"
#include "merge/FrmCreaUnione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cerrno>

namespace {

// The whole step as the operator does it, from the screen just opened:
// every name chosen in turn, then the button that does the work. Gives
// whether call n of that kind was reached; checks that a fault on the way
// was told with its reason and left every file as it was.
template <class Frm>
bool Percorri(const char* opzione, const QStringList& pulsanti, Chiamata tipo, int n,
              const std::function<void(ProgrammaConGuasti&)>& prepara,
              const std::function<void(ProgrammaConGuasti&)>& riuscita) {
    ProgrammaConGuasti p;
    prepara(p);
    Frm& schermo = p.ApriDallaScelta<Frm>(opzione);
    const auto prima = p.File();
    const int chiamate = p.fs.calls(tipo);
    p.fs.failOn(tipo, n, EIO);

    for (const QString& pulsante : pulsanti) {
        p.Premi(schermo, qPrintable(pulsante));
    }

    const bool colpita = p.fs.calls(tipo) - chiamate >= n;
    p.fs.clearFailures();
    if (colpita) {
        [&] {
            QVERIFY2(p.Detto(0, kMotivoGuasto), "nessun messaggio col motivo");
            QVERIFY(p.File() == prima);
        }();
    } else {
        riuscita(p);
    }
    return colpita;
}

}  // namespace

// Every read, write, flush, truncation, length and open that fails while an
// append or a merge chooses its lists and copies them: the operator is told
// why and every file stays exactly as it was.
class TestGuastiElenchi : public QObject {
    Q_OBJECT

private:
    const QByteArray uno = RecordNumerati(1, 3);
    const QByteArray due = RecordNumerati(4, 2);
    const QByteArray vecchio = RecordNumerati(900, 4);

    bool Aggiungi(Chiamata tipo, int n, bool aSeStesso) {
        return Percorri<FrmCaricaFile>(
            "OptUnione", {"cmdSfoglia1", "cmdSfoglia2", "cmdOk"}, tipo, n,
            [&](ProgrammaConGuasti& p) {
                const QString primo = p.Scrivi(QStringLiteral("uno.svz"), uno);
                const QString secondo =
                    aSeStesso ? primo : p.Scrivi(QStringLiteral("due.svz"), due);
                p.dialoghi.fileDaScegliere = {primo, secondo};
            },
            [&](ProgrammaConGuasti& p) {
                QVERIFY(p.File().value(QStringLiteral("uno.svz")) ==
                        (aSeStesso ? uno + uno : uno + due));
            });
    }

    bool Unisci(Chiamata tipo, int n, bool sostituisce) {
        return Percorri<FrmCreaUnione>(
            "OptNuovaUnione", {"cmdSfoglia1", "cmdSfoglia2", "cmdsalva", "cmdUnisci"}, tipo, n,
            [&](ProgrammaConGuasti& p) {
                if (sostituisce) {
                    p.Scrivi(QStringLiteral("nuovo.svz"), vecchio);
                }
                p.dialoghi.fileDaScegliere = {p.Scrivi(QStringLiteral("uno.svz"), uno),
                                              p.Scrivi(QStringLiteral("due.svz"), due),
                                              p.Percorso(QStringLiteral("nuovo.svz"))};
            },
            [&](ProgrammaConGuasti& p) {
                QVERIFY(p.File().value(QStringLiteral("nuovo.svz")) == uno + due);
                QCOMPARE(p.File().keys(), (QList<QString>{"due.svz", "nuovo.svz", "uno.svz"}));
            });
    }

private slots:
    void every_fault_in_an_append_is_told_and_leaves_the_lists_as_they_were() {
        const int guasti = Spazza([&](Chiamata tipo, int n) { return Aggiungi(tipo, n, false); });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 10);
    }

    void every_fault_in_appending_a_list_to_itself_leaves_it_as_it_was() {
        const int guasti = Spazza([&](Chiamata tipo, int n) { return Aggiungi(tipo, n, true); });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 10);
    }

    void every_fault_in_a_merge_is_told_and_creates_no_new_list() {
        const int guasti = Spazza([&](Chiamata tipo, int n) { return Unisci(tipo, n, false); });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 10);
    }

    void every_fault_in_a_merge_over_a_list_leaves_that_list_as_it_was() {
        const int guasti = Spazza([&](Chiamata tipo, int n) { return Unisci(tipo, n, true); });
        qInfo("guasti provati: %d", guasti);
        QVERIFY(guasti >= 10);
    }
};

QTEST_MAIN(TestGuastiElenchi)
#include "test_guasti_elenchi.moc"
