#include "DatiDomanda.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using D = DatiDomanda;

TEST(CodificaDomanda, WritesAmountsAsLittleEndianBinary32) {
    const struct {
        float typed;
        const char* storedHex;
        double readBack;
    } cases[] = {{12345.67f, "aee64046", 12345.669921875},
                 {1234.56f, "ec519a44", 1234.56005859375},
                 {250.5f, "00807a43", 250.5},
                 {0.0f, "00000000", 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedHex);
        DatiDomanda domanda = AzzeraRecord();
        domanda.Spese = domanda.Isee = c.typed;

        const QByteArray record = CodificaDomanda(domanda);

        EXPECT_EQ(record.mid(410, 4), QByteArray::fromHex(c.storedHex));
        EXPECT_EQ(record.mid(414, 4), QByteArray::fromHex(c.storedHex));
        const DatiDomanda letta = DecodificaDomanda(record.constData(), record.size());
        EXPECT_EQ(static_cast<double>(letta.Spese), c.readBack);
        EXPECT_EQ(static_cast<double>(letta.Isee), c.readBack);
    }
}

TEST(CodificaDomanda, PutsEveryTextFieldAtItsOffsetAndWidthAndReadsItBack) {
    const struct {
        QString D::*membro;
        int offset, larghezza;
    } layout[] = {{&D::CognRich, 0, 30},   {&D::NomeRich, 30, 30},     {&D::LuogoRich, 60, 30},
                  {&D::DataRich, 90, 10},  {&D::CodFiscRich, 100, 16}, {&D::ComRich, 116, 30},
                  {&D::ViaRich, 146, 50},  {&D::NumRich, 196, 4},      {&D::CapRich, 200, 5},
                  {&D::CognStud, 205, 30}, {&D::NomeStud, 235, 30},    {&D::LuogoStud, 265, 30},
                  {&D::DataStud, 295, 10}, {&D::CodFiscStud, 305, 16}, {&D::ComStud, 321, 30},
                  {&D::ViaStud, 351, 50},  {&D::NumStud, 401, 4},      {&D::CapStud, 405, 5}};
    DatiDomanda domanda;
    for (std::size_t i = 0; i < std::size(layout); ++i) {
        domanda.*layout[i].membro = QString(layout[i].larghezza, QChar(char16_t(u'A' + i)));
        EXPECT_TRUE(kCampiTesto[i].membro == layout[i].membro) << i;
        EXPECT_EQ(kCampiTesto[i].offset, layout[i].offset) << i;
        EXPECT_EQ(kCampiTesto[i].larghezza, layout[i].larghezza) << i;
    }
    domanda.Spese = 250.5f;
    domanda.Isee = 12345.67f;

    const QByteArray record = CodificaDomanda(domanda);

    ASSERT_EQ(record.size(), 418);
    for (std::size_t i = 0; i < std::size(layout); ++i) {
        EXPECT_EQ(record.mid(layout[i].offset, layout[i].larghezza),
                  QByteArray(layout[i].larghezza, char('A' + i)));
    }
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
    EXPECT_EQ(vuota.Spese, 0.0f);
    EXPECT_EQ(vuota.Isee, 0.0f);
    EXPECT_EQ(CodificaDomanda(vuota), RecordVuoto());
    EXPECT_EQ(RecordVuoto(), QByteArray(410, ' ') + QByteArray(8, '\0'));
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
        const QByteArray image = CompletaRecord(record.constData(), length);
        EXPECT_EQ(image, record.left(text) + RecordVuoto().mid(text, 410 - text) +
                             (length >= 414 ? record.mid(410, 4) : QByteArray(4, '\0')) +
                             (length >= 418 ? record.mid(414, 4) : QByteArray(4, '\0')));
    }
}

}  // namespace
