#include "QtPrinters.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QByteArray allBytes() {
    QByteArray bytes(256, '\0');
    for (int value = 0; value < 256; ++value) {
        bytes[value] = static_cast<char>(value);
    }
    return bytes;
}

TEST(Windows1252, EveryByteDecodesToADistinctCharacterAndEncodesBackUnchanged) {
    const QByteArray bytes = allBytes();

    const QString text = Windows1252::Decodifica(bytes.constData(), bytes.size());

    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_TRUE(Windows1252::PuoCodificare(text));
    EXPECT_EQ(Windows1252::Codifica(text), bytes);
}

TEST(Windows1252, MapsTheBytesThatDifferFromLatin1ToTheirCharacters) {
    const auto decoded = [](unsigned char byte) {
        const char raw = static_cast<char>(byte);
        return Windows1252::Decodifica(&raw, 1).at(0).unicode();
    };
    EXPECT_EQ(decoded(0x80), u'€');
    EXPECT_EQ(decoded(0x8A), u'Š');
    EXPECT_EQ(decoded(0x92), u'’');
    EXPECT_EQ(decoded(0x96), u'–');
    EXPECT_EQ(decoded(0x99), u'™');
    EXPECT_EQ(decoded(0x9F), u'Ÿ');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(decoded(undefined), undefined);
    }
    EXPECT_EQ(decoded(0xE0), u'à');
    EXPECT_EQ(decoded(0xA0), 0xA0);
    EXPECT_EQ(Windows1252::Codifica(QStringLiteral("€ è ò ù ì É")),
              QByteArray("\x80 \xE8 \xF2 \xF9 \xEC \xC9"));
}

struct RefusedCase {
    const char* name;
    QString text;
    char16_t firstRefused;
};

class CharactersWithoutAByte : public testing::TestWithParam<RefusedCase> {};

TEST_P(CharactersWithoutAByte, AreRefusedAndTheFirstOneIsNamed) {
    const RefusedCase& c = GetParam();

    EXPECT_FALSE(Windows1252::PuoCodificare(c.text));
    EXPECT_EQ(Windows1252::PrimoNonCodificabile(c.text).unicode(), c.firstRefused);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CharactersWithoutAByte,
    testing::Values(RefusedCase{"PolishL", QStringLiteral("Wałęsa"), u'ł'},
                    RefusedCase{"Cyrillic", QStringLiteral("ROSSI Жуков"), u'Ж'},
                    RefusedCase{"EmojiByItsFirstHalf", QStringLiteral("ok \U0001F600"), 0xD83D},
                    RefusedCase{"C1ControlThatIsNotUndefinedByte", QStringLiteral("a\u0080"),
                                0x0080},
                    RefusedCase{"GreekCapitalMu", QStringLiteral("µ\u039C"), 0x039C}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(Windows1252, FindsNothingToRefuseInItalianText) {
    const QString text = QStringLiteral("PERCHÉ L'ÀNCORA È LÌ: 12,5 € – “SÌ”");

    EXPECT_TRUE(Windows1252::PuoCodificare(text));
    EXPECT_TRUE(Windows1252::PrimoNonCodificabile(text).isNull());
    EXPECT_TRUE(Windows1252::PrimoNonCodificabile(QString()).isNull());
}

}  // namespace
