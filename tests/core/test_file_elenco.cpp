#include "FileElencoFixture.h"

#include <cerrno>
#include <functional>
#include <map>
#include <tuple>

namespace {

TEST_F(FileElencoTest, AMissingListIsCreatedEmptyFilledRecordByRecordAndOverwrittenInPlace) {
    open("tre.svz");
    ASSERT_TRUE(QFile::exists(path("tre.svz")));
    ASSERT_EQ(*elenco_.ContaDomande(1), 0);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(
            elenco_.ScriviDomanda(1, n, domanda(QStringLiteral("L %1").arg(n), n + 0.5f)).ok());
    }
    EXPECT_EQ(readFile("tre.svz"), records("L", 3));
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), domanda("L 2", 2.5f));

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 2, domanda("NUOVO")).ok());

    EXPECT_EQ(readFile("tre.svz"),
              records("L", 1) + CodificaDomanda(domanda("NUOVO")) + records("L", 3).mid(836));
    EXPECT_EQ(*elenco_.ContaDomande(1), 3);
}

// A cut last record reads as if its missing text bytes were blanks and a cut
// amount were 0, also once a record is written past it; the gap is filled
// with a blank record's bytes in the same single write.
TEST_F(FileElencoTest, ACutLastRecordReadsBlankFilledBeforeAndAfterAWritePastIt) {
    const QByteArray first = records("P", 1);
    for (int cut : {100, 412}) {
        SCOPED_TRACE(cut);
        const QByteArray second = CodificaDomanda(domanda("TRONCATO", 250.5f));
        list("mezzo.svz", first + second.left(cut));
        const QByteArray image = CompletaRecord(second.constData(), cut);
        EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), domanda("TRONCATO", 0.0f));
        EXPECT_EQ(*elenco_.LeggiRecord(1, 2), image);
        for (std::int32_t missing : {0, -1, 3, 40000}) {
            EXPECT_FALSE(elenco_.LeggiDomanda(1, missing).ok() ||
                         elenco_.LeggiRecord(1, missing).ok());
        }

        ASSERT_TRUE(elenco_.ScriviDomanda(1, 4, domanda("QUARTO")).ok());

        EXPECT_EQ(readFile("mezzo.svz"),
                  first + image + RecordVuoto() + CodificaDomanda(domanda("QUARTO")));
        elenco_.ChiudiElenco(1);
    }
}

TEST_F(FileElencoTest, ABlockReadInOneCallGivesTheRecordsAsReadOneByOne) {
    list("blocco.svz", records("B", 3) + records("C", 1).left(150));
    const int readsBefore = fs_.calls(Call::Read);

    const QByteArray block = *elenco_.LeggiRecords(1, 2, 10);

    EXPECT_EQ(fs_.calls(Call::Read) - readsBefore, 2);  // the data, then the end of the file
    EXPECT_EQ(block,
              *elenco_.LeggiRecord(1, 2) + *elenco_.LeggiRecord(1, 3) + *elenco_.LeggiRecord(1, 4));
    EXPECT_FALSE(elenco_.LeggiRecords(1, 5, 10).ok());
}

// The count follows the file's length as it is now; 32767.5 records would
// round to 32768, past the 16-bit record numbers (-1: refused).
TEST_F(FileElencoTest, CountsLengthOver418RoundedHalvesToEvenUpTo32767) {
    open("lista.svz");
    const qint64 full = 32767 * 418;
    const std::pair<qint64, int> cases[] = {{0, 0},        {209, 0},        {210, 1},  {418, 1},
                                            {627, 2},      {1045, 2},       {1254, 3}, {1463, 4},
                                            {full, 32767}, {full + 209, -1}};
    for (const auto& [length, count] : cases) {
        ASSERT_TRUE(QFile::resize(path("lista.svz"), length));
        const Result<std::int16_t> counted = elenco_.ContaDomande(1);
        EXPECT_EQ(counted.ok() ? *counted : -1, count) << length;
        EXPECT_EQ(*elenco_.LunghezzaFile(1), length);
    }
    EXPECT_TRUE(elenco_.ContaDomande(1).error().message.contains(QStringLiteral("32767")));
}

TEST_F(FileElencoTest, APathThatIsNoRegularFileIsRefusedWithItsReasonInItalian) {
    const std::tuple<QString, int, const char*> cases[] = {
        {dir_.path(), EISDIR, "il percorso indica una cartella"},
        {"/dev/null", ENODEV, "il percorso non indica un file ordinario"},
        {"/nessuna/cartella/x.svz", ENOENT, "file o cartella inesistente"}};
    for (const auto& [target, code, reason] : cases) {
        const Result<void> opened = elenco_.ApriElenco(target, 1);

        ASSERT_FALSE(opened.ok()) << reason;
        EXPECT_EQ(opened.error().code, code);
        EXPECT_EQ(opened.error().message,
                  QStringLiteral("Impossibile aprire il file \"%1\": %2.").arg(target, reason));
        EXPECT_FALSE(elenco_.Aperto(1));
    }
    // and no lock is left behind
    EXPECT_FALSE(QFile::exists("/dev/.~lock.null#"));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(FileElencoTest, HandlesAreOneToThreeAndTakeOneFileUntilClosed) {
    EXPECT_FALSE(elenco_.ApriElenco(path("a.svz"), 0).ok() ||
                 elenco_.ApriElenco(path("a.svz"), 4).ok());
    EXPECT_FALSE(QFile::exists(path("a.svz")));

    open("a.svz");
    EXPECT_FALSE(elenco_.ApriElenco(path("b.svz"), 1).ok());
    EXPECT_EQ(elenco_.Percorso(1), path("a.svz"));
    open("a.svz", 2);  // the same file twice: a list may be appended to itself
    open("b.svz", 3);

    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(9);
    EXPECT_TRUE(elenco_.Aperto(2) && elenco_.Aperto(3));
    EXPECT_FALSE(elenco_.ContaDomande(1).ok() || elenco_.ScriviDomanda(1, 1, domanda("X")).ok());
    EXPECT_EQ(readFile("a.svz"), QByteArray());
    open("b.svz");  // free again

    elenco_.ChiudiTutti();
    EXPECT_FALSE(elenco_.Aperto(1) || elenco_.Aperto(2) || elenco_.Aperto(3));
    FileElenco other(fs_);
    EXPECT_TRUE(other.ApriElenco(path("a.svz"), 2).ok());
}

TEST_F(FileElencoTest, RefusesRecordNumbersOutsideOneTo32767AndRecordsOfTheWrongSize) {
    open("limite.svz");
    for (std::int32_t invalid : {0, -5, 32768, 100000}) {
        const Result<void> written = elenco_.ScriviDomanda(1, invalid, domanda("X"));
        ASSERT_FALSE(written.ok()) << invalid;
        EXPECT_TRUE(written.error().refused());
    }
    EXPECT_FALSE(elenco_.ScriviRecord(1, 1, QByteArray(417, ' ')).ok() ||
                 elenco_.ScriviRecord(1, 1, QByteArray(419, ' ')).ok() ||
                 elenco_.ScriviRecord(1, 1, RecordVuoto().repeated(2)).ok());
    for (const auto& [first, bytes] : {std::pair{1, QByteArray()},
                                       {1, QByteArray(500, ' ')},
                                       {32766, RecordVuoto().repeated(3)}}) {
        EXPECT_FALSE(elenco_.ScriviRecords(1, first, bytes, FileElenco::Flush::Subito).ok())
            << first << ' ' << bytes.size();
    }
    EXPECT_EQ(readFile("limite.svz").size(), 0);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 32767, domanda("ULTIMO")).ok());
    EXPECT_EQ(*elenco_.ContaDomande(1), 32767);
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 32767), domanda("ULTIMO"));
}

template <class R>
Error errorOf(const R& result) {
    return result.ok() ? Error{} : result.error();
}

// A list of two records, open on handle 1, whose calls are then made to fail.
class FailedCall : public FileElencoTest {
protected:
    void SetUp() override { list("lista.svz", before_); }

    const QByteArray before_ = records("R", 2);
};

// Writing record nRecord (0: the call named) with one system call failing,
// or a write cut short after shortBytes: the error number, the message
// "Impossibile <doing> "<path>": <reason>." and the file exactly as it was.
TEST_F(FailedCall, AFailedCallSaysWhyInItalianAndLeavesTheFileAsItWas) {
    const char* io = "errore di lettura o scrittura sul disco";
    const char* pieno = " (il disco potrebbe essere pieno)";
    const std::tuple<Call, int, std::size_t, std::int32_t, const char*, QString> cases[] = {
        {Call::SyncFolder, EIO, 0, 3, "creare il diario di sicurezza del file", io},
        {Call::Write, ENOSPC, 0, 3, "scrivere nel file", "spazio esaurito sul disco"},
        {Call::Write, EIO, 100, 5, "scrivere nel file",
         QString("scritti solo 100 byte su 1254") + pieno},
        {Call::Write, EIO, 200, 1, "scrivere nel file",
         QString("scritti solo 200 byte su 418") + pieno},
        {Call::Flush, EIO, 0, 3, "salvare sul disco il file", io},
        {Call::Flush, EDQUOT, 0, 2, "salvare sul disco il file", "quota disco superata"},
        {Call::SideWrite, ENOSPC, 0, 3, "scrivere il diario di sicurezza del file",
         "spazio esaurito sul disco"},
        {Call::SideFlush, EIO, 0, 3, "scrivere il diario di sicurezza del file", io},
        {Call::Size, EIO, 0, 3, "scrivere nel file", io},
        {Call::Open, EACCES, 0, 0, "aprire il file", "permesso negato"},
        {Call::Open, EROFS, 0, 0, "aprire il file", "disco in sola lettura"},
        {Call::Read, EIO, 0, 0, "leggere dal file", io},
        {Call::Size, EIO, 0, 0, "leggere la lunghezza del file", io},
        {Call::Truncate, EPERM, 0, 0, "accorciare il file", "permesso negato"}};
    const std::map<Call, std::function<Error()>> calls = {
        {Call::Open,
         [&] {
             elenco_.ChiudiElenco(1);
             return errorOf(elenco_.ApriElenco(path("lista.svz"), 1));
         }},
        {Call::Read, [&] { return errorOf(elenco_.LeggiDomanda(1, 1)); }},
        {Call::Size, [&] { return errorOf(elenco_.ContaDomande(1)); }},
        {Call::Truncate, [&] { return errorOf(elenco_.Tronca(1, 0)); }}};
    for (const auto& [call, code, shortBytes, nRecord, doing, reason] : cases) {
        SCOPED_TRACE(reason.toStdString());
        if (shortBytes > 0) {
            fs_.shortWriteOn(1, shortBytes);
        } else {
            fs_.failOn(call, 1, code);
        }

        const Error error = nRecord > 0
                                ? errorOf(elenco_.ScriviDomanda(1, nRecord, domanda("NUOVO")))
                                : calls.at(call)();

        EXPECT_EQ(error.code, code);
        EXPECT_EQ(error.message, QStringLiteral("Impossibile %1 \"%2\": %3.")
                                     .arg(QString::fromUtf8(doing), path("lista.svz"), reason));
        fs_.clearFailures();
        if (!elenco_.Aperto(1)) {
            open("lista.svz");
        }
        EXPECT_EQ(readFile("lista.svz"), before_);
        EXPECT_EQ(*elenco_.LeggiDomanda(1, 1), domanda("R 1", 1.5f));
    }
}

TEST_F(FailedCall, AFailedWriteOverOrPastACutLastRecordRestoresBytesAndLength) {
    const QByteArray cut = before_ + CodificaDomanda(domanda("TERZO", 1234.56f)).left(412);
    writeFile("lista.svz", cut);
    for (std::int32_t nRecord : {3, 5}) {
        fs_.failOn(Call::Flush, 1, ENOSPC);

        EXPECT_FALSE(elenco_.ScriviDomanda(1, nRecord, domanda("NUOVO")).ok());

        EXPECT_EQ(readFile("lista.svz"), cut) << "record " << nRecord;
    }
}

// Deferred writes wait for Sincronizza; one that fails is undone at once,
// and the unsynchronised ones before it stay.
TEST_F(FailedCall, EveryWriteIsFlushedUnlessDeferredAndAFailedDeferredWriteIsUndoneAtOnce) {
    ASSERT_TRUE(elenco_.ScriviDomanda(1, 1, domanda("A")).ok());
    const int flushes = fs_.calls(Call::Flush);
    for (int n = 2; n <= 4; ++n) {
        ASSERT_TRUE(elenco_.ScriviRecord(1, n, RecordVuoto(), FileElenco::Flush::Differito).ok());
    }
    fs_.failOn(Call::Write, 1, ENOSPC);

    EXPECT_FALSE(elenco_.ScriviRecord(1, 5, RecordVuoto(), FileElenco::Flush::Differito).ok());

    const QByteArray written = CodificaDomanda(domanda("A")) + RecordVuoto().repeated(3);
    EXPECT_EQ(readFile("lista.svz"), written);
    const int deferred = fs_.calls(Call::Flush);
    ASSERT_TRUE(elenco_.Sincronizza(1).ok());
    EXPECT_GT(fs_.calls(Call::Flush), deferred);
    EXPECT_LT(deferred - flushes, 3);  // the deferred writes wait for the disk once at most
    ASSERT_TRUE(elenco_.Tronca(1, 418).ok());
    EXPECT_FALSE(elenco_.Tronca(1, -1).ok());
    EXPECT_EQ(readFile("lista.svz"), written.left(418));
}

}  // namespace
