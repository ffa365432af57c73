#include "DomandeNumerate.h"
#include "FileElenco.h"
#include "PowerCutFileSystem.h"
#include "QtPrinters.h"
#include "UnioneElenchi.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {

const std::string kCartella = "/elenchi";

std::string Nome(const char* file) {
    return kCartella + '/' + file;
}

QString Percorso(const char* file) {
    return QString::fromStdString(Nome(file));
}

const QByteArray kTre = RecordNumerati(1, 3);
const QByteArray kDue = RecordNumerati(4, 2);
const QByteArray kVecchia = RecordNumerati(900, 4);

// The version v of application 2 that the modification writes (0: as it was).
QByteArray Versione(int v) {
    return v == 0 ? RecordNumerato(2) : RecordNumerato(100 + v);
}

enum class Operazione { Registra, Modifica, Aggiunta, Unione };

// The operation as the screens do it; gives how many of its steps were
// reported done (applications stored, modifications made, 1 for an append
// or a merge).
int Esegui(Operazione operazione, FileSystem& fs) {
    FileElenco elenco(fs);
    if (!elenco.ApriElenco(Percorso("tre.svz"), kHandlePrimo).ok()) {
        return 0;
    }
    int fatti = 0;
    if (operazione == Operazione::Registra || operazione == Operazione::Modifica) {
        for (int passo = 1; passo <= 4; ++passo) {
            const bool registra = operazione == Operazione::Registra;
            if (!elenco.ScriviRecord(kHandlePrimo, registra ? 3 + passo : 2,
                                     registra ? RecordNumerato(3 + passo) : Versione(passo))) {
                break;
            }
            ++fatti;
        }
        return fatti;
    }
    if (!elenco.ApriElenco(Percorso("due.svz"), kHandleSecondo).ok()) {
        return 0;
    }
    const bool aggiunta = operazione == Operazione::Aggiunta;
    const Result<PianoCopia> piano =
        PianificaDaElenchi(elenco, aggiunta ? TipoCopia::Aggiunta : TipoCopia::Unione);
    const Result<void> fatto = aggiunta ? AggiungiElenco(elenco, *piano)
                                        : CreaUnione(elenco, Percorso("vecchia.svz"), *piano);
    return fatto ? 1 : 0;
}

void Prepara(PowerCutFileSystem& fs) {
    fs.addFolder(kCartella);
    fs.put(Nome("tre.svz"), kTre);
    fs.put(Nome("due.svz"), kDue);
    fs.put(Nome("vecchia.svz"), kVecchia);
}

// The list as the next opening finds it, the operator having agreed to take
// over the lock that the copy without power left behind.
QByteArray Riapri(PowerCutFileSystem& fs, const char* file) {
    FileElenco elenco(fs);
    const Result<void> aperto = elenco.ApriElenco(Percorso(file), 1, Subentro::Consentito);
    EXPECT_TRUE(aperto.ok()) << file << ": " << aperto.error().message.toStdString();
    return fs.contents(Nome(file)).value_or("<assente>");
}

// What may be on the disk after `fatti` steps were reported done and the
// next one was under way.
bool Ammesso(Operazione operazione, int fatti, const QByteArray& tre, const QByteArray& vecchia) {
    switch (operazione) {
        case Operazione::Registra:
            return tre == RecordNumerati(1, 3 + fatti) || tre == RecordNumerati(1, 4 + fatti);
        case Operazione::Modifica:
            return tre == RecordNumerato(1) + Versione(fatti) + RecordNumerato(3) ||
                   tre == RecordNumerato(1) + Versione(fatti + 1) + RecordNumerato(3);
        case Operazione::Aggiunta:
            return tre == kTre + kDue || (fatti == 0 && tre == kTre);
        case Operazione::Unione:
            return tre == kTre && (vecchia == kTre + kDue || (fatti == 0 && vecchia == kVecchia));
    }
    return false;
}

struct Conteggi {
    int tagli = 0;
    int domandeControllate = 0;
    int diariMessiDaParte = 0;
};

class InterruzioniDiCorrente : public testing::TestWithParam<Operazione> {
protected:
    static Conteggi totale_;

    static void TearDownTestSuite() {
        std::cout << "power cuts: " << totale_.tagli
                  << ", applications checked: " << totale_.domandeControllate
                  << ", damaged journals moved aside: " << totale_.diariMessiDaParte << '\n';
    }
};

Conteggi InterruzioniDiCorrente::totale_;

// At 200 random points of the operation the power goes, losing what was
// not flushed or keeping random sectors of it; at the next opening every
// application reported stored is there, whole and unchanged, the one under
// way is wholly there or wholly absent, and no lock or journal is left.
TEST_P(InterruzioniDiCorrente, NothingReportedStoredIsLostAndNothingIsTorn) {
    const Operazione operazione = GetParam();
    int cambiamenti = 0;
    {
        PowerCutFileSystem prova;
        Prepara(prova);
        ASSERT_GT(Esegui(operazione, prova), 0);
        cambiamenti = prova.changes();
    }
    std::mt19937 caso(static_cast<unsigned>(operazione) + 7);
    for (int taglio = 0; taglio < 200; ++taglio) {
        PowerCutFileSystem fs(caso());
        Prepara(fs);
        const int dopo = 1 + static_cast<int>(caso() % static_cast<unsigned>(cambiamenti));
        fs.cutAfter(dopo, caso() % 2 == 0);
        const int fatti = Esegui(operazione, fs);
        ASSERT_TRUE(fs.powerWentOff());
        fs.restart();

        const QByteArray tre = Riapri(fs, "tre.svz");
        const QByteArray vecchia = Riapri(fs, "vecchia.svz");
        ASSERT_TRUE(Ammesso(operazione, fatti, tre, vecchia))
            << "cut after " << dopo << " changes, " << fatti << " steps reported";
        EXPECT_EQ(Riapri(fs, "due.svz"), kDue);
        if (operazione == Operazione::Unione) {
            // Done again, the merge clears what the one cut short left.
            ASSERT_EQ(Esegui(operazione, fs), 1);
            EXPECT_EQ(fs.contents(Nome("vecchia.svz")), kTre + kDue);
        }
        for (const std::string& nome : fs.names(kCartella)) {
            EXPECT_TRUE(nome.find(".scartato-") != std::string::npos ||
                        (nome.find(".~lock") == std::string::npos &&
                         nome.find(".tmp") == std::string::npos))
                << nome << " left behind, cut after " << dopo;
            totale_.diariMessiDaParte += nome.find(".scartato-") != std::string::npos;
        }
        ++totale_.tagli;
        totale_.domandeControllate += static_cast<int>((tre.size() + vecchia.size()) / 418);
    }
}

INSTANTIATE_TEST_SUITE_P(Operazioni, InterruzioniDiCorrente,
                         testing::Values(Operazione::Registra, Operazione::Modifica,
                                         Operazione::Aggiunta, Operazione::Unione));

}  // namespace
