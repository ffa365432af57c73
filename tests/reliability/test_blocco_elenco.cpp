#include "AltraCopia.h"
#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>

namespace {

// Another copy that opens the list, says whether it could ("APERTO", or
// "RIFIUTATO <message>", "CHIEDE <message>" when the operator would be asked
// to take the lock over) and keeps it open until its input ends.
std::function<int(AltraCopia&)> Tieni(const QString& lista) {
    return [lista](AltraCopia& copia) {
        FileElenco elenco;
        const Result<void> aperto = elenco.ApriElenco(lista, 1);
        copia.Scrivi(aperto
                         ? QStringLiteral("APERTO")
                         : (FileDiBlocco::Riprendibile(aperto.error()) ? "CHIEDE " : "RIFIUTATO ") +
                               aperto.error().message);
        while (aperto && copia.RigaSeguente()) {
        }
        elenco.ChiudiElenco(1);
        return 0;
    };
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

TEST_F(BloccoElenco, OneCopyMayOpenAListOnSeveralHandlesAndHoldsItUntilClosedOnAllOrItEnds) {
    {
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
        // The same file under another spelling: a list appended to itself.
        ASSERT_TRUE(elenco.ApriElenco(dir_.path() + "/./Roma primaria 2026.svz", 2).ok());
        elenco.ChiudiElenco(1);
        // Refused naming the list and who holds it, not as a lock to take over.
        AltraCopia respinta(Tieni(lista_));
        const QString rifiuto = respinta.RigaSeguente().value_or(QString());
        EXPECT_TRUE(rifiuto.startsWith("RIFIUTATO ") && rifiuto.contains(lista_) &&
                    rifiuto.contains(
                        QStringLiteral("processo %1)").arg(QCoreApplication::applicationPid())))
            << rifiuto.toStdString();

        elenco.ChiudiElenco(2);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
        AltraCopia accolta(Tieni(lista_));
        EXPECT_EQ(accolta.RigaSeguente(), QStringLiteral("APERTO"));
        EXPECT_EQ(accolta.Termina(), 0);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));

        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok() && elenco.ApriElenco(lista_, 3).ok());
        ASSERT_TRUE(QFileInfo::exists(fileBlocco_));
    }
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
    EXPECT_EQ(LeggiFile(lista_), contenuto_);
}

// Only a holder that ran on this boot of this computer and is gone is judged
// dead without asking; any other lock, whatever lies at its name, is a
// question for the operator, and is taken over only when the answer is yes.
TEST_F(BloccoElenco, ALockIsTakenOverUnaskedOnlyWhenItsHolderIsCertainlyGone) {
    QByteArray uccisa;  // the lock of a copy killed while it held the list
    {
        AltraCopia copia(Tieni(lista_));
        ASSERT_EQ(copia.RigaSeguente(), QStringLiteral("APERTO"));
        copia.Uccidi();
        uccisa = LeggiFile(fileBlocco_);
    }
    const QList<QByteArray> righe = uccisa.split('\n');
    ASSERT_GE(righe.size(), 6);
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray dopoBoot = "\nufficio\nrossi\n2026-01-01T08:00:00.000\n";
    const QString mancante = dir_.filePath(QStringLiteral("mancante"));
    const struct {
        const char* caso;
        std::function<bool()> pianta;
        bool chiede;  // false: taken over unasked
    } casi[] = {
        {"a copy that was killed", [&] { return ScriviFile(fileBlocco_, uccisa); }, false},
        {"this test's process id with another start time",
         [&] { return ScriviFile(fileBlocco_, pid + "\n1\n" + righe[2] + dopoBoot); }, false},
        {"an earlier boot or another computer of the same name",
         [&] { return ScriviFile(fileBlocco_, pid + '\n' + righe[1] + "\naltro" + dopoBoot); },
         true},
        {"unreadable", [&] { return ScriviFile(fileBlocco_, "illeggibile"); }, true},
        {"a pipe", [&] { return ::mkfifo(QFile::encodeName(fileBlocco_), 0644) == 0; }, true},
        {"a link to /dev/zero", [&] { return QFile::link("/dev/zero", fileBlocco_); }, true},
        {"a link to nothing", [&] { return QFile::link(mancante, fileBlocco_); }, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        QFile::remove(fileBlocco_);
        ASSERT_TRUE(c.pianta());
        FileElenco elenco;

        const Result<void> aperto = elenco.ApriElenco(lista_, 1);

        if (c.chiede) {
            ASSERT_FALSE(aperto.ok());
            EXPECT_TRUE(FileDiBlocco::Riprendibile(aperto.error()))
                << aperto.error().message.toStdString();
            EXPECT_FALSE(elenco.Aperto(1));
            ASSERT_TRUE(elenco.ApriElenco(lista_, 1, Subentro::Consentito).ok());
        } else {
            ASSERT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
        }
        EXPECT_TRUE(LeggiFile(fileBlocco_).startsWith(pid + '\n'));  // taken by this copy
        EXPECT_EQ(LeggiFile(lista_), contenuto_);
        EXPECT_FALSE(QFileInfo::exists(mancante));
    }
}

}  // namespace
