#pragma once

#include "CampiDomanda.h"

#include <QString>

#include <array>

// The summary table's columns: record number, requester (name, place and
// date of birth, codice fiscale, address, municipality and postcode), the
// same for the student, then the two amounts. Which fields each column
// shows is told by the field table (CampiDellaColonna); everything else
// about a column is here, and the screen, the export and the printout read
// their columns from this one table.
struct ColonnaRiepilogo {
    const char16_t* intestazione;
    int larghezza;  // twips
    // What stands between the fields of a column that joins two.
    const char* separatore = "";
};

inline constexpr std::array<ColonnaRiepilogo, 15> kColonneTabella{{
    {u"Num. ", 500},
    {u"Cognome e Nome del Richiedente ", 3300, " "},
    {u"Luogo di nascita", 3300},
    {u"Data di nascita", 1000},
    {u"Codice Fiscale", 2000},
    {u"Indirizzo, Num. Civico", 3300, ", "},
    {u"Comune di Residenza - CAP", 3300, " - "},
    {u"Cognome e Nome dello Studente", 3300, " "},
    {u"Luogo di nascita", 3300},
    {u"Data di nascita", 1000},
    {u"Codice Fiscale", 2000},
    {u"Indirizzo, Num. Civico", 3300, ", "},
    {u"Comune di Residenza - CAP", 3300, " - "},
    {u"Spese Sostenute", 1500},
    {u"ISEE", 1500},
}};

inline constexpr int kColonneRiepilogo = static_cast<int>(kColonneTabella.size());

// What a column shows: the record number, texts (a field or two joined), a
// date as stored, or an amount.
enum class TipoColonna { Numero, Testo, Data, Importo };

// The kind of a column, from the fields it shows.
constexpr TipoColonna TipoDellaColonna(int col) {
    int campi = 0;
    TipoCampo tipo = TipoCampo::Testo;
    for (const DescrizioneCampo& campo : kCampi) {
        if (campo.colonnaRiepilogo == col) {
            ++campi;
            tipo = campo.tipo;
        }
    }
    if (campi == 0) {
        return TipoColonna::Numero;
    }
    if (campi > 1 || tipo == TipoCampo::Testo) {
        return TipoColonna::Testo;
    }
    return tipo == TipoCampo::Data ? TipoColonna::Data : TipoColonna::Importo;
}

QString IntestazioneRiepilogo(int col);
QLatin1StringView SeparatoreRiepilogo(int col);

// The columns of that kind joined by "-", as the export takes its column
// lists ("3-9" for the dates).
QString ColonneDelTipo(TipoColonna tipo);
