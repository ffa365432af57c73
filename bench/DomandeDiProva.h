#pragma once

#include "DatiDomanda.h"
#include "FileElenco.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

// A full list for the benchmarks: 32,767 applications with every field
// filled as an office would fill it.
inline constexpr std::int32_t kDomandePiene = FileElenco::kMassimoDomande;

inline DatiDomanda domandaPiena(std::int32_t numero) {
    DatiDomanda d = AzzeraRecord();
    d[Campo::CognRich] = QStringLiteral("DELL'ACQUA %1").arg(numero);
    d[Campo::NomeRich] = QStringLiteral("MARIA LUISA");
    d[Campo::LuogoRich] = QStringLiteral("REGGIO NELL'EMILIA");
    d[Campo::DataRich] = QStringLiteral("05/03/1970");
    d[Campo::CodFiscRich] = QStringLiteral("DLLMLS70C45H223%1").arg(numero % 10);
    d[Campo::ComRich] = QStringLiteral("REGGIO NELL'EMILIA");
    d[Campo::ViaRich] = QStringLiteral("VIA DELLA REPUBBLICA");
    d[Campo::NumRich] = QString::number(numero % 200);
    d[Campo::CapRich] = QStringLiteral("42121");
    d[Campo::CognStud] = d[Campo::CognRich];
    d[Campo::NomeStud] = QStringLiteral("FRANCESCO");
    d[Campo::LuogoStud] = QStringLiteral("PARMA");
    d[Campo::DataStud] = QStringLiteral("25/05/2006");
    d[Campo::CodFiscStud] = QStringLiteral("DLLFNC06E25G337%1").arg(numero % 10);
    d[Campo::ComStud] = d[Campo::ComRich];
    d[Campo::ViaStud] = d[Campo::ViaRich];
    d[Campo::NumStud] = d[Campo::NumRich];
    d[Campo::CapStud] = d[Campo::CapRich];
    d.importo(Campo::Spese) = 100.0f + static_cast<float>(numero % 1000) + 0.5f;
    d.importo(Campo::Isee) = 12345.67f;
    return d;
}

// The full list as a file, written once per run in a folder removed at exit.
inline const QString& percorsoDomandePiene() {
    static QTemporaryDir cartella;
    static const QString percorso = [] {
        QByteArray contenuto;
        contenuto.reserve(std::int64_t{kDomandePiene} * kLunghezzaRecord);
        for (std::int32_t numero = 1; numero <= kDomandePiene; ++numero) {
            contenuto += CodificaDomanda(domandaPiena(numero));
        }
        const QString nome = cartella.filePath(QStringLiteral("pieno.svz"));
        QFile file(nome);
        if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size()) {
            std::abort();
        }
        return nome;
    }();
    return percorso;
}
