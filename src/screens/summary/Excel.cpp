#include "Excel.h"

#include "Desktop.h"
#include "DialogService.h"
#include "LarghezzaColonne.h"
#include "RegoleEsportazione.h"
#include "RigaRiepilogo.h"
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
#include <optional>

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

// How a column's values are written; a date column that is also a text
// column holds its value as a text until the date replaces it.
enum class Scrittura { InChiaro, Testo, Data, TestoEData };

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
        const bool data = contiene(date, c);
        const bool testo = contiene(testi, c);
        d.scrittura[c] = data && testo ? Scrittura::TestoEData
                         : data        ? Scrittura::Data
                         : testo       ? Scrittura::Testo
                                       : Scrittura::InChiaro;
    }
    return d;
}

// The sheet being written, with the widths its values need.
class Foglio {
public:
    explicit Foglio(XlsxWorkbook& cartella)
        : cartella_(cartella), numeri_(LocaleFissato(QLocale())) {}

    Result<void> testo(int riga, int col, const QString& valore, Stile stile = Stile::Normal) {
        larghezze_.misura(col, valore, stile == Stile::Bold);
        return cartella_.writeString(riga, col, valore, stile);
    }

    // A number in the locale's form becomes a number; any other text, one
    // beginning with "=" too, stays a text and never becomes a formula.
    Result<void> inChiaro(int riga, int col, const QString& valore, Stile stile = Stile::Normal) {
        if (const std::optional<double> numero = numeri_.valore(valore)) {
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
    NumeriInChiaro numeri_;
};

// A new workbook file in the folder, named after the sheet and the time of
// the export; a name already taken gets a number, and no file is replaced.
Result<std::unique_ptr<XlsxWorkbook>> NuovaCartella(FileSystem& fs, const QString& cartella,
                                                    const QString& nomeFoglio) {
    QDir().mkpath(cartella);
    const QString base = QStringLiteral("%1 %2").arg(
        nomeFoglio, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    for (int tentativo = 1;; ++tentativo) {
        const QString nome =
            tentativo == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(tentativo);
        auto creata = XlsxWorkbook::create(
            fs, QDir(cartella).filePath(nome + QStringLiteral(".xlsx")), nomeFoglio);
        if (creata || !creata.error().is(ErrorOrigin::System, EEXIST) ||
            tentativo == kTentativiNomeFile) {
            return creata;
        }
    }
}

// A finished workbook file, and the failure that ended the export early
// when there was one: what was written before it stays in the file.
struct Esito {
    QString file;
    std::optional<Error> errore;
};

// Runs the whole export, reading the table row by row.
class Esportazione {
public:
    Esportazione(FileSystem& fs, TextGrid& grid, std::int32_t tipoIn, std::int32_t tipoOut)
        : fs_(fs), grid_(grid), tipoIn_(tipoIn), tipoOut_(tipoOut) {}

    // Fails, leaving no file, when a column list cannot be read or the file
    // cannot be written.
    Result<Esito> esegui(const QString& cartella, const QString& sName, const QString& sNomeApp,
                         const QString& sColData, const QString& sColStringa,
                         const QString& sColExport);

private:
    // Header, rows and fitted widths; a value that cannot be converted ends
    // the sheet at its cell, which keeps the value as it was before the
    // conversion.
    Result<void> dati(Foglio& foglio, const Disposizione& d);
    Result<void> intestazione(Foglio& foglio, const Disposizione& d);
    Result<void> riga(Foglio& foglio, const Disposizione& d, int r);
    // The table's current cell becomes the last cell read.
    void mostraUltimaLetta() {
        grid_.setRow(ultimaRiga_);
        grid_.setCol(ultimaColonna_);
    }

    FileSystem& fs_;
    TextGrid& grid_;
    std::int32_t tipoIn_;
    std::int32_t tipoOut_;
    clsGlobal conversioni_;
    std::vector<QString> testi_;
    int ultimaRiga_ = 1;
    int ultimaColonna_ = 1;
};

#define SOVVENZIA_TRY(espressione)                        \
    do {                                                  \
        if (Result<void> esito = (espressione); !esito) { \
            return esito.error();                         \
        }                                                 \
    } while (false)

Result<Esito> Esportazione::esegui(const QString& cartella, const QString& sName,
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
    const Disposizione d = Disponi(grid_.Cols() - 1, *date, *testi, *esportate);
    const bool senzaDati = grid_.Rows() <= 1;
    // The sheet takes its name and its title only when every row is written
    // and the name is one a workbook accepts; otherwise it keeps the default
    // name and the title of an export still running.
    const Result<void> nomeAccettato = XlsxWorkbook::checkSheetName(nome);
    bool completo = !senzaDati && nomeAccettato.ok();
    for (;;) {
        auto creata = NuovaCartella(fs_, cartella, completo ? nome : kFoglioPredefinito);
        if (!creata) {
            return creata.error();
        }
        XlsxWorkbook& cartellaDiLavoro = **creata;
        Foglio foglio(cartellaDiLavoro);
        SOVVENZIA_TRY(foglio.testo(1, 1, QStringLiteral("COMUNE DI: ") + sNomeApp));
        SOVVENZIA_TRY(
            foglio.testo(2, 1, completo ? QStringLiteral("SCUOLA ") + nome : kLetturaInCorso));
        ultimaRiga_ = ultimaColonna_ = 1;
        std::optional<Error> errore;
        if (senzaDati) {
            SOVVENZIA_TRY(foglio.testo(kPrimaRigaDati, 1, kNessunDato, Stile::Bold));
        } else if (Result<void> scritti = dati(foglio, d); !scritti) {
            if (scritti.error().origin != ErrorOrigin::Conversion) {
                return scritti.error();
            }
            if (completo) {
                // Written again, untitled, up to the value that failed.
                completo = false;
                continue;
            }
            errore = scritti.error();
        }
        if (!errore && !nomeAccettato && !senzaDati) {
            errore = nomeAccettato.error();
        }
        SOVVENZIA_TRY(cartellaDiLavoro.close());
        mostraUltimaLetta();
        return Esito{cartellaDiLavoro.path(), errore};
    }
}

Result<void> Esportazione::dati(Foglio& foglio, const Disposizione& d) {
    SOVVENZIA_TRY(intestazione(foglio, d));
    for (int r = 1; r < grid_.Rows(); ++r) {
        SOVVENZIA_TRY(riga(foglio, d, r));
    }
    return foglio.adattaColonne();
}

Result<void> Esportazione::intestazione(Foglio& foglio, const Disposizione& d) {
    const int nCols = grid_.Cols() - 1;
    grid_.readRow(0, testi_);
    std::vector<bool> scritta(static_cast<std::size_t>(nCols) + 2, false);
    for (int c = 1; c <= nCols; ++c) {
        if (const int col = d.destinazione[c]; col > 0) {
            SOVVENZIA_TRY(foglio.inChiaro(kRigaIntestazione, col, testi_[c], Stile::Bold));
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

Result<void> Esportazione::riga(Foglio& foglio, const Disposizione& d, int r) {
    const int rigaFoglio = r + kRigaIntestazione;
    grid_.readRow(r, testi_);
    for (int c = 1; c < grid_.Cols(); ++c) {
        const int col = d.destinazione[c];
        if (col == 0) {
            continue;
        }
        ultimaRiga_ = r;
        ultimaColonna_ = c;
        const QString& valore = testi_[c];
        switch (d.scrittura[c]) {
            case Scrittura::InChiaro:
                SOVVENZIA_TRY(foglio.inChiaro(rigaFoglio, col, valore));
                break;
            case Scrittura::Testo:
                SOVVENZIA_TRY(foglio.testo(rigaFoglio, col, valore));
                break;
            case Scrittura::Data:
            case Scrittura::TestoEData: {
                const Result<QString> data = conversioni_.DbConvertiData(valore, tipoIn_, tipoOut_);
                if (!data) {
                    SOVVENZIA_TRY(d.scrittura[c] == Scrittura::TestoEData
                                      ? foglio.testo(rigaFoglio, col, valore)
                                      : foglio.inChiaro(rigaFoglio, col, valore));
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
    Esportazione esportazione(ambiente.fs, Grid, nTipoDataIn, nTipoDataOut);
    const Result<Esito> esito = esportazione.esegui(ambiente.desktop.documentsFolder(), sName,
                                                    sNomeApp, sColData, sColStringa, sColExport);
    clessidra.restore();
    if (!esito) {
        ambiente.dialogs.messageBox(Errore(esito.error()));
        return;
    }
    if (esito->errore) {
        ambiente.dialogs.messageBox(Errore(*esito->errore));
    }
    if (!ambiente.desktop.openWithDefaultApplication(esito->file)) {
        ambiente.dialogs.messageBox(NonAperto(esito->file));
    }
}

}  // namespace Excel
