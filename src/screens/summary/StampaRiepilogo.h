#pragma once

#include "FileSystem.h"
#include "Result.h"

#include <QDate>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class TabellaStampa;

// The printed summary: A4 landscape pages, each headed by the list's file
// name, the school year, the date of printing and the filter, then the columns' header
// band and whole table rows, and "Pagina n di m" at the foot; the totals
// follow the last row. Every text is printed whole: one wider than its
// column wraps inside its cell. Amounts stand against the right edge of
// their columns.
struct StampaRiepilogo {
    QString file;         // the list's file name, without its folder
    QString anno;         // the school year; left out when empty
    QDate data;           // the day of printing
    QString totali;       // the totals line
    QString filtro = {};  // the filter in words; left out when empty

    // The heading of every page.
    QString intestazione() const;

    // Told the page about to be drawn and the number of pages; false stops
    // the drawing.
    using Avanzamento = std::function<bool(int pagina, int pagine)>;

    // Sets the device's pages to A4 landscape with their margins.
    static void impostaPagine(QPagedPaintDevice& dispositivo);
    // Draws the table onto the device's pages; false when the drawing was
    // stopped.
    bool disegna(QPagedPaintDevice& dispositivo, const TabellaStampa& tabella,
                 const Avanzamento& avanzamento) const;
    // Writes the printout as a PDF file at `percorso`, as SalvaDocumento
    // does: true when it is in place, false when the drawing was stopped and
    // whatever was at `percorso` stays.
    Result<bool> salvaPdf(FileSystem& fs, const QString& percorso, const TabellaStampa& tabella,
                          const Avanzamento& avanzamento) const;
};
