#pragma once

#include "CampiDomanda.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

// One application for a study grant: the 18 texts and the two amounts in
// euro of the field table, each reached by its field. Texts hold exactly
// their width in characters once read from a list file (trailing blanks
// included); anything shorter is padded and anything longer is cut when the
// record is encoded.
struct DatiDomanda {
    std::array<QString, kNumeroTesti> testi;
    std::array<float, kNumeroImporti> importi{};

    QString& operator[](Campo campo) { return testi.at(static_cast<std::size_t>(campo)); }
    const QString& operator[](Campo campo) const {
        return testi.at(static_cast<std::size_t>(campo));
    }
    float& importo(Campo campo) { return importi.at(indiceImporto(campo)); }
    float importo(Campo campo) const { return importi.at(indiceImporto(campo)); }

    bool operator==(const DatiDomanda&) const = default;

private:
    static std::size_t indiceImporto(Campo campo) {
        return static_cast<std::size_t>(campo) - kNumeroTesti;
    }
};

// AzzeraRecord: every text field blank at full width, both amounts 0.
DatiDomanda AzzeraRecord();

// The 418 bytes of a record: Windows-1252 text padded with blanks and cut at
// each width, amounts as little-endian IEEE 754 binary32. Characters that
// Windows-1252 cannot hold must be refused before a record is encoded (see
// Windows1252.h); here they would become "?".
QByteArray CodificaDomanda(const DatiDomanda& domanda);

// Decodes up to 418 bytes. A shorter buffer (the cut last record of a file
// whose length is not a multiple of 418) reads as if the missing bytes were
// blanks for the text fields; an amount that is cut reads as 0.
DatiDomanda DecodificaDomanda(const char* bytes, std::size_t lunghezza);

// One field of a whole 418-byte record, decoded on its own: a text at its
// full width, trailing blanks included, or an amount.
QString TestoDelRecord(const char* record, Campo campo);
float ImportoDelRecord(const char* record, Campo campo);

// The 418 bytes of a record of which only the first lunghezza bytes exist
// (the cut last record of a file): the missing text bytes are blanks, and an
// amount that is cut is 0 as a whole, so that the image decodes exactly as
// DecodificaDomanda reads the short buffer.
QByteArray CompletaRecord(const char* bytes, std::size_t lunghezza);

// The bytes of a blank record (0x20 over the text, 0 over the amounts); the
// gap left by a write past the end of a file is filled from this image.
const QByteArray& RecordVuoto();
