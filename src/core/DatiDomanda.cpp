#include "DatiDomanda.h"

#include "Windows1252.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "amounts are copied as little-endian binary32");

const std::array<CampoTesto, 18> kCampiTesto = {{
    {"CognRich", &DatiDomanda::CognRich, 30, 0},
    {"NomeRich", &DatiDomanda::NomeRich, 30, 30},
    {"LuogoRich", &DatiDomanda::LuogoRich, 30, 60},
    {"DataRich", &DatiDomanda::DataRich, 10, 90},
    {"CodFiscRich", &DatiDomanda::CodFiscRich, 16, 100},
    {"ComRich", &DatiDomanda::ComRich, 30, 116},
    {"ViaRich", &DatiDomanda::ViaRich, 50, 146},
    {"NumRich", &DatiDomanda::NumRich, 4, 196},
    {"CapRich", &DatiDomanda::CapRich, 5, 200},
    {"CognStud", &DatiDomanda::CognStud, 30, 205},
    {"NomeStud", &DatiDomanda::NomeStud, 30, 235},
    {"LuogoStud", &DatiDomanda::LuogoStud, 30, 265},
    {"DataStud", &DatiDomanda::DataStud, 10, 295},
    {"CodFiscStud", &DatiDomanda::CodFiscStud, 16, 305},
    {"ComStud", &DatiDomanda::ComStud, 30, 321},
    {"ViaStud", &DatiDomanda::ViaStud, 50, 351},
    {"NumStud", &DatiDomanda::NumStud, 4, 401},
    {"CapStud", &DatiDomanda::CapStud, 5, 405},
}};

namespace {

constexpr int kLunghezzaImporto = 4;

void scriviImporto(char* destinazione, float importo) {
    std::memcpy(destinazione, &importo, kLunghezzaImporto);
}

float leggiImporto(const char* origine) {
    float importo = 0.0f;
    std::memcpy(&importo, origine, kLunghezzaImporto);
    return importo;
}

// Zeroes an amount of which only some bytes were read.
void azzeraImportoTroncato(char* record, std::size_t lunghezzaLetta, int offsetImporto) {
    const auto inizio = static_cast<std::size_t>(offsetImporto);
    if (lunghezzaLetta > inizio && lunghezzaLetta < inizio + kLunghezzaImporto) {
        std::memset(record + offsetImporto, 0, kLunghezzaImporto);
    }
}

DatiDomanda decodificaCompleto(const char* bytes) {
    DatiDomanda domanda;
    for (const CampoTesto& campo : kCampiTesto) {
        domanda.*campo.membro = Windows1252::Decodifica(bytes + campo.offset, campo.larghezza);
    }
    domanda.Spese = leggiImporto(bytes + kOffsetSpese);
    domanda.Isee = leggiImporto(bytes + kOffsetIsee);
    return domanda;
}

}  // namespace

DatiDomanda AzzeraRecord() {
    return decodificaCompleto(RecordVuoto().constData());
}

QByteArray CodificaDomanda(const DatiDomanda& domanda) {
    QByteArray record = RecordVuoto();
    char* destinazione = record.data();
    for (const CampoTesto& campo : kCampiTesto) {
        const QByteArray testo = Windows1252::Codifica(domanda.*campo.membro);
        const auto quanti = std::min<qsizetype>(testo.size(), campo.larghezza);
        std::memcpy(destinazione + campo.offset, testo.constData(), quanti);
    }
    scriviImporto(destinazione + kOffsetSpese, domanda.Spese);
    scriviImporto(destinazione + kOffsetIsee, domanda.Isee);
    return record;
}

QByteArray CompletaRecord(const char* bytes, std::size_t lunghezza) {
    QByteArray record = RecordVuoto();
    const std::size_t presenti = std::min<std::size_t>(lunghezza, kLunghezzaRecord);
    std::memcpy(record.data(), bytes, presenti);
    azzeraImportoTroncato(record.data(), presenti, kOffsetSpese);
    azzeraImportoTroncato(record.data(), presenti, kOffsetIsee);
    return record;
}

DatiDomanda DecodificaDomanda(const char* bytes, std::size_t lunghezza) {
    if (lunghezza >= kLunghezzaRecord) {
        return decodificaCompleto(bytes);
    }
    return decodificaCompleto(CompletaRecord(bytes, lunghezza).constData());
}

const QByteArray& RecordVuoto() {
    static const QByteArray vuoto = [] {
        QByteArray record(kLunghezzaRecord, '\0');
        std::memset(record.data(), ' ', kOffsetSpese);
        return record;
    }();
    return vuoto;
}
