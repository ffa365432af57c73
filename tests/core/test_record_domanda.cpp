#include "DatiDomanda.h"
#include "DomandaDiProva.h"
#include "ImportoConPunto.h"
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

using C = Campo;

// The text fields follow one another in this order and width; the two
// amounts close the record at 410 and 414 as little-endian binary32.
TEST(CodificaDomanda, PutsEveryFieldInItsPlaceAndReadsItBackExactly) {
    const std::pair<C, int> campi[] = {{C::CognRich, 30}, {C::NomeRich, 30},    {C::LuogoRich, 30},
                                       {C::DataRich, 10}, {C::CodFiscRich, 16}, {C::ComRich, 30},
                                       {C::ViaRich, 50},  {C::NumRich, 4},      {C::CapRich, 5},
                                       {C::CognStud, 30}, {C::NomeStud, 30},    {C::LuogoStud, 30},
                                       {C::DataStud, 10}, {C::CodFiscStud, 16}, {C::ComStud, 30},
                                       {C::ViaStud, 50},  {C::NumStud, 4},      {C::CapStud, 5}};
    DatiDomanda domanda;
    QByteArray atteso;
    for (std::size_t i = 0; i < std::size(campi); ++i) {
        domanda[campi[i].first] = QString(campi[i].second, QChar(char16_t(u'A' + i)));
        atteso += QByteArray(campi[i].second, char('A' + i));
    }
    domanda.importo(C::Spese) = 250.5f;
    domanda.importo(C::Isee) = 12345.67f;

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(record, atteso + QByteArray::fromHex("00807a43aee64046"));
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size()), domanda);
    EXPECT_EQ(TestoDelRecord(record.constData(), C::ViaStud), QString(50, u'P'));
    EXPECT_EQ(ImportoDelRecord(record.constData(), C::Isee), 12345.67f);
}

// An empty application is all blanks and two zero amounts.
TEST(CodificaDomanda, PadsWithBlanksCutsAtTheWidthAndWritesWindows1252) {
    DatiDomanda domanda = AzzeraRecord();
    domanda[C::CognRich] = QStringLiteral("NICOLÀ € A\u0142B\U0001F600C");
    domanda[C::NomeRich] = QString(35, QChar('M'));  // 5 past its width of 30
    domanda[C::CapRich] = QStringLiteral("001234");  // one past its width of 5

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(record.left(90), QByteArray("NICOL\xC0 \x80 A?B?C") + QByteArray(16, ' ') +
                                   QByteArray(30, 'M') + QByteArray(30, ' '));
    EXPECT_EQ(record.mid(200, 6), QByteArray("00123 "));
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size())[C::CognRich],
              QStringLiteral("NICOLÀ € A?B?C").leftJustified(30));
    EXPECT_TRUE(CodificaDomanda(AzzeraRecord()) == RecordVuoto() &&
                RecordVuoto() == QByteArray(410, ' ') + QByteArray(8, '\0'));
}

// A cut last record reads as if its missing text bytes were blanks and any
// amount that is cut were 0; its completed image decodes the same way.
TEST(DecodificaDomanda, ReadsACutRecordWithBlankTextAndZeroCutAmounts) {
    DatiDomanda domanda = AzzeraRecord();
    domanda[C::CognRich] = QString(30, 'R');
    domanda[C::CognStud] = QString(30, 'S');
    domanda.importo(C::Spese) = 250.5f;
    domanda.importo(C::Isee) = 1234.56f;
    const QByteArray record = CodificaDomanda(domanda);
    for (int length : {1, 220, 410, 413, 414, 417, 418}) {
        SCOPED_TRACE(length);
        const int text = std::min(length, 410);
        DatiDomanda attesa = domanda;
        attesa[C::CognRich] = QString(std::clamp(length, 0, 30), 'R').leftJustified(30);
        attesa[C::CognStud] = QString(std::clamp(length - 205, 0, 30), 'S').leftJustified(30);
        attesa.importo(C::Spese) = length >= 414 ? 250.5f : 0.0f;
        attesa.importo(C::Isee) = length >= 418 ? 1234.56f : 0.0f;

        EXPECT_EQ(DecodificaDomanda(record.constData(), length), attesa);
        EXPECT_EQ(CompletaRecord(record.constData(), length),
                  record.left(text) + RecordVuoto().mid(text, 410 - text) +
                      (length >= 414 ? record.mid(410, 4) : QByteArray(4, '\0')) +
                      (length >= 418 ? record.mid(414, 4) : QByteArray(4, '\0')));
    }
}

// Every byte decodes to its own character and encodes back; a character
// without a byte (a C1 control, a letter, half an emoji) is named.
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
    EXPECT_EQ(Windows1252::PrimoNonCodificabile(QStringLiteral("a\u0080ł")), QChar(0x80));
    EXPECT_EQ(Windows1252::PrimoNonCodificabile(QStringLiteral("ok ł")), QChar(u'ł'));
    EXPECT_EQ(Windows1252::PrimoNonCodificabile(QStringLiteral("ok \U0001F600")), QChar(0xD83D));
    EXPECT_FALSE(Windows1252::PuoCodificare(QStringLiteral("ROSSI Жуков")));
}

// Every box but the dates loses its surrounding blanks (blanks only) and is
// upper-cased, accented letters too; the amounts are read as numbers.
TEST(RiempiRecord, TrimsAndUpperCasesEveryTextBoxIntoItsOwnFieldButTheDates) {
    ModuloDomanda modulo = ModuloCompleto();
    for (int i = 0; i < kNumeroTesti; ++i) {
        modulo[C(i)] = QStringLiteral(" \tbox%1 ì  ").arg(i);
    }

    const DatiDomanda domanda = RiempiRecord(modulo);

    for (int i = 0; i < kNumeroTesti; ++i) {
        const bool data = Descrizione(C(i)).tipo == TipoCampo::Data;
        EXPECT_EQ(domanda[C(i)],
                  (data ? QStringLiteral(" \tbox%1 ì  ") : QStringLiteral("\tBOX%1 Ì")).arg(i));
    }
    EXPECT_EQ(domanda.importo(C::Spese), 1234.56f);
    EXPECT_EQ(domanda.importo(C::Isee), 5000.0f);
    // Shown in the boxes again (as the search does), the record stores back unchanged.
    EXPECT_EQ(RiempiRecord(ModuloDelRecord(domanda)), domanda);
}

// Whatever the locale, the shortest plain text with a point that reads back
// as the same single-precision value, over the range amounts take.
TEST(ImportoConPunto, GivesTheShortestPlainTextThatReadsBackTheSameValue) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    EXPECT_EQ(
        QStringList({ImportoConPunto(1250.5f), ImportoConPunto(0.0f), ImportoConPunto(-0.3f)}),
        QStringList({"1250.5", "0", "-0.3"}));
    for (std::uint32_t bit = std::bit_cast<std::uint32_t>(0.01f);
         bit < std::bit_cast<std::uint32_t>(1.0e10f); bit += 99991) {
        const float importo = std::bit_cast<float>(bit);
        const std::string letto = ImportoConPunto(importo).toStdString();
        float riletto = 0.0f;
        const auto fine = std::from_chars(letto.data(), letto.data() + letto.size(), riletto,
                                          std::chars_format::fixed);
        ASSERT_TRUE(riletto == importo && fine.ptr == letto.data() + letto.size()) << letto;
    }
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
}

}  // namespace
