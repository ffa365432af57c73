#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileElenco.h"
#include "FileSystemSenzaAttese.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <random>

namespace {

// List files that are not what a list should be.
class FileCattivi : public testing::Test {
protected:
    QString Percorso(const QString& nome) const { return dir_.filePath(nome); }

    QString Scrivi(const QString& nome, const QByteArray& byte) const {
        QFile file(Percorso(nome));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(byte), byte.size());
        return Percorso(nome);
    }

    static QByteArray Leggi(const QString& percorso) {
        QFile file(percorso);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<assente>");
    }

    QTemporaryDir dir_;
};

TEST_F(FileCattivi, RandomBytesOfEveryLengthUpTo5000AreCountedReadAndContinuedInWholeRecords) {
    std::mt19937 caso(20260);
    std::uniform_int_distribution<int> byteCasuale(0, 255);
    FileSystemSenzaAttese fileSystem;
    const QByteArray nuova = RecordNumerato(1);
    for (int lunghezza = 0; lunghezza <= 5000; ++lunghezza) {
        QByteArray byte(lunghezza, Qt::Uninitialized);
        for (char& b : byte) {
            b = static_cast<char>(byteCasuale(caso));
        }
        const QString lista = Scrivi(QStringLiteral("caso.svz"), byte);
        FileElenco elenco(fileSystem);
        ASSERT_TRUE(elenco.ApriElenco(lista, 1).ok()) << lunghezza;

        const Result<std::int16_t> domande = elenco.ContaDomande(1);
        ASSERT_TRUE(domande.ok()) << lunghezza;
        ASSERT_EQ(*domande, ArrotondaPari(lunghezza / 418.0)) << lunghezza;
        for (std::int32_t n = 1; n <= *domande; ++n) {
            ASSERT_TRUE(elenco.LeggiDomanda(1, n).ok()) << lunghezza << " record " << n;
        }
        // The next application, numbered as the entry screen numbers it.
        const auto prossima = static_cast<std::int32_t>(ArrotondaPari(lunghezza / 418.0 + 1));
        ASSERT_TRUE(elenco.ScriviRecord(1, prossima, nuova).ok()) << lunghezza;
        elenco.ChiudiElenco(1);

        const QByteArray dopo = Leggi(lista);
        ASSERT_EQ(dopo.size(), prossima * kLunghezzaRecord) << lunghezza;
        const qsizetype interi = std::min<qsizetype>(lunghezza / kLunghezzaRecord, prossima - 1);
        ASSERT_TRUE(dopo.left(interi * kLunghezzaRecord) == byte.left(interi * kLunghezzaRecord))
            << lunghezza;
        ASSERT_TRUE(dopo.right(kLunghezzaRecord) == nuova) << lunghezza;
    }
}

TEST_F(FileCattivi, AListDeletedOrReplacedWhileOpenIsNotWrittenIntoUnseen) {
    const QByteArray due = RecordNumerati(1, 2);
    const QString cancellata = Scrivi(QStringLiteral("cancellata.svz"), due);
    const QString sostituita = Scrivi(QStringLiteral("sostituita.svz"), due);
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(cancellata, 1).ok());
    ASSERT_TRUE(elenco.ApriElenco(sostituita, 2).ok());
    ASSERT_TRUE(QFile::remove(cancellata));
    const QString altra = Scrivi(QStringLiteral("altra.svz"), RecordNumerati(5, 1));
    ASSERT_TRUE(QFile::remove(sostituita));
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
    EXPECT_TRUE(Leggi(sostituita) == RecordNumerato(5));
}

TEST_F(FileCattivi, AFolderOrADeviceIsRefusedAndNothingIsCreated) {
    const QString cartella = Percorso(QStringLiteral("cartella.svz"));
    ASSERT_TRUE(QDir().mkdir(cartella));
    FileElenco elenco;

    const Result<void> suCartella = elenco.ApriElenco(cartella, 1);
    const Result<void> suDispositivo = elenco.ApriElenco(QStringLiteral("/dev/zero"), 1);

    ASSERT_FALSE(suCartella.ok());
    EXPECT_EQ(suCartella.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": il percorso indica una cartella.")
                  .arg(cartella));
    ASSERT_FALSE(suDispositivo.ok());
    EXPECT_EQ(suDispositivo.error().message,
              QStringLiteral("Impossibile aprire il file \"/dev/zero\": il percorso non indica un "
                             "file ordinario."));
    EXPECT_FALSE(elenco.Aperto(1));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/dev/.~lock.zero#")));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
