#include "LarghezzaColonne.h"

#include <algorithm>
#include <array>

namespace {

// Widths, in pixels, of characters of the spreadsheet's default font at its
// default size; a digit is 7 pixels, the width unit of a column.
constexpr double kPixelCifra = 7.0;
constexpr double kMarginePixel = 7.0;
constexpr double kFattoreGrassetto = 1.1;

int pixelCarattere(QChar carattere) {
    const char16_t c = carattere.unicode();
    if (c == u' ' || c == u'.' || c == u',' || c == u':' || c == u';' || c == u'\'' || c == u'!' ||
        c == u'|' || c == u'i' || c == u'l' || c == u'j' || c == u'I') {
        return 3;
    }
    if (c == u'M' || c == u'W' || c == u'm' || c == u'w' || c == u'@') {
        return 11;
    }
    if (c == u'f' || c == u't' || c == u'r' || c == u'J' || c == u'-' || c == u'(' || c == u')' ||
        c == u'/') {
        return 5;
    }
    if (carattere.isUpper()) {
        return 8;
    }
    return 7;
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
