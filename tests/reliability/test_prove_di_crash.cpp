#include "AltraCopia.h"
#include "Arrotondamento.h"
#include "DatiDomanda.h"
#include "DomandeNumerate.h"
#include "FileDiProva.h"
#include "FileElenco.h"
#include "QtPrinters.h"
#include "RiempiRecord.h"
#include "UnioneElenchi.h"

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
using Lavoro = std::function<int(AltraCopia&)>;

// The list as the program finds it when it next opens it: a copy killed in
// mid-write leaves a journal that the opening plays back.
QByteArray Riapri(const QString& percorso) {
    FileElenco elenco;
    const Result<void> aperto = elenco.ApriElenco(percorso, 1);
    EXPECT_TRUE(aperto.ok()) << aperto.error().message.toStdString();
    elenco.ChiudiElenco(1);
    return LeggiFile(percorso);
}

// Tells the test a failed step, if any; true when it failed.
template <class T>
bool Fallito(AltraCopia& copia, const Result<T>& esito) {
    if (!esito) {
        copia.Scrivi(QStringLiteral("ERRORE ") + esito.error().message);
    }
    return !esito;
}

// Stores numbered applications after the last record of the list, as the
// entry screen does, telling each number once it is stored.
Lavoro Registra(const QString& lista) {
    return [lista](AltraCopia& copia) {
        FileElenco elenco;
        if (Fallito(copia, elenco.ApriElenco(lista, 1))) {
            return 1;
        }
        const auto lunghezza = static_cast<double>(*elenco.LunghezzaFile(1));
        for (auto n = static_cast<std::int32_t>(ArrotondaPari(lunghezza / kLunghezzaRecord + 1));
             n <= FileElenco::kMassimoDomande; ++n) {
            if (Fallito(copia, elenco.ScriviDomanda(1, n, RiempiRecord(ModuloNumerato(n))))) {
                return 1;
            }
            copia.Scrivi(QString::number(n));
        }
        return 0;
    };
}

// Rewrites application 2 of the list over and over, as Modifica does:
// version v is application 100 + v; tells each v once it is stored.
Lavoro Modifica(const QString& lista) {
    return [lista](AltraCopia& copia) {
        FileElenco elenco;
        if (Fallito(copia, elenco.ApriElenco(lista, 1))) {
            return 1;
        }
        for (int versione = 1;; ++versione) {
            if (Fallito(copia,
                        elenco.ScriviDomanda(1, 2, RiempiRecord(ModuloNumerato(100 + versione))))) {
                return 1;
            }
            copia.Scrivi(QString::number(versione));
        }
    };
}

// Appends list 2 to list 1, or merges them into `nuovo`; says "FATTO".
Lavoro Copia(const QString& primo, const QString& secondo, const QString& nuovo = {}) {
    return [=](AltraCopia& copia) {
        const TipoCopia tipo = nuovo.isEmpty() ? TipoCopia::Aggiunta : TipoCopia::Unione;
        FileElenco elenco;
        if (Fallito(copia, elenco.ApriElenco(primo, kHandlePrimo)) ||
            Fallito(copia, elenco.ApriElenco(secondo, kHandleSecondo))) {
            return 1;
        }
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco, tipo);
        if (Fallito(copia, piano) ||
            Fallito(copia, tipo == TipoCopia::Aggiunta ? AggiungiElenco(elenco, *piano)
                                                       : CreaUnione(elenco, nuovo, *piano))) {
            return 1;
        }
        copia.Scrivi(QStringLiteral("FATTO"));
        return 0;
    };
}

// Crash trials: another copy works on list files and is killed with SIGKILL
// at a random moment, 200 times or for 45 s per test; after each kill the
// test checks what the files hold.
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

    // Kills the copy at a random moment up to `limite`; gives the lines it
    // said, checking that each is `promessa` (or the next number stored).
    QStringList UccidiACaso(const Lavoro& lavoro, const QString& promessa, microseconds limite) {
        AltraCopia copia(lavoro);
        std::this_thread::sleep_for(
            microseconds(std::uniform_int_distribution<long long>(0, limite.count())(caso_)));
        const QStringList righe = copia.Uccidi();
        for (const QString& riga : righe) {
            EXPECT_EQ(riga, promessa.isEmpty() ? QString::number(++registrate_) : promessa);
        }
        return righe;
    }

    // An append of 2000 records to a list of 30, or a merge of 700 and 1300
    // into a new list whose name every other trial already holds a list:
    // after a kill the list written is as before or complete, the sources
    // are unchanged, and no other file is named as a list.
    void ProvaCopia(bool unione) {
        const QString primo = Percorso("primo.svz");
        const QString secondo = Percorso("secondo.svz");
        const QString bersaglio = unione ? Percorso("unione.svz") : primo;
        const QByteArray attesi = RecordNumerati(1, 2000);
        const qsizetype taglio = (unione ? 700 : 30) * kLunghezzaRecord;
        const QByteArray precedente = unione ? RecordNumerati(20001, 3) : attesi.left(taglio);
        ASSERT_TRUE(ScriviFile(primo, attesi.left(taglio)) &&
                    ScriviFile(secondo, attesi.mid(taglio)));
        // Kills up to a tenth after the time the whole job takes left alone.
        const auto partenza = steady_clock::now();
        AltraCopia(Copia(primo, secondo, unione ? bersaglio : QString())).Termina();
        const auto limite = duration_cast<microseconds>(steady_clock::now() - partenza) * 11 / 10;
        int complete = 0;
        while (AltraProva() && !HasFailure()) {
            const bool esisteva = !unione || prove_ % 2 == 0;
            QFile::remove(bersaglio);
            ASSERT_TRUE(!esisteva || ScriviFile(bersaglio, precedente));
            const QStringList righe =
                UccidiACaso(Copia(primo, secondo, unione ? bersaglio : QString()),
                            QStringLiteral("FATTO"), limite);

            const QByteArray risultato =
                QFile::exists(bersaglio) ? Riapri(bersaglio) : LeggiFile(bersaglio);
            complete += risultato == attesi ? 1 : 0;
            ASSERT_TRUE(risultato == attesi ||
                        (righe.isEmpty() && risultato == (esisteva ? precedente : "<assente>")))
                << "prova " << prove_ << ": " << risultato.size() << " byte";
            ASSERT_TRUE(LeggiFile(secondo) == attesi.mid(taglio));
            ASSERT_TRUE(!unione || LeggiFile(primo) == attesi.left(taglio));
            for (const QString& nome :
                 QDir(dir_.path()).entryList({"*.svz"}, QDir::Files | QDir::Hidden)) {
                ASSERT_TRUE(nome == "primo.svz" || nome == "secondo.svz" || nome == "unione.svz");
            }
        }
        EXPECT_GT(complete, 0);
    }

    QTemporaryDir dir_;
    int prove_ = 0;
    int registrate_ = 0;

private:
    unsigned seme_ = std::random_device{}();
    std::mt19937 caso_{seme_};
    steady_clock::time_point inizio_ = steady_clock::now();
};

// The list must hold the first records of `attesi`, whole and unchanged.
void TuttiInteriEUguali(const QByteArray& file, const QByteArray& attesi, int prova) {
    ASSERT_EQ(file.size() % kLunghezzaRecord, 0) << "prova " << prova;
    for (qsizetype inizio = 0; inizio < file.size(); inizio += kLunghezzaRecord) {
        ASSERT_TRUE(file.mid(inizio, kLunghezzaRecord) == attesi.mid(inizio, kLunghezzaRecord))
            << "prova " << prova << ", record " << inizio / kLunghezzaRecord + 1;
    }
}

TEST_F(ProveDiCrash, EveryApplicationReportedAsStoredSurvivesAKillWholeAndUnchanged) {
    const QString lista = Percorso("domande.svz");
    while (AltraProva() && !HasFailure()) {
        UccidiACaso(Registra(lista), {}, 40ms);
        const QByteArray file = Riapri(lista);
        const auto nelFile = static_cast<int>(file.size() / kLunghezzaRecord);
        // The store under way at the kill may have been completed, unreported.
        ASSERT_TRUE(nelFile == registrate_ || nelFile == registrate_ + 1) << "prova " << prove_;
        registrate_ = nelFile;
        ASSERT_NO_FATAL_FAILURE(TuttiInteriEUguali(file, RecordNumerati(1, nelFile), prove_));
    }
    EXPECT_GT(registrate_, 0);
}

TEST_F(ProveDiCrash, AKilledModificationLeavesTheLastVersionReportedOrTheNextOneWhole) {
    const QString lista = Percorso("modifica.svz");
    while (AltraProva() && !HasFailure()) {
        ASSERT_TRUE(ScriviFile(lista, RecordNumerati(1, 3)));
        registrate_ = 0;
        UccidiACaso(Modifica(lista), {}, 40ms);
        const QByteArray file = Riapri(lista);
        const QByteArray riportata =
            registrate_ == 0 ? RecordNumerato(2) : RecordNumerato(100 + registrate_);
        const QByteArray seconda = file.mid(kLunghezzaRecord, kLunghezzaRecord);
        ASSERT_TRUE(file.size() == 3 * kLunghezzaRecord &&
                    file.left(kLunghezzaRecord) == RecordNumerato(1) &&
                    file.right(kLunghezzaRecord) == RecordNumerato(3) &&
                    (seconda == riportata || seconda == RecordNumerato(101 + registrate_)))
            << "prova " << prove_ << ", versione " << registrate_;
    }
}

TEST_F(ProveDiCrash, AKilledAppendLeavesTheOldListOrTheWholeAppendNeverAPart) {
    ProvaCopia(false);
}

TEST_F(ProveDiCrash, AKilledMergeLeavesNoNewListOrAWholeOneAndNoOtherFileTakenForAList) {
    ProvaCopia(true);
}

}  // namespace
