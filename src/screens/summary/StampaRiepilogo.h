#pragma once

#include "Result.h"

#include <QDate>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class TextGrid;

// The printed summary: A4 landscape pages, each headed by the list's file
// name, the school year and the date of printing, then the columns' header
// row and whole table rows, long texts cut with an ellipsis, and "Pagina n
// di m" at the foot; the totals follow the last row.
struct StampaRiepilogo {
    QString file;    // the list's file name, without its folder
    QString anno;    // the school year; left out when empty
    QDate data;      // the day of printing
    QString totali;  // the totals line

    // The heading of every page.
    QString intestazione() const;

    // Told the page about to be drawn and the number of pages; false stops
    // the drawing.
    using Avanzamento = std::function<bool(int pagina, int pagine)>;

    // Sets the device's pages to A4 landscape with their margins.
    static void impostaPagine(QPagedPaintDevice& dispositivo);
    // Draws rows 1 to Rows() - 1 of the table in their order onto the
    // device's pages; false when the drawing was stopped.
    bool disegna(QPagedPaintDevice& dispositivo, const TextGrid& tabella,
                 const Avanzamento& avanzamento) const;
    // Writes the printout as a PDF file; true when it was written, false
    // when the drawing was stopped (no file is left then).
    Result<bool> salvaPdf(const QString& percorso, const TextGrid& tabella,
                          const Avanzamento& avanzamento) const;
};
