#include "FileElencoFixture.h"
#include "UnioneElenchi.h"

#include <cerrno>

namespace {

constexpr std::int64_t kRecord = 418;

// Counts round halves to even, a cut record counting when it rounds up;
// list 2's records follow list 1's in the result. A list of more records
// than can be copied, or a result of more than 32767, is refused with the
// counts (the expected message).
TEST(PianificaCopia, CountsRoundHalvesToEvenAndWhatCannotBeCopiedOrHeldIsRefused) {
    const QString troppe = QStringLiteral(
        "L'elenco n. %1 contiene 32.767 domande: da un elenco se ne possono copiare al massimo "
        "32.766.\nNessun file è stato modificato.");
    const QString insieme = QStringLiteral(
        "L'elenco n. 1 contiene %1 domande e l'elenco n. 2 ne contiene %2: insieme sarebbero "
        "32.768, ma un elenco può contenere al massimo 32.767 domande.\nNessun file è stato "
        "modificato.");
    using T = TipoCopia;
    const std::tuple<T, std::int64_t, std::int64_t, int, int, QString> casi[] = {
        {T::Unione, 3 * kRecord, 2 * kRecord, 3, 2, {}},
        {T::Aggiunta, 0, 0, 0, 0, {}},
        {T::Aggiunta, 961, 1087, 2, 3, {}},  // 2.3 and 2.6 records
        {T::Unione, 1045, 1463, 2, 4, {}},   // 2.5 and 3.5 records
        {T::Unione, 209, 210, 0, 1, {}},
        {T::Aggiunta, kRecord, 32766 * kRecord, 1, 32766, {}},
        {T::Aggiunta, 32767 * kRecord, 0, 32767, 0, {}},  // list 1 stays where it is
        {T::Unione, 16384 * kRecord + 209, 16383 * kRecord, 16384, 16383, {}},
        {T::Aggiunta, 0, 32767 * kRecord, 0, 0, troppe.arg(2)},
        {T::Unione, 32767 * kRecord, 0, 0, 0, troppe.arg(1)},  // a merge copies list 1 too
        {T::Aggiunta, 16384 * kRecord, 16384 * kRecord, 0, 0, insieme.arg("16.384", "16.384")},
        {T::Unione, 16384 * kRecord, 16384 * kRecord, 0, 0, insieme.arg("16.384", "16.384")},
        {T::Aggiunta, 16384 * kRecord + 210, 16383 * kRecord, 0, 0,
         insieme.arg("16.385", "16.383")}};
    for (const auto& [tipo, lunghezzaPrimo, lunghezzaSecondo, primo, secondo, rifiuto] : casi) {
        SCOPED_TRACE(testing::Message() << lunghezzaPrimo << " + " << lunghezzaSecondo);
        const Result<PianoCopia> piano = PianificaCopia(tipo, lunghezzaPrimo, lunghezzaSecondo);
        ASSERT_EQ(piano.ok() ? QString() : piano.error().message, rifiuto);
        if (piano.ok()) {
            EXPECT_EQ(piano->domandePrimo, primo);
            EXPECT_EQ(piano->domandeSecondo, secondo);
            EXPECT_EQ(piano->numeroNelRisultato(1), primo + 1);
        } else {
            EXPECT_TRUE(piano.error().refused());
        }
    }
}

class UnioneTest : public FileElencoTest {
protected:
    void sources(const QByteArray& primo, const QByteArray& secondo) {
        list("uno.svz", primo, kHandlePrimo);
        list("due.svz", secondo, kHandleSecondo);
    }

    PianoCopia plan(TipoCopia tipo) {
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco_, tipo);
        EXPECT_TRUE(piano.ok()) << piano.error().message.toStdString();
        return piano.ok() ? *piano : PianoCopia{};
    }

    Result<void> append() { return AggiungiElenco(elenco_, plan(TipoCopia::Aggiunta)); }

    Result<void> merge(const QString& name = QStringLiteral("nuovo.svz")) {
        return CreaUnione(elenco_, path(name), plan(TipoCopia::Unione));
    }

    QStringList folderEntries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    const QByteArray primo_ = records("PRIMO", 3);
    const QByteArray secondo_ = records("SECONDO", 3);
    // More records than one block of a copy holds, so that a copy that fails
    // on its second write or read has already written some.
    const QByteArray molti_ = records("MOLTI", 600);
};

// 2.3 records: the cut third is overwritten; 2.6 records: the cut third
// counts. 3.5 records count as 4: list 2 follows at 5 and 6, never both at 4
// and 6. A merge of 1.5 records (2, the second completed with blanks) and
// 2.5 (2) copies them back to back.
TEST_F(UnioneTest, AppendingAndMergingFractionalListsFollowTheirRoundedCounts) {
    const QByteArray threeAndAHalf = records("PRIMO", 4).left(1463);
    const std::tuple<QByteArray, QByteArray, TipoCopia, QByteArray> cases[] = {
        {primo_.left(961), secondo_.left(1087), TipoCopia::Aggiunta,
         primo_.left(836) + secondo_.left(1087) + RecordVuoto().mid(251)},
        {threeAndAHalf, secondo_.left(836), TipoCopia::Aggiunta,
         threeAndAHalf + RecordVuoto().mid(209) + secondo_.left(836)},
        {primo_.left(627), secondo_.left(1045), TipoCopia::Unione,
         primo_.left(627) + RecordVuoto().mid(209) + secondo_.left(836)}};
    for (const auto& [primo, secondo, tipo, result] : cases) {
        sources(primo, secondo);
        ASSERT_TRUE((tipo == TipoCopia::Aggiunta ? append() : merge()).ok());
        EXPECT_EQ(readFile(tipo == TipoCopia::Aggiunta ? "uno.svz" : "nuovo.svz"), result);
        elenco_.ChiudiTutti();
    }
}

// A failed copy puts list 1 back as it was, or says that it could not. The
// second write and the fifth read come after some records were copied,
// whether the copy goes record by record or block by block.
TEST_F(UnioneTest, AFailedAppendPutsListOneBackAndSaysSo) {
    const std::tuple<Call, int, const char*> cases[] = {
        {Call::Write, 2, "spazio esaurito sul disco"},
        {Call::Read, 5, "Impossibile leggere dal file"},
        {Call::Flush, 1, "Impossibile salvare sul disco il file"}};
    const QByteArray cut = primo_.left(961);  // the cut record the first copy overwrites
    sources(cut, molti_);
    for (const auto& [call, nth, reason] : cases) {
        fs_.failOn(call, nth, call == Call::Write ? ENOSPC : EIO);

        const Result<void> esito = append();

        ASSERT_FALSE(esito.ok());
        EXPECT_TRUE(esito.error().message.contains(QString::fromUtf8(reason)) &&
                    esito.error().message.endsWith(QStringLiteral(
                        "\nL'elenco n. 1 è stato riportato com'era: non è stata aggiunta "
                        "nessuna domanda.")))
            << esito.error().message.toStdString();
        EXPECT_EQ(readFile("uno.svz"), cut);
        EXPECT_EQ(readFile("due.svz"), molti_);
        fs_.clearFailures();
    }
    fs_.failOn(Call::Write, 2, ENOSPC);
    fs_.failAlways(Call::Truncate, EIO);

    const Result<void> esito = append();

    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.error().message.contains(
        QStringLiteral("\nATTENZIONE: non è stato possibile riportare l'elenco n. 1 com'era. "
                       "Impossibile accorciare il file")))
        << esito.error().message.toStdString();
}

// A merge that fails leaves no new list, no temporary file and the sources
// as they were; a name that cannot take the file is told under that name.
TEST_F(UnioneTest, AFailedMergeLeavesNoNewListAndNoTemporaryFile) {
    sources(primo_, molti_);
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("cartella/dentro")));
    fs_.failOn(Call::Write, 2, ENOSPC);

    const Result<void> esito = merge();

    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.error().message,
              QStringLiteral("Impossibile scrivere nel file \"%1\": spazio esaurito sul disco.\n"
                             "Il nuovo elenco non è stato creato.")
                  .arg(path("nuovo.svz")));
    EXPECT_EQ(readFile("uno.svz"), primo_);
    EXPECT_EQ(readFile("due.svz"), molti_);
    EXPECT_FALSE(elenco_.Aperto(kHandleNuovo));
    for (const auto& [name, prefix] : {std::pair{"cartella", "Impossibile salvare il file"},
                                       {"manca/nuovo.svz", "Impossibile aprire il file"}}) {
        const QString message = merge(name).error().message;
        EXPECT_TRUE(message.startsWith(QStringLiteral("%1 \"%2\": ").arg(prefix, path(name))))
            << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral(".tmp")));
    }
    EXPECT_EQ(folderEntries(), (QStringList{"cartella", "due.svz", "uno.svz"}));
}

TEST_F(UnioneTest, TheNewListIsNeitherSourceNorAFolderAndAnOldOneGivesItsLength) {
    sources(primo_, secondo_);
    ASSERT_TRUE(QFile::link(path("due.svz"), path("collegamento.svz")));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("cartella.svz")));
    const QString sorgente = QStringLiteral(
        "Il nuovo elenco deve essere un file diverso dai due elenchi da unire: \"%1\" è l'elenco "
        "n. %2.");
    const std::pair<QString, QString> rifiutati[] = {
        {path("uno.svz"), sorgente.arg(path("uno.svz"), "1")},
        {dir_.path() + "/./uno.svz", sorgente.arg(dir_.path() + "/./uno.svz", "1")},
        {path("collegamento.svz"), sorgente.arg(path("collegamento.svz"), "2")},
        {path("cartella.svz"),
         QStringLiteral("\"%1\" non è un file: scegliere un altro nome per il nuovo elenco.")
             .arg(path("cartella.svz"))}};
    for (const auto& [name, message] : rifiutati) {
        const Result<std::int64_t> esito = EsaminaNuovoElenco(elenco_, name);
        ASSERT_FALSE(esito.ok()) << name.toStdString();
        EXPECT_EQ(esito.error().message, message);
    }
    writeFile("vecchio.svz", records("VECCHIO", 2));
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("vecchio.svz")), 836);
    EXPECT_EQ(*EsaminaNuovoElenco(elenco_, path("assente.svz")), 0);
}

}  // namespace
