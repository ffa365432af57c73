#pragma once

#include "ColonneRiepilogo.h"
#include "DatiDomanda.h"
#include "TextGridModel.h"

#include <QLocale>
#include <QString>

#include <vector>

// An amount as money, in Italian form with two decimals and thousands
// separators: "1.250,50".
QString ImportoInEuro(double valore);

// A locale holding its own data: the system locale looks its data up
// through the platform at each use, and the summary converts thousands of
// amounts.
QLocale LocaleFissato(const QLocale& locale);

// What each column of the summary shows of a record, and what it sorts by;
// the amounts in the form of the given locale.
class RigaRiepilogo {
public:
    explicit RigaRiepilogo(const QLocale& locale);

    // An amount as the locale writes a single-precision number: shortest
    // form with at most 7 significant digits, the locale's decimal separator
    // and no thousands separator (99.5 is "99,5" under an Italian locale,
    // 250 is "250").
    QString importo(float valore) const;

    // The text of column col in the row showing record nRecord: trimmed
    // fields, joined with their separators also when a part is blank.
    QString testo(int col, int nRecord, const DatiDomanda& domanda) const;
    // The 15 texts of that row, made from the fields taken over; the
    // amounts as the screen shows them, or as money (ImportoInEuro).
    enum class Importi { Schermo, Euro };
    void testi(std::vector<QString>& celle, int nRecord, DatiDomanda&& domanda,
               Importi importi = Importi::Schermo) const;

    // What column col of that row sorts by: the record number, the dates as
    // dates (a blank or malformed one before every date), the amounts by
    // value, every other column by its text.
    TextGridModel::SortKey chiave(int col, int nRecord, const DatiDomanda& domanda) const;

private:
    // D is const DatiDomanda& or DatiDomanda&&, whose fields are then
    // trimmed in place.
    template <class D>
    QString colonna(int col, int nRecord, D&& d, Importi importi = Importi::Schermo) const;

    QLocale locale_;
};
