#include "QtPrinters.h"
#include "clsGlobal.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    const char* name;
    const char* input;
    int from;
    int to;
    const char* expected;
};

class DbConvertiData : public testing::TestWithParam<ConversionCase> {};

TEST_P(DbConvertiData, RearrangesCharacterPositions) {
    const ConversionCase& c = GetParam();

    const Result<QString> converted =
        clsGlobal().DbConvertiData(QString::fromLatin1(c.input), c.from, c.to);

    ASSERT_TRUE(converted.ok()) << converted.error().message.toStdString();
    EXPECT_EQ(*converted, QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DbConvertiData,
    testing::Values(
        ConversionCase{"DayFirstToIso", "25/05/2006", 1, 3, "2006-05-25"},
        ConversionCase{"DayFirstToMonthFirst", "25/05/2006", 1, 2, "05/25/2006"},
        ConversionCase{"MonthFirstToDayFirst", "05/25/2006", 2, 1, "25/05/2006"},
        ConversionCase{"MonthFirstToIso", "05/25/2006", 2, 3, "2006-05-25"},
        ConversionCase{"IsoToDayFirst", "2006-05-25", 3, 1, "25/05/2006"},
        ConversionCase{"IsoToMonthFirst", "2006-05-25", 3, 2, "05/25/2006"},
        ConversionCase{"UnknownTargetFromDayFirstSwaps", "25/05/2006", 1, 7, "05/25/2006"},
        ConversionCase{"UnknownTargetFromMonthFirstSwaps", "05/25/2006", 2, 0, "25/05/2006"},
        ConversionCase{"UnknownTargetFromIsoGivesMonthFirst", "2006-05-25", 3, -1, "05/25/2006"},
        ConversionCase{"UnknownSourceGivesEmpty", "25/05/2006", 4, 1, ""},
        ConversionCase{"EmptyInputGivesEmpty", "", 1, 3, ""},
        ConversionCase{"EmptyInputWithUnknownTypes", "", 9, 8, ""},
        ConversionCase{"EqualTypesKeepAShortInput", "5/5/2006", 1, 1, "5/5/2006"},
        ConversionCase{"EqualUnknownTypesKeepTheInput", "abc", 5, 5, "abc"},
        ConversionCase{"InputSeparatorsAreIgnored", "25-05-2006", 1, 2, "05/25/2006"},
        ConversionCase{"NoCalendarCheck", "99.88.7777", 1, 3, "7777-88-99"}),
    [](const testing::TestParamInfo<ConversionCase>& info) {
        return std::string(info.param.name);
    });

TEST(DbConvertiDataFailure, AnInputThatIsNotTenCharactersLongFailsWithTheFixedError) {
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

struct RebuildCase {
    const char* name;
    const char* input;
    int type;
    const char* separator;
    const char* expected;
};

class DbRicostruisciData : public testing::TestWithParam<RebuildCase> {};

TEST_P(DbRicostruisciData, InsertsTheSeparatorBetweenPieces) {
    const RebuildCase& c = GetParam();

    EXPECT_EQ(clsGlobal().DbRicostruisciData(QString::fromLatin1(c.input), c.type,
                                             QString::fromLatin1(c.separator)),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DbRicostruisciData,
    testing::Values(RebuildCase{"YearFirstToDayFirst", "20060525", 1, "/", "25/05/2006"},
                    RebuildCase{"SameOrderWithFullStop", "25052006", 2, ".", "25.05.2006"},
                    RebuildCase{"YearFirstKeepsItsOrder", "20060525", 3, "-", "2006-05-25"},
                    RebuildCase{"UnknownTypeGivesEmpty", "20060525", 4, "/", ""},
                    RebuildCase{"EmptyInputGivesTwoSeparators", "", 1, "/", "//"},
                    RebuildCase{"ShortInputGivesShortPieces", "200605", 1, "/", "/05/2006"},
                    RebuildCase{"LongSeparator", "25052006", 2, " - ", "25 - 05 - 2006"},
                    RebuildCase{"EmptySeparator", "20060525", 1, "", "25052006"}),
    [](const testing::TestParamInfo<RebuildCase>& info) { return std::string(info.param.name); });

}  // namespace
