#include "DatiDomanda.h"

#include "Windows1252.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "amounts are copied as little-endian binary32");

namespace {

constexpr std::size_t kLunghezzaImporto = sizeof(float);

bool eImporto(const DescrizioneCampo& campo) {
    return campo.tipo == TipoCampo::Importo;
}

// Zeroes an amount of which only some bytes were read.
void azzeraImportoTroncato(char* record, std::size_t lunghezzaLetta,
                           const DescrizioneCampo& campo) {
    const auto inizio = static_cast<std::size_t>(campo.offset);
    if (lunghezzaLetta > inizio && lunghezzaLetta < inizio + kLunghezzaImporto) {
        std::memset(record + inizio, 0, kLunghezzaImporto);
    }
}

DatiDomanda decodificaCompleto(const char* bytes) {
    DatiDomanda domanda;
    for (const DescrizioneCampo& campo : kCampi) {
        if (eImporto(campo)) {
            domanda.importo(campo.campo) = ImportoDelRecord(bytes, campo.campo);
        } else {
            domanda[campo.campo] = TestoDelRecord(bytes, campo.campo);
        }
    }
    return domanda;
}

}  // namespace

DatiDomanda AzzeraRecord() {
    return decodificaCompleto(RecordVuoto().constData());
}

QByteArray CodificaDomanda(const DatiDomanda& domanda) {
    QByteArray record = RecordVuoto();
    for (const DescrizioneCampo& campo : kCampi) {
        char* destinazione = record.data() + campo.offset;
        if (eImporto(campo)) {
            const float importo = domanda.importo(campo.campo);
            std::memcpy(destinazione, &importo, kLunghezzaImporto);
            continue;
        }
        const QByteArray testo = Windows1252::Codifica(domanda[campo.campo]);
        std::memcpy(destinazione, testo.constData(),
                    std::min<qsizetype>(testo.size(), campo.larghezza));
    }
    return record;
}

QString TestoDelRecord(const char* record, Campo campo) {
    const DescrizioneCampo& descrizione = Descrizione(campo);
    return Windows1252::Decodifica(record + descrizione.offset, descrizione.larghezza);
}

float ImportoDelRecord(const char* record, Campo campo) {
    float importo = 0.0f;
    std::memcpy(&importo, record + Descrizione(campo).offset, kLunghezzaImporto);
    return importo;
}

QByteArray CompletaRecord(const char* bytes, std::size_t lunghezza) {
    QByteArray record = RecordVuoto();
    const std::size_t presenti = std::min<std::size_t>(lunghezza, kLunghezzaRecord);
    std::memcpy(record.data(), bytes, presenti);
    for (const DescrizioneCampo& campo : kCampi) {
        if (eImporto(campo)) {
            azzeraImportoTroncato(record.data(), presenti, campo);
        }
    }
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
        for (const DescrizioneCampo& campo : kCampi) {
            if (!eImporto(campo)) {
                std::memset(record.data() + campo.offset, ' ', campo.larghezza);
            }
        }
        return record;
    }();
    return vuoto;
}
