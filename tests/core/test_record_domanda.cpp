#include "DatiDomanda.h"
#include "ImportoConPunto.h"
#include "ModuloDiProva.h"
#include "QtPrinters.h"
#include "RiempiRecord.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <numeric>
#include <string>

namespace {

using D = DatiDomanda;

// The text fields follow one another in this order and width; the two
// amounts close the record at 410 and 414 as little-endian binary32.
TEST(CodificaDomanda, PutsEveryFieldInItsPlaceAndReadsItBackExactly) {
    const std::pair<QString D::*, int> campi[] = {
        {&D::CognRich, 30},    {&D::NomeRich, 30},    {&D::LuogoRich, 30}, {&D::DataRich, 10},
        {&D::CodFiscRich, 16}, {&D::ComRich, 30},     {&D::ViaRich, 50},   {&D::NumRich, 4},
        {&D::CapRich, 5},      {&D::CognStud, 30},    {&D::NomeStud, 30},  {&D::LuogoStud, 30},
        {&D::DataStud, 10},    {&D::CodFiscStud, 16}, {&D::ComStud, 30},   {&D::ViaStud, 50},
        {&D::NumStud, 4},      {&D::CapStud, 5}};
    DatiDomanda domanda;
    QByteArray atteso;
    for (std::size_t i = 0; i < std::size(campi); ++i) {
        domanda.*campi[i].first = QString(campi[i].second, QChar(char16_t(u'A' + i)));
        atteso += QByteArray(campi[i].second, char('A' + i));
    }
    domanda.Spese = 250.5f;
    domanda.Isee = 12345.67f;

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(record, atteso + QByteArray::fromHex("00807a43aee64046"));
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size()), domanda);
}

TEST(CodificaDomanda, PadsWithBlanksCutsAtTheWidthAndWritesWindows1252) {
    DatiDomanda domanda = AzzeraRecord();
    domanda.CognRich = QStringLiteral("NICOLÀ € A\u0142B\U0001F600C");
    domanda.NomeRich = QString(35, QChar('M'));  // 5 past its width of 30
    domanda.CapRich = QStringLiteral("001234");  // one past its width of 5

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(record.left(90), QByteArray("NICOL\xC0 \x80 A?B?C") + QByteArray(16, ' ') +
                                   QByteArray(30, 'M') + QByteArray(30, ' '));
    EXPECT_EQ(record.mid(200, 6), QByteArray("00123 "));
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size()).CognRich,
              QStringLiteral("NICOLÀ € A?B?C").leftJustified(30));
}

TEST(AzzeraRecord, GivesBlankFieldsAtFullWidthAndZeroAmounts) {
    const DatiDomanda vuota = AzzeraRecord();

    for (const CampoTesto& campo : kCampiTesto) {
        EXPECT_EQ(vuota.*campo.membro, QString(campo.larghezza, ' ')) << campo.nome;
    }
    EXPECT_EQ(CodificaDomanda(vuota), QByteArray(410, ' ') + QByteArray(8, '\0'));
    EXPECT_EQ(RecordVuoto(), CodificaDomanda(vuota));
}

// A cut last record reads as if its missing text bytes were blanks and any
// amount that is cut were 0; its completed image decodes the same way.
TEST(DecodificaDomanda, ReadsACutRecordWithBlankTextAndZeroCutAmounts) {
    DatiDomanda domanda = AzzeraRecord();
    domanda.CognRich = QString(30, 'R');
    domanda.CognStud = QString(30, 'S');
    domanda.Spese = 250.5f;
    domanda.Isee = 1234.56f;
    const QByteArray record = CodificaDomanda(domanda);
    for (int length : {1, 220, 410, 413, 414, 417, 418}) {
        SCOPED_TRACE(length);
        const int text = std::min(length, 410);
        DatiDomanda attesa = domanda;
        attesa.CognRich = QString(std::clamp(length, 0, 30), 'R').leftJustified(30);
        attesa.CognStud = QString(std::clamp(length - 205, 0, 30), 'S').leftJustified(30);
        attesa.Spese = length >= 414 ? 250.5f : 0.0f;
        attesa.Isee = length >= 418 ? 1234.56f : 0.0f;

        EXPECT_EQ(DecodificaDomanda(record.constData(), length), attesa);
        EXPECT_EQ(CompletaRecord(record.constData(), length),
                  record.left(text) + RecordVuoto().mid(text, 410 - text) +
                      (length >= 414 ? record.mid(410, 4) : QByteArray(4, '\0')) +
                      (length >= 418 ? record.mid(414, 4) : QByteArray(4, '\0')));
    }
}

TEST(Windows1252, EveryByteDecodesToADistinctCharacterAndEncodesBackUnchanged) {
    QByteArray bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');

    const QString text = Windows1252::Decodifica(bytes.constData(), bytes.size());

    ASSERT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_TRUE(Windows1252::PuoCodificare(text));
    EXPECT_EQ(Windows1252::Codifica(text), bytes);
    EXPECT_EQ(text.mid(0x80, 34),
              QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ\u00A0¡"));
    EXPECT_EQ(Windows1252::Codifica(QStringLiteral("€ è ò ù ì É")),
              QByteArray("\x80 \xE8 \xF2 \xF9 \xEC \xC9"));
}

TEST(Windows1252, RefusesCharactersWithoutAByteNamingTheFirst) {
    const std::pair<QString, char16_t> cases[] = {{"Wałęsa", u'ł'},
                                                  {"ROSSI Жуков", u'Ж'},
                                                  {"ok \U0001F600", 0xD83D},
                                                  {"a\u0080", 0x0080},
                                                  {"µ\u039C", 0x039C},
                                                  {"PERCHÉ L'ÀNCORA È LÌ: 12,5 € – “SÌ”", 0},
                                                  {"", 0}};
    for (const auto& [text, refused] : cases) {
        EXPECT_EQ(Windows1252::PuoCodificare(text), refused == 0) << text.toStdString();
        EXPECT_EQ(Windows1252::PrimoNonCodificabile(text).unicode(), refused);
    }
}

// Every box but the dates loses its surrounding blanks (blanks only) and is
// upper-cased, accented letters too; the amounts are read as numbers.
TEST(RiempiRecord, TrimsAndUpperCasesEveryTextBoxIntoItsOwnFieldButTheDates) {
    // The record's fields in the boxes' tab order.
    QString D::*const campi[18] = {
        &D::CognRich, &D::NomeRich,    &D::LuogoRich, &D::DataRich, &D::CodFiscRich, &D::ComRich,
        &D::CapRich,  &D::ViaRich,     &D::NumRich,   &D::CognStud, &D::NomeStud,    &D::LuogoStud,
        &D::DataStud, &D::CodFiscStud, &D::ComStud,   &D::CapStud,  &D::ViaStud,     &D::NumStud};
    ModuloDomanda modulo = ModuloCompleto();
    for (int i = 0; i < 18; ++i) {
        modulo.*kCaselle[i].testo = QStringLiteral(" \tbox%1 ì  ").arg(i);
    }

    const DatiDomanda domanda = RiempiRecord(modulo);

    for (int i = 0; i < 18; ++i) {
        const bool data = campi[i] == &D::DataRich || campi[i] == &D::DataStud;
        EXPECT_EQ(domanda.*campi[i],
                  (data ? QStringLiteral(" \tbox%1 ì  ") : QStringLiteral("\tBOX%1 Ì")).arg(i));
    }
    EXPECT_EQ(domanda.Spese, 1234.56f);
    EXPECT_EQ(domanda.Isee, 5000.0f);
}

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
