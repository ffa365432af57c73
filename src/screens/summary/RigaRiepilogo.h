#pragma once

#include "DatiDomanda.h"

#include <QLocale>
#include <QString>

#include <vector>

#include <array>

// The summary table's 15 columns: record number, requester (name, place and
// date of birth, codice fiscale, address, municipality and postcode), the
// same for the student, then the two amounts.
inline constexpr int kColonneRiepilogo = 15;

struct ColonnaRiepilogo {
    const char16_t* intestazione;
    int larghezza;  // twips
};

inline constexpr std::array<ColonnaRiepilogo, kColonneRiepilogo> kColonneTabella{{
    {u"Num. ", 500},
    {u"Cognome e Nome del Richiedente ", 3300},
    {u"Luogo di nascita", 3300},
    {u"Data di nascita", 1000},
    {u"Codice Fiscale", 2000},
    {u"Indirizzo, Num. Civico", 3300},
    {u"Comune di Residenza - CAP", 3300},
    {u"Cognome e Nome dello Studente", 3300},
    {u"Luogo di nascita", 3300},
    {u"Data di nascita", 1000},
    {u"Codice Fiscale", 2000},
    {u"Indirizzo, Num. Civico", 3300},
    {u"Comune di Residenza - CAP", 3300},
    {u"Spese Sostenute", 1500},
    {u"ISEE", 1500},
}};

inline QString IntestazioneRiepilogo(int col) {
    return QString::fromUtf16(kColonneTabella[static_cast<std::size_t>(col)].intestazione);
}

// Writes records as rows of the summary table, the amounts in the form of
// the given locale.
class RigaRiepilogo {
public:
    explicit RigaRiepilogo(const QLocale& locale);

    // An amount as the locale writes a single-precision number: shortest
    // form with at most 7 significant digits, the locale's decimal separator
    // and no thousands separator (99.5 is "99,5" under an Italian locale,
    // 250 is "250").
    QString importo(float valore) const;

    // Appends the 15 texts of the row showing record nRecord: trimmed fields,
    // joined with their separators also when a part is blank.
    void aggiungi(std::vector<QString>& cells, int nRecord, const DatiDomanda& domanda) const;

private:
    QLocale locale_;
};
