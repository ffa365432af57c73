#include "BloccoElenchi.h"
#include "DomandeNumerate.h"
#include "FailingFileSystem.h"
#include "FileElenco.h"
#include "ProcessoFiglio.h"
#include "QtPrinters.h"
#include "UnioneElenchi.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <cerrno>

namespace {

// A list of two applications in a fresh folder, and another running copy
// of the program played by a child process.
class BloccoElenco : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QFile file(lista_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contenuto_), contenuto_.size());
    }

    QByteArray Contenuto(const QString& percorso) const {
        QFile file(percorso);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<assente>");
    }

    // Starts another copy that opens the list and says whether it could.
    static QString ApreUnAltraCopia(ProcessoFiglio& altra) {
        return altra.RigaSeguente().value_or(QStringLiteral("<nessuna risposta>"));
    }

    void ScriviBlocco(const QByteArray& testo, const QDateTime& modificato) const {
        QFile blocco(fileBlocco_);
        ASSERT_TRUE(blocco.open(QIODevice::WriteOnly));
        ASSERT_EQ(blocco.write(testo), testo.size());
        ASSERT_TRUE(blocco.flush());
        ASSERT_TRUE(blocco.setFileTime(modificato, QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir_;
    const QString lista_ = dir_.filePath(QStringLiteral("Roma primaria 2026.svz"));
    const QString fileBlocco_ = dir_.filePath(QStringLiteral(".~lock.Roma primaria 2026.svz#"));
    const QByteArray contenuto_ = RecordNumerato(1) + RecordNumerato(2);
};

TEST_F(BloccoElenco, AListThatAnotherCopyHoldsIsRefusedNamingWhoAndNothingIsOpened) {
    ProcessoFiglio altra({QStringLiteral("tieni"), lista_});
    ASSERT_EQ(ApreUnAltraCopia(altra), QStringLiteral("APERTO"));
    const QDateTime dal = QDateTime::fromString(
        QString::fromUtf8(Contenuto(fileBlocco_).split('\n').value(3)), Qt::ISODateWithMs);
    ASSERT_TRUE(dal.isValid());

    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_FALSE(aperto.ok());
    EXPECT_EQ(aperto.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": l'elenco è già aperto da "
                             "un'altra copia del programma sul computer \"%2\" (processo %3) dal "
                             "%4 alle %5.\nRiprovare quando l'elenco sarà stato chiuso.")
                  .arg(lista_, QSysInfo::machineHostName())
                  .arg(altra.pid())
                  .arg(dal.toString(QStringLiteral("dd/MM/yyyy")),
                       dal.toString(QStringLiteral("HH:mm:ss"))));
    EXPECT_FALSE(elenco.Aperto(1));
    EXPECT_EQ(Contenuto(lista_), contenuto_);

    altra.Scrivi("chiudi");
    ASSERT_EQ(altra.RigaSeguente(), QStringLiteral("CHIUSO"));
    EXPECT_TRUE(elenco.ApriElenco(lista_, 1).ok());
}

TEST_F(BloccoElenco, AnotherCopyIsKeptOffUntilTheListIsClosedOnEveryHandle) {
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
    // The same file through another spelling of its path: a list appended
    // to itself.
    const QString altraGrafia = dir_.path() + QStringLiteral("/./Roma primaria 2026.svz");
    ASSERT_TRUE(elenco.ApriElenco(altraGrafia, 2).ok());
    elenco.ChiudiElenco(1);

    ProcessoFiglio respinta({QStringLiteral("tieni"), lista_});
    const QString risposta = ApreUnAltraCopia(respinta);
    EXPECT_TRUE(risposta.startsWith(QStringLiteral("RIFIUTATO Impossibile aprire il file")))
        << risposta.toStdString();
    EXPECT_TRUE(
        risposta.contains(QStringLiteral("(processo %1)").arg(QCoreApplication::applicationPid())))
        << risposta.toStdString();

    elenco.ChiudiElenco(2);
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
    ProcessoFiglio accolta({QStringLiteral("tieni"), lista_});
    EXPECT_EQ(ApreUnAltraCopia(accolta), QStringLiteral("APERTO"));
}

TEST_F(BloccoElenco, TheLocksGoWhenTheProgramEnds) {
    {
        FileElenco elenco;
        ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
        ASSERT_TRUE(elenco.ApriElenco(lista_, 3).ok());
        ASSERT_TRUE(QFileInfo::exists(fileBlocco_));
    }
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));

    ProcessoFiglio altra({QStringLiteral("tieni"), lista_});
    ASSERT_EQ(ApreUnAltraCopia(altra), QStringLiteral("APERTO"));
    EXPECT_EQ(altra.Termina(), 0);
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_));
}

TEST_F(BloccoElenco, ALockLeftByACopyThatWasKilledIsTakenOver) {
    ProcessoFiglio uccisa({QStringLiteral("tieni"), lista_});
    ASSERT_EQ(ApreUnAltraCopia(uccisa), QStringLiteral("APERTO"));
    uccisa.Uccidi();
    ASSERT_TRUE(QFileInfo::exists(fileBlocco_));

    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    EXPECT_TRUE(Contenuto(fileBlocco_)
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
}

TEST_F(BloccoElenco, AMergeDoesNotReplaceAListThatAnotherCopyHolds) {
    ProcessoFiglio altra({QStringLiteral("tieni"), lista_});
    ASSERT_EQ(ApreUnAltraCopia(altra), QStringLiteral("APERTO"));
    const QString primo = dir_.filePath(QStringLiteral("primo.svz"));
    const QString secondo = dir_.filePath(QStringLiteral("secondo.svz"));
    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(primo, kHandlePrimo).ok());
    ASSERT_TRUE(elenco.ApriElenco(secondo, kHandleSecondo).ok());
    ASSERT_TRUE(elenco.ScriviDomanda(kHandlePrimo, 1, AzzeraRecord()).ok());
    const Result<PianoCopia> piano = PianificaDaElenchi(elenco, TipoCopia::Unione);
    ASSERT_TRUE(piano.ok());

    const Result<void> unione = CreaUnione(elenco, lista_, *piano);

    ASSERT_FALSE(unione.ok());
    EXPECT_TRUE(unione.error().message.contains(QStringLiteral("(processo %1)").arg(altra.pid())))
        << unione.error().message.toStdString();
    EXPECT_TRUE(Contenuto(lista_) == contenuto_);
}

TEST_F(BloccoElenco, ACopyThatDiedInMidWriteLeavesTheListAsItWasForTheNextOpening) {
    ProcessoFiglio interrotta({QStringLiteral("interrompi"), lista_});
    ASSERT_EQ(interrotta.RigaSeguente(), QStringLiteral("INTERROTTO"));
    ASSERT_EQ(interrotta.Termina(), 0);
    ASSERT_EQ(Contenuto(lista_).size(), 5 * 418);  // what the crash left

    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    EXPECT_TRUE(Contenuto(lista_) == contenuto_);
    EXPECT_EQ(*elenco.ContaDomande(1), 2);
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_ + QStringLiteral(".diario")));
}

TEST_F(BloccoElenco, TheJournalOfAListReplacedSinceIsNotPlayedOnItsSuccessor) {
    ProcessoFiglio interrotta({QStringLiteral("interrompi"), lista_});
    ASSERT_EQ(interrotta.RigaSeguente(), QStringLiteral("INTERROTTO"));
    ASSERT_EQ(interrotta.Termina(), 0);
    // Another list put in its place, as a merge or a restored copy does.
    const QByteArray successore = RecordNumerato(40) + RecordNumerato(41) + RecordNumerato(42);
    const QString altra = dir_.filePath(QStringLiteral("altra.svz"));
    {
        QFile file(altra);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(successore), successore.size());
    }
    ASSERT_TRUE(QFile::remove(lista_));
    ASSERT_TRUE(QFile::rename(altra, lista_));

    FileElenco elenco;
    ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());

    EXPECT_TRUE(Contenuto(lista_) == successore);
    EXPECT_FALSE(QFileInfo::exists(fileBlocco_ + QStringLiteral(".diario")));
}

TEST_F(BloccoElenco, AFailedPlaybackIsToldAndTriedAgainAtTheNextOpening) {
    ProcessoFiglio interrotta({QStringLiteral("interrompi"), lista_});
    ASSERT_EQ(interrotta.RigaSeguente(), QStringLiteral("INTERROTTO"));
    ASSERT_EQ(interrotta.Termina(), 0);
    FailingFileSystem guasto;
    guasto.failOn(FailingFileSystem::Call::Truncate, 1, EIO);
    FileElenco elenco(guasto);

    const Result<void> fallito = elenco.ApriElenco(lista_, 1);

    ASSERT_FALSE(fallito.ok());
    EXPECT_EQ(fallito.error().message,
              QStringLiteral("Impossibile completare il ripristino del file \"%1\": errore di "
                             "lettura o scrittura sul disco.\nIl programma era stato interrotto "
                             "mentre scriveva questo elenco; riaprirlo per riprovare il "
                             "ripristino.")
                  .arg(lista_));
    EXPECT_FALSE(elenco.Aperto(1));
    EXPECT_TRUE(QFileInfo::exists(fileBlocco_ + QStringLiteral(".diario")));

    ASSERT_TRUE(elenco.ApriElenco(lista_, 1).ok());
    EXPECT_TRUE(Contenuto(lista_) == contenuto_);
}

TEST_F(BloccoElenco, ALockWhoseProcessIdNowRunsAnotherProgramIsTakenOver) {
    // This test's own process id, written down by a program of another name.
    ScriviBlocco(QByteArray::number(QCoreApplication::applicationPid()) + "\naltro-programma\n" +
                     QSysInfo::machineHostName().toUtf8() + "\n2026-01-01T08:00:00.000\n",
                 QDateTime::currentDateTime());

    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    EXPECT_FALSE(Contenuto(fileBlocco_).contains("altro-programma"));
}

TEST_F(BloccoElenco, ALockFromAnotherComputerIsRespectedHoweverOld) {
    const QByteArray altroComputer = "4242\nsovvenzia\nufficio-anagrafe\n2020-02-01T10:05:07.000\n";
    ScriviBlocco(altroComputer, QDateTime(QDate(2020, 2, 1), QTime(10, 5, 7)));

    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(lista_, 1);

    ASSERT_FALSE(aperto.ok());
    EXPECT_TRUE(aperto.error().message.contains(
        QStringLiteral("sul computer \"ufficio-anagrafe\" (processo 4242) dal 01/02/2020 alle "
                       "10:05:07.")))
        << aperto.error().message.toStdString();
    EXPECT_EQ(Contenuto(fileBlocco_), altroComputer);
}

TEST_F(BloccoElenco, AnUnreadableLockIsRespectedForSomeSecondsThenTakenOver) {
    ScriviBlocco("illeggibile", QDateTime::currentDateTime());
    FileElenco elenco;

    const Result<void> recente = elenco.ApriElenco(lista_, 1);

    ASSERT_FALSE(recente.ok());
    EXPECT_EQ(recente.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": l'elenco è in uso da un'altra "
                             "copia del programma.\nRiprovare quando l'elenco sarà stato chiuso.")
                  .arg(lista_));

    ScriviBlocco("illeggibile", QDateTime::currentDateTime().addSecs(-60));
    const Result<void> vecchio = elenco.ApriElenco(lista_, 1);

    ASSERT_TRUE(vecchio.ok()) << vecchio.error().message.toStdString();
    EXPECT_TRUE(Contenuto(fileBlocco_)
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
}

TEST_F(BloccoElenco, AnOpenThatFailsLeavesNoLockBehind) {
    FileElenco elenco;
    const QString cartella = dir_.filePath(QStringLiteral("cartella.svz"));
    ASSERT_TRUE(QDir().mkdir(cartella));
    const QString senzaCartella = dir_.filePath(QStringLiteral("manca/lista.svz"));

    const Result<void> suCartella = elenco.ApriElenco(cartella, 1);
    const Result<void> inCartellaAssente = elenco.ApriElenco(senzaCartella, 1);

    ASSERT_FALSE(suCartella.ok());
    EXPECT_EQ(suCartella.error().code, EISDIR);
    ASSERT_FALSE(inCartellaAssente.ok());
    EXPECT_EQ(inCartellaAssente.error().message,
              QStringLiteral("Impossibile aprire il file \"%1\": file o cartella inesistente.")
                  .arg(senzaCartella));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(lista_).fileName()});
}

}  // namespace
