#include "QtPrinters.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

TEST(Windows1252, EveryByteDecodesToADistinctCharacterAndEncodesBackUnchanged) {
    QByteArray bytes(256, '\0');
    for (int value = 0; value < 256; ++value) {
        bytes[value] = static_cast<char>(value);
    }

    const QString text = Windows1252::Decodifica(bytes.constData(), bytes.size());

    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_TRUE(Windows1252::PuoCodificare(text));
    EXPECT_EQ(Windows1252::Codifica(text), bytes);
    EXPECT_EQ(text.mid(0x80, 32),
              QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"));
    EXPECT_EQ(text.mid(0xA0, 2), QStringLiteral("\u00A0¡"));
    EXPECT_EQ(Windows1252::Codifica(QStringLiteral("€ è ò ù ì É")),
              QByteArray("\x80 \xE8 \xF2 \xF9 \xEC \xC9"));
}

TEST(Windows1252, RefusesCharactersWithoutAByteNamingTheFirst) {
    const std::pair<QString, char16_t> cases[] = {{QStringLiteral("Wałęsa"), u'ł'},
                                                  {QStringLiteral("ROSSI Жуков"), u'Ж'},
                                                  {QStringLiteral("ok \U0001F600"), 0xD83D},
                                                  {QStringLiteral("a\u0080"), 0x0080},
                                                  {QStringLiteral("µ\u039C"), 0x039C}};
    for (const auto& [text, refused] : cases) {
        EXPECT_FALSE(Windows1252::PuoCodificare(text)) << text.toStdString();
        EXPECT_EQ(Windows1252::PrimoNonCodificabile(text).unicode(), refused);
    }
    const QString italian = QStringLiteral("PERCHÉ L'ÀNCORA È LÌ: 12,5 € – “SÌ”");
    EXPECT_TRUE(Windows1252::PuoCodificare(italian));
    EXPECT_TRUE(Windows1252::PrimoNonCodificabile(italian).isNull());
    EXPECT_TRUE(Windows1252::PrimoNonCodificabile(QString()).isNull());
}

}  // namespace
