#include "CorsaDiProva.h"
#include "FileDiProva.h"
#include "PowerCutFileSystem.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <random>
#include <thread>

namespace {

using namespace std::chrono;
using Cut = PowerCutFileSystem::Cut;

// The seeds of `quante` random runs from a random one, or the one in
// SOVVENZIA_SEME alone, which replays that run.
std::vector<unsigned> Semi(unsigned quante) {
    const char* rigioca = std::getenv("SOVVENZIA_SEME");
    std::vector<unsigned> semi(rigioca ? 1 : quante);
    std::iota(semi.begin(), semi.end(), rigioca ? std::stoul(rigioca) : std::random_device{}());
    return semi;
}

// How many files of the folder have names holding `parte`.
long Nomi(FileSystem& fs, const QString& cartella, const std::string& parte) {
    std::vector<std::string> nomi;
    fs.listFolder(cartella.toStdString(), nomi);
    return std::ranges::count_if(
        nomi, [&](const std::string& n) { return n.find(parte) != std::string::npos; });
}

// 5,000 random runs of the program on an in-memory disk, each cut short at
// a random change anywhere in it: the power goes (unflushed bytes dropped,
// or torn at 512-byte sectors; names undone until their folder is synced)
// or the program is killed (what it wrote stays). The next run of the
// program finds what Difetto asks.
TEST(InterruzioniDiCorrente, NoRunCutShortAnywhereLosesOrTearsAnything) {
    const QString cartella = QStringLiteral("/elenchi");
    const auto prepara = [&](PowerCutFileSystem& fs, const Corsa& corsa) {
        for (const auto& [nome, byte] : corsa.Iniziali()) {
            fs.put((cartella + '/' + nome).toStdString(), byte);
        }
    };
    long diari = 0;
    for (const unsigned seme : Semi(5000)) {
        SCOPED_TRACE("SOVVENZIA_SEME=" + std::to_string(seme));
        const Corsa corsa(seme);
        PowerCutFileSystem intera(seme);
        prepara(intera, corsa);
        ASSERT_EQ(corsa.Esegui(intera, cartella), corsa.Operazioni());
        std::mt19937 caso(seme);
        const auto come = static_cast<Cut>(caso() % 3);
        PowerCutFileSystem fs(seme);
        prepara(fs, corsa);
        fs.cutAfter(1 + static_cast<int>(caso() % static_cast<unsigned>(intera.changes())), come);
        const int fatte = corsa.Esegui(fs, cartella);
        ASSERT_TRUE(fs.powerWentOff());
        fs.restart();
        diari += Nomi(fs, cartella, ".svz#.diario");

        ASSERT_EQ(Difetto(fs, cartella, corsa, fatte, come == Cut::Kill), "");
        // The head of a journal points only at an entry already durable, so
        // no cut, not even one during the journal's own write, leaves one to
        // move aside; a lock taken over leaves nothing behind.
        ASSERT_EQ(Nomi(fs, cartella, ".scartato-") + Nomi(fs, cartella, ".abbandonato."), 0);
    }
    // The cuts reach writes under way: their journals are played back.
    EXPECT_GT(diari, 0);
}

// Another copy of the program, a child forked from the test, does the run on
// the lists of the folder, writing a byte to the test for each operation
// done; killed after `attesa`, or left to end when there is none. Gives the
// operations it reported.
int InAltraCopia(const Corsa& corsa, const QString& cartella, std::optional<microseconds> attesa) {
    for (const auto& [nome, byte] : corsa.Iniziali()) {
        EXPECT_TRUE(ScriviFile(cartella + '/' + nome, byte));
    }
    int tubo[2];
    if (::pipe(tubo) != 0) {
        return -1;
    }
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        PosixFileSystem fs;
        ::_exit(corsa.Esegui(fs, cartella, [&] {
            [[maybe_unused]] const ssize_t scritto = ::write(tubo[1], "+", 1);
        }));
    }
    ::close(tubo[1]);
    if (attesa) {
        std::this_thread::sleep_for(*attesa);
        ::kill(figlio, SIGKILL);
    }
    ::waitpid(figlio, nullptr, 0);
    char riportate[16];
    const ssize_t quante = ::read(tubo[0], riportate, sizeof riportate);
    ::close(tubo[0]);
    return static_cast<int>(quante);
}

// Crash trials: another copy does a random run of the program on real files
// and is killed with SIGKILL at a random moment, up to a tenth after the
// time the same run takes left alone; 1,000 runs or 60 s. The next run of the
// program finds what Difetto asks, the killed copy's lock taken over
// unasked. SOVVENZIA_SEME=<seed> replays one run, killed at the same share
// of the time it takes.
TEST(ProveDiCrash, NoRunKilledAnywhereLosesOrTearsAnything) {
    int riportate = 0;
    const auto inizio = steady_clock::now();
    for (const unsigned seme : Semi(1000)) {
        SCOPED_TRACE("SOVVENZIA_SEME=" + std::to_string(seme));
        const Corsa corsa(seme);
        const auto partenza = steady_clock::now();
        const QTemporaryDir intera;
        ASSERT_EQ(InAltraCopia(corsa, intera.path(), std::nullopt), corsa.Operazioni());
        const auto limite = duration_cast<microseconds>(steady_clock::now() - partenza) * 11 / 10;
        std::mt19937 caso(seme);
        QTemporaryDir cartella;
        const int fatte = InAltraCopia(
            corsa, cartella.path(),
            microseconds(std::uniform_int_distribution<long long>(0, limite.count())(caso)));

        ASSERT_EQ(Difetto(PosixFileSystem::instance(), cartella.path(), corsa, fatte, true), "");
        riportate += fatte;
        if (steady_clock::now() - inizio > seconds(60)) {
            break;
        }
    }
    EXPECT_GT(riportate, 0);
}

}  // namespace
