#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>
#include <random>

namespace {

QByteArray ByteCasuali(std::mt19937& caso, qsizetype quanti) {
    QByteArray byte(quanti, Qt::Uninitialized);
    for (char& b : byte) {
        b = static_cast<char>(caso());
    }
    return byte;
}

// The journal that a copy leaves beside `lista` when it dies having
// rewritten application 1 without making it durable: read while the write
// is under way, before the closing clears it.
QByteArray DiarioInterrotto(const QString& lista, const QByteArray& prima) {
    EXPECT_TRUE(ScriviFile(lista, prima));
    FileElenco elenco;
    EXPECT_TRUE(elenco.ApriElenco(lista, 1).ok() &&
                elenco.ScriviRecord(1, 1, RecordCompleti(667), FileElenco::Flush::Differito).ok());
    const QFileInfo info(lista);
    return LeggiFile(info.dir().filePath(".~lock." + info.fileName() + "#.diario"));
}

// List files that are not what a list should be.
class FileCattivi : public testing::Test {
protected:
    QString Percorso(const QString& nome) const { return dir_.filePath(nome); }

    QTemporaryDir dir_;
};

TEST_F(FileCattivi, AListDeletedOrReplacedWhileOpenIsNotWrittenIntoUnseen) {
    const QString cancellata = Percorso(QStringLiteral("cancellata.svz"));
    const QString sostituita = Percorso(QStringLiteral("sostituita.svz"));
    const QString altra = Percorso(QStringLiteral("altra.svz"));
    ASSERT_TRUE(ScriviFile(cancellata, RecordCompleti(1, 2)) &&
                ScriviFile(sostituita, RecordCompleti(1, 2)));
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(cancellata, 1).ok() && elenco.ApriElenco(sostituita, 2).ok());
    ASSERT_TRUE(ScriviFile(altra, RecordCompleti(5)) && QFile::remove(cancellata) &&
                QFile::remove(sostituita) && QFile::rename(altra, sostituita));

    const Result<void> inCancellata = elenco.ScriviDomanda(1, 3, AzzeraRecord());

    ASSERT_FALSE(inCancellata.ok());
    EXPECT_TRUE(inCancellata.error().message.contains(cancellata));
    EXPECT_FALSE(QFileInfo::exists(cancellata));
    EXPECT_FALSE(elenco.ScriviDomanda(2, 1, AzzeraRecord()).ok());
    EXPECT_TRUE(LeggiFile(sostituita) == RecordCompleti(5));
}

// What lies at a journal's name beside a list of three applications is
// played back only when it is this list's journal of a write under way;
// anything else is moved aside with a notice naming it, never played, and
// the list opens as it was.
TEST_F(FileCattivi, OnlyThisListsJournalIsPlayedBackAndAnythingElsePlantedIsMovedAside) {
    const QString lista = Percorso(QStringLiteral("tre.svz"));
    const QString diario = Percorso(QStringLiteral(".~lock.tre.svz#.diario"));
    const QByteArray tre = RecordCompleti(1, 3);
    const QByteArray ripristinata = RecordCompleti(40, 3);
    QTemporaryDir altrove;
    const QByteArray altrui =
        DiarioInterrotto(altrove.filePath(QStringLiteral("tre.svz")), RecordCompleti(666));
    ASSERT_GT(altrui.size(), 418);
    std::mt19937 caso(7);
    const auto altroUtente = [](const QStringList& file) {
        return ::geteuid() != 0 || std::ranges::all_of(file, [](const QString& f) {
                   return ::chown(QFile::encodeName(f), 4242, 4242) == 0;
               });
    };
    const struct {
        const char* caso;
        std::function<bool()> pianta;
        QByteArray attesa;
        bool messoDaParte;
    } casi[] = {
        {"this list's journal of a write under way",
         [&] { return ScriviFile(diario, DiarioInterrotto(lista, tre)); }, tre, false},
        {"an older copy of the list restored with cp over a write under way",
         [&] {
             const QByteArray proprio = DiarioInterrotto(lista, tre);
             return ScriviFile(lista, ripristinata) && ScriviFile(diario, proprio);
         },
         ripristinata, true},
        // Only the superuser can plant files of other users: without it both
        // rows are this list's own journal again.
        {"this list's journal owned by another user",
         [&] { return ScriviFile(diario, DiarioInterrotto(lista, tre)) && altroUtente({diario}); },
         ::geteuid() == 0 ? RecordCompleti(667) + RecordCompleti(2, 2) : tre, ::geteuid() == 0},
        {"the journal of another user's list owned by that user",
         [&] {
             return ScriviFile(diario, DiarioInterrotto(lista, tre)) &&
                    altroUtente({diario, lista});
         },
         tre, false},
        {"another list's journal", [&] { return ScriviFile(diario, altrui); }, tre, true},
        {"a journal cut short", [&] { return ScriviFile(diario, altrui.left(altrui.size() / 2)); },
         tre, true},
        {"random bytes", [&] { return ScriviFile(diario, ByteCasuali(caso, 2000)); }, tre, true},
        {"a pipe", [&] { return ::mkfifo(QFile::encodeName(diario), 0600) == 0; }, tre, true},
        {"a link to /dev/zero", [&] { return QFile::link("/dev/zero", diario); }, tre, true},
        {"a link to a journal",
         [&] {
             return ScriviFile(lista + ".copia", altrui) && QFile::link(lista + ".copia", diario);
         },
         tre, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        ASSERT_TRUE(ScriviFile(lista, tre) && c.pianta());
        FileElenco elenco;

        ASSERT_TRUE(elenco.ApriElenco(lista, 1).ok());

        EXPECT_TRUE(LeggiFile(lista) == c.attesa);
        EXPECT_EQ(elenco.AvvisoApertura(1).contains(diario), c.messoDaParte);
        EXPECT_FALSE(QFileInfo(diario).exists() || QFileInfo(diario).isSymLink());
    }
    EXPECT_EQ(QDir(dir_.path())
                  .entryList({QStringLiteral("*.scartato-*")},
                             QDir::AllEntries | QDir::Hidden | QDir::System)
                  .size(),
              std::ranges::count_if(casi, [](const auto& c) { return c.messoDaParte; }));
}

// A new list is created only where nothing lies, a dangling link included,
// and holds personal data: nobody but its owner and group may read it; nor
// its journal.
TEST_F(FileCattivi, ANewListIsNeverCreatedThroughALinkAndIsNotReadableByEveryone) {
    const QString bersaglio = Percorso(QStringLiteral("bersaglio"));
    const QString collegata = Percorso(QStringLiteral("collegata.svz"));
    ASSERT_TRUE(QFile::link(bersaglio, collegata));
    FileElenco elenco;

    EXPECT_FALSE(elenco.ApriElenco(collegata, 1).ok());
    EXPECT_FALSE(QFileInfo::exists(bersaglio));

    const QString nuova = Percorso(QStringLiteral("nuova.svz"));
    ASSERT_TRUE(elenco.ApriElenco(nuova, 1).ok());
    ASSERT_TRUE(elenco.ScriviRecord(1, 1, RecordCompleti(1), FileElenco::Flush::Differito).ok());
    for (const QString& file : {nuova, Percorso(QStringLiteral(".~lock.nuova.svz#.diario"))}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0007, 0u) << file.toStdString();
    }
}

}  // namespace
