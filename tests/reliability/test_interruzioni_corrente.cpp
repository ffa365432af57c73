#include "ElenchiDiProva.h"
#include "PowerCutFileSystem.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {

const QString kCartella = QStringLiteral("/elenchi");

void Prepara(PowerCutFileSystem& fs) {
    for (auto elenco = kElenchi.begin(); elenco != kElenchi.end(); ++elenco) {
        fs.put((kCartella + '/' + elenco.key()).toStdString(), elenco.value());
    }
}

// The list as the next opening finds it, the operator having agreed to take
// over the lock that the copy without power left behind.
QByteArray Riapri(PowerCutFileSystem& fs, const char* nome) {
    FileElenco elenco(fs);
    const QString percorso = kCartella + '/' + nome;
    const Result<void> aperto = elenco.ApriElenco(percorso, 1, Subentro::Consentito);
    EXPECT_TRUE(aperto.ok()) << nome << ": " << aperto.error().message.toStdString();
    return fs.contents(percorso.toStdString()).value_or("<assente>");
}

class InterruzioniDiCorrente : public testing::TestWithParam<OperazioneSuElenchi> {};

// At 200 random points of the operation the power goes, losing what was
// not flushed or keeping random sectors of it; at the next opening every
// step reported done is there, whole and unchanged, the one under way is
// wholly there or wholly absent, and no lock or journal is left.
TEST_P(InterruzioniDiCorrente, NothingReportedStoredIsLostAndNothingIsTorn) {
    const OperazioneSuElenchi operazione = GetParam();
    int cambiamenti = 0;
    {
        PowerCutFileSystem prova;
        Prepara(prova);
        ASSERT_GT(Esegui(operazione, prova, kCartella), 0);
        cambiamenti = prova.changes();
    }
    std::mt19937 caso(static_cast<unsigned>(operazione) + 7);
    int diariMessiDaParte = 0;
    for (int taglio = 0; taglio < 200; ++taglio) {
        PowerCutFileSystem fs(caso());
        Prepara(fs);
        const int dopo = 1 + static_cast<int>(caso() % static_cast<unsigned>(cambiamenti));
        fs.cutAfter(dopo, caso() % 2 == 0);
        const int fatti = Esegui(operazione, fs, kCartella);
        ASSERT_TRUE(fs.powerWentOff());
        fs.restart();

        ASSERT_TRUE(Ammesso(operazione, fatti, Riapri(fs, "tre.svz"), Riapri(fs, "vecchia.svz")))
            << "cut after " << dopo << " changes, " << fatti << " steps reported";
        EXPECT_EQ(Riapri(fs, "due.svz"), kDue);
        if (operazione == OperazioneSuElenchi::Unione) {
            // Done again, the merge clears what the one cut short left.
            ASSERT_EQ(Esegui(operazione, fs, kCartella), 1);
            EXPECT_EQ(Riapri(fs, "vecchia.svz"), kTre + kDue);
        }
        std::vector<std::string> nomi;
        ASSERT_EQ(fs.listFolder(kCartella.toStdString(), nomi), 0);
        for (const std::string& nome : nomi) {
            const bool messoDaParte = nome.find(".scartato-") != std::string::npos;
            EXPECT_TRUE(messoDaParte || (nome.find(".~lock") == std::string::npos &&
                                         nome.find(".tmp") == std::string::npos))
                << nome << " left behind, cut after " << dopo;
            diariMessiDaParte += messoDaParte ? 1 : 0;
        }
    }
    std::cout << "damaged journals moved aside: " << diariMessiDaParte << '\n';
}

INSTANTIATE_TEST_SUITE_P(Operazioni, InterruzioniDiCorrente,
                         testing::Values(OperazioneSuElenchi::Registra,
                                         OperazioneSuElenchi::Modifica,
                                         OperazioneSuElenchi::Aggiunta,
                                         OperazioneSuElenchi::Unione));

}  // namespace
