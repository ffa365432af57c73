#include "FileElencoFixture.h"
#include "UnioneElenchi.h"

#include <cerrno>

namespace {

class UnioneTest : public FileElencoTest {
protected:
    void sources(const QByteArray& primo, const QByteArray& secondo) {
        list("uno.svz", primo, kHandlePrimo);
        list("due.svz", secondo, kHandleSecondo);
    }

    PianoCopia plan(TipoCopia tipo) {
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco_, tipo);
        EXPECT_TRUE(piano.ok()) << piano.error().message.toStdString();
        return piano.ok() ? *piano : PianoCopia{};
    }

    Result<void> append() { return AggiungiElenco(elenco_, plan(TipoCopia::Aggiunta)); }

    Result<void> merge(const QString& name = QStringLiteral("nuovo.svz")) {
        return CreaUnione(elenco_, path(name), plan(TipoCopia::Unione));
    }

    const QByteArray primo_ = records("PRIMO", 3);
    const QByteArray secondo_ = records("SECONDO", 3);
};

TEST_F(UnioneTest, AppendingFractionalListsFollowsTheirRoundedCounts) {
    // 2.3 records: the cut third is overwritten; 2.6 records: the cut third
    // counts. 3.5 records count as 4: list 2 follows at 5 and 6, never both
    // at 4 and 6.
    const QByteArray threeAndAHalf = records("PRIMO", 4).left(1463);
    const std::array<std::array<QByteArray, 3>, 2> cases = {{
        {primo_.left(961), secondo_.left(1087),
         primo_.left(836) + secondo_.left(1087) + RecordVuoto().mid(251)},
        {threeAndAHalf, secondo_.left(836),
         threeAndAHalf + RecordVuoto().mid(209) + secondo_.left(836)},
    }};
    for (const auto& [primo, secondo, result] : cases) {
        sources(primo, secondo);
        ASSERT_TRUE(append().ok());
        EXPECT_EQ(readFile("uno.svz"), result);
        elenco_.ChiudiTutti();
    }
}

TEST_F(UnioneTest, AFailedAppendPutsListOneBackAndSaysSo) {
    const struct {
        Call call;
        int nth;
        const char* reason;
    } cases[] = {{Call::Write, 3, "spazio esaurito sul disco"},
                 {Call::Read, 4, "Impossibile leggere dal file"},
                 {Call::Flush, 1, "Impossibile salvare sul disco il file"}};
    const QByteArray cut = primo_.left(961);  // the cut record the first copy overwrites
    const QByteArray cinque = records("SECONDO", 5);
    sources(cut, cinque);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        fs_.failOn(c.call, c.nth, c.call == Call::Write ? ENOSPC : EIO);

        const Result<void> esito = append();

        ASSERT_FALSE(esito.ok());
        EXPECT_TRUE(esito.error().message.contains(c.reason))
            << esito.error().message.toStdString();
        EXPECT_TRUE(esito.error().message.endsWith(
            QStringLiteral("\nL'elenco n. 1 è stato riportato com'era: non è stata aggiunta "
                           "nessuna domanda.")));
        EXPECT_EQ(readFile("uno.svz"), cut);
        EXPECT_EQ(readFile("due.svz"), cinque);
        fs_.clearFailures();
    }
}

TEST_F(UnioneTest, AFailedRestoreIsReportedAsSuch) {
    sources(primo_, secondo_);
    fs_.failOn(Call::Write, 2, ENOSPC);
    fs_.failAlways(Call::Truncate, EIO);

    const Result<void> esito = append();

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.contains(
        QStringLiteral("\nATTENZIONE: non è stato possibile riportare l'elenco n. 1 com'era. "
                       "Impossibile accorciare il file")))
        << esito.error().message.toStdString();
}

TEST_F(UnioneTest, MergingFractionalSourcesCopiesTheirRoundedCountsBackToBack) {
    // 1.5 records count as 2 (the cut second completed with blanks); 2.5 as 2.
    sources(primo_.left(627), secondo_.left(1045));

    ASSERT_TRUE(merge().ok());

    EXPECT_EQ(readFile("nuovo.svz"),
              primo_.left(627) + RecordVuoto().mid(209) + secondo_.left(836));
}

TEST_F(UnioneTest, AFailedMergeLeavesNoNewListAndNoTemporaryFile) {
    sources(primo_, secondo_);
    fs_.failOn(Call::Write, 4, ENOSPC);

    const Result<void> esito = merge();

    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.error().message,
              QStringLiteral("Impossibile scrivere nel file \"%1\": spazio esaurito sul disco.\n"
                             "Il nuovo elenco non è stato creato.")
                  .arg(path("nuovo.svz")));
    EXPECT_EQ(folderEntries(), (QStringList{"due.svz", "uno.svz"}));
    EXPECT_EQ(readFile("uno.svz"), primo_);
    EXPECT_EQ(readFile("due.svz"), secondo_);
    EXPECT_FALSE(elenco_.Aperto(kHandleNuovo));
}

TEST_F(UnioneTest, ANewListNameThatCannotTakeTheFileIsReportedUnderThatName) {
    sources(primo_, secondo_);
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("cartella/dentro")));

    const Result<void> cartella = merge(QStringLiteral("cartella"));
    ASSERT_FALSE(cartella.ok());
    EXPECT_TRUE(cartella.error().message.startsWith(
        QStringLiteral("Impossibile salvare il file \"%1\": ").arg(path("cartella"))));
    EXPECT_EQ(folderEntries(), (QStringList{"cartella", "due.svz", "uno.svz"}));

    const Result<void> manca = merge(QStringLiteral("manca/nuovo.svz"));
    ASSERT_FALSE(manca.ok());
    EXPECT_TRUE(manca.error().message.startsWith(
        QStringLiteral("Impossibile aprire il file \"%1\": ").arg(path("manca/nuovo.svz"))));
    EXPECT_FALSE(manca.error().message.contains(QStringLiteral(".tmp")));
}

TEST_F(UnioneTest, TheNewListIsNeitherSourceNorAFolderAndAnOldOneGivesItsLength) {
    sources(primo_, secondo_);
    ASSERT_TRUE(QFile::link(path("due.svz"), path("collegamento.svz")));
    for (const QString& name : {path("uno.svz"), dir_.path() + QStringLiteral("/./uno.svz")}) {
        const Result<std::int64_t> esito = EsaminaNuovoElenco(elenco_, name);
        ASSERT_FALSE(esito.ok());
        EXPECT_EQ(esito.error().message,
                  QStringLiteral("Il nuovo elenco deve essere un file diverso dai due elenchi da "
                                 "unire: \"%1\" è l'elenco n. 1.")
                      .arg(name));
    }
    const Result<std::int64_t> link = EsaminaNuovoElenco(elenco_, path("collegamento.svz"));
    ASSERT_FALSE(link.ok());
    EXPECT_TRUE(link.error().message.endsWith(QStringLiteral("è l'elenco n. 2.")));

    writeFile("vecchio.svz", records("VECCHIO", 2));
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("vecchio.svz")), 836);
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("assente.svz")), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("cartella.svz")));
    const Result<std::int64_t> cartella = EsaminaNuovoElenco(elenco_, path("cartella.svz"));
    ASSERT_FALSE(cartella.ok());
    EXPECT_EQ(cartella.error().message,
              QStringLiteral("\"%1\" non è un file: scegliere un altro nome per il nuovo elenco.")
                  .arg(path("cartella.svz")));
}

}  // namespace
