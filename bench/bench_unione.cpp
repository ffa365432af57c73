// Appending a list of 32,766 records and merging two lists of 16,383 records,
// against the least any copy must do: the same records written with one
// pwrite each and one fdatasync at the end.

#include "FileElenco.h"
#include "UnioneElenchi.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>
#include <cstdlib>

namespace {

constexpr std::int32_t kAggiunte = 32766;
constexpr std::int32_t kMetà = 16383;

QByteArray records(std::int32_t count) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(count) * kLunghezzaRecord);
    for (std::int32_t numero = 1; numero <= count; ++numero) {
        DatiDomanda domanda = AzzeraRecord();
        domanda[Campo::CognRich] = QStringLiteral("ROSSI %1").arg(numero);
        domanda[Campo::NomeRich] = QStringLiteral("MARIO");
        domanda[Campo::CodFiscRich] = QStringLiteral("RSSMRA70C05D704X");
        domanda.importo(Campo::Spese) = 1234.56f;
        bytes += CodificaDomanda(domanda);
    }
    return bytes;
}

// The source lists, written once per run.
class Sorgenti {
public:
    Sorgenti() {
        scrivi(QStringLiteral("grande.svz"), records(kAggiunte));
        scrivi(QStringLiteral("metà.svz"), records(kMetà));
    }

    QString percorso(const QString& nome) const { return cartella_.filePath(nome); }

    static const Sorgenti& istanza() {
        static const Sorgenti sorgenti;
        return sorgenti;
    }

private:
    void scrivi(const QString& nome, const QByteArray& bytes) const {
        QFile file(percorso(nome));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::abort();
        }
    }

    QTemporaryDir cartella_;
};

void svuota(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::abort();
    }
}

void apri(FileElenco& elenco, const QString& percorso, int handle, benchmark::State& state) {
    if (!elenco.ApriElenco(percorso, handle).ok()) {
        state.SkipWithError("a list cannot be opened");
    }
}

void BM_AggiungiElenco(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString destinazione = cartella.filePath(QStringLiteral("destinazione.svz"));
    svuota(destinazione);
    FileElenco elenco;
    apri(elenco, destinazione, kHandlePrimo, state);
    apri(elenco, Sorgenti::istanza().percorso(QStringLiteral("grande.svz")), kHandleSecondo, state);
    for (auto _ : state) {
        state.PauseTiming();
        if (!elenco.Tronca(kHandlePrimo, 0).ok()) {
            state.SkipWithError("the target cannot be emptied");
            break;
        }
        state.ResumeTiming();
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco, TipoCopia::Aggiunta);
        if (!piano || !AggiungiElenco(elenco, *piano).ok()) {
            state.SkipWithError("the append failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAggiunte);
}
BENCHMARK(BM_AggiungiElenco)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CreaUnione(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString nuovo = cartella.filePath(QStringLiteral("nuovo.svz"));
    const QString metà = Sorgenti::istanza().percorso(QStringLiteral("metà.svz"));
    FileElenco elenco;
    apri(elenco, metà, kHandlePrimo, state);
    apri(elenco, metà, kHandleSecondo, state);
    for (auto _ : state) {
        const Result<PianoCopia> piano = PianificaDaElenchi(elenco, TipoCopia::Unione);
        if (!piano || !CreaUnione(elenco, nuovo, *piano).ok()) {
            state.SkipWithError("the merge failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * kMetà);
}
BENCHMARK(BM_CreaUnione)->Unit(benchmark::kMillisecond)->UseRealTime();

// The baseline: the records already in memory, written into an emptied file
// with one pwrite each, then one fdatasync.
void BM_PwriteEUnSoloFlush(benchmark::State& state) {
    const std::int32_t quanti = static_cast<std::int32_t>(state.range(0));
    const QByteArray dati = records(quanti);
    QTemporaryDir cartella;
    const QByteArray percorso = QFile::encodeName(cartella.filePath(QStringLiteral("base.svz")));
    const int fd = ::open(percorso.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        state.SkipWithError("the file cannot be opened");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (::ftruncate(fd, 0) != 0) {
            state.SkipWithError("the file cannot be emptied");
            break;
        }
        state.ResumeTiming();
        for (std::int32_t i = 0; i < quanti; ++i) {
            const off_t offset = static_cast<off_t>(i) * kLunghezzaRecord;
            if (::pwrite(fd, dati.constData() + offset, kLunghezzaRecord, offset) !=
                kLunghezzaRecord) {
                state.SkipWithError("a record cannot be written");
                break;
            }
        }
        if (::fdatasync(fd) != 0) {
            state.SkipWithError("the file cannot be flushed");
            break;
        }
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations() * quanti);
}
BENCHMARK(BM_PwriteEUnSoloFlush)->Arg(kAggiunte)->Unit(benchmark::kMillisecond)->UseRealTime();

// What any copy must add to the baseline: each record read from the source
// with one pread before its pwrite.
void BM_PreadPwriteEUnSoloFlush(benchmark::State& state) {
    const QByteArray sorgente =
        QFile::encodeName(Sorgenti::istanza().percorso(QStringLiteral("grande.svz")));
    QTemporaryDir cartella;
    const QByteArray percorso = QFile::encodeName(cartella.filePath(QStringLiteral("base.svz")));
    const int da = ::open(sorgente.constData(), O_RDONLY | O_CLOEXEC);
    const int a = ::open(percorso.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (da < 0 || a < 0) {
        state.SkipWithError("the files cannot be opened");
        return;
    }
    char record[kLunghezzaRecord];
    for (auto _ : state) {
        state.PauseTiming();
        if (::ftruncate(a, 0) != 0) {
            state.SkipWithError("the file cannot be emptied");
            break;
        }
        state.ResumeTiming();
        for (std::int32_t i = 0; i < kAggiunte; ++i) {
            const off_t offset = static_cast<off_t>(i) * kLunghezzaRecord;
            if (::pread(da, record, kLunghezzaRecord, offset) != kLunghezzaRecord ||
                ::pwrite(a, record, kLunghezzaRecord, offset) != kLunghezzaRecord) {
                state.SkipWithError("a record cannot be copied");
                break;
            }
        }
        if (::fdatasync(a) != 0) {
            state.SkipWithError("the file cannot be flushed");
            break;
        }
    }
    ::close(da);
    ::close(a);
    state.SetItemsProcessed(state.iterations() * kAggiunte);
}
BENCHMARK(BM_PreadPwriteEUnSoloFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
