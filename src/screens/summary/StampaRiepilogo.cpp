#include "StampaRiepilogo.h"

#include "DocumentoSuFile.h"
#include "ImpaginazioneRiepilogo.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <array>

namespace {

constexpr double kPuntiTesto = 6.5;
constexpr double kMarginiMm = 10.0;
constexpr double kPuntiFiletto = 0.5;
constexpr double kPuntiFilettoRighe = 0.25;
const QColor kColoreFilettoRighe(170, 170, 170);
const QString kSeparatore = QStringLiteral(" — ");

QFont fontStampa(bool grassetto) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kPuntiTesto);
    font.setBold(grassetto);
    // Without kerning or ligatures a text is exactly as wide as its
    // characters: the widths the page is laid out with are the widths drawn,
    // and a text copied from the PDF reads as it was printed.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The widths of the characters of a font on a device, each measured once.
class LarghezzeCaratteri {
public:
    LarghezzeCaratteri(const QFont& font, QPaintDevice* dispositivo)
        : metriche_(font, dispositivo) {
        for (std::size_t c = 0; c < latino_.size(); ++c) {
            latino_[c] = metriche_.horizontalAdvance(QChar(static_cast<char16_t>(c)));
        }
    }

    double operator()(QStringView testo) const {
        double larghezza = 0.0;
        for (const QChar c : testo) {
            larghezza += c.unicode() < latino_.size() ? latino_[c.unicode()] : altro(c);
        }
        return larghezza;
    }

    const QFontMetricsF& metriche() const { return metriche_; }

private:
    double altro(QChar c) const {
        auto trovato = altri_.constFind(c.unicode());
        if (trovato == altri_.constEnd()) {
            trovato = altri_.insert(c.unicode(), metriche_.horizontalAdvance(c));
        }
        return *trovato;
    }

    QFontMetricsF metriche_;
    std::array<double, 256> latino_{};
    mutable QHash<char16_t, double> altri_;
};

// Draws the pages: the heading, the header band and the totals in bold, the
// rows in the normal font, each text line by line where the layout puts it.
class Pagine {
public:
    Pagine(QPainter& painter, QPagedPaintDevice& dispositivo, const TabellaStampa& tabella,
           const QString& intestazione)
        : p_(painter),
          tabella_(tabella),
          normale_(fontStampa(false)),
          grassetto_(fontStampa(true)),
          misuraNormale_(normale_, &dispositivo),
          misuraGrassetto_(grassetto_, &dispositivo),
          imp_(dispositivo.width(), dispositivo.height(), misuraNormale_.metriche().lineSpacing(),
               std::cref(misuraNormale_), std::cref(misuraGrassetto_), intestazione, tabella),
          punto_(dispositivo.logicalDpiY() / 72.0) {}

    const ImpaginazioneRiepilogo& impaginazione() const { return imp_; }

    void pagina(int n, const StampaRiepilogo& stampa) {
        const double larghezza =
            imp_.sinistra(imp_.colonne() - 1) + imp_.larghezza(imp_.colonne() - 1);
        p_.setFont(grassetto_);
        for (std::size_t i = 0; i < imp_.intestazione().size(); ++i) {
            scrivi(0.0, static_cast<int>(i), imp_.intestazione()[i]);
        }
        tabella_.leggi(0, testi_);
        for (int col = 0; col < imp_.colonne(); ++col) {
            imp_.righeTitolo(col, testi_[static_cast<std::size_t>(col)], linee_);
            // The headers stand on the line under them.
            cella(misuraGrassetto_, imp_.cimaTitoli(),
                  imp_.lineeTitoli() - static_cast<int>(linee_.size()), col);
        }
        filetto(imp_.cimaRighe(), larghezza, kPuntiFiletto, Qt::black);
        p_.setFont(normale_);
        double y = imp_.cimaRighe();
        for (int r = imp_.primaRiga(n); r <= imp_.ultimaRiga(n); ++r) {
            tabella_.leggi(r, testi_);
            for (int col = 0; col < imp_.colonne(); ++col) {
                imp_.righe(col, testi_[static_cast<std::size_t>(col)], linee_);
                cella(misuraNormale_, y, 0, col);
            }
            y += imp_.altezzaRiga(imp_.linee(r));
            filetto(y, larghezza, kPuntiFilettoRighe, kColoreFilettoRighe);
        }
        if (imp_.totaliSullaPagina(n)) {
            p_.setFont(grassetto_);
            scrivi(y + imp_.altezzaRiga(1), 0, stampa.totali);
            p_.setFont(normale_);
        }
        const QString piede = PaginaDi(n, imp_.pagine());
        p_.drawText(QPointF((larghezza - misuraNormale_(piede)) / 2, linea(imp_.piede(), 0)),
                    piede);
    }

private:
    // Where the text of line i of a row whose top is at y stands.
    double linea(double y, int i) const {
        return y + imp_.bordo() + i * imp_.interlinea() + misuraNormale_.metriche().ascent();
    }

    void scrivi(double y, int i, const QString& testo) {
        p_.drawText(QPointF(imp_.margine(), linea(y, i)), testo);
    }

    // The lines of a cell, the first of them as line `prima` of the row.
    void cella(const LarghezzeCaratteri& misura, double y, int prima, int col) {
        const double sinistra = imp_.sinistra(col) + imp_.margine();
        const bool destra = tabella_.aDestra(col);
        for (std::size_t i = 0; i < linee_.size(); ++i) {
            const QString testo = linee_[i].toString();
            const double x = destra ? sinistra + imp_.spazio(col) - misura(testo) : sinistra;
            p_.drawText(QPointF(x, linea(y, prima + static_cast<int>(i))), testo);
        }
    }

    void filetto(double y, double larghezza, double punti, const QColor& colore) {
        p_.setPen(QPen(colore, punti * punto_));
        p_.drawLine(QPointF(0.0, y), QPointF(larghezza, y));
        p_.setPen(Qt::black);
    }

    QPainter& p_;
    const TabellaStampa& tabella_;
    QFont normale_;
    QFont grassetto_;
    LarghezzeCaratteri misuraNormale_;
    LarghezzeCaratteri misuraGrassetto_;
    ImpaginazioneRiepilogo imp_;
    double punto_;
    std::vector<QString> testi_;
    std::vector<QStringView> linee_;
};

}  // namespace

QString StampaRiepilogo::intestazione() const {
    QString testo = file;
    if (!anno.isEmpty()) {
        testo += kSeparatore + QStringLiteral("Anno scolastico ") + anno;
    }
    testo += kSeparatore + data.toString(QStringLiteral("dd/MM/yyyy"));
    if (!filtro.isEmpty()) {
        testo += kSeparatore + filtro;
    }
    return testo;
}

void StampaRiepilogo::impostaPagine(QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                          QMarginsF(kMarginiMm, kMarginiMm, kMarginiMm, kMarginiMm),
                                          QPageLayout::Millimeter));
}

bool StampaRiepilogo::disegna(QPagedPaintDevice& dispositivo, const TabellaStampa& tabella,
                              const Avanzamento& avanzamento) const {
    QPainter painter(&dispositivo);
    Pagine pagine(painter, dispositivo, tabella, intestazione());
    const int totale = pagine.impaginazione().pagine();
    for (int n = 1; n <= totale; ++n) {
        if (!avanzamento(n, totale)) {
            return false;
        }
        if (n > 1) {
            dispositivo.newPage();
        }
        pagine.pagina(n, *this);
    }
    return true;
}

Result<bool> StampaRiepilogo::salvaPdf(FileSystem& fs, const QString& percorso,
                                       const TabellaStampa& tabella,
                                       const Avanzamento& avanzamento) const {
    return SalvaDocumento(fs, percorso, [&](QIODevice& file) {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Sovvenzia"));
        pdf.setTitle(intestazione());
        impostaPagine(pdf);
        return disegna(pdf, tabella, avanzamento);
    });
}
