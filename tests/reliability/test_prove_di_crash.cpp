#include "AltraCopia.h"
#include "ElenchiDiProva.h"
#include "FileDiProva.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

namespace {

using namespace std::chrono;

// Crash trials: another copy does the operation on real files and is killed
// with SIGKILL at a random moment, 200 times (or for 45 s) per operation.
// After each kill, the next opening (which plays back the journal of a copy
// killed in mid-write) finds every step the copy reported done whole and
// unchanged, the one under way wholly there or wholly absent, the list it
// copies from unchanged and no other file named as a list.
class ProveDiCrash : public testing::TestWithParam<OperazioneSuElenchi> {
protected:
    QString Percorso(const QString& nome) const { return dir_.filePath(nome); }

    void Prepara() const {
        for (auto elenco = kElenchi.begin(); elenco != kElenchi.end(); ++elenco) {
            ASSERT_TRUE(ScriviFile(Percorso(elenco.key()), elenco.value()));
        }
    }

    QByteArray Riapri(const QString& nome) const {
        FileElenco elenco;
        const Result<void> aperto = elenco.ApriElenco(Percorso(nome), 1);
        EXPECT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
        elenco.ChiudiElenco(1);
        return LeggiFile(Percorso(nome));
    }

    // Starts the operation in another copy that says "FATTO" for each step
    // done; kills it after `attesa`, or lets it end when there is none.
    // Gives the steps it reported.
    qsizetype InAltraCopia(std::optional<microseconds> attesa) const {
        AltraCopia copia([this](AltraCopia& io) {
            PosixFileSystem fs;
            Esegui(GetParam(), fs, dir_.path(), [&] { io.Scrivi(QStringLiteral("FATTO")); });
            return 0;
        });
        if (!attesa) {
            return copia.Termina();
        }
        std::this_thread::sleep_for(*attesa);
        return copia.Uccidi().size();
    }

    QTemporaryDir dir_;
};

TEST_P(ProveDiCrash, NothingReportedDoneIsLostAndNothingIsTorn) {
    ASSERT_NO_FATAL_FAILURE(Prepara());
    // Kills up to a tenth after the time the whole operation takes left alone.
    const auto partenza = steady_clock::now();
    ASSERT_EQ(InAltraCopia(std::nullopt), 0);
    const auto limite = duration_cast<microseconds>(steady_clock::now() - partenza) * 11 / 10;
    const unsigned seme = std::random_device{}();
    std::mt19937 caso(seme);
    int prove = 0;
    int riportati = 0;
    for (const auto inizio = steady_clock::now();
         prove < 200 && steady_clock::now() - inizio < seconds(45) && !HasFailure(); ++prove) {
        ASSERT_NO_FATAL_FAILURE(Prepara());
        const auto fatti = static_cast<int>(InAltraCopia(
            microseconds(std::uniform_int_distribution<long long>(0, limite.count())(caso))));

        ASSERT_TRUE(Ammesso(GetParam(), fatti, Riapri("tre.svz"), Riapri("vecchia.svz")))
            << "seme " << seme << ", prova " << prove << ", " << fatti << " steps reported";
        ASSERT_TRUE(Riapri("due.svz") == kDue);
        ASSERT_EQ(QDir(dir_.path()).entryList({"*.svz"}, QDir::Files | QDir::Hidden).size(), 3);
        riportati += fatti;
    }
    EXPECT_GT(riportati, 0);
    std::cout << "seme: " << seme << ", prove: " << prove << '\n';
    RecordProperty("prove", prove);
}

INSTANTIATE_TEST_SUITE_P(Operazioni, ProveDiCrash,
                         testing::Values(OperazioneSuElenchi::Registra,
                                         OperazioneSuElenchi::Modifica,
                                         OperazioneSuElenchi::Aggiunta,
                                         OperazioneSuElenchi::Unione));

}  // namespace
