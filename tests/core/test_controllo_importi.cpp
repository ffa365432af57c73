#include "ControlloImporti.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>

namespace {

struct CasoTasto {
    const char* nome;
    char16_t digitato;
    bool bPunto;
    std::optional<char16_t> inserito;
    bool bPuntoDopo;
};

void PrintTo(const CasoTasto& caso, std::ostream* out) {
    *out << caso.nome;
}

class FiltroTasti : public testing::TestWithParam<CasoTasto> {};

TEST_P(FiltroTasti, KeepsDigitsAndOnePointOnly) {
    const CasoTasto& caso = GetParam();
    const EsitoTasto esito = FiltraTastoImporto(QChar(caso.digitato), caso.bPunto);
    const std::optional<QChar> atteso =
        caso.inserito ? std::optional<QChar>(QChar(*caso.inserito)) : std::nullopt;
    EXPECT_EQ(esito.carattere, atteso);
    EXPECT_EQ(esito.bPunto, caso.bPuntoDopo);
}

INSTANTIATE_TEST_SUITE_P(
    Tasti, FiltroTasti,
    testing::Values(CasoTasto{"CommaBecomesPoint", u',', false, u'.', true},
                    CasoTasto{"FirstPointKept", u'.', false, u'.', true},
                    CasoTasto{"SecondCommaDropped", u',', true, std::nullopt, true},
                    CasoTasto{"SecondPointDropped", u'.', true, std::nullopt, true},
                    CasoTasto{"DigitZero", u'0', false, u'0', false},
                    CasoTasto{"DigitNineAfterPoint", u'9', true, u'9', true},
                    CasoTasto{"Backspace", kBackspace, true, kBackspace, true},
                    CasoTasto{"MinusDropped", u'-', false, std::nullopt, false},
                    CasoTasto{"LetterDropped", u'e', true, std::nullopt, true},
                    CasoTasto{"BlankDropped", u' ', false, std::nullopt, false},
                    CasoTasto{"CarriageReturnDropped", 13, false, std::nullopt, false},
                    CasoTasto{"ArabicDigitDropped", 0x0663, false, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoDecimali {
    const char* nome;
    const char* importo;
    bool rifiutato;
};

void PrintTo(const CasoDecimali& caso, std::ostream* out) {
    *out << caso.nome;
}

class Decimali : public testing::TestWithParam<CasoDecimali> {};

TEST_P(Decimali, RefusesMoreThanTwoCharactersAfterTheFirstPoint) {
    const CasoDecimali& caso = GetParam();
    const QString importo = QString::fromUtf8(caso.importo);

    const EsitoDecimali esito = ControllaDecimali(importo);

    EXPECT_EQ(esito.bTroppiDecimali, caso.rifiutato);
    EXPECT_EQ(esito.testo, caso.rifiutato ? QStringLiteral("0") : importo);
}

INSTANTIATE_TEST_SUITE_P(Importi, Decimali,
                         testing::Values(CasoDecimali{"NoPoint", "12", false},
                                         CasoDecimali{"OneDecimal", "12.5", false},
                                         CasoDecimali{"TwoDecimals", "12.50", false},
                                         CasoDecimali{"PointAlone", "12.", false},
                                         CasoDecimali{"BlanksAroundDecimals", "12. 50 ", false},
                                         CasoDecimali{"ThreeDecimals", "12.505", true},
                                         CasoDecimali{"SecondPointCounts", "1.2.3", true},
                                         CasoDecimali{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Decimali, MessageIsTheExactWarning) {
    EXPECT_EQ(kMessaggioDecimali,
              QStringLiteral("ATTENZIONE! Non inserire più di due cifre dopo la virgola. \n Il "
                             "contenuto della casella verrà eliminato."));
}

TEST(ValoreImporto, ReadsAPointDecimalAsSinglePrecision) {
    EXPECT_EQ(ValoreImporto(QStringLiteral("1234.56")), 1234.56f);
    EXPECT_EQ(ValoreImporto(QStringLiteral(" 250.5 ")), 250.5f);
    EXPECT_EQ(ValoreImporto(QStringLiteral("12.")), 12.0f);
    EXPECT_EQ(ValoreImporto(QStringLiteral("1.23456789")), 1.23456789f);
}

TEST(ValoreImporto, StopsAtTheFirstCharacterThatEndsTheNumber) {
    EXPECT_EQ(ValoreImporto(QString()), 0.0f);
    EXPECT_EQ(ValoreImporto(QStringLiteral(".")), 0.0f);
    EXPECT_EQ(ValoreImporto(QStringLiteral("1,5")), 1.0f);
    EXPECT_EQ(ValoreImporto(QStringLiteral("3e5")), 3.0f);
}

TEST(ValoreImporto, RefusesOnlyWhatSinglePrecisionCannotHold) {
    EXPECT_EQ(ValoreImporto(QStringLiteral("340282346638528859811704183484516925440")), FLT_MAX);
    EXPECT_EQ(ValoreImporto(QStringLiteral("1") + QString(39, u'0')), std::nullopt);
    EXPECT_EQ(ValoreImporto(QStringLiteral("0.") + QString(60, u'0') + QStringLiteral("1")), 0.0f);
}

}  // namespace
