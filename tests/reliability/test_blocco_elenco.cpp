#include "AltraCopia.h"
#include "DomandeNumerate.h"
#include "FailingFileSystem.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"
#include "UnioneElenchi.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cerrno>
#include <functional>

namespace {

const QString kRiprovare = QStringLiteral("\nRiprovare quando l'elenco sarà stato chiuso.");

// Another copy that opens the list, says whether it could ("APERTO" or
// "RIFIUTATO <message>") and keeps it open until told "chiudi" ("CHIUSO") or
// until its input ends.
std::function<int(AltraCopia&)> Tieni(const QString& lista) {
    return [lista](AltraCopia& copia) {
        FileElenco elenco;
        const Result<void> aperto = elenco.ApriElenco(lista, 1);
        copia.Scrivi(aperto ? QStringLiteral("APERTO") : "RIFIUTATO " + aperto.error().message);
        for (std::optional<QString> riga;
             aperto && (riga = copia.RigaSeguente()) && *riga != QLatin1String("chiudi");) {
        }
        elenco.ChiudiElenco(1);
        copia.Scrivi(QStringLiteral("CHIUSO"));
        return 0;
    };
}

// A list of two applications in a fresh folder.
class BloccoElenco : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ScriviFile(lista_, contenuto_)); }

    // A copy that dies on the spot after writing record 1 and three more
    // without making them durable leaves its journal.
    void Interrompi() const {
        AltraCopia interrotta([this](AltraCopia&) -> int {
            FileElenco elenco;
            bool scritti = elenco.ApriElenco(lista_, 1).ok();
            for (std::int32_t n : {1, 3, 4, 5}) {
                scritti = scritti && elenco.ScriviRecord(1, n, RecordNumerato(n + 100),
                                                         FileElenco::Flush::Differito);
            }
            ::_exit(scritti ? 0 : 1);
        });
        ASSERT_EQ(interrotta.Termina(), 0);
        ASSERT_EQ(LeggiFile(lista_).size(), 5 * 418);
        ASSERT_TRUE(QFileInfo::exists(diario_));
    }

    bool PresoDaQuestaCopia() const {
        return LeggiFile(fileBlocco_)
            .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    }

    QTemporaryDir dir_;
    const QString lista_ = dir_.filePath(QStringLiteral("Roma primaria 2026.svz"));
    const QString fileBlocco_ = dir_.filePath(QStringLiteral(".~lock.Roma primaria 2026.svz#"));
    const QString diario_ = fileBlocco_ + QStringLiteral(".diario");
    const QByteArray contenuto_ = RecordNumerati(1, 2);
};

TEST_F(BloccoElenco, AListThatAnotherCopyHoldsIsRefusedNamingWhoAndNothingIsOpened) {
    AltraCopia altra(Tieni(lista_));
    ASSERT_EQ(altra.RigaSeguente(), QStringLiteral("APERTO"));
    const QDateTime dal = QDateTime::fromString(
        QString::fromUtf8(LeggiFile(fileBlocco_).split('\n').value(5)), Qt::ISODateWithMs);
    ASSERT_TRUE(dal.isValid());
    FileElenco elenco;

    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_FALSE(aperto.ok());
    EXPECT_EQ(aperto.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": l'elenco è già aperto da "
                             "un'altra copia del programma sul computer \"%2\" (utente \"%3\", "
                             "processo %4) dal %5 alle %6.")
                      .arg(lista_, QSysInfo::machineHostName(),
                           QString::fromUtf8(LeggiFile(fileBlocco_).split('\n').value(4)))
                      .arg(altra.pid())
                      .arg(dal.toString(QStringLiteral("dd/MM/yyyy")),
                           dal.toString(QStringLiteral("HH:mm:ss"))) +
                  kRiprovare);
    EXPECT_FALSE(elenco.Aperto(1));
    EXPECT_EQ(LeggiFile(lista_), contenuto_);
    altra.Scrivi("chiudi");
    ASSERT_EQ(altra.RigaSeguente(), QStringLiteral("CHIUSO"));
    EXPECT_TRUE(elenco.ApriElenco(lista_, 1).ok());
}

TEST_F(BloccoElenco, OneCopyMayOpenAListOnSeveralHandlesAndHoldsItUntilClosedOnAllOrItEnds) {
    {
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
        // The same file under another spelling: a list appended to itself.
        ASSERT_TRUE(elenco.ApriElenco(dir_.path() + "/./Roma primaria 2026.svz", 2).ok());
        elenco.ChiudiElenco(1);
        AltraCopia respinta(Tieni(lista_));
        const QString risposta = respinta.RigaSeguente().value_or(QString());
        EXPECT_TRUE(risposta.startsWith(QStringLiteral("RIFIUTATO Impossibile aprire il file")) &&
                    risposta.contains(
                        QStringLiteral("processo %1)").arg(QCoreApplication::applicationPid())))
            << risposta.toStdString();

        elenco.ChiudiElenco(2);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
        AltraCopia accolta(Tieni(lista_));
        EXPECT_EQ(accolta.RigaSeguente(), QStringLiteral("APERTO"));
        EXPECT_EQ(accolta.Termina(), 0);
        EXPECT_FALSE(QFileInfo::exists(fileBlocco_));

        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok() && elenco.ApriElenco(lista_, 3).ok());
        ASSERT_TRUE(QFileInfo::exists(fileBlocco_));
    }
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
}

// Only a holder that ran on this boot of this computer and is gone is judged
// dead without asking; any other lock, whatever lies at its name, is a
// question for the operator, and is taken over only when the answer is yes.
TEST_F(BloccoElenco, ALockIsTakenOverUnaskedOnlyWhenItsHolderIsCertainlyGone) {
    QByteArray uccisa;  // the lock of a copy killed while it held the list
    {
        AltraCopia copia(Tieni(lista_));
        ASSERT_EQ(copia.RigaSeguente(), QStringLiteral("APERTO"));
        copia.Uccidi();
        uccisa = LeggiFile(fileBlocco_);
    }
    const QList<QByteArray> righe = uccisa.split('\n');
    ASSERT_GE(righe.size(), 6);
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray dopoBoot = "\nufficio\nrossi\n2026-01-01T08:00:00.000\n";
    const QString mancante = dir_.filePath(QStringLiteral("mancante"));
    const struct {
        const char* caso;
        std::function<bool()> pianta;
        bool chiede;  // false: taken over unasked
    } casi[] = {
        {"a copy that was killed", [&] { return ScriviFile(fileBlocco_, uccisa); }, false},
        {"this test's process id with another start time",
         [&] { return ScriviFile(fileBlocco_, pid + "\n1\n" + righe[2] + dopoBoot); }, false},
        {"an earlier boot or another computer of the same name",
         [&] { return ScriviFile(fileBlocco_, pid + '\n' + righe[1] + "\naltro" + dopoBoot); },
         true},
        {"unreadable", [&] { return ScriviFile(fileBlocco_, "illeggibile"); }, true},
        {"a pipe", [&] { return ::mkfifo(QFile::encodeName(fileBlocco_), 0644) == 0; }, true},
        {"a link to /dev/zero", [&] { return QFile::link("/dev/zero", fileBlocco_); }, true},
        {"a link to nothing", [&] { return QFile::link(mancante, fileBlocco_); }, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        QFile::remove(fileBlocco_);
        ASSERT_TRUE(c.pianta());
        FileElenco elenco;

        const Result<void> aperto = elenco.ApriElenco(lista_, 1);

        if (c.chiede) {
            ASSERT_FALSE(aperto.ok());
            EXPECT_TRUE(FileDiBlocco::Riprendibile(aperto.error()))
                << aperto.error().message.toStdString();
            EXPECT_FALSE(elenco.Aperto(1));
            ASSERT_TRUE(elenco.ApriElenco(lista_, 1, Subentro::Consentito).ok());
        } else {
            ASSERT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
        }
        EXPECT_TRUE(PresoDaQuestaCopia());
        EXPECT_EQ(LeggiFile(lista_), contenuto_);
        EXPECT_FALSE(QFileInfo::exists(mancante));
    }
}

TEST_F(BloccoElenco, AMergeDoesNotReplaceAListThatAnotherCopyHolds) {
    AltraCopia altra(Tieni(lista_));
    ASSERT_EQ(altra.RigaSeguente(), QStringLiteral("APERTO"));
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(dir_.filePath(QStringLiteral("primo.svz")), kHandlePrimo).ok());
    ASSERT_TRUE(
        elenco.ApriElenco(dir_.filePath(QStringLiteral("secondo.svz")), kHandleSecondo).ok());
    ASSERT_TRUE(elenco.ScriviDomanda(kHandlePrimo, 1, AzzeraRecord()).ok());
    const Result<PianoCopia> piano = PianificaDaElenchi(elenco, TipoCopia::Unione);
    ASSERT_TRUE(piano.ok());

    const Result<void> unione = CreaUnione(elenco, lista_, *piano);

    ASSERT_FALSE(unione.ok());
    EXPECT_TRUE(unione.error().message.contains(QStringLiteral("processo %1)").arg(altra.pid())))
        << unione.error().message.toStdString();
    EXPECT_TRUE(LeggiFile(lista_) == contenuto_);
}

TEST_F(BloccoElenco, TheJournalOfACopyThatDiedInMidWriteIsPlayedBackAndARestoredListKeptAsItIs) {
    ASSERT_NO_FATAL_FAILURE(Interrompi());
    FailingFileSystem guasto;
    guasto.failOn(FailingFileSystem::Call::Truncate, 1, EIO);
    FileElenco conGuasto(guasto);

    const Result<void> fallito = conGuasto.ApriElenco(lista_, 1);

    ASSERT_FALSE(fallito.ok());
    EXPECT_EQ(fallito.error().message,
              QStringLiteral("Impossibile completare il ripristino del file \"%1\": errore di "
                             "lettura o scrittura sul disco.\nIl programma era stato interrotto "
                             "mentre scriveva questo elenco; riaprirlo per riprovare il "
                             "ripristino.")
                  .arg(lista_));
    EXPECT_FALSE(conGuasto.Aperto(1));
    EXPECT_TRUE(QFileInfo::exists(diario_));
    {
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
        EXPECT_TRUE(LeggiFile(lista_) == contenuto_);
        EXPECT_TRUE(elenco.AvvisoApertura(1).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(diario_));
    }

    // An older copy of the list restored over it in place (cp keeps the
    // file): the journal is not played on it but moved aside.
    ASSERT_NO_FATAL_FAILURE(Interrompi());
    ASSERT_TRUE(ScriviFile(lista_, RecordNumerati(40, 3)));
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
    EXPECT_TRUE(LeggiFile(lista_) == RecordNumerati(40, 3));
    EXPECT_TRUE(elenco.AvvisoApertura(1).contains(QStringLiteral("non corrisponde")));
    EXPECT_FALSE(QFileInfo::exists(diario_));
    EXPECT_EQ(QDir(dir_.path())
                  .entryList({QStringLiteral("*.diario.scartato-*")}, QDir::Files | QDir::Hidden)
                  .size(),
              1);
}

}  // namespace
