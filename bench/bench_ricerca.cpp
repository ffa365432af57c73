// A search that finds nothing in a full list (every record read and its key
// fields compared) against one bulk read of the same file.

#include "FileElenco.h"
#include "RicercaDomanda.h"
#include "StudenteRipetuto.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

constexpr std::int32_t kDomande = FileElenco::kMassimoDomande;

// 32,767 applications of requesters that share their surname's beginning with
// the key searched, so that comparisons do not stop at the first letter; the
// students' codes differ only in their last three characters.
QByteArray contenutoPieno() {
    QByteArray contenuto;
    contenuto.reserve(std::int64_t{kDomande} * kLunghezzaRecord);
    DatiDomanda domanda = AzzeraRecord();
    domanda[Campo::NomeRich] = QStringLiteral("MARIA LUISA");
    domanda[Campo::DataRich] = QStringLiteral("05/03/1970");
    domanda.importo(Campo::Spese) = 1250.5f;
    for (std::int32_t numero = 1; numero <= kDomande; ++numero) {
        domanda[Campo::CognRich] = QStringLiteral("DELL'ACQUA %1").arg(numero);
        domanda[Campo::CodFiscRich] =
            QStringLiteral("DLLMLS70C45D%1").arg(numero % 1000, 3, 10, QLatin1Char('0'));
        domanda[Campo::CodFiscStud] =
            QStringLiteral("DLLFNC06E25G%1Q").arg(numero % 1000, 3, 10, QLatin1Char('0'));
        contenuto += CodificaDomanda(domanda);
    }
    return contenuto;
}

// The full list, written once per run in a folder removed at exit.
const QString& percorsoElencoPieno() {
    static QTemporaryDir cartella;
    static const QString percorso = [] {
        const QString nome = cartella.filePath(QStringLiteral("pieno.svz"));
        QFile file(nome);
        const QByteArray contenuto = contenutoPieno();
        if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size()) {
            std::abort();
        }
        return nome;
    }();
    return percorso;
}

void cercaSenzaRisultato(benchmark::State& state, CriterioRicerca criterio, const QString& chiave) {
    FileElenco elenco;
    if (!elenco.ApriElenco(percorsoElencoPieno(), 1).ok()) {
        state.SkipWithError("the list cannot be opened");
        return;
    }
    for (auto _ : state) {
        std::int16_t posizione = 0;
        const Result<std::optional<DatiDomanda>> trovata =
            CercaDomanda(elenco, 1, criterio, chiave, posizione);
        if (!trovata || trovata->has_value() || posizione != kDomande) {
            state.SkipWithError("the search did not read the whole list without a hit");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}

void BM_RicercaNominativoSenzaRisultato(benchmark::State& state) {
    cercaSenzaRisultato(state, CriterioRicerca::Nominativo,
                        ChiaveDiRicerca({QStringLiteral("dell'acqua 1"), QStringLiteral("maria")}));
}
BENCHMARK(BM_RicercaNominativoSenzaRisultato)->Unit(benchmark::kMillisecond);

void BM_RicercaNominativoCodiceSenzaRisultato(benchmark::State& state) {
    cercaSenzaRisultato(
        state, CriterioRicerca::NominativoCodice,
        ChiaveDiRicerca({QStringLiteral("DELL'ACQUA 7"), QStringLiteral("MARIA LUISA"),
                         QStringLiteral("DLLMLS70C45D008")}));
}
BENCHMARK(BM_RicercaNominativoCodiceSenzaRisultato)->Unit(benchmark::kMillisecond);

// The search for the same student over the whole list: 33 applications
// share the code, one of them being modified.
void BM_RicercaStudenteRipetuto(benchmark::State& state) {
    FileElenco elenco;
    if (!elenco.ApriElenco(percorsoElencoPieno(), 1).ok()) {
        state.SkipWithError("the list cannot be opened");
        return;
    }
    const QString codice = QStringLiteral("DLLFNC06E25G008Q");
    for (auto _ : state) {
        const Result<std::optional<StudenteRipetuto>> trovato =
            CercaStudenteRipetuto(elenco, 1, codice, 8);
        if (!trovato || !trovato->has_value() || (*trovato)->altre != 31) {
            state.SkipWithError("the search did not find the 32 other applications");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_RicercaStudenteRipetuto)->Unit(benchmark::kMillisecond);

// The baseline: the whole file read into memory in one call.
void BM_RicercaLetturaInBlocco(benchmark::State& state) {
    QFile file(percorsoElencoPieno());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        state.SkipWithError("the list cannot be opened");
        return;
    }
    for (auto _ : state) {
        file.seek(0);
        QByteArray tutto = file.readAll();
        benchmark::DoNotOptimize(tutto);
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
    state.SetBytesProcessed(state.iterations() * kDomande * kLunghezzaRecord);
}
BENCHMARK(BM_RicercaLetturaInBlocco)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
