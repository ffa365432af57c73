// Saving the printout of a full list (32,767 applications) as a PDF, against
// a bare QPdfWriter loop that draws the same lines of the same rows, prepared
// beforehand, in the same places on as many pages in the same run; and Qt's
// print preview of the first 1,000 to 32,767 rows, timed until it appears.

#include "DomandeDiProva.h"
#include "FileSystem.h"
#include "MemoriaResidente.h"
#include "RiepilogoPieno.h"
#include "TextGridView.h"
#include "summary/ImpaginazioneRiepilogo.h"
#include "summary/RigheRiepilogo.h"
#include "summary/StampaRiepilogo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr std::int32_t kDomande = kDomandePiene;

const StampaRiepilogo kStampa{QStringLiteral("Reggio.svz"), QStringLiteral("2025/2026"),
                              QDate(2026, 9, 1), QStringLiteral("Domande: 32767")};

bool sempre(int, int) {
    return true;
}

// The first rows of the full summary, as printed.
class PrimeRighe final : public TabellaStampa {
public:
    explicit PrimeRighe(int righe) : righe_(righe) {}
    int righe() const override { return righe_; }
    int colonne() const override { return tutte_.colonne(); }
    void leggi(int riga, std::vector<QString>& testi) const override { tutte_.leggi(riga, testi); }
    bool aDestra(int col) const override { return tutte_.aDestra(col); }

private:
    RiepilogoInStampa tutte_{riepilogoPieno(), righePiene()};
    int righe_;
};

std::int64_t salvaPdf(const QString& percorso) {
    if (!kStampa.salvaPdf(PosixFileSystem::instance(), percorso, PrimeRighe(kDomande), sempre)
             .value()) {
        std::abort();
    }
    return QFileInfo(percorso).size();
}

QFont fontStampa() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(6.5);
    font.setKerning(false);
    return font;
}

// Every line of text of the rows, where the printout draws it, page by page;
// prepared before the bare loop runs, with the printout's own layout.
struct Linea {
    QPointF punto;
    QString testo;
};
const std::vector<std::vector<Linea>>& lineePreparate() {
    static const std::vector<std::vector<Linea>> pagine = [] {
        QBuffer nessuno;
        nessuno.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&nessuno);
        StampaRiepilogo::impostaPagine(pdf);
        const QFontMetricsF metriche(fontStampa(), &pdf);
        auto larghezze = std::make_shared<std::array<double, 256>>();
        for (std::size_t c = 0; c < larghezze->size(); ++c) {
            (*larghezze)[c] = metriche.horizontalAdvance(QChar(static_cast<char16_t>(c)));
        }
        const Misura misura = [larghezze](QStringView testo) {
            double l = 0.0;
            for (const QChar c : testo) {
                l += (*larghezze)[c.unicode() & 0xff];
            }
            return l;
        };
        const PrimeRighe tabella(kDomande);
        const ImpaginazioneRiepilogo imp(pdf.width(), pdf.height(), metriche.lineSpacing(), misura,
                                         misura, kStampa.intestazione(), tabella);
        std::vector<std::vector<Linea>> tutte(static_cast<std::size_t>(imp.pagine()));
        std::vector<QString> testi;
        std::vector<QStringView> linee;
        for (int p = 1; p <= imp.pagine(); ++p) {
            double y = imp.cimaRighe() + imp.bordo() + metriche.ascent();
            for (int r = imp.primaRiga(p); r <= imp.ultimaRiga(p); ++r) {
                tabella.leggi(r, testi);
                for (int c = 0; c < imp.colonne(); ++c) {
                    imp.righe(c, testi[static_cast<std::size_t>(c)], linee);
                    for (std::size_t i = 0; i < linee.size(); ++i) {
                        tutte[static_cast<std::size_t>(p - 1)].push_back(
                            {QPointF(imp.sinistra(c) + imp.margine(), y + i * imp.interlinea()),
                             linee[i].toString()});
                    }
                }
                y += imp.altezzaRiga(imp.linee(r));
            }
            tutte[static_cast<std::size_t>(p - 1)].push_back(
                {QPointF(pdf.width() / 2.0, imp.piede()), PaginaDi(p, imp.pagine())});
        }
        return tutte;
    }();
    return pagine;
}

// The bare loop: the same font and pages, each prepared line drawn as it is.
std::int64_t pdfNudo(const QString& percorso) {
    const std::vector<std::vector<Linea>>& pagine = lineePreparate();
    {
        QPdfWriter pdf(percorso);
        StampaRiepilogo::impostaPagine(pdf);
        QPainter painter(&pdf);
        painter.setFont(fontStampa());
        for (std::size_t p = 0; p < pagine.size(); ++p) {
            if (p > 0) {
                pdf.newPage();
            }
            for (const Linea& linea : pagine[p]) {
                painter.drawText(linea.punto, linea.testo);
            }
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
    righePiene();
    misuraPdf(state, salvaPdf);
}
BENCHMARK(BM_StampaPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PdfWriterNudo(benchmark::State& state) {
    lineePreparate();
    misuraPdf(state, pdfNudo);
}
BENCHMARK(BM_PdfWriterNudo)->Unit(benchmark::kMillisecond)->Iterations(3);

// Qt's preview of the first rows lays out every page before it shows the
// first.
void anteprima(int righe) {
    const PrimeRighe tabella(righe);
    QPrinter stampante(QPrinter::HighResolution);
    StampaRiepilogo::impostaPagine(stampante);
    QPrintPreviewDialog dialogo(&stampante);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, [&](QPrinter* dispositivo) {
        kStampa.disegna(*dispositivo, tabella, sempre);
    });
    dialogo.show();
    QApplication::processEvents();
}

void BM_AnteprimaStampa(benchmark::State& state) {
    righePiene();
    for (auto _ : state) {
        anteprima(static_cast<int>(state.range(0)));
    }
}
BENCHMARK(BM_AnteprimaStampa)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Arg(kDomande)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication applicazione(argc, argv);
    righePiene();
    lineePreparate();
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
        return misuraMemoria("anteprima", [&] { anteprima(kDomande); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
