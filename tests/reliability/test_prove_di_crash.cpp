#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileElenco.h"
#include "ProcessoFiglio.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

namespace {

using namespace std::chrono;

QByteArray Leggi(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Scrivi(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(contenuto), contenuto.size());
}

// The list as the program finds it when it next opens it: a copy killed in
// mid-write leaves a journal that the opening plays back.
QByteArray Riapri(const QString& percorso) {
    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(percorso, 1);
    EXPECT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    elenco.ChiudiElenco(1);
    return Leggi(percorso);
}

// Crash trials: the child works on list files and is killed with SIGKILL at
// a random moment, at most 200 times and for at most 45 s per test; after
// each kill the test checks what the files hold.
class ProveDiCrash : public testing::Test {
protected:
    ~ProveDiCrash() override {
        std::cout << "seme: " << seme_ << ", prove: " << prove_ << '\n';
        RecordProperty("prove", prove_);
    }

    QString Percorso(const char* nome) const { return dir_.filePath(QLatin1String(nome)); }

    bool AltraProva() {
        const bool altra = prove_ < 200 && steady_clock::now() - inizio_ < seconds(45);
        prove_ += altra ? 1 : 0;
        return altra;
    }

    // Kills the child at a random moment within the time its whole job takes
    // left alone, and a tenth more (or within `limite`); gives its lines,
    // checking each is `promessa` when one is given.
    QStringList UccidiACaso(const QStringList& argomenti, microseconds limite = {}) {
        if (limite == microseconds{}) {
            if (durata_ == microseconds{}) {
                const auto partenza = steady_clock::now();
                ProcessoFiglio(argomenti).Termina();
                durata_ = duration_cast<microseconds>(steady_clock::now() - partenza) * 11 / 10;
            }
            limite = durata_;
        }
        ProcessoFiglio figlio(argomenti);
        std::this_thread::sleep_for(
            microseconds(std::uniform_int_distribution<long long>(0, limite.count())(caso_)));
        return figlio.Uccidi();
    }

    QTemporaryDir dir_;
    int prove_ = 0;

private:
    unsigned seme_ = std::random_device{}();
    std::mt19937 caso_{seme_};
    steady_clock::time_point inizio_ = steady_clock::now();
    microseconds durata_{};
};

// The list must hold exactly the records of `attesi`, and whole ones.
void TuttiInteriEUguali(const QByteArray& file, const QByteArray& attesi, int prova) {
    ASSERT_EQ(file.size() % kLunghezzaRecord, 0) << "prova " << prova;
    for (qsizetype inizio = 0; inizio < file.size(); inizio += kLunghezzaRecord) {
        ASSERT_TRUE(file.mid(inizio, kLunghezzaRecord) == attesi.mid(inizio, kLunghezzaRecord))
            << "prova " << prova << ", record " << inizio / kLunghezzaRecord + 1;
    }
}

TEST_F(ProveDiCrash, EveryApplicationReportedAsStoredSurvivesAKillWholeAndUnchanged) {
    const QString lista = Percorso("domande.svz");
    int registrate = 0;
    while (AltraProva()) {
        for (const QString& riga : UccidiACaso({QStringLiteral("registra"), lista}, 40ms)) {
            ASSERT_EQ(riga, QString::number(++registrate)) << "prova " << prove_;
        }
        const QByteArray file = Riapri(lista);
        const auto nelFile = static_cast<int>(file.size() / kLunghezzaRecord);
        // The store under way at the kill may have been completed, unreported.
        ASSERT_TRUE(nelFile == registrate || nelFile == registrate + 1) << "prova " << prove_;
        registrate = nelFile;
        ASSERT_NO_FATAL_FAILURE(TuttiInteriEUguali(file, RecordNumerati(1, nelFile), prove_));
    }
    EXPECT_GT(registrate, 0);
}

TEST_F(ProveDiCrash, AKilledAppendLeavesTheOldListOrTheWholeAppendNeverAPart) {
    const QString primo = Percorso("primo.svz");
    const QString secondo = Percorso("secondo.svz");
    const QByteArray attesi = RecordNumerati(1, 2030);
    const QByteArray originale = attesi.left(30 * kLunghezzaRecord);
    Scrivi(secondo, attesi.mid(originale.size()));
    int complete = 0;
    while (AltraProva()) {
        Scrivi(primo, originale);
        const QStringList righe = UccidiACaso({QStringLiteral("aggiungi"), primo, secondo});
        ASSERT_TRUE(righe.isEmpty() || righe == QStringList{QStringLiteral("FATTO")})
            << righe.join(u' ').toStdString();

        const QByteArray file = Riapri(primo);
        if (righe.isEmpty() && file.size() == originale.size()) {
            ASSERT_TRUE(file == originale) << "prova " << prove_;
        } else {
            ASSERT_EQ(file.size(), attesi.size()) << "prova " << prove_;
            ASSERT_NO_FATAL_FAILURE(TuttiInteriEUguali(file, attesi, prove_));
            ++complete;
        }
        ASSERT_TRUE(Leggi(secondo) == attesi.mid(originale.size())) << "prova " << prove_;
    }
    EXPECT_GT(complete, 0);
}

TEST_F(ProveDiCrash, AKilledMergeLeavesNoNewListOrAWholeOneAndNoOtherFileTakenForAList) {
    const QString nuovo = Percorso("unione.svz");
    const QByteArray attesi = RecordNumerati(1, 2000);
    const QByteArray precedente = RecordNumerati(20001, 3);
    const QByteArray uno = attesi.left(700 * kLunghezzaRecord);
    const QByteArray due = attesi.mid(uno.size());
    Scrivi(Percorso("primo.svz"), uno);
    Scrivi(Percorso("secondo.svz"), due);
    int complete = 0;
    while (AltraProva()) {
        // Every other trial the new list's name is already taken by a list.
        const bool esisteva = prove_ % 2 == 0;
        QFile::remove(nuovo);
        if (esisteva) {
            Scrivi(nuovo, precedente);
        }
        const QStringList righe = UccidiACaso(
            {QStringLiteral("unisci"), Percorso("primo.svz"), Percorso("secondo.svz"), nuovo});
        ASSERT_TRUE(righe.isEmpty() || righe == QStringList{QStringLiteral("FATTO")})
            << righe.join(u' ').toStdString();

        const QByteArray risultato = Leggi(nuovo);
        if (risultato == attesi) {
            ++complete;
        } else {
            ASSERT_TRUE(righe.isEmpty()) << "prova " << prove_;
            ASSERT_TRUE(esisteva ? risultato == precedente : !QFile::exists(nuovo))
                << "prova " << prove_;
        }
        ASSERT_TRUE(Leggi(Percorso("primo.svz")) == uno && Leggi(Percorso("secondo.svz")) == due);
        const QStringList elenchi{"primo.svz", "secondo.svz", "unione.svz"};
        for (const QString& nome :
             QDir(dir_.path()).entryList({QStringLiteral("*.svz")}, QDir::Files | QDir::Hidden)) {
            ASSERT_TRUE(elenchi.contains(nome)) << nome.toStdString();
        }
    }
    EXPECT_GT(complete, 0);
}

}  // namespace
