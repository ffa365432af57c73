#include "FileElencoFixture.h"

#include <cerrno>

namespace {

const QString kIoError = QStringLiteral("errore di lettura o scrittura sul disco.");

template <class R>
Error errorOf(const R& result) {
    return result.ok() ? Error{} : result.error();
}

// A list of two records, open on handle 1, whose calls are then made to fail.
class FailedCall : public FileElencoTest {
protected:
    void SetUp() override { list("lista.svz", before_); }

    // The message with its %1 replaced by the quoted path of the list.
    QString message(const char* text) const {
        return QString::fromUtf8(text).arg(QStringLiteral("\"%1\"").arg(path("lista.svz")));
    }

    const QByteArray before_ = records("R", 2);
};

TEST_F(FailedCall, AFailedWriteOrFlushSaysWhyAndLeavesTheFileAsItWas) {
    const struct {
        const char* name;
        Call call;  // Write with shortBytes > 0: a write cut short
        int error;
        std::size_t shortBytes;
        std::int32_t nRecord;
        const char* message;
    } cases[] = {
        {"disk full on append", Call::Write, ENOSPC, 0, 3,
         "Impossibile scrivere nel file %1: spazio esaurito sul disco."},
        {"short append", Call::Write, 0, 100, 5,
         "Impossibile scrivere nel file %1: scritti solo 100 byte su 1254 (il disco potrebbe "
         "essere pieno)."},
        {"short overwrite", Call::Write, 0, 200, 1,
         "Impossibile scrivere nel file %1: scritti solo 200 byte su 418 (il disco potrebbe "
         "essere pieno)."},
        {"flush of an append", Call::Flush, EIO, 0, 3,
         "Impossibile salvare sul disco il file %1: errore di lettura o scrittura sul disco."},
        {"flush of an overwrite", Call::Flush, EDQUOT, 0, 2,
         "Impossibile salvare sul disco il file %1: quota disco superata."},
        {"length unknown", Call::Size, EIO, 0, 3,
         "Impossibile scrivere nel file %1: errore di lettura o scrittura sul disco."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.shortBytes > 0) {
            fs_.shortWriteOn(1, c.shortBytes);
        } else {
            fs_.failOn(c.call, 1, c.error);
        }

        const Result<void> written = elenco_.ScriviDomanda(1, c.nRecord, domanda("NUOVO"));

        ASSERT_FALSE(written.ok());
        EXPECT_EQ(written.error().code, c.shortBytes > 0 ? EIO : c.error);
        EXPECT_EQ(written.error().message, message(c.message));
        EXPECT_EQ(readFile("lista.svz"), before_);
        EXPECT_EQ(*elenco_.LeggiDomanda(1, 1), domanda("R 1", 1.5f));
        fs_.clearFailures();
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

TEST_F(FailedCall, AFailedDeferredWriteIsUndoneAtOnce) {
    fs_.failOn(Call::Write, 2, ENOSPC);

    ASSERT_TRUE(elenco_.ScriviRecord(1, 3, RecordVuoto(), FileElenco::Flush::Differito).ok());
    EXPECT_FALSE(elenco_.ScriviRecord(1, 4, RecordVuoto(), FileElenco::Flush::Differito).ok());

    EXPECT_EQ(readFile("lista.svz"), before_ + RecordVuoto());
}

TEST_F(FailedCall, OtherSystemFailuresGiveTheSystemNumberAndItsItalianReason) {
    const struct {
        Call call;
        int error;
        const char* message;
    } cases[] = {
        {Call::Open, EACCES, "Impossibile aprire il file %1: permesso negato."},
        {Call::Open, EROFS, "Impossibile aprire il file %1: disco in sola lettura."},
        {Call::Read, EIO, "Impossibile leggere dal file %1: "},
        {Call::Size, EIO, "Impossibile leggere la lunghezza del file %1: "},
        {Call::Truncate, EPERM, "Impossibile accorciare il file %1: permesso negato."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        fs_.failOn(c.call, 1, c.error);
        Error error;
        if (c.call == Call::Open) {
            elenco_.ChiudiElenco(1);
            error = errorOf(elenco_.ApriElenco(path("lista.svz"), 1));
            open("lista.svz");
        } else if (c.call == Call::Read) {
            error = errorOf(elenco_.LeggiDomanda(1, 1));
        } else if (c.call == Call::Size) {
            error = errorOf(elenco_.ContaDomande(1));
        } else {
            error = errorOf(elenco_.Tronca(1, 0));
        }

        EXPECT_EQ(error.code, c.error);
        const QString expected = message(c.message);
        EXPECT_EQ(error.message, expected.endsWith(' ') ? expected + kIoError : expected);
        EXPECT_EQ(readFile("lista.svz"), before_);
    }
}

}  // namespace
