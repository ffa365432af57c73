// Opening the summary of a full list (32,767 applications: every record read,
// the table filled and first painted, offscreen) and opening it again with no
// new application, against a bare QTableView over a std::vector of the same
// strings, built from the same file in the same run. A keystroke in the
// filter band of that summary, the first and the following ones, against
// reading the list in one block (bench_file_elenco).

#include "DialogService.h"
#include "DomandeDiProva.h"
#include "FileElenco.h"
#include "MemoriaResidente.h"
#include "Program.h"
#include "ScreenManager.h"
#include "summary/FrmRiepilogo.h"
#include "summary/RigaRiepilogo.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr std::int32_t kDomande = kDomandePiene;

// No dialog may show while the benchmarks run.
class NessunDialogo final : public DialogService {
public:
    MessageAnswer messageBox(const MessageBoxRequest&) override { std::abort(); }
    QString inputBox(const InputBoxRequest&) override { std::abort(); }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { std::abort(); }
};

// The program with the full list open on handle 1, as the entry screen
// leaves it.
struct ProgrammaConElenco {
    NessunDialogo dialoghi;
    Module1 stato;
    FileElenco elenchi;
    Program programma{dialoghi, stato, elenchi};
    ProgrammaConElenco() {
        if (!elenchi.ApriElenco(percorsoDomandePiene(), 1).ok()) {
            std::abort();
        }
    }
    FrmRiepilogo& apriRiepilogo() {
        programma.screens().show<FrmRiepilogo>();
        auto* riepilogo = programma.screens().find<FrmRiepilogo>();
        if (riepilogo == nullptr || !riepilogo->isVisible()) {
            std::abort();
        }
        return *riepilogo;
    }
};

// The rows of the full list as the summary writes them, read the same way.
std::vector<QString> righeDalFile() {
    FileElenco elenco;
    if (!elenco.ApriElenco(percorsoDomandePiene(), 1).ok()) {
        std::abort();
    }
    const RigaRiepilogo riga{QLocale()};
    std::vector<QString> celle;
    celle.reserve(static_cast<std::size_t>(kDomande) * kColonneRiepilogo);
    std::vector<QString> testi;
    for (std::int32_t r = 1; r <= kDomande; ++r) {
        riga.testi(testi, r, elenco.LeggiDomanda(1, r).value());
        celle.insert(celle.end(), testi.begin(), testi.end());
    }
    return celle;
}

// The bare table: a model over one vector of strings and a plain view.
class ModelloNudo final : public QAbstractTableModel {
public:
    explicit ModelloNudo(std::vector<QString> celle) : celle_(std::move(celle)) {}
    int rowCount(const QModelIndex& = {}) const override {
        return static_cast<int>(celle_.size() / kColonneRiepilogo);
    }
    int columnCount(const QModelIndex& = {}) const override { return kColonneRiepilogo; }
    QVariant data(const QModelIndex& indice, int ruolo) const override {
        if (ruolo != Qt::DisplayRole) {
            return {};
        }
        return celle_[static_cast<std::size_t>(indice.row()) * kColonneRiepilogo + indice.column()];
    }
    QVariant headerData(int sezione, Qt::Orientation, int ruolo) const override {
        return ruolo == Qt::DisplayRole ? QVariant(QString::number(sezione)) : QVariant();
    }

private:
    std::vector<QString> celle_;
};

struct TabellaNuda {
    ModelloNudo modello;
    QTableView vista;
    explicit TabellaNuda(std::vector<QString> celle) : modello(std::move(celle)) {
        vista.verticalHeader()->hide();
        vista.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        vista.setModel(&modello);
        vista.resize(960, 420);
        vista.show();
    }
};

void BM_RiepilogoApertura(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto programma = std::make_unique<ProgrammaConElenco>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(programma->apriRiepilogo().grab());
        state.PauseTiming();
        programma.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RiepilogoApertura)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_RiepilogoRiapertura(benchmark::State& state) {
    ProgrammaConElenco programma;
    FrmRiepilogo& riepilogo = programma.apriRiepilogo();
    for (auto _ : state) {
        programma.programma.screens().hide(riepilogo);
        benchmark::DoNotOptimize(programma.apriRiepilogo().grab());
    }
}
BENCHMARK(BM_RiepilogoRiapertura)->Unit(benchmark::kMillisecond);

void BM_TabellaNudaDalFile(benchmark::State& state) {
    for (auto _ : state) {
        auto tabella = std::make_unique<TabellaNuda>(righeDalFile());
        benchmark::DoNotOptimize(tabella->vista.grab());
        state.PauseTiming();
        tabella.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TabellaNudaDalFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_TabellaNudaRiapertura(benchmark::State& state) {
    TabellaNuda tabella(righeDalFile());
    for (auto _ : state) {
        tabella.vista.hide();
        tabella.vista.show();
        benchmark::DoNotOptimize(tabella.vista.grab());
    }
}
BENCHMARK(BM_TabellaNudaRiapertura)->Unit(benchmark::kMillisecond);

// The summary sorted by name with every row shown, typed into "Cerca:".
struct RiepilogoDaFiltrare {
    ProgrammaConElenco programma;
    FrmRiepilogo& riepilogo = programma.apriRiepilogo();
    QLineEdit& cerca = *riepilogo.findChild<QLineEdit*>(QStringLiteral("TxtFiltro"));
    RiepilogoDaFiltrare() {
        riepilogo.findChild<QTableView*>(QStringLiteral("Griglia"))
            ->sortByColumn(1, Qt::AscendingOrder);
        riepilogo.grab();
    }
    // One keystroke: the rows chosen, the view mapped afresh and painted.
    void digita(const QString& testo) {
        cerca.setText(testo);
        riepilogo.grab();
    }
};

// Every row still meets the words typed, so each keystroke maps and sorts
// the whole list again: the slowest case.
void BM_FiltroRiepilogoTasto(benchmark::State& state) {
    RiepilogoDaFiltrare schermo;
    schermo.digita(QStringLiteral("maria"));
    const QString testi[] = {QStringLiteral("maria l"), QStringLiteral("maria lu")};
    std::size_t tasto = 0;
    for (auto _ : state) {
        schermo.digita(testi[++tasto % 2]);
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
}
BENCHMARK(BM_FiltroRiepilogoTasto)->Unit(benchmark::kMillisecond);

// The first keystroke also folds the texts of every row.
void BM_FiltroRiepilogoPrimoTasto(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto schermo = std::make_unique<RiepilogoDaFiltrare>();
        state.ResumeTiming();
        schermo->digita(QStringLiteral("m"));
        state.PauseTiming();
        schermo.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kDomande);
}
BENCHMARK(BM_FiltroRiepilogoPrimoTasto)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication applicazione(argc, argv);
    percorsoDomandePiene();
    // Platform plugin, fonts and styles are loaded once before measuring.
    TabellaNuda(std::vector<QString>(kColonneRiepilogo)).vista.grab();
    // --memoria=riepilogo or --memoria=nuda: the memory one opening adds,
    // measured alone in this process; --memoria=filtro: what the first
    // keystroke in the filter band adds to an open summary.
    if (argc == 2 && std::strcmp(argv[1], "--memoria=riepilogo") == 0) {
        ProgrammaConElenco programma;
        return misuraMemoria("riepilogo", [&] { programma.apriRiepilogo().grab(); });
    }
    if (argc == 2 && std::strcmp(argv[1], "--memoria=nuda") == 0) {
        std::unique_ptr<TabellaNuda> tabella;
        return misuraMemoria("tabella nuda", [&] {
            tabella = std::make_unique<TabellaNuda>(righeDalFile());
            tabella->vista.grab();
        });
    }
    if (argc == 2 && std::strcmp(argv[1], "--memoria=filtro") == 0) {
        RiepilogoDaFiltrare schermo;
        // The rows chosen without the painting, whose image any repaint takes.
        return misuraMemoria("filtro", [&] { schermo.cerca.setText(QStringLiteral("maria")); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
