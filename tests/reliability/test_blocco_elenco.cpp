#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "PowerCutFileSystem.h"
#include "QtPrinters.h"
#include "StrumentiArchivio.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cerrno>
#include <functional>

namespace {

enum Esito { Preso, Chiesto, Rifiutato };

// How an opening ended: the list taken, a question for the operator about
// its lock, or a refusal.
Esito EsitoDi(const Result<void>& aperto) {
    return aperto.ok() ? Preso : FileDiBlocco::Riprendibile(aperto.error()) ? Chiesto : Rifiutato;
}

// A list of two applications in a fresh folder.
class BloccoElenco : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ScriviFile(lista_, contenuto_)); }

    QTemporaryDir dir_;
    const QString lista_ = dir_.filePath(QStringLiteral("Roma primaria 2026.svz"));
    const QString fileBlocco_ = dir_.filePath(QStringLiteral(".~lock.Roma primaria 2026.svz#"));
    const QByteArray contenuto_ = RecordCompleti(1, 2);
};

// Another copy of the program is played by a second list component: it
// finds the lock as another copy would, naming this running process.
TEST_F(BloccoElenco, OneCopyMayOpenAListOnSeveralHandlesAndHoldsItUntilClosedOnAllOrItEnds) {
    {
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
        // The same file under another spelling: a list appended to itself.
        ASSERT_TRUE(elenco.ApriElenco(dir_.path() + "/./Roma primaria 2026.svz", 2).ok());
        elenco.ChiudiElenco(1);
        // Refused naming the list and who holds it, not as a lock to take over.
        FileElenco altra;
        const Result<void> respinta = altra.ApriElenco(lista_, 1);
        ASSERT_EQ(EsitoDi(respinta), Rifiutato);
        EXPECT_TRUE(respinta.error().message.contains(lista_) &&
                    respinta.error().message.contains(
                        QStringLiteral("processo %1)").arg(QCoreApplication::applicationPid())));

        elenco.ChiudiElenco(2);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));

        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok() && elenco.ApriElenco(lista_, 3).ok());
        ASSERT_TRUE(QFileInfo::exists(fileBlocco_));
    }
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
    EXPECT_EQ(LeggiFile(lista_), contenuto_);
}

// The real system refuses at once what is not a regular file at the name of
// a lock or a journal: a pipe is never waited on, a link never followed.
TEST_F(BloccoElenco, WhatIsNoRegularFileAtALocksNameIsRefusedAtOnce) {
    const QString collegamento = dir_.filePath(QStringLiteral("collegamento"));
    ASSERT_TRUE(::mkfifo(QFile::encodeName(fileBlocco_), 0644) == 0 &&
                QFile::link(lista_, collegamento));
    PosixFileSystem fs;
    for (const auto& [nome, errore] : {std::pair{fileBlocco_, ENODEV}, {collegamento, ELOOP}}) {
        EXPECT_EQ(fs.openForReading(NomeDiSistema(nome)), -1);
        EXPECT_EQ(errno, errore) << nome.toStdString();
    }
}

// A holder is gone only on proof: it ran on this boot in this PID namespace
// and the system says its process id no longer runs, or names a process
// started at another time. A holder that cannot be seen (another namespace,
// a process table that hides other users' processes, an earlier boot) may
// be running: a question for the operator. (One seen running keeps the
// list, as the first test shows.) The lock is found by a colleague of its
// holder, another user.
TEST(DetentoreDelBlocco, IsJudgedGoneOnlyOnProof) {
    using Sistema = PowerCutFileSystem;
    const QString lista = QStringLiteral("/elenchi/lista.svz");
    using Poi = void (*)(Sistema&, pid_t);
    const struct {
        const char* caso;
        int spazio;  // the holder's PID namespace; the colleague's is 1
        Poi poi;
        Esito atteso;
    } casi[] = {
        {"it has ended", 1, [](Sistema& fs, pid_t pid) { fs.endCopy(pid); }, Preso},
        {"its process id names a later copy", 1,
         [](Sistema& fs, pid_t pid) { fs.startCopy(1, pid); }, Preso},
        {"it runs, other users' processes hidden", 1,
         [](Sistema& fs, pid_t) { fs.hideProcesses(); }, Chiesto},
        {"it runs in another PID namespace", 2, [](Sistema&, pid_t) {}, Chiesto},
        {"the computer has started again since", 1, [](Sistema& fs, pid_t) { fs.restart(); },
         Chiesto},
        {"bytes that are no lock lie at its name", 1,
         [](Sistema& fs, pid_t) { fs.put("/elenchi/.~lock.lista.svz#", "illeggibile"); }, Chiesto},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        Sistema fs;
        fs.put(NomeDiSistema(lista), RecordCompleti(1, 2));
        const pid_t pid = fs.startCopy(c.spazio);
        FileElenco detentore(fs);
        ASSERT_TRUE(detentore.ApriElenco(lista, 1).ok());
        c.poi(fs, pid);
        fs.runAs(Sistema::kUser + 1, Sistema::kGroup);
        fs.startCopy(1);
        FileElenco elenco(fs);

        EXPECT_EQ(EsitoDi(elenco.ApriElenco(lista, 1)), c.atteso);
    }
}

}  // namespace
