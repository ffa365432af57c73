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
                        QStringLiteral("processo %1)").arg(QCoreApplication::applicationPid())))
            << respinta.error().message.toStdString();

        elenco.ChiudiElenco(2);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
        ASSERT_TRUE(altra.ApriElenco(lista_, 1).ok());
        altra.ChiudiElenco(1);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));

        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok() && elenco.ApriElenco(lista_, 3).ok());
        ASSERT_TRUE(QFileInfo::exists(fileBlocco_));
    }
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
    EXPECT_EQ(LeggiFile(lista_), contenuto_);
}

// Whatever else lies at the lock's name is a question for the operator, and
// is taken over only when the answer is yes; a link is never followed.
TEST_F(BloccoElenco, AnythingButALockAtItsNameIsAQuestionForTheOperator) {
    const QString mancante = dir_.filePath(QStringLiteral("mancante"));
    const std::function<bool()> piantati[] = {
        [&] { return ScriviFile(fileBlocco_, "illeggibile"); },
        [&] { return ::mkfifo(QFile::encodeName(fileBlocco_), 0644) == 0; },
        [&] { return QFile::link("/dev/zero", fileBlocco_); },
        [&] { return QFile::link(mancante, fileBlocco_); },
    };
    for (const auto& pianta : piantati) {
        QFile::remove(fileBlocco_);
        ASSERT_TRUE(pianta());
        FileElenco elenco;

        ASSERT_EQ(EsitoDi(elenco.ApriElenco(lista_, 1)), Chiesto);

        EXPECT_FALSE(elenco.Aperto(1));
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1, Subentro::Consentito).ok());
        EXPECT_TRUE(LeggiFile(fileBlocco_)
                        .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        EXPECT_EQ(LeggiFile(lista_), contenuto_);
        EXPECT_FALSE(QFileInfo::exists(mancante));
    }
}

// A holder is gone only on proof: it ran on this boot in this PID namespace
// and the system says its process id no longer runs, or names a process
// started at another time. A holder seen running keeps the list; one that
// cannot be seen (another namespace, a process table that hides other
// users' processes, an earlier boot) is a question for the operator. The
// lock is found by a colleague of its holder, another user.
TEST(DetentoreDelBlocco, IsJudgedGoneOnlyOnProof) {
    using Sistema = PowerCutFileSystem;
    const QString lista = QStringLiteral("/elenchi/lista.svz");
    using Poi = void (*)(Sistema&, pid_t);
    const Poi corre = [](Sistema&, pid_t) {};
    const struct {
        const char* caso;
        int spazio;     // the holder's PID namespace; the colleague's is 1
        bool nascosti;  // other users' processes cannot be read
        Poi poi;
        Esito atteso;
    } casi[] = {
        {"it runs", 1, false, corre, Rifiutato},
        {"it has ended", 1, false, [](Sistema& fs, pid_t pid) { fs.endCopy(pid); }, Preso},
        {"its process id names a later copy", 1, false,
         [](Sistema& fs, pid_t pid) { fs.startCopy(1, pid); }, Preso},
        {"it runs, other users' processes hidden", 1, true, corre, Chiesto},
        {"it runs in another PID namespace", 2, false, corre, Chiesto},
        {"the computer has started again since", 1, false, [](Sistema& fs, pid_t) { fs.restart(); },
         Chiesto},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        Sistema fs;
        fs.put(NomeDiSistema(lista), RecordCompleti(1, 2));
        const pid_t pid = fs.startCopy(c.spazio);
        FileElenco detentore(fs);
        ASSERT_TRUE(detentore.ApriElenco(lista, 1).ok());
        c.poi(fs, pid);
        if (c.nascosti) {
            fs.hideProcesses();
        }
        fs.runAs(Sistema::kUser + 1, Sistema::kGroup);
        fs.startCopy(1);
        FileElenco elenco(fs);

        EXPECT_EQ(EsitoDi(elenco.ApriElenco(lista, 1)), c.atteso);
    }
}

}  // namespace
