#include "StampaRiepilogo.h"

#include "ErroreDiSistema.h"
#include "ImpaginazioneRiepilogo.h"
#include "RigaRiepilogo.h"
#include "TextGrid.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

namespace {

constexpr double kPuntiTesto = 6.5;
constexpr double kInterlinea = 1.3;
constexpr double kMarginiMm = 10.0;
const QString kSeparatore = QStringLiteral(" — ");

QFont fontStampa(bool grassetto) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kPuntiTesto);
    font.setBold(grassetto);
    return font;
}

// Draws the pages with one font, bold for the heading and the header row.
class Pagine {
public:
    Pagine(QPainter& painter, QPagedPaintDevice& dispositivo, const TextGrid& tabella)
        : p_(painter),
          normale_(fontStampa(false)),
          grassetto_(fontStampa(true)),
          tabella_(tabella),
          metriche_(normale_, &dispositivo),
          metricheGrassetto_(grassetto_, &dispositivo),
          impaginazione_(
              dispositivo.width(), dispositivo.height(), metriche_.height() * kInterlinea,
              tabella.Rows() - 1,
              [this](const QString& testo) { return metriche_.horizontalAdvance(testo); }) {}

    const ImpaginazioneRiepilogo& impaginazione() const { return impaginazione_; }

    void pagina(int n, const StampaRiepilogo& stampa) {
        const ImpaginazioneRiepilogo& imp = impaginazione_;
        p_.setFont(grassetto_);
        linea(0, 0.0, imp.sinistra(kColonneRiepilogo - 1) + imp.larghezza(kColonneRiepilogo - 1),
              stampa.intestazione());
        tabella_.readRow(0, testi_);
        const int titoli = ImpaginazioneRiepilogo::kRigheIntestazione -
                           ImpaginazioneRiepilogo::kRigheTitoliColonne;
        for (int col = 0; col < kColonneRiepilogo; ++col) {
            p_.drawText(QRectF(imp.sinistra(col) + imp.margine(), imp.cima(titoli),
                               imp.larghezza(col) - 2 * imp.margine(),
                               imp.cima(ImpaginazioneRiepilogo::kRigheTitoliColonne)),
                        Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap,
                        testi_[static_cast<std::size_t>(col)]);
        }
        const double sotto = imp.cima(ImpaginazioneRiepilogo::kRigheIntestazione);
        p_.drawLine(QPointF(0.0, sotto), QPointF(p_.device()->width(), sotto));
        p_.setFont(normale_);
        int linea = ImpaginazioneRiepilogo::kRigheIntestazione;
        for (int r = imp.primaRiga(n); r <= imp.ultimaRiga(n); ++r, ++linea) {
            tabella_.readRow(r, testi_);
            riga(linea);
        }
        if (imp.totaliSullaPagina(n)) {
            this->linea(linea + 1, 0.0, p_.device()->width(), stampa.totali);
        }
        p_.drawText(QRectF(0.0, imp.piede(), p_.device()->width(), imp.altezzaRiga()),
                    Qt::AlignHCenter | Qt::AlignVCenter, PaginaDi(n, imp.pagine()));
    }

private:
    void riga(int n) {
        for (int col = 0; col < kColonneRiepilogo; ++col) {
            linea(n, impaginazione_.sinistra(col), impaginazione_.larghezza(col),
                  testi_[static_cast<std::size_t>(col)]);
        }
    }

    // A text in its cell of line n, cut with an ellipsis when it is wider.
    void linea(int n, double x, double larghezza, const QString& testo) {
        if (testo.isEmpty()) {
            return;
        }
        const double margine = impaginazione_.altezzaRiga() / 4;
        const double spazio = larghezza - 2 * margine;
        const QFontMetricsF& metriche = p_.font().bold() ? metricheGrassetto_ : metriche_;
        p_.drawText(
            QRectF(x + margine, impaginazione_.cima(n), spazio, impaginazione_.altezzaRiga()),
            Qt::AlignLeft | Qt::AlignVCenter, metriche.elidedText(testo, Qt::ElideRight, spazio));
    }

    QPainter& p_;
    QFont normale_;
    QFont grassetto_;
    const TextGrid& tabella_;
    QFontMetricsF metriche_;
    QFontMetricsF metricheGrassetto_;
    ImpaginazioneRiepilogo impaginazione_;
    std::vector<QString> testi_;
};

}  // namespace

QString StampaRiepilogo::intestazione() const {
    QString testo = file;
    if (!anno.isEmpty()) {
        testo += kSeparatore + QStringLiteral("Anno scolastico ") + anno;
    }
    return testo + kSeparatore + data.toString(QStringLiteral("dd/MM/yyyy"));
}

void StampaRiepilogo::impostaPagine(QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                          QMarginsF(kMarginiMm, kMarginiMm, kMarginiMm, kMarginiMm),
                                          QPageLayout::Millimeter));
}

bool StampaRiepilogo::disegna(QPagedPaintDevice& dispositivo, const TextGrid& tabella,
                              const Avanzamento& avanzamento) const {
    QPainter painter(&dispositivo);
    Pagine pagine(painter, dispositivo, tabella);
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

Result<bool> StampaRiepilogo::salvaPdf(const QString& percorso, const TextGrid& tabella,
                                       const Avanzamento& avanzamento) const {
    QFile file(percorso);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return ErroreDiSistema(errno != 0 ? errno : EIO,
                               QStringLiteral("Impossibile creare il file"), percorso);
    }
    bool finito = false;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Sovvenzia"));
        pdf.setTitle(intestazione());
        impostaPagine(pdf);
        finito = disegna(pdf, tabella, avanzamento);
    }
    errno = 0;
    const bool scritto = file.flush() && file.error() == QFileDevice::NoError;
    const int errore = errno != 0 ? errno : EIO;
    file.close();
    if (!finito || !scritto) {
        file.remove();
    }
    if (!scritto) {
        return ErroreDiSistema(errore, QStringLiteral("Impossibile scrivere il file"), percorso);
    }
    return finito;
}
