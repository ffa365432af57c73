#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <random>

namespace {

// List files that are not what a list should be.
class FileCattivi : public testing::Test {
protected:
    QString Scrivi(const QString& nome, const QByteArray& byte) const {
        EXPECT_TRUE(ScriviFile(dir_.filePath(nome), byte));
        return dir_.filePath(nome);
    }

    QTemporaryDir dir_;
};

TEST_F(FileCattivi, RandomBytesOfEveryLengthUpTo5000AreCountedReadAndContinuedInWholeRecords) {
    std::mt19937 caso(20260);
    const QByteArray nuova = RecordNumerato(1);
    for (int lunghezza = 0; lunghezza <= 5000; ++lunghezza) {
        QByteArray byte(lunghezza, Qt::Uninitialized);
        for (char& b : byte) {
            b = static_cast<char>(caso());
        }
        const QString lista = Scrivi(QStringLiteral("caso.svz"), byte);
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista, 1).ok()) << lunghezza;
        const auto domande = static_cast<std::int32_t>(ArrotondaPari(lunghezza / 418.0));
        ASSERT_EQ(*elenco.ContaDomande(1), domande) << lunghezza;
        for (std::int32_t n = 1; n <= domande; ++n) {
            ASSERT_TRUE(elenco.LeggiDomanda(1, n).ok()) << lunghezza << " record " << n;
        }
        // The next application, numbered as the entry screen numbers it.
        ASSERT_TRUE(elenco.ScriviRecord(1, domande + 1, nuova).ok()) << lunghezza;
        elenco.ChiudiElenco(1);

        const QByteArray dopo = LeggiFile(lista);
        const qsizetype interi = std::min(lunghezza / kLunghezzaRecord, domande) * kLunghezzaRecord;
        ASSERT_EQ(dopo.size(), (domande + 1) * kLunghezzaRecord) << lunghezza;
        ASSERT_TRUE(dopo.left(interi) == byte.left(interi)) << lunghezza;
        ASSERT_TRUE(dopo.right(kLunghezzaRecord) == nuova) << lunghezza;
    }
}

TEST_F(FileCattivi, AListDeletedOrReplacedWhileOpenIsNotWrittenIntoUnseen) {
    const QString cancellata = Scrivi(QStringLiteral("cancellata.svz"), RecordNumerati(1, 2));
    const QString sostituita = Scrivi(QStringLiteral("sostituita.svz"), RecordNumerati(1, 2));
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(cancellata, 1).ok() && elenco.ApriElenco(sostituita, 2).ok());
    const QString altra = Scrivi(QStringLiteral("altra.svz"), RecordNumerato(5));
    ASSERT_TRUE(QFile::remove(cancellata) && QFile::remove(sostituita));
    ASSERT_TRUE(QFile::rename(altra, sostituita));

    const Result<void> inCancellata = elenco.ScriviDomanda(1, 3, AzzeraRecord());
    const Result<void> inSostituita = elenco.ScriviDomanda(2, 1, AzzeraRecord());

    ASSERT_FALSE(inCancellata.ok());
    EXPECT_EQ(inCancellata.error().message,
              QStringLiteral("Impossibile scrivere nel file \"%1\": il file è stato cancellato, "
                             "spostato o sostituito mentre era aperto; non è stato scritto "
                             "nulla.")
                  .arg(cancellata));
    EXPECT_FALSE(QFileInfo::exists(cancellata));
    ASSERT_FALSE(inSostituita.ok());
    EXPECT_TRUE(LeggiFile(sostituita) == RecordNumerato(5));
}

}  // namespace
