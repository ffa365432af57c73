#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// What the operator typed into the band above the summary table.
struct CriteriRiepilogo {
    QString cerca;  // words to find, in any order
    std::optional<float> iseeMassimo;
    std::optional<float> speseMinime;
};

// The limit an amount box sets: its text read as the entry screen reads an
// amount (digits with one comma or point); none when the box is blank or
// holds something that is not an amount.
std::optional<float> LimiteImporto(const QString& testo);
// Whether the box holds something that is not an amount.
bool NonImporto(const QString& testo);

// Which rows of the summary meet the criteria: every word typed is found in
// one of the row's text columns, whatever the case and the accents ("nicolo"
// finds "NICOLÒ"), the ISEE is at most its limit and the expenses at least
// theirs. The rows are the 418-byte records the summary holds, in order;
// their texts are folded once, when a word is first looked for, and kept.
class FiltroRiepilogo {
public:
    // New criteria, applied to every record.
    void imposta(CriteriRiepilogo criteri, const QByteArray& records);
    // Applies the criteria to the records appended since the last call.
    void segui(const QByteArray& records);
    // Forgets the rows; the criteria stay.
    void dimentica();

    bool attivo() const { return !parole_.empty() || criteri_.iseeMassimo || criteri_.speseMinime; }
    // Whether row `indice` (from 0) is shown.
    bool mostrata(int indice) const { return mostrate_[static_cast<std::size_t>(indice)]; }
    int mostrate() const { return nMostrate_; }
    // The sum of the expenses of the rows shown.
    double speseMostrate() const { return spese_; }

    // The criteria in words, as a printout states them: "Filtro: Cerca
    // "rossi", ISEE fino a € 15.493,71, Spese da € 500,00"; empty when none
    // is set.
    QString descrizione() const;

private:
    bool ammette(std::size_t indice, const char* record) const;
    void piega(const QByteArray& records, std::size_t fino);

    CriteriRiepilogo criteri_;
    std::vector<QByteArray> parole_;  // folded
    // The folded texts of the rows folded so far, one after another.
    QByteArray piegati_;
    std::vector<std::uint32_t> fini_;
    std::vector<bool> mostrate_;
    int nMostrate_ = 0;
    double spese_ = 0.0;
};
