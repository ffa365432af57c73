#include "LarghezzaColonne.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr double kPixelCifra = 7.0;
constexpr double kMarginePixel = 7.0;
constexpr double kFattoreGrassetto = 1.1;

// Widths, in pixels, of the characters of the spreadsheet's default font at
// its default size (11 points on a screen of 96 dots per inch), grouped by
// width; any other character is as wide as a digit, the width unit of a column.
struct Gruppo {
    std::u16string_view caratteri;
    int pixel;
};
constexpr std::array kGruppi{
    Gruppo{u" 'ijlìíîï¹", 3},
    Gruppo{u"(),-.:;IJ[]`f{}ÌÍÎÏ´·¸", 4},
    Gruppo{u"!/\\rst¡°²³\u00AD", 5},
    Gruppo{u"\"?FLSckvxyz|çýÿ¨ª¯º¿", 6},
    Gruppo{u"ABRVÀÁÂÃÄÅµ¶", 8},
    Gruppo{u"DGHNOQUÐÑÒÓÔÕÖØÙÚÛÜ¼½¾", 9},
    Gruppo{u"%&w", 10},
    Gruppo{u"mÆæ", 11},
    Gruppo{u"MW©", 12},
    Gruppo{u"@", 13},
};

int pixelCarattere(QChar carattere) {
    for (const Gruppo& gruppo : kGruppi) {
        if (gruppo.caratteri.find(carattere.unicode()) != std::u16string_view::npos) {
            return gruppo.pixel;
        }
    }
    return static_cast<int>(kPixelCifra);
}

int pixelTesto(const QString& testo, bool grassetto) {
    // The widths of the first 256 characters, looked up rather than worked
    // out for every character of every cell.
    static const std::array<unsigned char, 256> latino = [] {
        std::array<unsigned char, 256> pixel{};
        for (std::size_t c = 0; c < pixel.size(); ++c) {
            pixel[c] = static_cast<unsigned char>(pixelCarattere(QChar(static_cast<char16_t>(c))));
        }
        return pixel;
    }();
    int pixel = 0;
    for (const QChar carattere : testo) {
        pixel += carattere.unicode() < latino.size() ? latino[carattere.unicode()]
                                                     : pixelCarattere(carattere);
    }
    return grassetto ? static_cast<int>(pixel * kFattoreGrassetto) : pixel;
}

}  // namespace

void LarghezzaColonne::misura(int col, const QString& testo, bool grassetto) {
    if (testo.isEmpty() || col < 1) {
        return;
    }
    if (col > ultimaColonna()) {
        pixel_.resize(static_cast<std::size_t>(col), 0);
    }
    int& massimo = pixel_[static_cast<std::size_t>(col - 1)];
    massimo = std::max(massimo, pixelTesto(testo, grassetto));
}

double LarghezzaColonne::larghezza(int col) const {
    if (col < 1 || col > ultimaColonna() || pixel_[static_cast<std::size_t>(col - 1)] == 0) {
        return 0.0;
    }
    return (pixel_[static_cast<std::size_t>(col - 1)] + kMarginePixel) / kPixelCifra;
}
