#include "PianoCopia.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kRecord = 418;

TEST(PianificaCopia, CountsRoundHalvesToEvenAndListTwoFollowsListOne) {
    const struct {
        std::int64_t lunghezzaPrimo, lunghezzaSecondo;
        int domandePrimo, domandeSecondo;
    } casi[] = {{3 * kRecord, 2 * kRecord, 3, 2},
                {0, 0, 0, 0},
                {961, 0, 2, 0},   // 2.3 records: the cut part is overwritten
                {1128, 0, 3, 0},  // 2.7 records: a cut record counts
                {1045, 0, 2, 0},  // 2.5 and 3.5: halves go to even
                {1463, 0, 4, 0},
                {0, 1087, 0, 3},
                {0, 1045, 0, 2},
                {0, 209, 0, 0},
                {0, 210, 0, 1},
                {0, 32766 * kRecord, 0, 32766}};
    for (const auto& caso : casi) {
        for (const TipoCopia tipo : {TipoCopia::Aggiunta, TipoCopia::Unione}) {
            SCOPED_TRACE(testing::Message()
                         << caso.lunghezzaPrimo << " + " << caso.lunghezzaSecondo);
            const Result<PianoCopia> piano =
                PianificaCopia(tipo, caso.lunghezzaPrimo, caso.lunghezzaSecondo);
            ASSERT_TRUE(piano.ok()) << piano.error().message.toStdString();
            EXPECT_EQ(piano->domandePrimo, caso.domandePrimo);
            EXPECT_EQ(piano->domandeSecondo, caso.domandeSecondo);
            EXPECT_EQ(piano->numeroNelRisultato(1), caso.domandePrimo + 1);
            EXPECT_EQ(piano->numeroNelRisultato(32766), caso.domandePrimo + 32766);
        }
    }
    EXPECT_EQ(PianificaCopia(TipoCopia::Aggiunta, kRecord, 32766 * kRecord)->totale(), 32767);
}

TEST(PianificaCopia, ASourceBeyondTheCounterIsRefusedWithItsCount) {
    const Result<PianoCopia> piano = PianificaCopia(TipoCopia::Aggiunta, 0, 32767 * kRecord);
    ASSERT_FALSE(piano.ok());
    EXPECT_EQ(piano.error().code, 0);
    EXPECT_EQ(piano.error().message,
              QStringLiteral("L'elenco n. 2 contiene 32.767 domande: da un elenco se ne possono "
                             "copiare al massimo 32.766.\nNessun file è stato modificato."));

    // A merge copies list 1 too; an append leaves it where it is.
    const Result<PianoCopia> unione = PianificaCopia(TipoCopia::Unione, 32767 * kRecord, 0);
    ASSERT_FALSE(unione.ok());
    EXPECT_TRUE(
        unione.error().message.startsWith(QStringLiteral("L'elenco n. 1 contiene 32.767 domande")));
    EXPECT_TRUE(PianificaCopia(TipoCopia::Aggiunta, 32767 * kRecord, 0).ok());
}

TEST(PianificaCopia, AResultBeyondTheRecordNumbersIsRefusedWithTheCounts) {
    for (const TipoCopia tipo : {TipoCopia::Aggiunta, TipoCopia::Unione}) {
        EXPECT_TRUE(PianificaCopia(tipo, 16384 * kRecord, 16383 * kRecord).ok());
        const Result<PianoCopia> piano = PianificaCopia(tipo, 16384 * kRecord, 16384 * kRecord);
        ASSERT_FALSE(piano.ok());
        EXPECT_EQ(piano.error().message,
                  QStringLiteral("L'elenco n. 1 contiene 16.384 domande e l'elenco n. 2 ne "
                                 "contiene 16.384: insieme sarebbero 32.768, ma un elenco può "
                                 "contenere al massimo 32.767 domande.\nNessun file è stato "
                                 "modificato."));
    }
    // A half record more in list 1 rounds to even and still fits.
    EXPECT_TRUE(PianificaCopia(TipoCopia::Aggiunta, 16384 * kRecord + 209, 16383 * kRecord).ok());
    EXPECT_FALSE(PianificaCopia(TipoCopia::Aggiunta, 16384 * kRecord + 210, 16383 * kRecord).ok());
}

}  // namespace
