#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

// What a printout shows: the header texts (row 0) and the rows 1 to
// righe(), in the order printed, each with colonne() texts as printed.
class TabellaStampa {
public:
    virtual ~TabellaStampa() = default;

    virtual int righe() const = 0;
    virtual int colonne() const = 0;
    virtual void leggi(int riga, std::vector<QString>& testi) const = 0;
    // Whether the column holds amounts, which stand against its right edge.
    virtual bool aDestra(int col) const = 0;
};

// How wide a text is, in the units of the page: the sum of the widths of its
// characters.
using Misura = std::function<double(QStringView)>;

// The lines of a text in a column that wide: broken at blanks, which the
// lines do not begin or end with, a word wider than the column where it
// reaches the edge; none for a blank text.
std::vector<QStringView> DividiInRighe(QStringView testo, double larghezza, const Misura& misura);

// How the printed summary is laid out on its pages, in the units of the
// page. Every page has the heading, a blank line, the header band
// (as many lines as the longest header needs), whole rows, and the page
// number on its last line, a blank line above it; the totals take a blank
// line and a line after the last row, on a page of their own when the last
// page is full.
//
// Columns are as wide as they need: as wide as their longest text when the
// page allows, otherwise the same share of it for each, never narrower than
// the longest word of their header and their cells; only when not even the
// longest words fit are the widest columns narrowed, alike. A cell wider
// than its column wraps, and its row grows by as many lines.
class ImpaginazioneRiepilogo {
public:
    // The page's size, the distance between two lines of text, how wide a
    // text is in the font of the cells and in the bold one of the heading
    // and the headers; reads every row of the table.
    ImpaginazioneRiepilogo(double larghezza, double altezza, double interlinea,
                           const Misura& normale, const Misura& grassetto,
                           const QString& intestazione, const TabellaStampa& tabella);

    int colonne() const { return static_cast<int>(sinistre_.size()); }
    // The left edge and width of a column, and the room for text inside it:
    // its width less a blank on either side.
    double sinistra(int col) const { return sinistre_[static_cast<std::size_t>(col)]; }
    double larghezza(int col) const {
        return spazi_[static_cast<std::size_t>(col)] + 2 * margine();
    }
    double spazio(int col) const { return spazi_[static_cast<std::size_t>(col)]; }
    double margine() const { return altezzaRiga(1) / 4; }

    // The lines of a cell of that column: the text itself when it fits.
    void righe(int col, QStringView testo, std::vector<QStringView>& linee) const;
    void righeTitolo(int col, QStringView testo, std::vector<QStringView>& linee) const;

    // Vertical places: a row of n lines is n lines high plus a blank above
    // and below them (bordo); the first line's text begins after that blank.
    double interlinea() const { return interlinea_; }
    double bordo() const { return interlinea_ * 0.15; }
    double altezzaRiga(int linee) const { return linee * interlinea_ + 2 * bordo(); }
    // The heading's lines, across the whole page.
    const std::vector<QString>& intestazione() const { return intestazione_; }
    double cimaTitoli() const { return altezzaRiga(static_cast<int>(intestazione_.size()) + 1); }
    double cimaRighe() const { return cimaTitoli() + altezzaRiga(lineeTitoli_); }
    double piede() const { return altezza_ - altezzaRiga(1); }
    int lineeTitoli() const { return lineeTitoli_; }
    // The lines of row r (from 1).
    int linee(int riga) const { return linee_[static_cast<std::size_t>(riga - 1)]; }

    // The table rows (from 1) on page p (from 1): primaRiga to ultimaRiga,
    // none when ultimaRiga < primaRiga.
    int pagine() const { return static_cast<int>(inizi_.size()); }
    int primaRiga(int pagina) const { return inizi_[static_cast<std::size_t>(pagina - 1)]; }
    int ultimaRiga(int pagina) const;
    bool totaliSullaPagina(int pagina) const { return pagina == pagine(); }

private:
    void dimensionaColonne(double larghezza, const TabellaStampa& tabella);
    void impagina(const TabellaStampa& tabella);

    double altezza_;
    double interlinea_;
    Misura normale_;
    Misura grassetto_;
    std::vector<QString> intestazione_;
    std::vector<double> sinistre_;
    std::vector<double> spazi_;
    int lineeTitoli_ = 1;
    std::vector<std::uint8_t> linee_;
    std::vector<int> inizi_;
};

// "Pagina n di m".
QString PaginaDi(int pagina, int pagine);
