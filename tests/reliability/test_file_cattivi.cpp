#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "PowerCutFileSystem.h"
#include "StrumentiArchivio.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>

namespace {

TEST(FileCattivi, AListDeletedOrReplacedWhileOpenIsNotWrittenIntoUnseen) {
    const QTemporaryDir dir;
    const QString cancellata = dir.filePath(QStringLiteral("cancellata.svz"));
    const QString sostituita = dir.filePath(QStringLiteral("sostituita.svz"));
    const QString altra = dir.filePath(QStringLiteral("altra.svz"));
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

// What lies at a journal's name beside a list of three applications (of
// user 1000, group 100, 0660) is played back only when it is this list's
// journal of a write under way, left by someone who could have written the
// list; anything else is moved aside with a notice naming it, never played,
// and the list opens as it is. What cannot be moved aside (another user's
// file in a folder with the sticky bit) is refused naming it, its owner and
// what to do, and nothing changes (a user outside the list's group could not
// have written it either).
TEST(DiariPiantati, OnlyThisListsJournalIsPlayedBackAndAnythingElseIsMovedAside) {
    enum Esito { Giocato, MessoDaParte, Rifiutato };
    using Sistema = PowerCutFileSystem;
    const QString lista = QStringLiteral("/elenchi/tre.svz");
    const std::string diario = "/elenchi/.~lock.tre.svz#.diario";
    const QByteArray tre = RecordCompleti(1, 3);
    // A copy of that user that writes application 667 as number `numero`
    // and dies before the write is durable.
    const auto muore = [&](Sistema& fs, uid_t utente, int numero) {
        fs.runAs(utente, Sistema::kGroup);
        FileElenco elenco(fs);
        ASSERT_TRUE(
            elenco.ApriElenco(lista, 1).ok() &&
            elenco.ScriviRecord(1, numero, RecordCompleti(667), FileElenco::Flush::Differito).ok());
        fs.cutAfter(1, Sistema::Cut::Kill);
    };
    const std::string nome = NomeDiSistema(lista);
    constexpr uid_t io = Sistema::kUser;
    const struct {
        const char* caso;
        uid_t muore;  // the user of a copy that dies as above
        int numero;
        std::function<void(Sistema&)> pianta;  // then
        QByteArray attesa;
        Esito esito;
    } casi[] = {
        {"a colleague's journal, found by another colleague of the list's group", io + 1, 1,
         [](Sistema& fs) { fs.runAs(io + 2, Sistema::kGroup); }, tre, Giocato},
        {"an older, shorter copy restored with cp over an append under way", io, 4,
         [&](Sistema& fs) { fs.put(nome, RecordCompleti(1, 2)); }, RecordCompleti(1, 2),
         MessoDaParte},
        {"an older copy of the same length restored over a write under way", io, 1,
         [&](Sistema& fs) { fs.put(nome, RecordCompleti(40, 3)); }, RecordCompleti(40, 3),
         MessoDaParte},
        {"this user's journal, left writable by another group", io, 1,
         [&](Sistema& fs) { fs.put(diario, *fs.contents(diario), io, 200, 0660); },
         RecordCompleti(667) + RecordCompleti(2, 2), MessoDaParte},
        {"a newer, longer copy restored over a write under way", io, 1,
         [&](Sistema& fs) { fs.put(nome, RecordCompleti(40, 4)); }, RecordCompleti(40, 4),
         MessoDaParte},
        {"a link over this list's journal", io, 1,
         [&](Sistema& fs) { fs.put(diario, {}, io, Sistema::kGroup, 0660, ELOOP); },
         RecordCompleti(667) + RecordCompleti(2, 2), MessoDaParte},
        {"another user's file in a folder with the sticky bit", io, 1,
         [&](Sistema& fs) {
             fs.put(diario, *fs.contents(diario), 2000, 200, 0644);
             fs.makeSticky("/elenchi");
         },
         RecordCompleti(667) + RecordCompleti(2, 2), Rifiutato},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        Sistema fs;
        fs.put(nome, tre);
        muore(fs, c.muore, c.numero);
        c.pianta(fs);
        fs.restart();
        FileElenco elenco(fs);

        const Result<void> aperto = elenco.ApriElenco(lista, 1);

        EXPECT_TRUE(fs.contents(nome) == c.attesa);
        const QString avviso = aperto.ok() ? elenco.AvvisoApertura(1) : aperto.error().message;
        EXPECT_EQ(aperto.ok() ? (avviso.isEmpty() ? Giocato : MessoDaParte) : Rifiutato, c.esito)
            << avviso.toStdString();
        EXPECT_EQ(avviso.contains(QString::fromStdString(diario)), c.esito != Giocato);
        EXPECT_EQ(fs.contents(diario).has_value(), c.esito == Rifiutato);
        if (c.esito == Rifiutato) {
            EXPECT_TRUE(avviso.contains("\"2000\"") && avviso.contains("amministratore"));
        }
    }
}

}  // namespace
