#include "FileElencoFixture.h"

#include <cerrno>

namespace {

using Call = FailingFileSystem::Call;

TEST_F(FileElencoTest, AnEmptyListCountsNoApplicationAndTheFirstOneFillsExactly418Bytes) {
    writeFile("vuoto.svz", {});
    open("vuoto.svz");
    ASSERT_EQ(*elenco_.ContaDomande(1), 0);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 1, domanda("ROSSI")).ok());

    EXPECT_EQ(readFile("vuoto.svz"), CodificaDomanda(domanda("ROSSI")));
    EXPECT_EQ(*elenco_.ContaDomande(1), 1);
}

TEST_F(FileElencoTest, ThreeApplicationsMake1254BytesWithTheThirdAtOffset836) {
    open("tre.svz");
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(elenco_.ScriviDomanda(1, n, domanda(QStringLiteral("NOME%1").arg(n))).ok());
    }

    const QByteArray bytes = readFile("tre.svz");
    ASSERT_EQ(bytes.size(), 1254);
    EXPECT_EQ(bytes.mid(836, 418), CodificaDomanda(domanda("NOME3")));
    EXPECT_EQ(*elenco_.ContaDomande(1), 3);
    EXPECT_EQ(elenco_.LeggiDomanda(1, 2)->CognRich.trimmed(), QStringLiteral("NOME2"));
}

struct CountCase {
    const char* name;
    qint64 length;
    int count;
};

class CountFromLength : public FileElencoTest, public testing::WithParamInterface<CountCase> {};

TEST_P(CountFromLength, RoundsLengthOver418ToNearestHalvesToEven) {
    writeFile("lista.svz", QByteArray(GetParam().length, ' '));
    open("lista.svz");

    EXPECT_EQ(*elenco_.ContaDomande(1), GetParam().count);
    EXPECT_EQ(*elenco_.LunghezzaFile(1), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CountFromLength,
    testing::Values(CountCase{"Empty", 0, 0}, CountCase{"HalfRecordIsEmpty_209", 209, 0},
                    CountCase{"JustOverHalf_210", 210, 1}, CountCase{"OneRecord", 418, 1},
                    CountCase{"OneAndAHalf_627", 627, 2}, CountCase{"TwoAndAHalf_1045", 1045, 2},
                    CountCase{"Three_1254", 1254, 3}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST_F(FileElencoTest, AListTooLongForSixteenBitNumbersCannotBeCounted) {
    QFile file(path("grande.svz"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64{32767} * 418));
    open("grande.svz");
    EXPECT_EQ(*elenco_.ContaDomande(1), 32767);

    ASSERT_TRUE(file.resize(qint64{32767} * 418 + 209));  // 32767.5 rounds to 32768

    const Result<std::int16_t> count = elenco_.ContaDomande(1);
    ASSERT_FALSE(count.ok());
    EXPECT_TRUE(count.error().message.contains(QStringLiteral("32767")));
}

TEST_F(FileElencoTest, OpeningAMissingFileCreatesItEmpty) {
    open("nuovo.svz");

    EXPECT_TRUE(QFile::exists(path("nuovo.svz")));
    EXPECT_EQ(*elenco_.LunghezzaFile(1), 0);
    EXPECT_EQ(elenco_.Percorso(1), path("nuovo.svz"));
}

struct RefusedPathCase {
    const char* name;
    const char* path;  // empty: the temporary folder itself
    int code;
    const char* reason;
};

class RefusedPath : public FileElencoTest, public testing::WithParamInterface<RefusedPathCase> {};

TEST_P(RefusedPath, IsNotOpenedAndTheReasonIsGivenInItalian) {
    const RefusedPathCase& c = GetParam();
    const QString target = *c.path ? QString::fromLatin1(c.path) : dir_.path();

    const Result<void> opened = elenco_.ApriElenco(target, 1);

    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().code, c.code);
    EXPECT_EQ(opened.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": %2.").arg(target, c.reason));
    EXPECT_FALSE(elenco_.Aperto(1));
}

INSTANTIATE_TEST_SUITE_P(
    NotRegularFiles, RefusedPath,
    testing::Values(RefusedPathCase{"Folder", "", EISDIR, "il percorso indica una cartella"},
                    RefusedPathCase{"DevNull", "/dev/null", ENODEV,
                                    "il percorso non indica un file ordinario"},
                    RefusedPathCase{"MissingFolder", "/nessuna/cartella/x.svz", ENOENT,
                                    "file o cartella inesistente"}),
    [](const testing::TestParamInfo<RefusedPathCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(FileElencoTest, HandlesMustBeOneToThreeAndFree) {
    EXPECT_FALSE(elenco_.ApriElenco(path("a.svz"), 0).ok());
    EXPECT_FALSE(elenco_.ApriElenco(path("a.svz"), 4).ok());
    EXPECT_FALSE(QFile::exists(path("a.svz")));

    open("a.svz");
    const Result<void> again = elenco_.ApriElenco(path("b.svz"), 1);
    ASSERT_FALSE(again.ok());
    EXPECT_EQ(again.error().code, 0);
    EXPECT_EQ(elenco_.Percorso(1), path("a.svz"));

    // The same file on two handles is allowed: a list may be appended to itself.
    EXPECT_TRUE(elenco_.ApriElenco(path("a.svz"), 2).ok());
    EXPECT_TRUE(elenco_.ApriElenco(path("b.svz"), 3).ok());
    EXPECT_FALSE(elenco_.ContaDomande(4).ok());
}

TEST_F(FileElencoTest, AClosedHandleRefusesWorkAndClosingItAgainIsHarmless) {
    open("a.svz");
    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(1);
    elenco_.ChiudiElenco(2);
    elenco_.ChiudiElenco(9);

    EXPECT_FALSE(elenco_.Aperto(1));
    EXPECT_FALSE(elenco_.ContaDomande(1).ok());
    EXPECT_FALSE(elenco_.ScriviDomanda(1, 1, domanda("X")).ok());
    EXPECT_EQ(fs_.calls(Call::Close), 1);
    EXPECT_EQ(readFile("a.svz"), QByteArray());
    open("a.svz");  // the handle is free again
}

TEST_F(FileElencoTest, ClosingAllAndDestroyingCloseEveryOpenFile) {
    {
        FileElenco elenco(fs_);
        ASSERT_TRUE(elenco.ApriElenco(path("a.svz"), 1).ok());
        ASSERT_TRUE(elenco.ApriElenco(path("b.svz"), 3).ok());
    }
    EXPECT_EQ(fs_.calls(Call::Close), 2);

    open("a.svz");
    ASSERT_TRUE(elenco_.ApriElenco(path("b.svz"), 2).ok());
    elenco_.ChiudiTutti();
    EXPECT_EQ(fs_.calls(Call::Close), 4);
    EXPECT_FALSE(elenco_.Aperto(1) || elenco_.Aperto(2));
}

TEST_F(FileElencoTest, ReadsOnlyRecordsThatHaveBytesInTheFile) {
    writeFile("due.svz", records({"PRIMO", "SECONDO"}));
    open("due.svz");

    EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), domanda("SECONDO"));
    EXPECT_EQ(*elenco_.LeggiRecord(1, 1), CodificaDomanda(domanda("PRIMO")));
    for (std::int32_t missing : {0, -1, 3, 40000}) {
        const Result<DatiDomanda> letta = elenco_.LeggiDomanda(1, missing);
        ASSERT_FALSE(letta.ok()) << missing;
        EXPECT_EQ(letta.error().code, 0);
        EXPECT_FALSE(elenco_.LeggiRecord(1, missing).ok()) << missing;
    }
}

TEST_F(FileElencoTest, ACutLastRecordReadsAsIfItsMissingBytesWereBlank) {
    const QByteArray second = CodificaDomanda(domanda("TRONCATO", 250.5f));
    writeFile("mezzo.svz", records({"PRIMO"}) + second.left(100));
    open("mezzo.svz");

    const DatiDomanda letta = *elenco_.LeggiDomanda(1, 2);

    EXPECT_EQ(letta.CognRich, QStringLiteral("TRONCATO").leftJustified(30));
    EXPECT_EQ(letta.Spese, 0.0f);
    EXPECT_EQ(*elenco_.LeggiRecord(1, 2), second.left(100) + RecordVuoto().mid(100));
}

TEST_F(FileElencoTest, WritingPastTheEndFillsTheGapWithBlankRecordBytesInOneWrite) {
    const QByteArray start = records({"PRIMO"}).left(100);
    writeFile("buco.svz", start);
    open("buco.svz");
    const int writesBefore = fs_.calls(Call::Write);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 3, domanda("TERZO")).ok());

    const QByteArray bytes = readFile("buco.svz");
    ASSERT_EQ(bytes.size(), 1254);
    EXPECT_EQ(bytes.left(100), start);
    EXPECT_EQ(bytes.mid(100, 318), RecordVuoto().mid(100));
    EXPECT_EQ(bytes.mid(418, 418), RecordVuoto());
    EXPECT_EQ(bytes.mid(836), CodificaDomanda(domanda("TERZO")));
    EXPECT_EQ(fs_.calls(Call::Write) - writesBefore, 1);
}

TEST_F(FileElencoTest, ACutLastRecordReadsTheSameAfterARecordIsWrittenPastIt) {
    const QByteArray cutInSpese =
        records({"PRIMO"}) + CodificaDomanda(domanda("TRONCATO", 1234.56f)).left(412);
    writeFile("importo.svz", cutInSpese);
    open("importo.svz");
    const DatiDomanda before = *elenco_.LeggiDomanda(1, 2);
    ASSERT_EQ(before.Spese, 0.0f);

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 4, domanda("QUARTO")).ok());

    EXPECT_EQ(*elenco_.LeggiDomanda(1, 2), before);
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 3), AzzeraRecord());
    EXPECT_EQ(readFile("importo.svz").left(410 + 418), cutInSpese.left(410 + 418));
}

TEST_F(FileElencoTest, OverwritingARecordChangesOnlyItsOwnBytes) {
    writeFile("tre.svz", records({"A", "B", "C"}));
    open("tre.svz");

    ASSERT_TRUE(elenco_.ScriviDomanda(1, 2, domanda("NUOVO")).ok());

    EXPECT_EQ(readFile("tre.svz"), records({"A", "NUOVO", "C"}));
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
    open("flush.svz");
    ASSERT_TRUE(elenco_.ScriviDomanda(1, 1, domanda("A")).ok());
    EXPECT_EQ(fs_.calls(Call::Flush), 1);

    for (int n = 2; n <= 4; ++n) {
        ASSERT_TRUE(elenco_.ScriviRecord(1, n, RecordVuoto(), FileElenco::Flush::Differito).ok());
    }
    EXPECT_EQ(fs_.calls(Call::Flush), 1);
    ASSERT_TRUE(elenco_.Sincronizza(1).ok());
    EXPECT_EQ(fs_.calls(Call::Flush), 2);
    EXPECT_EQ(*elenco_.ContaDomande(1), 4);
}

TEST_F(FileElencoTest, TroncaCutsTheFileBack) {
    writeFile("tre.svz", records({"A", "B", "C"}));
    open("tre.svz");

    ASSERT_TRUE(elenco_.Tronca(1, 418).ok());
    EXPECT_FALSE(elenco_.Tronca(1, -1).ok());

    EXPECT_EQ(readFile("tre.svz"), records({"A"}));
}

}  // namespace
