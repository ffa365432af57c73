#include "ControlloImporti.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>

namespace {

TEST(FiltraTastoImporto, KeepsDigitsBackspaceAndOnePointTypedAsPointOrComma) {
    const struct {
        char16_t digitato;
        bool bPunto;
        std::optional<char16_t> inserito;
        bool bPuntoDopo;
    } casi[] = {{u',', false, u'.', true},
                {u'.', false, u'.', true},
                {u',', true, std::nullopt, true},
                {u'.', true, std::nullopt, true},
                {u'0', false, u'0', false},
                {u'9', true, u'9', true},
                {kBackspace, true, kBackspace, true},
                {u'-', false, std::nullopt, false},
                {u'e', true, std::nullopt, true},
                {u' ', false, std::nullopt, false},
                {13, false, std::nullopt, false},
                {0x0663, false, std::nullopt, false}};
    for (const auto& caso : casi) {
        SCOPED_TRACE(testing::Message() << int(caso.digitato) << " after point: " << caso.bPunto);
        const EsitoTasto esito = FiltraTastoImporto(QChar(caso.digitato), caso.bPunto);
        EXPECT_EQ(esito.carattere,
                  caso.inserito ? std::optional(QChar(*caso.inserito)) : std::nullopt);
        EXPECT_EQ(esito.bPunto, caso.bPuntoDopo);
    }
}

TEST(ControllaDecimali, RefusesMoreThanTwoCharactersAfterTheFirstPointLeavingZero) {
    for (const char* accettato : {"12", "12.5", "12.50", "12.", "12. 50 ", ""}) {
        EXPECT_EQ(ControllaDecimali(accettato).testo, QString::fromLatin1(accettato));
        EXPECT_FALSE(ControllaDecimali(accettato).bTroppiDecimali) << accettato;
    }
    for (const char* rifiutato : {"12.505", "1.2.3"}) {
        EXPECT_EQ(ControllaDecimali(rifiutato).testo, QStringLiteral("0"));
        EXPECT_TRUE(ControllaDecimali(rifiutato).bTroppiDecimali) << rifiutato;
    }
    EXPECT_EQ(kMessaggioDecimali,
              QStringLiteral("ATTENZIONE! Non inserire più di due cifre dopo la virgola. \n Il "
                             "contenuto della casella verrà eliminato."));
}

TEST(ValoreImporto, ReadsThePointDecimalUpToWhatEndsTheNumberAsSinglePrecision) {
    const std::pair<QString, std::optional<float>> casi[] = {
        {"1234.56", 1234.56f},
        {" 250.5 ", 250.5f},
        {"12.", 12.0f},
        {"1.23456789", 1.23456789f},
        {"", 0.0f},
        {".", 0.0f},
        {"1,5", 1.0f},
        {"3e5", 3.0f},
        {"340282346638528859811704183484516925440", FLT_MAX},
        {"1" + QString(39, u'0'), std::nullopt},
        {"0." + QString(60, u'0') + "1", 0.0f}};
    for (const auto& [testo, valore] : casi) {
        EXPECT_EQ(ValoreImporto(testo), valore) << testo.toStdString();
    }
}

}  // namespace
