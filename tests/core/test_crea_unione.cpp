#include "UnioneFixture.h"

#include <QFileInfo>

#include <cerrno>

namespace {

class CreaUnioneTest : public UnioneTest {
protected:
    void sources(const QByteArray& primo, const QByteArray& secondo) {
        list("uno.svz", primo, kHandlePrimo);
        list("due.svz", secondo, kHandleSecondo);
    }

    Result<void> merge(const QString& name = QStringLiteral("nuovo.svz")) {
        return CreaUnione(elenco_, path(name), plan(TipoCopia::Unione));
    }

    const QByteArray primo_ = records("PRIMO", 2);
    const QByteArray secondo_ = records("SECONDO", 3);
};

TEST_F(CreaUnioneTest, FractionalSourcesCopyTheirRoundedCountsBackToBack) {
    // 1.5 records count as 2 (the cut second completed with blanks); 2.5 as 2.
    sources(primo_.left(627), secondo_.left(1045));

    ASSERT_TRUE(merge().ok());

    const QByteArray cutSecond = primo_.mid(418, 209) + RecordVuoto().mid(209);
    EXPECT_EQ(readFile("nuovo.svz"), primo_.left(418) + cutSecond + secondo_.left(836));
}

TEST_F(CreaUnioneTest, AFailurePartWayLeavesNoNewListAndNoTemporaryFile) {
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

TEST_F(CreaUnioneTest, ANameThatCannotTakeTheFileIsReportedAndCleanedUp) {
    sources(primo_, secondo_);
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("cartella/dentro")));

    const Result<void> esito = merge(QStringLiteral("cartella"));

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.startsWith(
        QStringLiteral("Impossibile salvare il file \"%1\": ").arg(path("cartella"))));
    EXPECT_EQ(folderEntries(), (QStringList{"cartella", "due.svz", "uno.svz"}));
}

TEST_F(CreaUnioneTest, AMissingFolderIsReportedUnderTheNewListsName) {
    sources(primo_, secondo_);

    const Result<void> esito = merge(QStringLiteral("manca/nuovo.svz"));

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.startsWith(
        QStringLiteral("Impossibile aprire il file \"%1\": ").arg(path("manca/nuovo.svz"))))
        << esito.error().message.toStdString();
    EXPECT_FALSE(esito.error().message.contains(QStringLiteral(".tmp")));
}

TEST_F(CreaUnioneTest, TheNewListMayBeNeitherSourceUnderAnySpelling) {
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
}

TEST_F(CreaUnioneTest, ExaminingTheNewNameGivesTheLengthOfAnExistingFile) {
    sources(primo_, secondo_);
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
