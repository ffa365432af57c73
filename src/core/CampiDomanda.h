#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The fields of an application: 18 texts (nine of the requester, suffix
// Rich, nine of the student, suffix Stud) and the two amounts, listed in the
// entry screen's tab order. The amounts come last.
enum class Campo {
    CognRich,
    NomeRich,
    LuogoRich,
    DataRich,
    CodFiscRich,
    ComRich,
    CapRich,
    ViaRich,
    NumRich,
    CognStud,
    NomeStud,
    LuogoStud,
    DataStud,
    CodFiscStud,
    ComStud,
    CapStud,
    ViaStud,
    NumStud,
    Spese,
    Isee,
};

inline constexpr int kNumeroCampi = 20;
inline constexpr int kNumeroTesti = 18;
inline constexpr int kNumeroImporti = kNumeroCampi - kNumeroTesti;
inline constexpr int kLunghezzaRecord = 418;

// Where record nRecord (from 1) starts in a list file.
constexpr std::int64_t OffsetDelRecord(std::int32_t nRecord) {
    return static_cast<std::int64_t>(nRecord - 1) * kLunghezzaRecord;
}

enum class TipoCampo {
    Testo,
    // Ten characters "dd/mm/yyyy", typed into a masked box and stored as shown.
    Data,
    // Euro, typed with "." as the decimal separator, stored as binary32.
    Importo,
};

enum class Persona { Richiedente, Studente, Nessuna };

struct DescrizioneCampo {
    Campo campo;
    TipoCampo tipo;
    Persona persona;
    // Where the field lives in the 418-byte record, and how many bytes it
    // takes there (a text takes one byte per character).
    int offset;
    int larghezza;
    // The entry-screen box that shows the field, and what a screen reader
    // announces for it (also the name that messages about the box use).
    const char* casella;
    const char16_t* nome;
    // The summary column that shows the field; fields sharing a column are
    // joined in the order of this table.
    int colonnaRiepilogo;
};

namespace tabella_campi {

using enum TipoCampo;
using enum Persona;

// Every field once, in tab order. The record's order differs: in each person
// block the street and house number come before the postcode.
inline constexpr std::array<DescrizioneCampo, kNumeroCampi> kCampi{{
    {Campo::CognRich, Testo, Richiedente, 0, 30, "TxtCognRich", u"Cognome del richiedente", 1},
    {Campo::NomeRich, Testo, Richiedente, 30, 30, "TxtNomeRich", u"Nome del richiedente", 1},
    {Campo::LuogoRich, Testo, Richiedente, 60, 30, "TxtLuogoRich",
     u"Luogo di nascita del richiedente", 2},
    {Campo::DataRich, Data, Richiedente, 90, 10, "MskDataRich", u"Data di nascita del richiedente",
     3},
    {Campo::CodFiscRich, Testo, Richiedente, 100, 16, "TxtCodFiscRich",
     u"Codice fiscale del richiedente", 4},
    {Campo::ComRich, Testo, Richiedente, 116, 30, "TxtComRich",
     u"Comune di residenza del richiedente", 6},
    {Campo::CapRich, Testo, Richiedente, 200, 5, "TxtCapRich", u"CAP del richiedente", 6},
    {Campo::ViaRich, Testo, Richiedente, 146, 50, "TxtViaRich", u"Via o piazza del richiedente", 5},
    {Campo::NumRich, Testo, Richiedente, 196, 4, "TxtNumRich", u"Numero civico del richiedente", 5},
    {Campo::CognStud, Testo, Studente, 205, 30, "TxtCognStud", u"Cognome dello studente", 7},
    {Campo::NomeStud, Testo, Studente, 235, 30, "TxtnomeStud", u"Nome dello studente", 7},
    {Campo::LuogoStud, Testo, Studente, 265, 30, "TxtLuogoStud", u"Luogo di nascita dello studente",
     8},
    {Campo::DataStud, Data, Studente, 295, 10, "MskDataStud", u"Data di nascita dello studente", 9},
    {Campo::CodFiscStud, Testo, Studente, 305, 16, "TxtCodFiscStud1",
     u"Codice fiscale dello studente", 10},
    {Campo::ComStud, Testo, Studente, 321, 30, "TxtComStud", u"Comune di residenza dello studente",
     12},
    {Campo::CapStud, Testo, Studente, 405, 5, "TxtCapStud", u"CAP dello studente", 12},
    {Campo::ViaStud, Testo, Studente, 351, 50, "TxtViaStud", u"Via o piazza dello studente", 11},
    {Campo::NumStud, Testo, Studente, 401, 4, "TxtNumStud", u"Numero civico dello studente", 11},
    {Campo::Spese, Importo, Nessuna, 410, 4, "TxtSpese", u"Spese sostenute in euro", 13},
    {Campo::Isee, Importo, Nessuna, 414, 4, "TxtIsee", u"ISEE in euro", 14},
}};

}  // namespace tabella_campi

using tabella_campi::kCampi;

constexpr const DescrizioneCampo& Descrizione(Campo campo) {
    return kCampi[static_cast<std::size_t>(campo)];
}

// The fields that a summary column shows, in the order they are joined
// (none for column 0, the record number).
std::span<const Campo> CampiDellaColonna(int colonna);

namespace dettaglio {

// Each entry stands at its field's place, the texts before the amounts, and
// the fields cover the record exactly once, with no gap.
constexpr bool tabellaCoerente() {
    std::array<int, kLunghezzaRecord> occupato{};
    for (std::size_t i = 0; i < kCampi.size(); ++i) {
        const DescrizioneCampo& d = kCampi[i];
        if (static_cast<std::size_t>(d.campo) != i ||
            (d.tipo == TipoCampo::Importo) != (i >= static_cast<std::size_t>(kNumeroTesti)) ||
            d.offset + d.larghezza > kLunghezzaRecord) {
            return false;
        }
        for (int byte = d.offset; byte < d.offset + d.larghezza; ++byte) {
            ++occupato[static_cast<std::size_t>(byte)];
        }
    }
    for (int volte : occupato) {
        if (volte != 1) {
            return false;
        }
    }
    return true;
}

}  // namespace dettaglio

static_assert(dettaglio::tabellaCoerente());
