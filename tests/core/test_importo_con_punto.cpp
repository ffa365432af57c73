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

TEST(ImportoConPunto, GivesTheShortestPlainTextWithAPointWhateverTheLocale) {
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    const std::pair<float, const char*> cases[] = {
        {1250.5f, "1250.5"},      {300.0f, "300"},           {0.0f, "0"},
        {12345.67f, "12345.67"},  {1234.56f, "1234.56"},     {0.3f, "0.3"},
        {1.0e10f, "10000000000"}, {16777216.0f, "16777216"}, {0.001f, "0.001"},
        {-250.5f, "-250.5"}};
    for (const auto& [importo, testo] : cases) {
        EXPECT_EQ(ImportoConPunto(importo), QString::fromLatin1(testo));
    }
    QLocale::setDefault(prima);
    std::setlocale(LC_ALL, "C");
}

TEST(ImportoConPunto, ReadsBackAsTheSameSinglePrecisionValue) {
    // Values spread over the range that amounts take, including ones whose
    // seven-digit form would read back as a neighbour.
    for (std::uint32_t bit = std::bit_cast<std::uint32_t>(0.01f);
         bit < std::bit_cast<std::uint32_t>(1.0e9f); bit += 99991) {
        const float importo = std::bit_cast<float>(bit);
        const std::string letto = ImportoConPunto(importo).toStdString();
        ASSERT_EQ(letto.find('e'), std::string::npos) << letto;
        float riletto = 0.0f;
        std::from_chars(letto.data(), letto.data() + letto.size(), riletto);
        ASSERT_EQ(riletto, importo) << letto;
    }
}

}  // namespace
