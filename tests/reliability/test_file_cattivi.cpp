#include "AltraCopia.h"
#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
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

// What lies at a journal's name beside a list of three applications is
// never trusted: unless it is this list's journal, it is moved aside with a
// notice, never played, and the list opens as it was.
TEST_F(FileCattivi, APlantedOrDamagedJournalIsMovedAsideAndTheListOpensUnchanged) {
    const QString lista = Scrivi(QStringLiteral("tre.svz"), RecordNumerati(1, 3));
    const QString diario = dir_.filePath(QStringLiteral(".~lock.tre.svz#.diario"));
    // A real journal: a copy that died after rewriting application 1 of a
    // list of that name holding one forged application.
    QByteArray vero;
    {
        QTemporaryDir altrove;
        const QString falsa = altrove.filePath(QStringLiteral("tre.svz"));
        ASSERT_TRUE(ScriviFile(falsa, RecordNumerato(666)));
        AltraCopia morta([&](AltraCopia&) -> int {
            FileElenco elenco;
            const bool scritto =
                elenco.ApriElenco(falsa, 1).ok() &&
                elenco.ScriviRecord(1, 1, RecordNumerato(667), FileElenco::Flush::Differito).ok();
            ::_exit(scritto ? 0 : 1);
        });
        ASSERT_EQ(morta.Termina(), 0);
        vero = LeggiFile(altrove.filePath(QStringLiteral(".~lock.tre.svz#.diario")));
        ASSERT_GT(vero.size(), 418);
    }
    std::mt19937 caso(7);
    QByteArray casuali(2000, Qt::Uninitialized);
    for (char& b : casuali) {
        b = static_cast<char>(caso());
    }
    const struct {
        const char* caso;
        std::function<bool()> pianta;
    } casi[] = {
        {"another list's journal", [&] { return ScriviFile(diario, vero); }},
        {"a journal cut short", [&] { return ScriviFile(diario, vero.left(vero.size() / 2)); }},
        {"random bytes", [&] { return ScriviFile(diario, casuali); }},
        {"a pipe", [&] { return ::mkfifo(QFile::encodeName(diario), 0600) == 0; }},
        {"a link to /dev/zero", [&] { return QFile::link("/dev/zero", diario); }},
        {"a link to a journal",
         [&] {
             return ScriviFile(lista + ".copia", vero) && QFile::link(lista + ".copia", diario);
         }},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        ASSERT_TRUE(c.pianta());
        FileElenco elenco;

        ASSERT_TRUE(elenco.ApriElenco(lista, 1).ok());

        EXPECT_TRUE(LeggiFile(lista) == RecordNumerati(1, 3));
        EXPECT_TRUE(elenco.AvvisoApertura(1).contains(diario));
        EXPECT_FALSE(QFileInfo(diario).exists() || QFileInfo(diario).isSymLink());
        EXPECT_TRUE(elenco.ScriviRecord(1, 4, RecordNumerato(4)).ok());
        elenco.ChiudiElenco(1);
        EXPECT_TRUE(LeggiFile(lista) == RecordNumerati(1, 4));
        ASSERT_TRUE(ScriviFile(lista, RecordNumerati(1, 3)));
    }
    EXPECT_EQ(QDir(dir_.path())
                  .entryList({QStringLiteral("*.scartato-*")},
                             QDir::AllEntries | QDir::Hidden | QDir::System)
                  .size(),
              std::size(casi));
}

// A new list is created only where nothing lies, a link included, and holds
// personal data: nobody but its owner and group may read it; nor its
// journal.
TEST_F(FileCattivi, ANewListIsNeverCreatedThroughALinkAndIsNotReadableByEveryone) {
    const QString bersaglio = dir_.filePath(QStringLiteral("bersaglio"));
    const QString collegata = dir_.filePath(QStringLiteral("collegata.svz"));
    ASSERT_TRUE(QFile::link(bersaglio, collegata));
    FileElenco elenco;

    EXPECT_FALSE(elenco.ApriElenco(collegata, 1).ok());
    EXPECT_FALSE(QFileInfo::exists(bersaglio));

    const QString nuova = dir_.filePath(QStringLiteral("nuova.svz"));
    ASSERT_TRUE(elenco.ApriElenco(nuova, 1).ok());
    ASSERT_TRUE(elenco.ScriviRecord(1, 1, RecordNumerato(1), FileElenco::Flush::Differito).ok());
    for (const QString& file : {nuova, dir_.filePath(QStringLiteral(".~lock.nuova.svz#.diario"))}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0007, 0u) << file.toStdString();
    }
}

}  // namespace
