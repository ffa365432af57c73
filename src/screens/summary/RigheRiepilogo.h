#pragma once

#include "ImpaginazioneRiepilogo.h"
#include "RigaRiepilogo.h"
#include "TextGridModel.h"

#include <QByteArray>

// The rows of the summary table: the records of the list as they were read,
// row r showing record r. A row's texts are made from its record only when a
// view or a reader asks for them. Rows are only appended, or all dropped.
class RigheRiepilogo : public TextGridModel {
    Q_OBJECT

public:
    explicit RigheRiepilogo(QObject* parent = nullptr);

    // Appends 418-byte records as the next rows (whole records only).
    void aggiungi(const QByteArray& records);
    // Drops every row and empties the header texts.
    void svuota();

    // The number of rows and the sum of their stored expenses, in Italian
    // form: "Domande: 3 — Spese sostenute: € 1.250,50".
    QString totali() const;

    // Row `row` as printed (row 0: the headers): the amounts as money.
    void readPrintedRow(int row, std::vector<QString>& texts) const;

    SortKey sortKey(int row, int col) const override;

protected:
    int dataRows() const override { return static_cast<int>(records_.size() / kLunghezzaRecord); }
    void readDataRow(int row, std::vector<QString>& texts) const override;

private:
    DatiDomanda domanda(int row) const;

    RigaRiepilogo riga_;
    QByteArray records_;
    double totaleSpese_ = 0.0;
};

class TextGridView;

// The summary as printed: its rows in the order the view shows them, the
// amounts as money against the right edge of their columns.
class RiepilogoInStampa final : public TabellaStampa {
public:
    RiepilogoInStampa(const TextGridView& vista, const RigheRiepilogo& righe)
        : vista_(vista), righe_(righe) {}

    int righe() const override { return righe_.Rows() - 1; }
    int colonne() const override { return kColonneRiepilogo; }
    void leggi(int riga, std::vector<QString>& testi) const override;
    bool aDestra(int col) const override { return ColonnaDiImporti(col); }

private:
    const TextGridView& vista_;
    const RigheRiepilogo& righe_;
};
