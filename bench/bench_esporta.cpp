// Exporting the full summary table (32,767 rows, read from the records the
// summary holds, in the order its grid shows) to a new workbook, against a
// bare libxlsxwriter program in constant-memory mode that writes the same
// cells, bold header and widths in the same run. The counters give the
// workbook's size and the memory the export adds.

#include "Desktop.h"
#include "DialogService.h"
#include "DomandeDiProva.h"
#include "FileElenco.h"
#include "MemoriaResidente.h"
#include "RiepilogoPieno.h"
#include "TextGridView.h"
#include "summary/Excel.h"
#include "summary/RigheRiepilogo.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::int32_t kDomande = kDomandePiene;

class NessunDialogo final : public DialogService {
public:
    MessageAnswer messageBox(const MessageBoxRequest& r) override {
        std::fprintf(stderr, "%s\n", qPrintable(r.prompt));
        std::abort();
    }
    QString inputBox(const InputBoxRequest&) override { std::abort(); }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { std::abort(); }
};

// A desktop whose documents folder is a temporary folder and that opens
// nothing.
class DesktopMuto final : public Desktop {
public:
    explicit DesktopMuto(QString cartella) : cartella_(std::move(cartella)) {}
    QString documentsFolder() const override { return cartella_; }
    bool openWithDefaultApplication(const QString& path) override {
        ultimo = path;
        return true;
    }
    QString ultimo;

private:
    QString cartella_;
};

// Exports the full table into the folder; gives the workbook's path.
QString esportaRiepilogo(const QString& cartella) {
    NessunDialogo dialoghi;
    DesktopMuto desktop(cartella);
    Excel::EsportaExcel({dialoghi, desktop, PosixFileSystem::instance()}, riepilogoPieno(),
                        QStringLiteral("Primaria"), QStringLiteral("Reggio nell'Emilia"),
                        QStringLiteral("3-9"), 1, 1, QStringLiteral("1-2-4-5-6-7-8-10-11-12"),
                        QString());
    return desktop.ultimo;
}

void BM_EsportaRiepilogo(benchmark::State& state) {
    riepilogoPieno();
    QTemporaryDir cartella;
    std::int64_t dimensione = 0;
    for (auto _ : state) {
        const QString file = esportaRiepilogo(cartella.path());
        state.PauseTiming();
        dimensione = QFileInfo(file).size();
        QFile::remove(file);
        state.ResumeTiming();
    }
    state.counters["MB_cartella"] = inMegabyte(dimensione);
}
BENCHMARK(BM_EsportaRiepilogo)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same cells in UTF-8, the amounts as numbers, and the same widths,
// prepared before the bare program runs.
struct CelleNude {
    std::vector<std::string> testi;  // kColonneRiepilogo - 1 per row, the amounts empty
    std::vector<double> importi;     // two per row
    std::vector<std::string> intestazioni;
    std::vector<double> larghezze;
};

const CelleNude& celleNude() {
    static const CelleNude celle = [] {
        CelleNude c;
        const TextGridModel& tabella = righePiene();
        const QLocale locale;
        std::vector<int> lunghezze(kColonneRiepilogo, 0);
        for (int col = 1; col < kColonneRiepilogo; ++col) {
            c.intestazioni.push_back(tabella.text(0, col).toStdString());
        }
        for (int r = 1; r <= kDomande; ++r) {
            for (int col = 1; col < kColonneRiepilogo; ++col) {
                const QString testo = tabella.text(r, col);
                lunghezze[col] = std::max(lunghezze[col], static_cast<int>(testo.size()));
                if (col >= 13) {
                    c.importi.push_back(locale.toDouble(testo));
                } else {
                    c.testi.push_back(testo.toStdString());
                }
            }
        }
        for (int col = 1; col < kColonneRiepilogo; ++col) {
            c.larghezze.push_back(lunghezze[col] * 1.1 + 1);
        }
        return c;
    }();
    return celle;
}

// The bare program: the prepared cells straight into libxlsxwriter.
void scriviNudo(const CelleNude& celle, const std::string& file) {
    lxw_workbook_options opzioni{};
    opzioni.constant_memory = LXW_TRUE;
    lxw_workbook* cartellaDiLavoro = workbook_new_opt(file.c_str(), &opzioni);
    lxw_worksheet* foglio = workbook_add_worksheet(cartellaDiLavoro, "Primaria");
    lxw_format* grassetto = workbook_add_format(cartellaDiLavoro);
    format_set_bold(grassetto);
    worksheet_write_string(foglio, 0, 0, "COMUNE DI: Reggio nell'Emilia", nullptr);
    worksheet_write_string(foglio, 1, 0, "SCUOLA Primaria", nullptr);
    worksheet_write_blank(foglio, 2, 0, grassetto);
    for (std::size_t c = 0; c < celle.intestazioni.size(); ++c) {
        worksheet_write_string(foglio, 2, static_cast<lxw_col_t>(c + 1),
                               celle.intestazioni[c].c_str(), grassetto);
    }
    std::size_t testo = 0;
    std::size_t importo = 0;
    for (lxw_row_t r = 0; r < static_cast<lxw_row_t>(kDomande); ++r) {
        for (lxw_col_t col = 1; col <= 12; ++col) {
            worksheet_write_string(foglio, r + 3, col, celle.testi[testo++].c_str(), nullptr);
        }
        worksheet_write_number(foglio, r + 3, 13, celle.importi[importo++], nullptr);
        worksheet_write_number(foglio, r + 3, 14, celle.importi[importo++], nullptr);
    }
    for (std::size_t c = 0; c < celle.larghezze.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c + 1);
        worksheet_set_column(foglio, col, col, celle.larghezze[c], nullptr);
    }
    if (workbook_close(cartellaDiLavoro) != LXW_NO_ERROR) {
        std::abort();
    }
}

void BM_LibxlsxwriterNudo(benchmark::State& state) {
    const CelleNude& celle = celleNude();
    QTemporaryDir cartella;
    const std::string file = QDir(cartella.path()).filePath("nudo.xlsx").toStdString();
    std::int64_t dimensione = 0;
    for (auto _ : state) {
        scriviNudo(celle, file);
        state.PauseTiming();
        dimensione = QFileInfo(QString::fromStdString(file)).size();
        std::remove(file.c_str());
        state.ResumeTiming();
    }
    state.counters["MB_cartella"] = inMegabyte(dimensione);
}
BENCHMARK(BM_LibxlsxwriterNudo)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication applicazione(argc, argv);
    celleNude();
    // --memoria=esporta or --memoria=nudo: the memory one export adds,
    // measured alone in this process.
    QTemporaryDir cartella;
    if (argc == 2 && std::strcmp(argv[1], "--memoria=esporta") == 0) {
        return misuraMemoria("esporta", [&] { esportaRiepilogo(cartella.path()); });
    }
    if (argc == 2 && std::strcmp(argv[1], "--memoria=nudo") == 0) {
        const std::string file = QDir(cartella.path()).filePath("nudo.xlsx").toStdString();
        return misuraMemoria("libxlsxwriter nudo", [&] { scriviNudo(celleNude(), file); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
