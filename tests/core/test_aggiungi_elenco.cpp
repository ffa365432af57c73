#include "UnioneFixture.h"

#include <cerrno>

namespace {

class AggiungiElencoTest : public UnioneTest {
protected:
    Result<void> append() { return AggiungiElenco(elenco_, plan(TipoCopia::Aggiunta)); }

    const QByteArray primo_ = records("PRIMO", 3);
    const QByteArray secondo_ = records("SECONDO", 2);
};

TEST_F(AggiungiElencoTest, FractionalLengthsFollowTheRoundedCounts) {
    // 2.3 records: the cut third record is overwritten by list 2's first.
    list("uno.svz", primo_.left(961), kHandlePrimo);
    // 2.6 records: the cut third counts, completed with blanks.
    list("due.svz", records("SECONDO", 3).left(1087), kHandleSecondo);

    ASSERT_TRUE(append().ok());

    const QByteArray cutThird = records("SECONDO", 3).mid(836, 251) + RecordVuoto().mid(251);
    EXPECT_EQ(readFile("uno.svz"), primo_.left(836) + secondo_ + cutThird);
}

TEST_F(AggiungiElencoTest, AListOneEndingInHalfARecordLosesNoRecordOfListTwo) {
    // 3.5 records count as 4: list 2 follows at 5 and 6, never both at 4 and 6.
    const QByteArray threeAndAHalf = records("PRIMO", 4).left(1463);
    list("uno.svz", threeAndAHalf, kHandlePrimo);
    list("due.svz", secondo_, kHandleSecondo);

    ASSERT_TRUE(append().ok());

    EXPECT_EQ(readFile("uno.svz"), threeAndAHalf + RecordVuoto().mid(209) + secondo_);
}

class AggiungiConGuasto : public AggiungiElencoTest {
protected:
    void SetUp() override {
        list("uno.svz", primo_, kHandlePrimo);
        list("due.svz", records("SECONDO", 5), kHandleSecondo);
    }

    void expectNothingChanged(const Result<void>& esito, const QString& reason) {
        ASSERT_FALSE(esito.ok());
        EXPECT_TRUE(esito.error().message.contains(reason)) << esito.error().message.toStdString();
        EXPECT_TRUE(esito.error().message.endsWith(
            QStringLiteral("\nL'elenco n. 1 è stato riportato com'era: non è stata aggiunta "
                           "nessuna domanda.")));
        EXPECT_EQ(readFile("uno.svz"), primo_);
        EXPECT_EQ(readFile("due.svz"), records("SECONDO", 5));
    }
};

TEST_F(AggiungiConGuasto, ADiskFullPartWayTakesBackTheRecordsAlreadyWritten) {
    fs_.failOn(Call::Write, 3, ENOSPC);
    expectNothingChanged(append(), QStringLiteral("spazio esaurito sul disco"));
}

TEST_F(AggiungiConGuasto, AReadFailureOfListTwoTakesBackTheRecordsAlreadyWritten) {
    fs_.failOn(Call::Read, 4, EIO);
    expectNothingChanged(append(), QStringLiteral("Impossibile leggere dal file"));
}

TEST_F(AggiungiConGuasto, AFailedFinalFlushTakesBackEveryRecord) {
    fs_.failOn(Call::Flush, 1, EIO);
    expectNothingChanged(append(), QStringLiteral("Impossibile salvare sul disco il file"));
}

TEST_F(AggiungiElencoTest, AFailureRestoresTheCutRecordThatTheFirstCopyOverwrote) {
    const QByteArray cut = primo_.left(961);
    list("uno.svz", cut, kHandlePrimo);
    list("due.svz", secondo_, kHandleSecondo);
    fs_.failOn(Call::Write, 2, ENOSPC);

    ASSERT_FALSE(append().ok());

    EXPECT_EQ(readFile("uno.svz"), cut);
}

TEST_F(AggiungiElencoTest, AFailedRestoreIsReportedAsSuch) {
    list("uno.svz", primo_, kHandlePrimo);
    list("due.svz", secondo_, kHandleSecondo);
    fs_.failOn(Call::Write, 2, ENOSPC);
    fs_.failAlways(Call::Truncate, EIO);

    const Result<void> esito = append();

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.contains(
        QStringLiteral("\nATTENZIONE: non è stato possibile riportare l'elenco n. 1 com'era. "
                       "Impossibile accorciare il file")))
        << esito.error().message.toStdString();
}

}  // namespace
