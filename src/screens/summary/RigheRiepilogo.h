#pragma once

#include "FiltroRiepilogo.h"
#include "ImpaginazioneRiepilogo.h"
#include "RigaRiepilogo.h"
#include "TextGridModel.h"

#include <QByteArray>

// The rows of the summary table: the records of the list as they were read,
// row r showing record r. A row's texts are made from its record only when a
// view or a reader asks for them. Rows are only appended, or all dropped;
// views show those that meet the filter's criteria.
class RigheRiepilogo : public TextGridModel {
    Q_OBJECT

public:
    explicit RigheRiepilogo(QObject* parent = nullptr);

    // Appends 418-byte records as the next rows (whole records only).
    void aggiungi(const QByteArray& records);
    // Drops every row and empties the header texts.
    void svuota();

    // Shows only the rows that meet the criteria, the rows appended later
    // too; all rows when none is set.
    void filtra(CriteriRiepilogo criteri);
    const FiltroRiepilogo& filtro() const { return filtro_; }

    // The number of rows shown and the sum of their stored expenses, in
    // Italian form: "Domande: 3 — Spese sostenute: € 1.250,50", or "Domande:
    // 120 di 3.400 — …" while a filter is set.
    QString totali() const;

    // Row `row` as printed (row 0: the headers): the amounts as money.
    void readPrintedRow(int row, std::vector<QString>& texts) const;

    SortKey sortKey(int row, int col) const override;
    bool rowShown(int row) const override { return filtro_.mostrata(row - 1); }

protected:
    int dataRows() const override { return static_cast<int>(records_.size() / kLunghezzaRecord); }
    void readDataRow(int row, std::vector<QString>& texts) const override;

private:
    DatiDomanda domanda(int row) const;

    RigaRiepilogo riga_;
    QByteArray records_;
    FiltroRiepilogo filtro_;
};

class TextGridView;

// The summary as printed: the rows the view shows, in its order, the amounts
// as money against the right edge of their columns.
class RiepilogoInStampa final : public TabellaStampa {
public:
    RiepilogoInStampa(const TextGridView& vista, const RigheRiepilogo& righe)
        : vista_(vista), righe_(righe) {}

    int righe() const override;
    int colonne() const override { return kColonneRiepilogo; }
    void leggi(int riga, std::vector<QString>& testi) const override;
    bool aDestra(int col) const override { return TipoDellaColonna(col) == TipoColonna::Importo; }

private:
    const TextGridView& vista_;
    const RigheRiepilogo& righe_;
};
