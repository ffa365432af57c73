#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

// One application for a study grant: the requester (suffix Rich), the
// student (suffix Stud) and two amounts in euro. Text fields hold exactly
// their width in characters once read from a list file (trailing blanks
// included); anything shorter is padded and anything longer is cut when the
// record is encoded.
struct DatiDomanda {
    QString CognRich, NomeRich, LuogoRich, DataRich, CodFiscRich;
    QString ComRich, ViaRich, NumRich, CapRich;
    QString CognStud, NomeStud, LuogoStud, DataStud, CodFiscStud;
    QString ComStud, ViaStud, NumStud, CapStud;
    float Spese = 0.0f;
    float Isee = 0.0f;

    bool operator==(const DatiDomanda&) const = default;
};

// Where each text field lives inside the 418-byte record on disk.
struct CampoTesto {
    const char* nome;
    QString DatiDomanda::*membro;
    int larghezza;
    int offset;
};

inline constexpr int kLunghezzaRecord = 418;
inline constexpr int kOffsetSpese = 410;
inline constexpr int kOffsetIsee = 414;

// The 18 text fields in file order (which is not the order of the screen:
// the street and house number come before the postcode).
extern const std::array<CampoTesto, 18> kCampiTesto;

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

// The 418 bytes of a record of which only the first lunghezza bytes exist
// (the cut last record of a file): the missing text bytes are blanks, and an
// amount that is cut is 0 as a whole, so that the image decodes exactly as
// DecodificaDomanda reads the short buffer.
QByteArray CompletaRecord(const char* bytes, std::size_t lunghezza);

// The bytes of a blank record (0x20 over the text, 0 over the amounts); the
// gap left by a write past the end of a file is filled from this image.
const QByteArray& RecordVuoto();
