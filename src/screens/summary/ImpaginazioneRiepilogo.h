#pragma once

#include <QString>

#include <functional>
#include <vector>

// How the printed summary is laid out on its pages, in the units of the
// page: every page has the heading, the header row of the columns, whole
// rows of the table and the page number at its foot; the totals follow the
// last row, on a page of their own when the last page is full.
class ImpaginazioneRiepilogo {
public:
    // Measures a text in the units of the page.
    using Misura = std::function<double(const QString&)>;

    // The page's size, the height of a line of text, the number of rows and
    // how wide texts are.
    ImpaginazioneRiepilogo(double larghezza, double altezza, double altezzaRiga, int righe,
                           const Misura& misura);

    // Lines above the rows (the heading, a blank line and the header row,
    // two lines high so that long headers wrap) and below them (the foot);
    // the totals take two lines after the last row (a blank line and the
    // totals).
    static constexpr int kRigheIntestazione = 4;
    static constexpr int kRigheTitoliColonne = 2;
    static constexpr int kRighePiede = 2;
    static constexpr int kRigheTotali = 2;

    int righePerPagina() const { return righePerPagina_; }
    int pagine() const { return pagine_; }
    // The table rows (from 1) on page p (from 1): primaRiga to ultimaRiga,
    // none when ultimaRiga < primaRiga.
    int primaRiga(int pagina) const;
    int ultimaRiga(int pagina) const;
    bool totaliSullaPagina(int pagina) const { return pagina == pagine_; }

    // The summary's columns across the page width: the record number, the
    // dates, the codici fiscali and the amounts as wide as their longest
    // value, the other columns sharing the rest in proportion to their widths
    // on the screen. The left edge and width of each, and the blank kept on
    // either side of a text inside its column.
    double sinistra(int col) const { return sinistre_[static_cast<std::size_t>(col)]; }
    double larghezza(int col) const { return larghezze_[static_cast<std::size_t>(col)]; }
    double margine() const { return altezzaRiga_ / 4; }
    double altezzaRiga() const { return altezzaRiga_; }
    // Where line n of a page (from 0) begins, and where the foot begins.
    double cima(int riga) const { return riga * altezzaRiga_; }
    double piede() const { return altezza_ - altezzaRiga_; }

private:
    double altezza_;
    double altezzaRiga_;
    int righe_;
    int righePerPagina_;
    int pagine_;
    std::vector<double> sinistre_;
    std::vector<double> larghezze_;
};

// "Pagina n di m".
QString PaginaDi(int pagina, int pagine);
