#include "ImportoConPunto.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <bit>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <string>

namespace {

struct ImportoCase {
    float importo;
    const char* testo;
};

class ImportoConPuntoTest : public testing::TestWithParam<ImportoCase> {};

TEST_P(ImportoConPuntoTest, GivesTheShortestPlainTextWithAPoint) {
    EXPECT_EQ(ImportoConPunto(GetParam().importo), QString::fromLatin1(GetParam().testo));
}

INSTANTIATE_TEST_SUITE_P(Importi, ImportoConPuntoTest,
                         testing::Values(ImportoCase{1250.5f, "1250.5"}, ImportoCase{300.0f, "300"},
                                         ImportoCase{0.0f, "0"}, ImportoCase{12345.67f, "12345.67"},
                                         ImportoCase{1234.56f, "1234.56"}, ImportoCase{0.3f, "0.3"},
                                         ImportoCase{1.0e10f, "10000000000"},
                                         ImportoCase{16777216.0f, "16777216"},
                                         ImportoCase{0.001f, "0.001"},
                                         ImportoCase{-250.5f, "-250.5"}));

TEST(ImportoConPunto, KeepsThePointUnderALocaleThatUsesTheComma) {
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const bool cLocale = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
    const QString testo = ImportoConPunto(1250.5f);
    QLocale::setDefault(prima);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(testo, QStringLiteral("1250.5")) << "C locale set: " << cLocale;
}

TEST(ImportoConPunto, ReadsBackAsTheSameSinglePrecisionValue) {
    // Values spread over the range that amounts take, including ones whose
    // seven-digit form would read back as a neighbour.
    for (std::uint32_t bit = std::bit_cast<std::uint32_t>(0.01f);
         bit < std::bit_cast<std::uint32_t>(1.0e9f); bit += 99991) {
        const float importo = std::bit_cast<float>(bit);
        const QString testo = ImportoConPunto(importo);
        ASSERT_FALSE(testo.contains(QLatin1Char('e'))) << testo.toStdString();
        const std::string letto = testo.toStdString();
        float riletto = 0.0f;
        std::from_chars(letto.data(), letto.data() + letto.size(), riletto);
        ASSERT_EQ(riletto, importo) << letto;
    }
}

}  // namespace
