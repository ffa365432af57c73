#include "FileElencoFixture.h"

#include "StrumentiArchivio.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

// Appending and overwriting in place on a list that is not there yet; the
// same on existing lists, cut short anywhere, is proven by the power-cut trials.
// The list holds personal data: nobody but its owner and group may read it,
// nor its lock and journal (that colleagues can: DiariPiantati,
// DetentoreDelBlocco). What a closed list leaves open: test_guasti.
TEST_F(FileElencoTest, AMissingListIsCreatedEmptyAndFilledRecordByRecord) {
    list("tre.svz");
    ASSERT_EQ(*elenco_.ContaDomande(1), 0);
    for (const auto& [numero, domanda] : {std::pair{1, 1}, {2, 2}, {3, 3}, {2, 9}}) {
        ASSERT_TRUE(elenco_.ScriviDomanda(1, numero, DomandaCompleta(domanda)).ok());
    }
    EXPECT_EQ(readFile("tre.svz"), RecordCompleti(1) + RecordCompleti(9) + RecordCompleti(3));
    for (const char* nome : {"tre.svz", ".~lock.tre.svz#", ".~lock.tre.svz#.diario"}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path(nome)).constData(), &info), 0) << nome;
        EXPECT_EQ(info.st_mode & 0007, 0u) << nome;
    }
}

// A cut last record reads as its completed image (how that decodes:
// test_record_domanda), also once a record is written past it; the gap is
// filled with a blank record's bytes in the same single write.
TEST_F(FileElencoTest, ACutLastRecordReadsBlankFilledBeforeAndAfterAWritePastIt) {
    const QByteArray first = RecordCompleti(1);
    const QByteArray second = RecordCompleti(2);
    for (int cut : {100, 412}) {
        SCOPED_TRACE(cut);
        list("mezzo.svz", first + second.left(cut));
        const QByteArray image = CompletaRecord(second.constData(), cut);
        EXPECT_EQ(*elenco_.LeggiRecord(1, 2), image);
        EXPECT_EQ(CodificaDomanda(*elenco_.LeggiDomanda(1, 2)), image);
        for (std::int32_t missing : {0, -1, 3, 40000}) {
            EXPECT_FALSE(elenco_.LeggiDomanda(1, missing).ok()) << missing;
            EXPECT_FALSE(elenco_.LeggiRecord(1, missing).ok()) << missing;
        }

        ASSERT_TRUE(elenco_.ScriviDomanda(1, 4, DomandaCompleta(4)).ok());

        EXPECT_EQ(readFile("mezzo.svz"), first + image + RecordVuoto() + RecordCompleti(4));
        elenco_.ChiudiElenco(1);
    }
}

// The count follows the file's length as it is now; 32767.5 records would
// round to 32768, past the 16-bit record numbers (-1: refused).
TEST_F(FileElencoTest, CountsLengthOver418RoundedHalvesToEvenUpTo32767) {
    list("lista.svz");
    const qint64 full = 32767 * 418;
    const std::pair<qint64, int> cases[] = {{0, 0},    {209, 0},  {210, 1},      {627, 2},
                                            {1463, 4}, {1045, 2}, {full, 32767}, {full + 209, -1}};
    for (const auto& [length, count] : cases) {
        ASSERT_TRUE(QFile::resize(path("lista.svz"), length));
        const Result<std::int16_t> counted = elenco_.ContaDomande(1);
        EXPECT_EQ(counted.ok() ? *counted : -1, count) << length;
    }
    EXPECT_TRUE(elenco_.ContaDomande(1).error().message.contains(QStringLiteral("32767")));
}

// The real system refuses at once what is no regular file: a list at a
// folder, a device, a missing folder or a dangling link (never created
// through), named and leaving no lock; at a lock's name, a pipe (never
// waited on) or a link (never followed), leaving nothing open.
TEST_F(FileElencoTest, WhatIsNoRegularFileIsRefusedAtOnceAndALinkNeverFollowed) {
    const auto aperti = DescrittoriAperti();
    const QString tubo = path(".~lock.tubo.svz#");
    const QString collegamento = path("collegamento.svz");
    ASSERT_TRUE(::mkfifo(QFile::encodeName(tubo), 0600) == 0 &&
                QFile::link(path("bersaglio"), collegamento));
    for (const auto& [nome, errore] : {std::pair{tubo, ENODEV}, {collegamento, ELOOP}}) {
        EXPECT_EQ(fs_.openForReading(NomeDiSistema(nome)), -1);
        EXPECT_EQ(errno, errore) << nome.toStdString();
    }
    const std::pair<QString, int> cases[] = {{dir_.path(), EISDIR},
                                             {"/dev/null", ENODEV},
                                             {"/nessuna/cartella/x.svz", ENOENT},
                                             {collegamento, ENOENT}};
    for (const auto& [target, code] : cases) {
        const Result<void> opened = elenco_.ApriElenco(target, 1);

        ASSERT_FALSE(opened.ok()) << code;
        EXPECT_EQ(opened.error().code, code);
        EXPECT_TRUE(opened.error().message.contains(target));
        EXPECT_FALSE(elenco_.Aperto(1));
    }
    EXPECT_FALSE(QFile::exists("/dev/.~lock.null#") || QFile::exists(path("bersaglio")));
    EXPECT_EQ(QDir(dir_.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList({".~lock.tubo.svz#", "collegamento.svz"}));
    EXPECT_EQ(DescrittoriAperti(), aperti);
}

// Record numbers outside 1 to 32767, anything but whole 418-byte records,
// a handle already holding a list or closed: refused, the file unchanged.
// Several handles on one file and the lock they share: test_blocco_elenco.
TEST_F(FileElencoTest, RefusesBadRecordNumbersAndSizesAndBusyOrClosedHandles) {
    list("limite.svz");
    list("chiusa.svz", {}, 2);
    elenco_.ChiudiElenco(2);
    for (std::int32_t invalid : {0, -5, 32768, 100000}) {
        const Result<void> written = elenco_.ScriviDomanda(1, invalid, DomandaCompleta());
        EXPECT_TRUE(!written.ok() && written.error().refused()) << invalid;
    }
    const QByteArray blank = RecordVuoto();
    const auto records = [&](std::int32_t first, const QByteArray& bytes) {
        return elenco_.ScriviRecords(1, first, bytes, FileElenco::Flush::Subito).ok();
    };
    const std::pair<const char*, bool> refused[] = {
        {"417 bytes", elenco_.ScriviRecord(1, 1, blank.left(417)).ok()},
        {"two records as one", elenco_.ScriviRecord(1, 1, blank.repeated(2)).ok()},
        {"no records", records(1, {})},
        {"a record and a byte", records(1, blank + ' ')},
        {"past 32767", records(32766, blank.repeated(3))},
        {"a write on a closed handle", elenco_.ScriviDomanda(2, 1, DomandaCompleta()).ok()},
        {"a count on a closed handle", elenco_.ContaDomande(2).ok()},
        {"a handle already open", elenco_.ApriElenco(path("chiusa.svz"), 1).ok()},
        {"a handle out of range", elenco_.ApriElenco(path("chiusa.svz"), 0).ok()},
    };
    for (const auto& [what, accepted] : refused) {
        EXPECT_FALSE(accepted) << what;
    }
    EXPECT_EQ(elenco_.Percorso(1), path("limite.svz"));
    EXPECT_EQ(readFile("limite.svz").size() + readFile("chiusa.svz").size(), 0);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 32767, DomandaCompleta()).ok());
    EXPECT_EQ(*elenco_.ContaDomande(1), 32767);
    EXPECT_EQ(*elenco_.LeggiRecord(1, 32767), RecordCompleti(0));
    EXPECT_FALSE(elenco_.LeggiRecords(1, 32768, 2).ok());
    EXPECT_FALSE(elenco_.LeggiRecord(1, 32768).ok());
}

// A write cut short by the system, or a failed write over or past a cut last
// record: the file exactly as it was, and the reason given with its name.
// Every other failed call is swept through the whole program by test_guasti.
TEST_F(FileElencoTest, AFailedWriteLeavesTheFileAsItWasAndSaysWhy) {
    const QByteArray before = RecordCompleti(1, 2);
    list("lista.svz", before);
    const QByteArray cut = RecordCompleti(1, 3).left(1248);
    // The file, the record written, and the bytes a short write takes (0: the flush fails).
    const std::tuple<QByteArray, int, std::size_t> cases[] = {
        {before, 5, 100}, {before, 1, 200}, {cut, 3, 0}, {cut, 5, 0}};
    for (const auto& [bytes, nRecord, shortBytes] : cases) {
        ASSERT_TRUE(ScriviFile(path("lista.svz"), bytes));
        if (shortBytes > 0) {
            fs_.shortWriteOn(1, shortBytes);
        } else {
            fs_.failOn(Call::Flush, 1, ENOSPC);
        }

        const Result<void> written = elenco_.ScriviDomanda(1, nRecord, DomandaCompleta(9));

        ASSERT_FALSE(written.ok()) << nRecord;
        const QString& message = written.error().message;
        EXPECT_TRUE(message.contains(path("lista.svz")) &&
                    (shortBytes == 0 || message.contains(QString::number(shortBytes))))
            << message.toStdString();
        EXPECT_EQ(readFile("lista.svz"), bytes) << nRecord;
    }
}

// A failed write that cannot be undone keeps its journal: the list is put
// back as it was when it is opened again. (On the last handle, which
// closing them all closes too.)
TEST_F(FileElencoTest, AFailedWriteThatCannotBeUndoneIsUndoneAtTheNextOpening) {
    const QByteArray before = RecordCompleti(1, 2);
    list("lista.svz", before, 3);
    fs_.failOn(Call::Flush, 1, ENOSPC);
    fs_.failOn(Call::Write, 2, EIO);  // putting back the record overwritten

    EXPECT_FALSE(elenco_.ScriviDomanda(3, 1, DomandaCompleta(9)).ok());
    EXPECT_FALSE(elenco_.ScriviDomanda(3, 2, DomandaCompleta(8)).ok());

    elenco_.ChiudiTutti();
    list("lista.svz", {}, 3);
    EXPECT_EQ(readFile("lista.svz"), before);
}

// A deferred write that fails is undone at once; the unsynchronised ones
// before it stay.
TEST_F(FileElencoTest, AFailedDeferredWriteIsUndoneAtOnceAndTheEarlierOnesStay) {
    list("lista.svz", RecordCompleti(1, 2));
    ASSERT_TRUE(elenco_.ScriviDomanda(1, 1, DomandaCompleta(9)).ok());
    for (int n = 2; n <= 4; ++n) {
        ASSERT_TRUE(elenco_.ScriviRecord(1, n, RecordVuoto(), FileElenco::Flush::Differito).ok());
    }
    fs_.failOn(Call::Write, 1, ENOSPC);

    EXPECT_FALSE(elenco_.ScriviRecord(1, 5, RecordVuoto(), FileElenco::Flush::Differito).ok());

    const QByteArray written = RecordCompleti(9) + RecordVuoto().repeated(3);
    EXPECT_EQ(readFile("lista.svz"), written);
    ASSERT_TRUE(elenco_.Sincronizza(1).ok());
    ASSERT_TRUE(elenco_.Tronca(1, 418).ok());
    EXPECT_FALSE(elenco_.Tronca(1, -1).ok());
    EXPECT_EQ(readFile("lista.svz"), written.left(418));
}

// The same list under another spelling is one list: this copy may open it on
// two handles, without undoing the first one's unsynchronised writes, and
// another copy is refused while either still holds it.
TEST_F(FileElencoTest, AListUnderAnotherSpellingSharesItsLock) {
    list("lista.svz", RecordCompleti(1));
    ASSERT_TRUE(elenco_.ScriviRecord(1, 1, RecordCompleti(2), FileElenco::Flush::Differito).ok());
    ASSERT_TRUE(elenco_.ApriElenco(dir_.path() + "/./lista.svz", 2).ok());
    EXPECT_EQ(readFile("lista.svz"), RecordCompleti(2));
    elenco_.ChiudiElenco(1);
    FileElenco altra;
    EXPECT_FALSE(altra.ApriElenco(path("lista.svz"), 1).ok());
}

}  // namespace
