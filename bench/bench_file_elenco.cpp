// Reading a full list record by record against reading it in one go, and the
// cost of storing one application durably.

#include "FileElenco.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

constexpr std::int32_t kDomande = FileElenco::kMassimoDomande;

DatiDomanda domandaDiEsempio(std::int32_t numero) {
    DatiDomanda domanda = AzzeraRecord();
    domanda[Campo::CognRich] = QStringLiteral("ROSSI %1").arg(numero).leftJustified(30);
    domanda[Campo::NomeRich] = QStringLiteral("MARIO").leftJustified(30);
    domanda[Campo::LuogoRich] = QStringLiteral("FORLÌ").leftJustified(30);
    domanda[Campo::DataRich] = QStringLiteral("05/03/1970");
    domanda[Campo::CodFiscRich] = QStringLiteral("RSSMRA70C05D704X");
    domanda[Campo::ViaRich] = QStringLiteral("VIA DEI MILLE").leftJustified(50);
    domanda[Campo::CognStud] = domanda[Campo::CognRich];
    domanda[Campo::NomeStud] = QStringLiteral("LUCA").leftJustified(30);
    domanda.importo(Campo::Spese) = 1234.56f;
    domanda.importo(Campo::Isee) = 12345.67f;
    return domanda;
}

// A full list of 32,767 applications, written once per run.
class ElencoCompleto {
public:
    ElencoCompleto() {
        QFile file(percorso());
        if (!file.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        for (std::int32_t numero = 1; numero <= kDomande; ++numero) {
            file.write(CodificaDomanda(domandaDiEsempio(numero)));
        }
    }

    QString percorso() const { return cartella_.filePath(QStringLiteral("completo.svz")); }

    static const ElencoCompleto& istanza() {
        static const ElencoCompleto elenco;
        return elenco;
    }

private:
    QTemporaryDir cartella_;
};

void apri(FileElenco& elenco, const QString& percorso, benchmark::State& state) {
    if (!elenco.ApriElenco(percorso, 1).ok()) {
        state.SkipWithError("the list cannot be opened");
    }
}

void BM_ContaELeggiUnaPerUna(benchmark::State& state) {
    FileElenco elenco;
    apri(elenco, ElencoCompleto::istanza().percorso(), state);
    for (auto _ : state) {
        const std::int16_t domande = *elenco.ContaDomande(1);
        for (std::int32_t numero = 1; numero <= domande; ++numero) {
            Result<DatiDomanda> letta = elenco.LeggiDomanda(1, numero);
            benchmark::DoNotOptimize(letta);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_ContaELeggiUnaPerUna)->Unit(benchmark::kMillisecond);

void BM_LeggiRecordGrezziUnoPerUno(benchmark::State& state) {
    FileElenco elenco;
    apri(elenco, ElencoCompleto::istanza().percorso(), state);
    for (auto _ : state) {
        for (std::int32_t numero = 1; numero <= kDomande; ++numero) {
            Result<QByteArray> record = elenco.LeggiRecord(1, numero);
            benchmark::DoNotOptimize(record);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_LeggiRecordGrezziUnoPerUno)->Unit(benchmark::kMillisecond);

// The baseline: the whole file read into memory in one call.
void BM_LetturaInBlocco(benchmark::State& state) {
    QFile file(ElencoCompleto::istanza().percorso());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        state.SkipWithError("the list cannot be opened");
    }
    for (auto _ : state) {
        file.seek(0);
        QByteArray tutto = file.readAll();
        benchmark::DoNotOptimize(tutto);
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_LetturaInBlocco)->Unit(benchmark::kMillisecond);

// The baseline plus decoding every record from memory.
void BM_LetturaInBloccoEDecodifica(benchmark::State& state) {
    QFile file(ElencoCompleto::istanza().percorso());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        state.SkipWithError("the list cannot be opened");
    }
    for (auto _ : state) {
        file.seek(0);
        const QByteArray tutto = file.readAll();
        for (qsizetype offset = 0; offset + kLunghezzaRecord <= tutto.size();
             offset += kLunghezzaRecord) {
            DatiDomanda domanda = DecodificaDomanda(tutto.constData() + offset, kLunghezzaRecord);
            benchmark::DoNotOptimize(domanda);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_LetturaInBloccoEDecodifica)->Unit(benchmark::kMillisecond);

// One application stored, including making it durable on the disk.
void BM_ScriviDomandaConFlush(benchmark::State& state) {
    QTemporaryDir cartella;
    FileElenco elenco;
    apri(elenco, cartella.filePath(QStringLiteral("scrittura.svz")), state);
    const DatiDomanda domanda = domandaDiEsempio(1);
    std::int32_t numero = 0;
    for (auto _ : state) {
        numero = numero % kDomande + 1;
        if (!elenco.ScriviDomanda(1, numero, domanda).ok()) {
            state.SkipWithError("the application cannot be written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriviDomandaConFlush)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
