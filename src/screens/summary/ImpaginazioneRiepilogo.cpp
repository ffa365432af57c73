#include "ImpaginazioneRiepilogo.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// Widths are sums of the same numbers, so a text measured twice is as wide
// both times; this only absorbs the order of the sums.
bool entra(double larghezza, double spazio) {
    return larghezza <= spazio * (1 + 1e-9);
}

// The words of a text: the stretches between blanks.
template <class Azione>
void perParola(QStringView testo, Azione azione) {
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        while (inizio < testo.size() && testo[inizio] == u' ') {
            ++inizio;
        }
        qsizetype fine = inizio;
        while (fine < testo.size() && testo[fine] != u' ') {
            ++fine;
        }
        if (fine > inizio) {
            azione(inizio, fine);
        }
        inizio = fine;
    }
}

// The longest start of a word that fits the width, at least one character.
qsizetype prefissoCheEntra(QStringView parola, double larghezza, const Misura& misura) {
    qsizetype n = 1;
    while (n < parola.size() && entra(misura(parola.left(n + 1)), larghezza)) {
        ++n;
    }
    return n;
}

// The room for text of columns that need at least `minimo` (their longest
// word) and at most `massimo` (their longest text), sharing `disponibile`.
// When every text fits, the room left widens the columns in proportion to
// their widths. Otherwise the columns take their longest text times the same
// fraction, so that those that wrap need about as many lines, never less than
// their longest word. When not even the longest words fit, no column is
// wider than the limit that makes them fit: the narrow ones (dates, codes,
// amounts) keep their width and only the longest words are broken.
std::vector<double> ripartisci(const std::vector<double>& minimo, std::vector<double> massimo,
                               double disponibile) {
    double sommaMinimi = 0.0;
    double sommaMassimi = 0.0;
    for (std::size_t col = 0; col < minimo.size(); ++col) {
        massimo[col] = std::max(massimo[col], minimo[col]);
        sommaMinimi += minimo[col];
        sommaMassimi += massimo[col];
    }
    if (sommaMassimi <= disponibile) {
        for (double& spazio : massimo) {
            spazio += (disponibile - sommaMassimi) * spazio / std::max(sommaMassimi, 1.0);
        }
        return massimo;
    }
    const bool paroleIntere = sommaMinimi <= disponibile;
    const auto larghezze = [&](double t) {
        std::vector<double> spazi;
        for (std::size_t col = 0; col < minimo.size(); ++col) {
            spazi.push_back(paroleIntere ? std::clamp(massimo[col] * t, minimo[col], massimo[col])
                                         : std::min(minimo[col], t));
        }
        return spazi;
    };
    // The widths grow with t: the largest t whose widths fit, by halving.
    double basso = 0.0;
    double alto = paroleIntere ? 1.0 : *std::max_element(minimo.begin(), minimo.end());
    for (int passo = 0; passo < 64; ++passo) {
        const double t = (basso + alto) / 2;
        const std::vector<double> spazi = larghezze(t);
        (std::accumulate(spazi.begin(), spazi.end(), 0.0) > disponibile ? alto : basso) = t;
    }
    return larghezze(basso);
}

}  // namespace

std::vector<QStringView> DividiInRighe(QStringView testo, double larghezza, const Misura& misura) {
    std::vector<QStringView> righe;
    qsizetype inizioRiga = -1;  // none yet
    qsizetype fineRiga = 0;
    perParola(testo, [&](qsizetype inizio, qsizetype fine) {
        if (inizioRiga >= 0 && entra(misura(testo.mid(inizioRiga, fine - inizioRiga)), larghezza)) {
            fineRiga = fine;
            return;
        }
        if (inizioRiga >= 0) {
            righe.push_back(testo.mid(inizioRiga, fineRiga - inizioRiga));
        }
        // The word begins a line; the pieces of a word too wide fill lines
        // of their own, and its last piece begins the next.
        inizioRiga = inizio;
        while (!entra(misura(testo.mid(inizioRiga, fine - inizioRiga)), larghezza)) {
            const qsizetype pezzo =
                prefissoCheEntra(testo.mid(inizioRiga, fine - inizioRiga), larghezza, misura);
            righe.push_back(testo.mid(inizioRiga, pezzo));
            inizioRiga += pezzo;
        }
        fineRiga = fine;
    });
    if (inizioRiga >= 0) {
        righe.push_back(testo.mid(inizioRiga, fineRiga - inizioRiga));
    }
    return righe;
}

ImpaginazioneRiepilogo::ImpaginazioneRiepilogo(double larghezza, double altezza, double interlinea,
                                               const Misura& normale, const Misura& grassetto,
                                               const QString& intestazione,
                                               const TabellaStampa& tabella)
    : altezza_(altezza), interlinea_(interlinea), normale_(normale), grassetto_(grassetto) {
    // The heading's lines begin where the first column's text does, and
    // end where the last column's text may.
    for (const QStringView linea :
         DividiInRighe(intestazione, larghezza - 2 * margine(), grassetto_)) {
        intestazione_.push_back(linea.toString());
    }
    dimensionaColonne(larghezza, tabella);
    impagina(tabella);
}

void ImpaginazioneRiepilogo::dimensionaColonne(double larghezza, const TabellaStampa& tabella) {
    const auto colonne = static_cast<std::size_t>(tabella.colonne());
    // What each column needs at least (its longest word) and at most (its
    // longest text).
    std::vector<double> minimo(colonne, 0.0);
    std::vector<double> massimo(colonne, 0.0);
    std::vector<QString> testi;
    tabella.leggi(0, testi);
    for (std::size_t col = 0; col < colonne; ++col) {
        perParola(testi[col], [&](qsizetype inizio, qsizetype fine) {
            minimo[col] = std::max(minimo[col],
                                   grassetto_(QStringView(testi[col]).mid(inizio, fine - inizio)));
        });
    }
    for (int r = 1; r <= tabella.righe(); ++r) {
        tabella.leggi(r, testi);
        for (std::size_t col = 0; col < colonne; ++col) {
            const QStringView testo = testi[col];
            const double intero = normale_(testo);
            if (intero <= minimo[col]) {
                continue;  // no word of it can be longer
            }
            massimo[col] = std::max(massimo[col], intero);
            perParola(testo, [&](qsizetype inizio, qsizetype fine) {
                minimo[col] = std::max(minimo[col], normale_(testo.mid(inizio, fine - inizio)));
            });
        }
    }
    const double disponibile =
        std::max(0.0, larghezza - 2 * margine() * static_cast<double>(colonne));
    double x = 0.0;
    for (const double spazio : ripartisci(minimo, massimo, disponibile)) {
        spazi_.push_back(spazio);
        sinistre_.push_back(x);
        x += spazio + 2 * margine();
    }
}

void ImpaginazioneRiepilogo::righe(int col, QStringView testo,
                                   std::vector<QStringView>& linee) const {
    linee.clear();
    if (entra(normale_(testo), spazio(col))) {
        linee.push_back(testo);
    } else {
        linee = DividiInRighe(testo, spazio(col), normale_);
    }
}

void ImpaginazioneRiepilogo::righeTitolo(int col, QStringView testo,
                                         std::vector<QStringView>& linee) const {
    linee = DividiInRighe(testo, spazio(col), grassetto_);
}

void ImpaginazioneRiepilogo::impagina(const TabellaStampa& tabella) {
    std::vector<QString> testi;
    std::vector<QStringView> linee;
    tabella.leggi(0, testi);
    for (int col = 0; col < colonne(); ++col) {
        righeTitolo(col, testi[static_cast<std::size_t>(col)], linee);
        lineeTitoli_ = std::max(lineeTitoli_, static_cast<int>(linee.size()));
    }
    // The rows end a blank line above the page number.
    const double fine = piede() - altezzaRiga(1);
    double y = cimaRighe();
    inizi_ = {1};
    for (int r = 1; r <= tabella.righe(); ++r) {
        tabella.leggi(r, testi);
        std::size_t n = 1;
        for (int col = 0; col < colonne(); ++col) {
            righe(col, testi[static_cast<std::size_t>(col)], linee);
            n = std::max(n, linee.size());
        }
        linee_.push_back(static_cast<std::uint8_t>(
            std::min<std::size_t>(n, std::numeric_limits<std::uint8_t>::max())));
        const double altezza = altezzaRiga(linee_.back());
        // A row too high for any page stands alone on one.
        if (y + altezza > fine && r > inizi_.back()) {
            inizi_.push_back(r);
            y = cimaRighe();
        }
        y += altezza;
    }
    if (y + 2 * altezzaRiga(1) > fine) {
        inizi_.push_back(tabella.righe() + 1);
    }
}

int ImpaginazioneRiepilogo::ultimaRiga(int pagina) const {
    return pagina < pagine() ? inizi_[static_cast<std::size_t>(pagina)] - 1
                             : static_cast<int>(linee_.size());
}

QString PaginaDi(int pagina, int pagine) {
    return QStringLiteral("Pagina %1 di %2").arg(pagina).arg(pagine);
}
