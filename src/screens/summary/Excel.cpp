#include "Excel.h"

#include "Desktop.h"
#include "DialogService.h"
#include "LarghezzaColonne.h"
#include "RegoleEsportazione.h"
#include "TextGrid.h"
#include "WaitCursor.h"
#include "XlsxWorkbook.h"
#include "clsGlobal.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace Excel {

namespace {

// A new workbook has one sheet, which keeps this name when no data arrive.
const QString kFoglioPredefinito = QStringLiteral("Foglio1");
const QString kLetturaInCorso = QStringLiteral("LETTURA DATI IN CORSO.........");
const QString kNessunDato = QStringLiteral("NESSUN dato disponibile");
constexpr int kRigaIntestazione = 3;
constexpr int kPrimaRigaDati = 4;
constexpr int kTentativiNomeFile = 100;

using Stile = XlsxWorkbook::Style;

enum class Scrittura { InChiaro, Testo, Data };

template <class T>
bool contiene(const std::vector<std::int16_t>& elenco, T colonna) {
    return std::find(elenco.begin(), elenco.end(), colonna) != elenco.end();
}

// Where each table column goes on the sheet and how its values are written.
struct Disposizione {
    std::vector<int> destinazione;  // sheet column of each table column; 0: not exported
    std::vector<Scrittura> scrittura;
};

Disposizione Disponi(int nCols, const std::vector<std::int16_t>& date,
                     const std::vector<std::int16_t>& testi,
                     const std::vector<std::int16_t>& esportate) {
    Disposizione d{std::vector<int>(static_cast<std::size_t>(nCols) + 1, 0),
                   std::vector<Scrittura>(static_cast<std::size_t>(nCols) + 1)};
    int saltate = 0;
    for (int c = 1; c <= nCols; ++c) {
        if (esportate.empty() || contiene(esportate, c)) {
            d.destinazione[c] = c + 1 - saltate;
        } else {
            ++saltate;
        }
        d.scrittura[c] = contiene(date, c)    ? Scrittura::Data
                         : contiene(testi, c) ? Scrittura::Testo
                                              : Scrittura::InChiaro;
    }
    return d;
}

// The sheet being written, with the widths its values need.
class Foglio {
public:
    explicit Foglio(XlsxWorkbook& cartella) : cartella_(cartella) {}

    Result<void> testo(int riga, int col, const QString& valore, Stile stile = Stile::Normal) {
        larghezze_.misura(col, valore, stile == Stile::Bold);
        return cartella_.writeString(riga, col, valore, stile);
    }

    // A number in the locale's form becomes a number; any other text, one
    // beginning with "=" too, stays a text and never becomes a formula.
    Result<void> inChiaro(int riga, int col, const QString& valore, Stile stile = Stile::Normal) {
        if (const std::optional<double> numero = NumeroInChiaro(valore, locale_)) {
            larghezze_.misura(col, valore, stile == Stile::Bold);
            return cartella_.writeNumber(riga, col, *numero, stile);
        }
        return testo(riga, col, valore, stile);
    }

    Result<void> vuota(int riga, int col, Stile stile) {
        return cartella_.writeBlank(riga, col, stile);
    }

    Result<void> adattaColonne() {
        for (int col = 1; col <= larghezze_.ultimaColonna(); ++col) {
            if (const double larghezza = larghezze_.larghezza(col); larghezza > 0) {
                if (Result<void> fatto = cartella_.setColumnWidth(col, larghezza); !fatto) {
                    return fatto;
                }
            }
        }
        return {};
    }

private:
    XlsxWorkbook& cartella_;
    LarghezzaColonne larghezze_;
    QLocale locale_;
};

// A new workbook file in the folder, named after the sheet and the time of
// the export; a name already taken gets a number, and no file is replaced.
Result<std::unique_ptr<XlsxWorkbook>> NuovaCartella(const QString& cartella,
                                                    const QString& nomeFoglio) {
    QDir().mkpath(cartella);
    const QString base = QStringLiteral("%1 %2").arg(
        nomeFoglio, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    for (int tentativo = 1;; ++tentativo) {
        const QString nome =
            tentativo == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(tentativo);
        auto creata = XlsxWorkbook::create(QDir(cartella).filePath(nome + QStringLiteral(".xlsx")),
                                           nomeFoglio);
        if (creata || !creata.error().is(ErrorOrigin::System, EEXIST) ||
            tentativo == kTentativiNomeFile) {
            return creata;
        }
    }
}

// Runs the whole export; gives the path of the finished workbook.
class Esportazione {
public:
    Esportazione(TextGrid& grid, std::int32_t tipoIn, std::int32_t tipoOut)
        : grid_(grid), tipoIn_(tipoIn), tipoOut_(tipoOut) {}

    Result<QString> esegui(const QString& cartella, const QString& sName, const QString& sNomeApp,
                           const QString& sColData, const QString& sColStringa,
                           const QString& sColExport);

private:
    QString testo(int riga, int col) {
        grid_.setRow(riga);
        grid_.setCol(col);
        return grid_.Text();
    }
    Result<void> intestazione(Foglio& foglio, const Disposizione& d, int nCols);
    Result<void> riga(Foglio& foglio, const Disposizione& d, int r, int nCols);

    TextGrid& grid_;
    std::int32_t tipoIn_;
    std::int32_t tipoOut_;
    clsGlobal conversioni_;
};

#define SOVVENZIA_TRY(espressione)                        \
    do {                                                  \
        if (Result<void> esito = (espressione); !esito) { \
            return esito.error();                         \
        }                                                 \
    } while (false)

Result<QString> Esportazione::esegui(const QString& cartella, const QString& sName,
                                     const QString& sNomeApp, const QString& sColData,
                                     const QString& sColStringa, const QString& sColExport) {
    const auto date = LeggiElencoColonne(sColData);
    if (!date) {
        return date.error();
    }
    const auto testi = LeggiElencoColonne(sColStringa);
    if (!testi) {
        return testi.error();
    }
    const auto esportate = LeggiElencoColonne(sColExport);
    if (!esportate) {
        return esportate.error();
    }
    const QString nome = NomeFoglioFinale(PulisciNomeFoglio(sName), kFoglioPredefinito);
    const int nCols = grid_.Cols() - 1;
    const int nRows = grid_.Rows() - 1;
    const bool senzaDati = nRows <= 0;

    auto creata = NuovaCartella(cartella, senzaDati ? kFoglioPredefinito : nome);
    if (!creata) {
        return creata.error();
    }
    XlsxWorkbook& cartellaDiLavoro = **creata;
    Foglio foglio(cartellaDiLavoro);
    SOVVENZIA_TRY(foglio.testo(1, 1, QStringLiteral("COMUNE DI: ") + sNomeApp));
    SOVVENZIA_TRY(
        foglio.testo(2, 1, senzaDati ? kLetturaInCorso : QStringLiteral("SCUOLA ") + nome));
    grid_.setRow(1);
    grid_.setCol(1);
    if (senzaDati) {
        SOVVENZIA_TRY(foglio.testo(kPrimaRigaDati, 1, kNessunDato, Stile::Bold));
    } else {
        const Disposizione d = Disponi(nCols, *date, *testi, *esportate);
        SOVVENZIA_TRY(intestazione(foglio, d, nCols));
        for (int r = 1; r <= nRows; ++r) {
            SOVVENZIA_TRY(riga(foglio, d, r, nCols));
        }
        SOVVENZIA_TRY(foglio.adattaColonne());
    }
    SOVVENZIA_TRY(cartellaDiLavoro.close());
    return cartellaDiLavoro.path();
}

Result<void> Esportazione::intestazione(Foglio& foglio, const Disposizione& d, int nCols) {
    std::vector<bool> scritta(static_cast<std::size_t>(nCols) + 2, false);
    for (int c = 1; c <= nCols; ++c) {
        if (const int col = d.destinazione[c]; col > 0) {
            SOVVENZIA_TRY(foglio.inChiaro(kRigaIntestazione, col, testo(0, c), Stile::Bold));
            scritta[col] = true;
        }
    }
    // The bold range runs from A3 to the column of the last table column.
    for (int col = 1; col <= nCols + 1; ++col) {
        if (!scritta[col]) {
            SOVVENZIA_TRY(foglio.vuota(kRigaIntestazione, col, Stile::Bold));
        }
    }
    return {};
}

Result<void> Esportazione::riga(Foglio& foglio, const Disposizione& d, int r, int nCols) {
    const int rigaFoglio = r + kRigaIntestazione;
    for (int c = 1; c <= nCols; ++c) {
        const int col = d.destinazione[c];
        if (col == 0) {
            continue;
        }
        const QString valore = testo(r, c);
        switch (d.scrittura[c]) {
            case Scrittura::InChiaro:
                SOVVENZIA_TRY(foglio.inChiaro(rigaFoglio, col, valore));
                break;
            case Scrittura::Testo:
                SOVVENZIA_TRY(foglio.testo(rigaFoglio, col, valore));
                break;
            case Scrittura::Data: {
                const Result<QString> data = conversioni_.DbConvertiData(valore, tipoIn_, tipoOut_);
                if (!data) {
                    return data.error();
                }
                SOVVENZIA_TRY(foglio.testo(rigaFoglio, col, *data));
                break;
            }
        }
    }
    return {};
}

#undef SOVVENZIA_TRY

MessageBoxRequest Errore(const Error& errore) {
    return {QString::number(errore.code).trimmed() + QStringLiteral(":\n") + errore.message,
            MessageButtons::Ok, MessageIcon::Critical, false, QStringLiteral("Errore")};
}

MessageBoxRequest NonAperto(const QString& percorso) {
    return {QStringLiteral("Il foglio di lavoro è stato salvato nel file\n%1\n"
                           "Non è stato possibile aprirlo: aprirlo con un programma per fogli "
                           "di calcolo.")
                .arg(QDir::toNativeSeparators(percorso)),
            MessageButtons::Ok, MessageIcon::Information};
}

}  // namespace

void EsportaExcel(const Ambiente& ambiente, TextGrid& Grid, const QString& sName,
                  const QString& sNomeApp, const QString& sColData, std::int32_t nTipoDataIn,
                  std::int32_t nTipoDataOut, const QString& sColStringa,
                  const QString& sColExport) {
    WaitCursor clessidra;
    Esportazione esportazione(Grid, nTipoDataIn, nTipoDataOut);
    const Result<QString> file = esportazione.esegui(ambiente.desktop.documentsFolder(), sName,
                                                     sNomeApp, sColData, sColStringa, sColExport);
    clessidra.restore();
    if (!file) {
        ambiente.dialogs.messageBox(Errore(file.error()));
        return;
    }
    if (!ambiente.desktop.openWithDefaultApplication(*file)) {
        ambiente.dialogs.messageBox(NonAperto(*file));
    }
}

}  // namespace Excel
