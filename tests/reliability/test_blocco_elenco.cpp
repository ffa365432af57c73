#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "PowerCutFileSystem.h"
#include "StrumentiArchivio.h"

#include <gtest/gtest.h>

namespace {

enum Esito { Preso, Chiesto, Rifiutato };

// A holder is gone only on proof: it ran on this boot in this PID namespace
// and the system says its process id no longer runs, or names a process
// started at another time. A holder that cannot be seen (another namespace,
// a process table that hides other users' processes, an earlier boot) may
// be running: a question for the operator. One seen running keeps the list
// while it is open on any of its handles, and is named. The lock is found by
// a colleague of its holder, another user.
TEST(DetentoreDelBlocco, IsJudgedGoneOnlyOnProof) {
    using Sistema = PowerCutFileSystem;
    const QString lista = QStringLiteral("/elenchi/lista.svz");
    using Poi = void (*)(Sistema&, FileElenco&, pid_t);
    const struct {
        const char* caso;
        int spazio;  // the holder's PID namespace; the colleague's is 1
        Poi poi;
        Esito atteso;
    } casi[] = {
        {"it runs, the list open on one of its two handles", 1,
         [](Sistema&, FileElenco& detentore, pid_t) { detentore.ChiudiElenco(1); }, Rifiutato},
        {"it runs, the list closed on both its handles", 1,
         [](Sistema&, FileElenco& detentore, pid_t) { detentore.ChiudiTutti(); }, Preso},
        {"it has ended", 1, [](Sistema& fs, FileElenco&, pid_t pid) { fs.endCopy(pid); }, Preso},
        {"its process id names a later copy", 1,
         [](Sistema& fs, FileElenco&, pid_t pid) { fs.startCopy(1, pid); }, Preso},
        {"it runs, other users' processes hidden", 1,
         [](Sistema& fs, FileElenco&, pid_t) { fs.hideProcesses(); }, Chiesto},
        {"it runs in another PID namespace", 2, [](Sistema&, FileElenco&, pid_t) {}, Chiesto},
        {"the computer has started again since", 1,
         [](Sistema& fs, FileElenco&, pid_t) { fs.restart(); }, Chiesto},
        {"it has ended, its lock damaged: a start that is no number", 1,
         [](Sistema& fs, FileElenco&, pid_t pid) {
             fs.endCopy(pid);
             QList<QByteArray> righe = fs.contents("/elenchi/.~lock.lista.svz#")->split('\n');
             righe[1] = "ieri";
             fs.put("/elenchi/.~lock.lista.svz#", righe.join('\n'));
         },
         Chiesto},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        Sistema fs;
        fs.put(NomeDiSistema(lista), RecordCompleti(1, 2));
        const pid_t pid = fs.startCopy(c.spazio);
        FileElenco detentore(fs);
        ASSERT_TRUE(detentore.ApriElenco(lista, 1).ok() && detentore.ApriElenco(lista, 2).ok());
        c.poi(fs, detentore, pid);
        fs.runAs(Sistema::kUser + 1, Sistema::kGroup);
        fs.startCopy(1);
        FileElenco elenco(fs);

        const Result<void> aperto = elenco.ApriElenco(lista, 1);

        EXPECT_EQ(aperto.ok()                                  ? Preso
                  : FileDiBlocco::Riprendibile(aperto.error()) ? Chiesto
                                                               : Rifiutato,
                  c.atteso);
        const QString nominato = "(utente \"" + NomeUtente(Sistema::kUser) + "\", processo %1)";
        EXPECT_TRUE(c.atteso != Rifiutato || aperto.error().message.contains(nominato.arg(pid)));
    }
}

// When a process started, as the system's process table says: field 22 of
// its stat line, counted after the command name.
TEST(DetentoreDelBlocco, TheSystemTellsWhenAProcessStarted) {
    const QString stat = QString::fromLatin1(LeggiFile(QStringLiteral("/proc/self/stat")));
    const QString campo = stat.mid(stat.lastIndexOf(u')') + 2).split(u' ').value(22 - 3);
    PosixFileSystem& fs = PosixFileSystem::instance();
    EXPECT_EQ(fs.processStart(fs.processId()), campo.toULongLong());
}

}  // namespace
