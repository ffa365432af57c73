#include "ControlloCodiceFiscale.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Codes made up for these tests, their check characters worked out by hand:
//   QRZTDR87D15Z000H  QUARZOLO TEODORO, man, 15/04/1987
//   QRZTDR87D15Z200L  the same born in place Z200
//   QRZTDR87D1RZLLLT  the same with the last four digits substituted
//   FRRGFR95S43Z000U  FERRUCCA GIANFRANCA, woman, 03/11/1995
//   FRRGNF95S43Z000P  the same with the name's first three consonants
//   OAXDNL04B29Z000V  OÀ DANILO, man, 29/02/2004
// A case is the typed surname, name, date and code, and the hints expected,
// each by a word it holds and the characters it gives as expected: "forma",
// "data", "controllo H", "cognome VSP", "nome GFR".
struct Caso {
    const char* persona;
    QStringList suggerimenti;
};

const Caso kCasi[] = {
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D15Z200L", {}},
    {"quarzolo | teodoro|15/04/1987| qrztdr87d15z000h", {}},      // lower case, blanks
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D1RZLLLT", {}},         // substitute letters
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D15Z00TU", {}},         // T in an odd place
    {"Ferrucca|Gianfranca|03/11/1995|FRRGFR95S43Z000U", {}},      // woman, 4-consonant name
    {"Oà|Danilo|29/02/2004|OAXDNL04B29Z000V", {}},                // X padding, accent
    {"Quar Zo'lo|Teo-doro|15/04/1987|QRZTDR87D15Z000H", {}},      // blanks, apostrophes
    {"Vespolo|Ugo|01/01/2000|QRZTDR87D15Z000", {}},               // shorter than 16
    {"  ||15/04/19__|QRZTDR87D15Z000A", {"controllo H"}},         // empty parts
    {"Quarzolo|Teodoro|15/04/1987|1234567890123456", {"forma"}},  // digits only
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87F15Z000H", {"forma"}},  // not a month letter
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D1AZ000H", {"forma"}},  // not a substitute
    {"Quarzolo|Teodoro|15/04/1987|QRZTDÈ87D15Z000H", {"forma"}},  // accented letter
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D15Z000J", {"controllo H"}},
    {"Quarzolo|Teodoro|15/04/1987|QRZTDR87D1RZLLLH", {"controllo T"}},
    {"Ferrucca|Gianfranca|03/11/1995|FRRGNF95S43Z000P", {"nome GFR"}},  // 1st, 3rd, 4th of six
    {"Ferrucca|Roberta|03/11/1995|FRRGFR95S43Z000U", {"nome RRT"}},     // three consonants
    {"Quarzolo|Teodoro|15/04/1988|QRZTDR87D15Z000H", {"data"}},
    {"Quarzolo|Teodoro|15/05/1987|QRZTDR87D15Z000H", {"data"}},
    {"Quarzolo|Teodoro|16/04/1987|QRZTDR87D15Z000H", {"data"}},
    {"Ferrucca|Gianfranca|13/11/1995|FRRGFR95S43Z000U", {"data"}},  // woman's day
    {"Vespolo|Ugo|01/01/2000|QRZTDR87D15Z000A", {"controllo H", "cognome VSP", "nome GUO", "data"}},
    {"Aie|Ia|15/04/1987|QRZTDR87D15Z000H", {"cognome AIE", "nome IAX"}},  // vowels, then X
    // Every letter in an odd and in an even place of the check sum.
    {"||15/04/19__|ABCDEF80A01Z000A", {"controllo T"}},
    {"||15/04/19__|GHIJKL80A01Z000A", {"controllo G"}},
    {"||15/04/19__|MNOPQR80A01Z000A", {"controllo X"}},
    {"||15/04/19__|STUVWX80A01Z000A", {"controllo E"}},
    {"||15/04/19__|YZABCD80A01Z000A", {"controllo C"}},
    {"||15/04/19__|BCDEFG80A01Z000A", {"controllo B"}},
    {"||15/04/19__|HIJKLM80A01Z000A", {"controllo P"}},
    {"||15/04/19__|NOPQRS80A01Z000A", {"controllo W"}},
    {"||15/04/19__|TUVWXY80A01Z000A", {"controllo G"}},
    {"||15/04/19__|ZABCDE80A01Z000A", {"controllo F"}},
};

TEST(ControlloCodiceFiscale, GivesTheHintsOfEachCase) {
    for (const Caso& caso : kCasi) {
        const QStringList p = QString::fromUtf8(caso.persona).split(u'|');
        const QStringList dati = IncongruenzeCodiceFiscale({p[0], p[1], p[2], p[3]});
        ASSERT_EQ(dati.size(), caso.suggerimenti.size()) << caso.persona;
        for (qsizetype i = 0; i < dati.size(); ++i) {
            const QString tipo = caso.suggerimenti[i].section(u' ', 0, 0);
            const QString lettere = caso.suggerimenti[i].section(u' ', 1);
            EXPECT_TRUE(dati[i].contains(" " + tipo + " ") &&
                        (lettere.isEmpty() || dati[i].contains(": " + lettere + ")")))
                << caso.persona << ": " << dati[i].toStdString();
        }
    }
}

}  // namespace
