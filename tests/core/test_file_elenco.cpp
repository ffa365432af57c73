#include "FileElencoFixture.h"

#include <cerrno>

namespace {

TEST_F(FileElencoTest, AMissingListIsCreatedEmptyAndThreeApplicationsFill1254Bytes) {
    open("tre.svz");
    ASSERT_TRUE(QFile::exists(path("tre.svz")));
    ASSERT_EQ(*elenco_.ContaDomande(1), 0);
    EXPECT_EQ(elenco_.Percorso(1), path("tre.svz"));
    for (int n = 1; n <= 3; ++n) {
        const DatiDomanda d = domanda(QStringLiteral("L %1").arg(n), n + 0.5f);
        ASSERT_TRUE(elenco_.ScriviDomanda(1, n, d).ok());
    }

    EXPECT_EQ(readFile("tre.svz"), records("L", 3));
    EXPECT_EQ(*elenco_.ContaDomande(1), 3);
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), domanda("L 2", 2.5f));
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
        const DatiDomanda blank = domanda("TRONCATO", 0.0f);
        const int text = std::min(cut, 410);
        const QByteArray image = second.left(text) + QByteArray(410 - text, ' ') + QByteArray(8, 0);
        EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), blank);
        EXPECT_EQ(*elenco_.LeggiRecord(1, 2), image);
        for (std::int32_t missing : {0, -1, 3, 40000}) {
            EXPECT_FALSE(elenco_.LeggiDomanda(1, missing).ok() ||
                         elenco_.LeggiRecord(1, missing).ok());
        }
        const int writesBefore = fs_.calls(Call::Write);

        ASSERT_TRUE(elenco_.ScriviDomanda(1, 4, domanda("QUARTO")).ok());

        EXPECT_EQ(fs_.calls(Call::Write) - writesBefore, 1);
        EXPECT_EQ(readFile("mezzo.svz"),
                  first + image + RecordVuoto() + CodificaDomanda(domanda("QUARTO")));
        EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), blank);
        elenco_.ChiudiElenco(1);
    }
}

TEST_F(FileElencoTest, ABlockReadInOneCallGivesTheRecordsAsReadOneByOne) {
    list("blocco.svz", records("B", 3) + records("C", 1).left(150));
    const int readsBefore = fs_.calls(Call::Read);

    const QByteArray block = *elenco_.LeggiRecords(1, 2, 10);

    EXPECT_EQ(fs_.calls(Call::Read) - readsBefore, 2);  // the data, then the end of the file
    ASSERT_EQ(block.size(), 3 * kLunghezzaRecord);
    for (int n = 2; n <= 4; ++n) {
        EXPECT_EQ(block.mid((n - 2) * kLunghezzaRecord, kLunghezzaRecord),
                  *elenco_.LeggiRecord(1, n));
    }
    EXPECT_FALSE(elenco_.LeggiRecords(1, 5, 10).ok());
}

TEST_F(FileElencoTest, CountsLengthOver418RoundedHalvesToEven) {
    const std::pair<qint64, int> cases[] = {{0, 0},   {209, 0},  {210, 1},  {418, 1},
                                            {627, 2}, {1045, 2}, {1254, 3}, {1463, 4}};
    for (const auto& [length, count] : cases) {
        SCOPED_TRACE(length);
        list("lista.svz", QByteArray(length, ' '));
        EXPECT_EQ(*elenco_.ContaDomande(1), count);
        EXPECT_EQ(*elenco_.LunghezzaFile(1), length);
        elenco_.ChiudiElenco(1);
    }
}

TEST_F(FileElencoTest, AListTooLongForSixteenBitNumbersCannotBeCounted) {
    QFile file(path("grande.svz"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64{32767} * 418));
    open("grande.svz");
    EXPECT_EQ(*elenco_.ContaDomande(1), 32767);

    ASSERT_TRUE(file.resize(qint64{32767} * 418 + 209));  // 32767.5 rounds to 32768

    const Result<std::int16_t> count = elenco_.ContaDomande(1);
    ASSERT_FALSE(count.ok());
    EXPECT_TRUE(count.error().message.contains(QStringLiteral("32767")));
}

TEST_F(FileElencoTest, APathThatIsNoRegularFileIsRefusedWithItsReasonInItalian) {
    const struct {
        QString target;
        int code;
        const char* reason;
    } cases[] = {{dir_.path(), EISDIR, "il percorso indica una cartella"},
                 {"/dev/null", ENODEV, "il percorso non indica un file ordinario"},
                 {"/nessuna/cartella/x.svz", ENOENT, "file o cartella inesistente"}};
    for (const auto& c : cases) {
        const Result<void> opened = elenco_.ApriElenco(c.target, 1);

        ASSERT_FALSE(opened.ok()) << c.reason;
        EXPECT_EQ(opened.error().code, c.code);
        EXPECT_EQ(opened.error().message,
                  QStringLiteral("Impossibile aprire il file \"%1\": %2.").arg(c.target, c.reason));
        EXPECT_FALSE(elenco_.Aperto(1));
    }
}

TEST_F(FileElencoTest, HandlesAreOneToThreeAndTakeOneFileUntilClosed) {
    EXPECT_FALSE(elenco_.ApriElenco(path("a.svz"), 0).ok());
    EXPECT_FALSE(elenco_.ApriElenco(path("a.svz"), 4).ok());
    EXPECT_FALSE(QFile::exists(path("a.svz")));

    open("a.svz");
    EXPECT_FALSE(elenco_.ApriElenco(path("b.svz"), 1).ok());
    EXPECT_EQ(elenco_.Percorso(1), path("a.svz"));
    open("a.svz", 2);  // the same file twice: a list may be appended to itself
    open("b.svz", 3);

    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(9);
    EXPECT_EQ(fs_.calls(Call::Close), 1);
    EXPECT_FALSE(elenco_.ContaDomande(1).ok());
    EXPECT_FALSE(elenco_.ScriviDomanda(1, 1, domanda("X")).ok());
    EXPECT_EQ(readFile("a.svz"), QByteArray());
    open("b.svz");  // free again

    elenco_.ChiudiTutti();
    EXPECT_EQ(fs_.calls(Call::Close), 4);
    EXPECT_FALSE(elenco_.Aperto(1) || elenco_.Aperto(2) || elenco_.Aperto(3));
    {
        FileElenco other(fs_);
        ASSERT_TRUE(other.ApriElenco(path("a.svz"), 2).ok());
    }
    EXPECT_EQ(fs_.calls(Call::Close), 5);
}

TEST_F(FileElencoTest, OverwritingARecordChangesOnlyItsOwnBytes) {
    const QByteArray before = records("R", 3);
    list("tre.svz", before);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 2, domanda("NUOVO")).ok());

    EXPECT_EQ(readFile("tre.svz"),
              before.left(418) + CodificaDomanda(domanda("NUOVO")) + before.mid(836));
}

TEST_F(FileElencoTest, RefusesRecordNumbersOutsideOneTo32767AndRecordsOfTheWrongSize) {
    open("limite.svz");
    for (std::int32_t invalid : {0, -5, 32768, 100000}) {
        const Result<void> written = elenco_.ScriviDomanda(1, invalid, domanda("X"));
        ASSERT_FALSE(written.ok()) << invalid;
        EXPECT_EQ(written.error().code, 0);
    }
    EXPECT_FALSE(elenco_.ScriviRecord(1, 1, QByteArray(417, ' ')).ok());
    EXPECT_FALSE(elenco_.ScriviRecord(1, 1, QByteArray(419, ' ')).ok());
    EXPECT_EQ(readFile("limite.svz").size(), 0);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 32767, domanda("ULTIMO")).ok());
    EXPECT_EQ(*elenco_.ContaDomande(1), 32767);
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 32767), domanda("ULTIMO"));
}

TEST_F(FileElencoTest, EveryWriteIsFlushedUnlessTheCallerDefersIt) {
    list("flush.svz", records("R", 3));
    ASSERT_TRUE(elenco_.ScriviDomanda(1, 1, domanda("A")).ok());
    EXPECT_EQ(fs_.calls(Call::Flush), 1);

    for (int n = 2; n <= 4; ++n) {
        ASSERT_TRUE(elenco_.ScriviRecord(1, n, RecordVuoto(), FileElenco::Flush::Differito).ok());
    }
    EXPECT_EQ(fs_.calls(Call::Flush), 1);
    ASSERT_TRUE(elenco_.Sincronizza(1).ok());
    EXPECT_EQ(fs_.calls(Call::Flush), 2);

    ASSERT_TRUE(elenco_.Tronca(1, 418).ok());
    EXPECT_FALSE(elenco_.Tronca(1, -1).ok());
    EXPECT_EQ(readFile("flush.svz"), CodificaDomanda(domanda("A")));
}

}  // namespace
