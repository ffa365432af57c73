#include "DatiDomanda.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

QByteArray bytesAt(const QByteArray& record, int offset, int length) {
    return record.mid(offset, length);
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

float amountIn(const QByteArray& record, int offset) {
    float value = 0.0f;
    std::memcpy(&value, record.constData() + offset, sizeof value);
    return value;
}

struct AmountCase {
    const char* name;
    float typed;
    const char* storedHex;
    double readBack;
};

class AmountEncoding : public testing::TestWithParam<AmountCase> {};

TEST_P(AmountEncoding, IsLittleEndianBinary32InBothAmountFields) {
    const AmountCase& c = GetParam();
    DatiDomanda domanda = AzzeraRecord();
    domanda.Spese = c.typed;
    domanda.Isee = c.typed;

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(bytesAt(record, kOffsetSpese, 4), hex(c.storedHex));
    EXPECT_EQ(bytesAt(record, kOffsetIsee, 4), hex(c.storedHex));
    const DatiDomanda letta = DecodificaDomanda(record.constData(), record.size());
    EXPECT_EQ(static_cast<double>(letta.Spese), c.readBack);
    EXPECT_EQ(static_cast<double>(letta.Isee), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    GoldenBytes, AmountEncoding,
    testing::Values(AmountCase{"Spese12345_67", 12345.67f, "aee64046", 12345.669921875},
                    AmountCase{"Spese1234_56", 1234.56f, "ec519a44", 1234.56005859375},
                    AmountCase{"Exact250_5", 250.5f, "00807a43", 250.5},
                    AmountCase{"Zero", 0.0f, "00000000", 0.0}),
    [](const testing::TestParamInfo<AmountCase>& info) { return std::string(info.param.name); });

TEST(CampiTesto, FollowTheFileLayout) {
    using D = DatiDomanda;
    const std::array<CampoTesto, 18> expected = {{
        {"CognRich", &D::CognRich, 30, 0},
        {"NomeRich", &D::NomeRich, 30, 30},
        {"LuogoRich", &D::LuogoRich, 30, 60},
        {"DataRich", &D::DataRich, 10, 90},
        {"CodFiscRich", &D::CodFiscRich, 16, 100},
        {"ComRich", &D::ComRich, 30, 116},
        {"ViaRich", &D::ViaRich, 50, 146},
        {"NumRich", &D::NumRich, 4, 196},
        {"CapRich", &D::CapRich, 5, 200},
        {"CognStud", &D::CognStud, 30, 205},
        {"NomeStud", &D::NomeStud, 30, 235},
        {"LuogoStud", &D::LuogoStud, 30, 265},
        {"DataStud", &D::DataStud, 10, 295},
        {"CodFiscStud", &D::CodFiscStud, 16, 305},
        {"ComStud", &D::ComStud, 30, 321},
        {"ViaStud", &D::ViaStud, 50, 351},
        {"NumStud", &D::NumStud, 4, 401},
        {"CapStud", &D::CapStud, 5, 405},
    }};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_STREQ(kCampiTesto[i].nome, expected[i].nome);
        EXPECT_TRUE(kCampiTesto[i].membro == expected[i].membro) << expected[i].nome;
        EXPECT_EQ(kCampiTesto[i].larghezza, expected[i].larghezza) << expected[i].nome;
        EXPECT_EQ(kCampiTesto[i].offset, expected[i].offset) << expected[i].nome;
    }
}

TEST(CodificaDomanda, PutsEveryFieldAtItsOwnOffsetAndReadsItBack) {
    DatiDomanda domanda;
    char letter = 'A';
    for (const CampoTesto& campo : kCampiTesto) {
        domanda.*campo.membro = QString(campo.larghezza, QChar(letter++));
    }
    domanda.Spese = 250.5f;
    domanda.Isee = 12345.67f;

    const QByteArray record = CodificaDomanda(domanda);

    ASSERT_EQ(record.size(), kLunghezzaRecord);
    letter = 'A';
    for (const CampoTesto& campo : kCampiTesto) {
        EXPECT_EQ(bytesAt(record, campo.offset, campo.larghezza),
                  QByteArray(campo.larghezza, letter++))
            << campo.nome;
    }
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size()), domanda);
}

TEST(CodificaDomanda, PadsShortTextWithBlanksAndCutsLongTextAtTheWidth) {
    DatiDomanda domanda = AzzeraRecord();
    domanda.CognRich = QStringLiteral("ROSSI");
    domanda.NomeRich = QString(35, QChar('M'));  // 5 past its width of 30
    domanda.NumRich = QStringLiteral("12");
    domanda.CapRich = QStringLiteral("001234");  // one past its width of 5

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(bytesAt(record, 0, 30), QByteArray("ROSSI") + QByteArray(25, ' '));
    EXPECT_EQ(bytesAt(record, 30, 30), QByteArray(30, 'M'));
    EXPECT_EQ(bytesAt(record, 60, 30), QByteArray(30, ' '));  // the cut spills nowhere
    EXPECT_EQ(bytesAt(record, 196, 4), QByteArray("12  "));
    EXPECT_EQ(bytesAt(record, 200, 5), QByteArray("00123"));
    EXPECT_EQ(bytesAt(record, 205, 1), QByteArray(" "));

    const DatiDomanda letta = DecodificaDomanda(record.constData(), record.size());
    EXPECT_EQ(letta.CognRich, QStringLiteral("ROSSI") + QString(25, ' '));
}

TEST(CodificaDomanda, WritesAccentedLettersAndTheEuroSignAsWindows1252Bytes) {
    DatiDomanda domanda = AzzeraRecord();
    domanda.CognRich = QStringLiteral("NICOLÀ à €");

    const QByteArray record = CodificaDomanda(domanda);

    EXPECT_EQ(bytesAt(record, 0, 10), QByteArray("NICOL\xC0 \xE0 \x80"));
    EXPECT_EQ(DecodificaDomanda(record.constData(), record.size()).CognRich.left(10),
              QStringLiteral("NICOLÀ à €"));
}

TEST(CodificaDomanda, TurnsACharacterWithoutAByteIntoOneQuestionMark) {
    DatiDomanda domanda = AzzeraRecord();
    domanda.CognRich = QStringLiteral("A\u0142B\U0001F600C");

    EXPECT_EQ(bytesAt(CodificaDomanda(domanda), 0, 6), QByteArray("A?B?C "));
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

class CutRecord : public testing::Test {
protected:
    CutRecord() {
        domanda_ = AzzeraRecord();
        domanda_.CognRich = QString(30, 'R');
        domanda_.CognStud = QString(30, 'S');
        domanda_.Spese = 250.5f;
        domanda_.Isee = 1234.56f;
        record_ = CodificaDomanda(domanda_);
    }

    DatiDomanda decodedFirst(int length) const {
        return DecodificaDomanda(record_.constData(), length);
    }

    DatiDomanda domanda_;
    QByteArray record_;
};

TEST_F(CutRecord, ReadsMissingTextBytesAsBlanks) {
    const DatiDomanda letta = decodedFirst(220);  // ends 15 bytes into CognStud

    EXPECT_EQ(letta.CognRich, QString(30, 'R'));
    EXPECT_EQ(letta.CognStud, QString(15, 'S') + QString(15, ' '));
    EXPECT_EQ(letta.NomeStud, QString(30, ' '));
    EXPECT_EQ(letta.Spese, 0.0f);
    EXPECT_EQ(letta.Isee, 0.0f);
}

TEST_F(CutRecord, ReadsAnAmountThatIsCutAsZero) {
    EXPECT_EQ(decodedFirst(412).Spese, 0.0f);
    const DatiDomanda cutInIsee = decodedFirst(416);
    EXPECT_EQ(cutInIsee.Spese, 250.5f);
    EXPECT_EQ(cutInIsee.Isee, 0.0f);
    EXPECT_EQ(decodedFirst(kLunghezzaRecord), domanda_);
}

TEST_F(CutRecord, CompletesToAnImageThatDecodesLikeTheShortBuffer) {
    for (int length : {1, 220, 410, 412, 416, 417}) {
        const QByteArray image = CompletaRecord(record_.constData(), length);
        ASSERT_EQ(image.size(), kLunghezzaRecord);
        const int textRead = std::min(length, kOffsetSpese);
        EXPECT_EQ(image.left(textRead), record_.left(textRead));
        EXPECT_EQ(image.mid(textRead, kOffsetSpese - textRead),
                  QByteArray(kOffsetSpese - textRead, ' '));
        EXPECT_EQ(DecodificaDomanda(image.constData(), image.size()), decodedFirst(length))
            << "length " << length;
    }
    EXPECT_EQ(amountIn(CompletaRecord(record_.constData(), 412), kOffsetSpese), 0.0f);
}

}  // namespace
