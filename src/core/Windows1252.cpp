#include "Windows1252.h"

#include <array>

namespace {

// The characters of bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined keep the control character of their own number.
constexpr std::array<char16_t, 32> kDa80a9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::array<char16_t, 256> costruisciTabellaDecodifica() {
    std::array<char16_t, 256> tabella{};
    for (int byte = 0; byte < 256; ++byte) {
        const bool speciale = byte >= 0x80 && byte <= 0x9F;
        tabella[byte] = speciale ? kDa80a9F[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return tabella;
}

constexpr std::array<char16_t, 256> kDecodifica = costruisciTabellaDecodifica();

constexpr int kNessunByte = -1;

// The byte that holds a UTF-16 unit, or kNessunByte.
int byteDi(char16_t carattere) {
    if (carattere < 0x80 || (carattere >= 0xA0 && carattere <= 0xFF)) {
        return carattere;
    }
    for (int indice = 0; indice < static_cast<int>(kDa80a9F.size()); ++indice) {
        if (kDa80a9F[indice] == carattere) {
            return 0x80 + indice;
        }
    }
    return kNessunByte;
}

}  // namespace

namespace Windows1252 {

bool PuoCodificare(const QString& testo) {
    return PrimoNonCodificabile(testo).isNull();
}

QChar PrimoNonCodificabile(const QString& testo) {
    for (const QChar carattere : testo) {
        if (byteDi(carattere.unicode()) == kNessunByte) {
            return carattere;
        }
    }
    return QChar();
}

QByteArray Codifica(const QString& testo) {
    QByteArray byte;
    byte.reserve(testo.size());
    for (qsizetype indice = 0; indice < testo.size(); ++indice) {
        const char16_t carattere = testo.at(indice).unicode();
        const int codice = byteDi(carattere);
        if (codice != kNessunByte) {
            byte.append(static_cast<char>(codice));
            continue;
        }
        byte.append('?');
        // A character outside the Basic Multilingual Plane is one "?", not two.
        const bool coppia = QChar::isHighSurrogate(carattere) && indice + 1 < testo.size() &&
                            testo.at(indice + 1).isLowSurrogate();
        if (coppia) {
            ++indice;
        }
    }
    return byte;
}

QString Decodifica(const char* bytes, int lunghezza) {
    QString testo(lunghezza, Qt::Uninitialized);
    char16_t* destinazione = reinterpret_cast<char16_t*>(testo.data());
    for (int indice = 0; indice < lunghezza; ++indice) {
        destinazione[indice] = kDecodifica[static_cast<unsigned char>(bytes[indice])];
    }
    return testo;
}

}  // namespace Windows1252
