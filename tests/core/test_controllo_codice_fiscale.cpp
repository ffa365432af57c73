#include "ControlloCodiceFiscale.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Codes made up for these tests, their check characters worked out by hand:
//   QRZTDR87D15Z000H  QUARZOLO TEODORO, man, 15/04/1987
//   QRZTDR87D1RZLLLT  the same with the last four digits substituted
//   FRRGFR95S43Z000U  FERRUCCA GIANFRANCA, woman, 03/11/1995
//   FRRGNF95S43Z000P  the same with the name's first three consonants
//   OAXDNL04B29Z000V  OÀ DANILO, man, 29/02/2004
struct Caso {
    const char* descrizione;
    PersonaDigitata persona;
    QStringList attesi;
};

const QString kForma = QStringLiteral("Il codice fiscale non ha la forma prevista.");
const QString kData = QStringLiteral("La data di nascita non corrisponde al codice fiscale.");

QString controllo(const char* atteso) {
    return QStringLiteral(
               "Il carattere di controllo del codice fiscale non corrisponde "
               "(atteso: %1).")
        .arg(QLatin1String(atteso));
}
QString cognome(const char* attese) {
    return QStringLiteral("Le lettere del cognome non corrispondono (attese: %1).")
        .arg(QLatin1String(attese));
}
QString nome(const char* attese) {
    return QStringLiteral("Le lettere del nome non corrispondono (attese: %1).")
        .arg(QLatin1String(attese));
}

PersonaDigitata quarzolo(const QString& codice, const QString& data = "15/04/1987") {
    return {"Quarzolo", "Teodoro", data, codice};
}

const Caso kCasi[] = {
    {"valid", quarzolo("QRZTDR87D15Z000H"), {}},
    {"typed in lower case with blanks around",
     {"quarzolo ", " teodoro", "15/04/1987", " qrztdr87d15z000h"},
     {}},
    {"substitute letters", quarzolo("QRZTDR87D1RZLLLT"), {}},
    {"woman's day, name of four consonants",
     {"Ferrucca", "Gianfranca", "03/11/1995", "FRRGFR95S43Z000U"},
     {}},
    {"short surname padded with X, accented vowel, three consonants",
     {"Oà", "Danilo", "29/02/2004", "OAXDNL04B29Z000V"},
     {}},
    {"blanks and apostrophes in names are ignored",
     {"Quar Zo'lo", "Teo-doro", "15/04/1987", "QRZTDR87D15Z000H"},
     {}},

    {"shorter than 16", {"Vespolo", "Ugo", "01/01/2000", "QRZTDR87D15Z000"}, {}},
    {"empty parts and a date partly typed",
     {"  ", "", "15/04/19__", "QRZTDR87D15Z000A"},
     {controllo("H")}},
    {"sixteen digits", quarzolo("1234567890123456"), {kForma}},
    {"not a month letter", quarzolo("QRZTDR87F15Z000H"), {kForma}},
    {"a letter that substitutes no digit", quarzolo("QRZTDR87D1AZ000H"), {kForma}},
    {"accented letter in the code", quarzolo("QRZTDÈ87D15Z000H"), {kForma}},

    {"check character", quarzolo("QRZTDR87D15Z000J"), {controllo("H")}},
    {"check character of substituted code", quarzolo("QRZTDR87D1RZLLLH"), {controllo("T")}},
    {"name: first three consonants of six",
     {"Ferrucca", "Gianfranca", "03/11/1995", "FRRGNF95S43Z000P"},
     {nome("GFR")}},
    {"name of exactly four consonants",
     {"Ferrucca", "Roberta", "03/11/1995", "FRRGFR95S43Z000U"},
     {nome("RRT")}},
    {"wrong year", quarzolo("QRZTDR87D15Z000H", "15/04/1988"), {kData}},
    {"wrong month", quarzolo("QRZTDR87D15Z000H", "15/05/1987"), {kData}},
    {"wrong day", quarzolo("QRZTDR87D15Z000H", "16/04/1987"), {kData}},
    {"woman's day of another date",
     {"Ferrucca", "Gianfranca", "13/11/1995", "FRRGFR95S43Z000U"},
     {kData}},
    {"every hint, one per line, in order",
     {"Vespolo", "Ugo", "01/01/2000", "QRZTDR87D15Z000A"},
     {controllo("H"), cognome("VSP"), nome("GUO"), kData}},
    {"vowels after consonants, then X",
     {"Aie", "Ia", "15/04/1987", "QRZTDR87D15Z000H"},
     {cognome("AIE"), nome("IAX")}},
};

TEST(ControlloCodiceFiscale, GivesTheHintsOfEachCase) {
    for (const Caso& caso : kCasi) {
        EXPECT_EQ(IncongruenzeCodiceFiscale(caso.persona), caso.attesi) << caso.descrizione;
    }
}

}  // namespace
