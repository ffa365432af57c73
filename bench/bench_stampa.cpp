// Saving the printout of a full list (32,767 applications, about 820 pages)
// as a PDF, against a bare QPdfWriter loop that draws the same rows as
// prepared strings in the same places in the same run; and Qt's print
// preview of the same list, timed until it appears.

#include "DomandeDiProva.h"
#include "MemoriaResidente.h"
#include "RiepilogoPieno.h"
#include "TextGridView.h"
#include "summary/ImpaginazioneRiepilogo.h"
#include "summary/RigheRiepilogo.h"
#include "summary/StampaRiepilogo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::int32_t kDomande = kDomandePiene;

const StampaRiepilogo kStampa{QStringLiteral("Reggio.svz"), QStringLiteral("2025/2026"),
                              QDate(2026, 9, 1), QStringLiteral("Domande: 32767")};

bool sempre(int, int) {
    return true;
}

std::int64_t salvaPdf(const QString& percorso) {
    if (!kStampa.salvaPdf(percorso, riepilogoPieno(), sempre).value()) {
        std::abort();
    }
    return QFileInfo(percorso).size();
}

// Every text of the table, prepared before the bare loop runs.
const std::vector<QString>& testiPreparati() {
    static const std::vector<QString> testi = [] {
        std::vector<QString> tutti;
        std::vector<QString> riga;
        for (int r = 0; r <= kDomande; ++r) {
            riepilogoPieno().readRow(r, riga);
            tutti.insert(tutti.end(), riga.begin(), riga.end());
        }
        return tutti;
    }();
    return testi;
}

// The bare loop: the same font, pages and places, each text drawn as it is.
std::int64_t pdfNudo(const QString& percorso) {
    const std::vector<QString>& testi = testiPreparati();
    {
        QPdfWriter pdf(percorso);
        StampaRiepilogo::impostaPagine(pdf);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(6.5);
        QPainter painter(&pdf);
        painter.setFont(font);
        const QFontMetricsF metriche(font, &pdf);
        const ImpaginazioneRiepilogo imp(
            pdf.width(), pdf.height(), metriche.height() * 1.3, kDomande,
            [&](const QString& testo) { return metriche.horizontalAdvance(testo); });
        for (int pagina = 1; pagina <= imp.pagine(); ++pagina) {
            if (pagina > 1) {
                pdf.newPage();
            }
            int linea = ImpaginazioneRiepilogo::kRigheIntestazione;
            for (int r = imp.primaRiga(pagina); r <= imp.ultimaRiga(pagina); ++r, ++linea) {
                for (int c = 0; c < kColonneRiepilogo; ++c) {
                    painter.drawText(QPointF(imp.sinistra(c), imp.cima(linea + 1)),
                                     testi[static_cast<std::size_t>(r) * kColonneRiepilogo + c]);
                }
            }
            painter.drawText(QPointF(pdf.width() / 2.0, imp.piede()),
                             PaginaDi(pagina, imp.pagine()));
        }
    }
    return QFileInfo(percorso).size();
}

// Writes the PDF with `scrivi` in every iteration; counts the file's size.
void misuraPdf(benchmark::State& state, std::int64_t (*scrivi)(const QString&)) {
    QTemporaryDir cartella;
    std::int64_t dimensione = 0;
    for (auto _ : state) {
        dimensione = scrivi(cartella.filePath(QStringLiteral("stampa.pdf")));
    }
    state.counters["MB_pdf"] = inMegabyte(dimensione);
}

void BM_StampaPdf(benchmark::State& state) {
    riepilogoPieno();
    misuraPdf(state, salvaPdf);
}
BENCHMARK(BM_StampaPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PdfWriterNudo(benchmark::State& state) {
    testiPreparati();
    misuraPdf(state, pdfNudo);
}
BENCHMARK(BM_PdfWriterNudo)->Unit(benchmark::kMillisecond)->Iterations(3);

// Qt's preview lays out every page before it shows the first.
void anteprima() {
    QPrinter stampante(QPrinter::HighResolution);
    StampaRiepilogo::impostaPagine(stampante);
    QPrintPreviewDialog dialogo(&stampante);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, [](QPrinter* dispositivo) {
        kStampa.disegna(*dispositivo, riepilogoPieno(), sempre);
    });
    dialogo.show();
    QApplication::processEvents();
}

void BM_AnteprimaStampa(benchmark::State& state) {
    riepilogoPieno();
    for (auto _ : state) {
        anteprima();
    }
}
BENCHMARK(BM_AnteprimaStampa)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication applicazione(argc, argv);
    riepilogoPieno();
    testiPreparati();
    // --memoria=stampa, --memoria=nudo or --memoria=anteprima: the memory
    // one printout adds, measured alone in this process.
    QTemporaryDir cartella;
    const QString pdf = cartella.filePath(QStringLiteral("stampa.pdf"));
    if (argc == 2 && std::strcmp(argv[1], "--memoria=stampa") == 0) {
        return misuraMemoria("stampa", [&] { salvaPdf(pdf); });
    }
    if (argc == 2 && std::strcmp(argv[1], "--memoria=nudo") == 0) {
        return misuraMemoria("QPdfWriter nudo", [&] { pdfNudo(pdf); });
    }
    if (argc == 2 && std::strcmp(argv[1], "--memoria=anteprima") == 0) {
        return misuraMemoria("anteprima", [&] { anteprima(); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
