#include "FileElencoFixture.h"
#include "UnioneElenchi.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

constexpr std::int64_t kRecord = 418;

// Counts round halves to even, a cut record counting when it rounds up;
// list 2's records follow list 1's in the result. A list of more records
// than can be copied, or a result of more than 32767, is refused (-1).
TEST(PianificaCopia, CountsRoundHalvesToEvenAndWhatCannotBeCopiedOrHeldIsRefused) {
    using T = TipoCopia;
    const std::tuple<T, std::int64_t, std::int64_t, int, int> casi[] = {
        {T::Unione, 3 * kRecord, 2 * kRecord, 3, 2},
        {T::Aggiunta, 0, 0, 0, 0},
        {T::Aggiunta, 961, 1087, 2, 3},  // 2.3 and 2.6 records
        {T::Unione, 1045, 1463, 2, 4},   // 2.5 and 3.5 records
        {T::Unione, 209, 210, 0, 1},
        {T::Aggiunta, kRecord, 32766 * kRecord, 1, 32766},
        {T::Aggiunta, 32767 * kRecord, 0, 32767, 0},  // list 1 stays where it is
        {T::Unione, 16384 * kRecord + 209, 16383 * kRecord, 16384, 16383},
        {T::Aggiunta, 0, 32767 * kRecord, -2, -2},  // refused: -n, naming list n
        {T::Unione, 32766 * kRecord, 0, 32766, 0},  // the most one copy takes
        {T::Unione, 32767 * kRecord, 0, -1, -1},    // a merge copies list 1 too
        {T::Unione, 16384 * kRecord, 16384 * kRecord, -1, -1},
        {T::Aggiunta, 16384 * kRecord + 210, 16383 * kRecord, -1, -1}};
    for (const auto& [tipo, lunghezzaPrimo, lunghezzaSecondo, primo, secondo] : casi) {
        SCOPED_TRACE(testing::Message() << lunghezzaPrimo << " + " << lunghezzaSecondo);
        const Result<PianoCopia> piano = PianificaCopia(tipo, lunghezzaPrimo, lunghezzaSecondo);
        ASSERT_EQ(piano.ok(), primo >= 0);
        if (piano.ok()) {
            EXPECT_EQ(piano->domandePrimo, primo);
            EXPECT_EQ(piano->domandeSecondo, secondo);
        } else {
            EXPECT_TRUE(piano.error().refused());
            EXPECT_EQ(piano.error().message.left(13), "L'elenco n. " + QString::number(-primo));
        }
    }
}

class UnioneTest : public FileElencoTest {
protected:
    void sources(const QByteArray& primo, const QByteArray& secondo) {
        list("uno.svz", primo, kHandlePrimo);
        list("due.svz", secondo, kHandleSecondo);
    }

    Result<void> copy(TipoCopia tipo) {
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco_, tipo);
        EXPECT_TRUE(piano.ok()) << piano.error().message.toStdString();
        const PianoCopia fatto = piano.ok() ? *piano : PianoCopia{};
        return tipo == TipoCopia::Aggiunta ? AggiungiElenco(elenco_, fatto)
                                           : CreaUnione(elenco_, path("nuovo.svz"), fatto);
    }

    const QByteArray primo_ = RecordCompleti(1, 3);
    const QByteArray secondo_ = RecordCompleti(11, 3);
    // More records than one block of a copy holds, so that a copy that fails
    // on its second write has already written some.
    const QByteArray molti_ = RecordCompleti(100, 600);
};

// 2.3 records: the cut third is overwritten; 2.6 records: the cut third
// counts. 3.5 records count as 4: list 2 follows at 5 and 6, never both at 4
// and 6. A merge of 1.5 records (2, the second completed with blanks) and
// 2.5 (2) copies them back to back.
TEST_F(UnioneTest, AppendingAndMergingFractionalListsFollowTheirRoundedCounts) {
    const QByteArray threeAndAHalf = RecordCompleti(1, 4).left(1463);
    const std::tuple<QByteArray, QByteArray, TipoCopia, QByteArray> cases[] = {
        {primo_.left(961), secondo_.left(1087), TipoCopia::Aggiunta,
         primo_.left(836) + secondo_.left(1087) + RecordVuoto().mid(251)},
        {threeAndAHalf, secondo_.left(836), TipoCopia::Aggiunta,
         threeAndAHalf + RecordVuoto().mid(209) + secondo_.left(836)},
        {primo_.left(627), secondo_.left(1045), TipoCopia::Unione,
         primo_.left(627) + RecordVuoto().mid(209) + secondo_.left(836)}};
    for (const auto& [primo, secondo, tipo, result] : cases) {
        sources(primo, secondo);
        ASSERT_TRUE(copy(tipo).ok());
        EXPECT_EQ(readFile(tipo == TipoCopia::Aggiunta ? "uno.svz" : "nuovo.svz"), result);
        elenco_.ChiudiTutti();
    }
}

// A copy that fails after writing some records puts list 1 back as it was;
// when even that fails, the operator is told that list 1 was not put back.
// Every other failed call is swept through the whole program by test_guasti.
TEST_F(UnioneTest, AFailedAppendThatCannotPutListOneBackSaysSo) {
    sources(primo_.left(961), molti_);
    fs_.failOn(Call::Write, 2, ENOSPC);
    fs_.failOn(Call::Truncate, 1, EIO);

    const Result<void> esito = copy(TipoCopia::Aggiunta);

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.contains(QStringLiteral("ATTENZIONE")))
        << esito.error().message.toStdString();
    EXPECT_EQ(readFile("due.svz"), molti_);
}

TEST_F(UnioneTest, TheNewListIsNeitherSourceNorAFolderAndAnOldOneGivesItsLength) {
    sources(primo_, secondo_);
    ASSERT_TRUE(QFile::link(path("due.svz"), path("collegamento.svz")));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("cartella.svz")));
    for (const QString& name : {path("uno.svz"), dir_.path() + "/./uno.svz",
                                path("collegamento.svz"), path("cartella.svz")}) {
        const Result<std::int64_t> esito = EsaminaNuovoElenco(elenco_, name);
        ASSERT_FALSE(esito.ok()) << name.toStdString();
        EXPECT_TRUE(esito.error().refused() && esito.error().message.contains(name));
    }
    ASSERT_TRUE(ScriviFile(path("vecchio.svz"), RecordCompleti(50, 2)));
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("vecchio.svz")), 836);
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("assente.svz")), 0);
    // One that cannot be looked at is not taken for none, to be replaced unasked.
    elenco_.ChiudiTutti();
    fs_.failOn(Call::IdentifyPath, 1, EIO);
    EXPECT_FALSE(EsaminaNuovoElenco(elenco_, path("vecchio.svz")).ok());
}

// A merge over an existing list keeps that list's permission bits, and of
// the files beside it removes only what a merge into it that died left
// behind: its temporary file, with that file's lock and journal.
TEST_F(UnioneTest, AMergeKeepsTheReplacedListsPermissionsAndRemovesOnlyItsOwnLeftovers) {
    sources(primo_, secondo_);
    const QString lasciato = QStringLiteral("nuovo.svz.unione-0123456789abc.tmp");
    const QStringList altrui = {".~lock.nuovo.svz.bozza.tmp#", "nuovo.svz.2024.tmp",
                                "nuovo.svz.copia.tmp", "nuovo.svz.unione-0123.tmp"};
    for (const QString& nome :
         altrui + QStringList{"nuovo.svz", lasciato, ".~lock." + lasciato + "#",
                              ".~lock." + lasciato + "#.diario"}) {
        ASSERT_TRUE(ScriviFile(path(nome), "?"));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path("nuovo.svz")).constData(), 0604), 0);

    ASSERT_TRUE(copy(TipoCopia::Unione).ok());

    EXPECT_EQ(readFile("nuovo.svz"), primo_ + secondo_);
    struct stat info {};
    EXPECT_TRUE(::stat(QFile::encodeName(path("nuovo.svz")).constData(), &info) == 0 &&
                (info.st_mode & 0777) == 0604);
    EXPECT_EQ(QDir(dir_.path()).entryList({"*nuovo.svz.*"}, QDir::Files | QDir::Hidden, QDir::Name),
              altrui);
}

}  // namespace
