// Storing one application with Successivo, from the press of the button to
// the screen cleared, on an empty list and on a list of 32,766 applications:
// the store writes one record at its number and never looks at the rest of
// the list, so both should take the same time.

#include "Program.h"
#include "ScriptedDialogs.h"
#include "wizard/FrmDatiAnagrafici.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

ModuloDomanda domanda() {
    ModuloDomanda modulo;
    modulo[Campo::CognRich] = modulo[Campo::CognStud] = QStringLiteral("rossi");
    modulo[Campo::NomeRich] = QStringLiteral("mario");
    modulo[Campo::NomeStud] = QStringLiteral("luca");
    modulo[Campo::LuogoRich] = modulo[Campo::LuogoStud] = modulo[Campo::ComRich] =
        modulo[Campo::ComStud] = QStringLiteral("roma");
    modulo[Campo::DataRich] = QStringLiteral("05/03/1970");
    modulo[Campo::DataStud] = QStringLiteral("29/02/2000");
    modulo[Campo::CodFiscRich] = QStringLiteral("RSSMRA70C05H501X");
    modulo[Campo::CodFiscStud] = QStringLiteral("RSSLCU00B69H501Y");
    modulo[Campo::CapRich] = modulo[Campo::CapStud] = QStringLiteral("00100");
    modulo[Campo::ViaRich] = modulo[Campo::ViaStud] = QStringLiteral("via dei mille");
    modulo[Campo::NumRich] = modulo[Campo::NumStud] = QStringLiteral("12");
    modulo[Campo::Spese] = QStringLiteral("1234.56");
    modulo[Campo::Isee] = QStringLiteral("5000");
    return modulo;
}

void registra(benchmark::State& state) {
    const auto domandeGiaPresenti = static_cast<std::int64_t>(state.range(0));
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("Elenco.svz"));
    const qint64 lunghezza = domandeGiaPresenti * kLunghezzaRecord;
    {
        QFile file(percorso);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(lunghezza)) {
            state.SkipWithError("the list cannot be prepared");
            return;
        }
    }
    ScriptedDialogs dialogs([](const QString& failure) {
        std::fprintf(stderr, "unexpected dialog: %s\n", qPrintable(failure));
        std::abort();
    });
    Module1 stato;
    FileElenco elenchi;
    Program program(dialogs, stato, elenchi);
    stato.sFileElenco = percorso;
    const ModuloDomanda modulo = domanda();
    FrmDatiAnagrafici* entry = nullptr;

    for (auto _ : state) {
        // A fresh entry screen on the list as it was, with the application
        // typed: the list never grows past its starting length.
        state.PauseTiming();
        if (entry != nullptr) {
            elenchi.ChiudiElenco(1);
            program.screens().unload(*entry);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QFile::resize(percorso, lunghezza);
        program.screens().show<FrmDatiAnagrafici>();
        entry = &program.screens().get<FrmDatiAnagrafici>();
        entry->ScriviModulo(modulo);
        auto* successivo = entry->findChild<QPushButton*>(QStringLiteral("CmdAvanti"));
        state.ResumeTiming();

        successivo->click();
    }
    if (!entry->LeggiModulo()[Campo::CognRich].isEmpty() ||
        QFile(percorso).size() != lunghezza + 418) {
        state.SkipWithError("the application was not stored");
    }
}

BENCHMARK(registra)->Arg(0)->Arg(32766)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
