#include "QtPrinters.h"
#include "clsGlobal.h"

#include <gtest/gtest.h>

namespace {

TEST(DbConvertiData, RearrangesTheCharacterPositionsOfTenCharacterDates) {
    const struct {
        const char* input;
        int from, to;
        const char* expected;
    } cases[] = {{"25/05/2006", 1, 3, "2006-05-25"},
                 {"25/05/2006", 1, 2, "05/25/2006"},
                 {"05/25/2006", 2, 1, "25/05/2006"},
                 {"05/25/2006", 2, 3, "2006-05-25"},
                 {"2006-05-25", 3, 1, "25/05/2006"},
                 {"2006-05-25", 3, 2, "05/25/2006"},
                 {"25/05/2006", 1, 7, "05/25/2006"},  // unknown target: day and month swap
                 {"05/25/2006", 2, 0, "25/05/2006"},
                 {"2006-05-25", 3, -1, "05/25/2006"},
                 {"25/05/2006", 4, 1, ""},  // unknown source
                 {"", 1, 3, ""},
                 {"", 9, 8, ""},
                 {"5/5/2006", 1, 1, "5/5/2006"},  // equal types keep any input
                 {"abc", 5, 5, "abc"},
                 {"25-05-2006", 1, 2, "05/25/2006"},
                 {"99.88.7777", 1, 3, "7777-88-99"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << " " << c.from << "->" << c.to);
        const Result<QString> converted = clsGlobal().DbConvertiData(c.input, c.from, c.to);
        ASSERT_TRUE(converted.ok()) << converted.error().message.toStdString();
        EXPECT_EQ(*converted, QString::fromLatin1(c.expected));
    }
}

TEST(DbConvertiData, AnInputThatIsNotTenCharactersLongFailsWithTheFixedError) {
    for (const char* input : {"5/5/2006", "25/05/20061", " "}) {
        const Result<QString> converted = clsGlobal().DbConvertiData(input, 1, 3);

        ASSERT_FALSE(converted.ok()) << input;
        EXPECT_EQ(converted.error().code, -2147221502);
        EXPECT_EQ(converted.error().source, QStringLiteral("clsGlobal"));
        EXPECT_EQ(converted.error().message,
                  QStringLiteral("Errore di passaggio parametri a funzione convertidata, la "
                                 "data deve essere in formato 10 caratteri"));
    }
    EXPECT_FALSE(clsGlobal().DbConvertiData("12345", 8, 9).ok());
}

TEST(DbRicostruisciData, InsertsTheSeparatorBetweenThePieces) {
    const struct {
        const char* input;
        int type;
        const char *separator, *expected;
    } cases[] = {{"20060525", 1, "/", "25/05/2006"},
                 {"25052006", 2, ".", "25.05.2006"},
                 {"20060525", 3, "-", "2006-05-25"},
                 {"20060525", 4, "/", ""},
                 {"", 1, "/", "//"},
                 {"200605", 1, "/", "/05/2006"},
                 {"25052006", 2, " - ", "25 - 05 - 2006"},
                 {"20060525", 1, "", "25052006"}};
    for (const auto& c : cases) {
        EXPECT_EQ(clsGlobal().DbRicostruisciData(c.input, c.type, c.separator),
                  QString::fromLatin1(c.expected))
            << c.input << " type " << c.type;
    }
}

}  // namespace
