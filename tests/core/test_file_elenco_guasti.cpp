#include "FileElencoFixture.h"

#include <cerrno>

namespace {

using Call = FailingFileSystem::Call;

// A list of two records, open on handle 1, whose writes are then made to fail.
class FailedWrite : public FileElencoTest {
protected:
    void SetUp() override {
        writeFile("lista.svz", before_);
        open("lista.svz");
    }

    QString quoted() const { return QStringLiteral("\"%1\"").arg(path("lista.svz")); }

    const QByteArray before_ = records({"PRIMO", "SECONDO"});
};

TEST_F(FailedWrite, DiskFullLeavesTheFileAsItWasAndSaysWhy) {
    fs_.failOn(Call::Write, 1, ENOSPC);

    const Result<void> written = elenco_.ScriviDomanda(1, 3, domanda("TERZO"));

    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().code, ENOSPC);
    EXPECT_EQ(written.error().message,
              QStringLiteral("Impossibile scrivere nel file %1: spazio esaurito sul disco.")
                  .arg(quoted()));
    EXPECT_EQ(readFile("lista.svz"), before_);
}

TEST_F(FailedWrite, AShortAppendIsCutAwayAgain) {
    fs_.shortWriteOn(1, 100);

    const Result<void> written = elenco_.ScriviDomanda(1, 5, domanda("QUINTO"));

    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().code, 0);
    EXPECT_TRUE(written.error().message.startsWith(
        QStringLiteral("Impossibile scrivere nel file %1: ").arg(quoted())));
    EXPECT_EQ(readFile("lista.svz"), before_);
}

TEST_F(FailedWrite, AFailedFlushUndoesTheAppend) {
    fs_.failOn(Call::Flush, 1, EIO);

    const Result<void> written = elenco_.ScriviDomanda(1, 3, domanda("TERZO"));

    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().code, EIO);
    EXPECT_EQ(written.error().message,
              QStringLiteral("Impossibile salvare sul disco il file %1: errore di lettura o "
                             "scrittura sul disco.")
                  .arg(quoted()));
    EXPECT_EQ(readFile("lista.svz"), before_);
}

TEST_F(FailedWrite, AShortOverwriteRestoresTheOldRecord) {
    fs_.shortWriteOn(1, 200);

    EXPECT_FALSE(elenco_.ScriviDomanda(1, 1, domanda("SOSTITUTO")).ok());

    EXPECT_EQ(readFile("lista.svz"), before_);
    EXPECT_EQ(*elenco_.LeggiDomanda(1, 1), domanda("PRIMO"));
}

TEST_F(FailedWrite, AFailedFlushOfAnOverwriteRestoresTheOldRecord) {
    fs_.failOn(Call::Flush, 1, EDQUOT);

    const Result<void> written = elenco_.ScriviDomanda(1, 2, domanda("SOSTITUTO"));

    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(written.error().message.endsWith(QStringLiteral(": quota disco superata.")));
    EXPECT_EQ(readFile("lista.svz"), before_);
}

TEST_F(FailedWrite, AFailedWriteOverOrPastACutLastRecordRestoresBytesAndLength) {
    const QByteArray cut = before_ + CodificaDomanda(domanda("TERZO", 1234.56f)).left(412);
    writeFile("lista.svz", cut);
    for (std::int32_t nRecord : {3, 5}) {
        fs_.failOn(Call::Flush, 1, ENOSPC);

        EXPECT_FALSE(elenco_.ScriviDomanda(1, nRecord, domanda("NUOVO")).ok());

        EXPECT_EQ(readFile("lista.svz"), cut) << "record " << nRecord;
    }
}

TEST_F(FailedWrite, AFailedDeferredWriteIsUndoneAtOnce) {
    fs_.failOn(Call::Write, 2, ENOSPC);

    ASSERT_TRUE(elenco_.ScriviRecord(1, 3, RecordVuoto(), FileElenco::Flush::Differito).ok());
    EXPECT_FALSE(elenco_.ScriviRecord(1, 4, RecordVuoto(), FileElenco::Flush::Differito).ok());

    EXPECT_EQ(readFile("lista.svz"), before_ + RecordVuoto());
}

TEST_F(FailedWrite, ALengthThatCannotBeReadStopsTheWriteBeforeAnyChange) {
    fs_.failOn(Call::Size, 1, EIO);
    const int writesBefore = fs_.calls(Call::Write);

    EXPECT_FALSE(elenco_.ScriviDomanda(1, 3, domanda("TERZO")).ok());

    EXPECT_EQ(fs_.calls(Call::Write), writesBefore);
    EXPECT_EQ(readFile("lista.svz"), before_);
}

struct SystemFailureCase {
    const char* name;
    Call call;
    int code;
    const char* message;  // %1 is the quoted path
};

class SystemFailureReported : public FailedWrite,
                              public testing::WithParamInterface<SystemFailureCase> {};

// Runs the operation that makes the failing call, on a list opened afresh.
Error failureOf(FileElenco& elenco, Call call, const QString& file) {
    if (call == Call::Open) {
        elenco.ChiudiElenco(1);
        const Result<void> opened = elenco.ApriElenco(file, 1);
        return opened.ok() ? Error{} : opened.error();
    }
    if (call == Call::Read) {
        const Result<DatiDomanda> letta = elenco.LeggiDomanda(1, 1);
        return letta.ok() ? Error{} : letta.error();
    }
    if (call == Call::Truncate) {
        const Result<void> cut = elenco.Tronca(1, 0);
        return cut.ok() ? Error{} : cut.error();
    }
    const Result<std::int16_t> count = elenco.ContaDomande(1);
    return count.ok() ? Error{} : count.error();
}

TEST_P(SystemFailureReported, WithTheSystemNumberAndItsItalianReason) {
    const SystemFailureCase& c = GetParam();
    fs_.failOn(c.call, 1, c.code);

    const Error error = failureOf(elenco_, c.call, path("lista.svz"));

    EXPECT_EQ(error.code, c.code);
    EXPECT_EQ(error.message, QString::fromUtf8(c.message).arg(quoted()));
    EXPECT_EQ(readFile("lista.svz"), before_);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, SystemFailureReported,
    testing::Values(
        SystemFailureCase{"OpenPermissionDenied", Call::Open, EACCES,
                          "Impossibile aprire il file %1: permesso negato."},
        SystemFailureCase{"OpenReadOnlyDisk", Call::Open, EROFS,
                          "Impossibile aprire il file %1: disco in sola lettura."},
        SystemFailureCase{"ReadIoError", Call::Read, EIO,
                          "Impossibile leggere dal file %1: errore di lettura o scrittura sul "
                          "disco."},
        SystemFailureCase{"LengthIoError", Call::Size, EIO,
                          "Impossibile leggere la lunghezza del file %1: errore di lettura o "
                          "scrittura sul disco."},
        SystemFailureCase{"TruncatePermission", Call::Truncate, EPERM,
                          "Impossibile accorciare il file %1: permesso negato."}),
    [](const testing::TestParamInfo<SystemFailureCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
