#include "DataCalendario.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CasoData {
    const char* nome;
    const char* testo;
    bool valida;
};

void PrintTo(const CasoData& caso, std::ostream* out) {
    *out << caso.nome;
}

class DataDelModulo : public testing::TestWithParam<CasoData> {};

TEST_P(DataDelModulo, IsAValidDayMonthYear) {
    EXPECT_EQ(DataValida(QString::fromUtf8(GetParam().testo)), GetParam().valida);
}

INSTANTIATE_TEST_SUITE_P(
    Date, DataDelModulo,
    testing::Values(
        CasoData{"LeapDay2000", "29/02/2000", true}, CasoData{"LeapDay2004", "29/02/2004", true},
        CasoData{"LastDayOfYear", "31/12/1999", true},
        CasoData{"FirstDayOfYearOne", "01/01/0001", true},
        CasoData{"LeapDay1900", "29/02/1900", false}, CasoData{"LeapDay2005", "29/02/2005", false},
        CasoData{"ThirtyFirstOfApril", "31/04/2006", false},
        CasoData{"DayZero", "00/01/2000", false}, CasoData{"MonthThirteen", "01/13/2000", false},
        CasoData{"YearZero", "01/01/0000", false}, CasoData{"EmptyMask", "__/__/____", false},
        CasoData{"PartlyTyped", "12/3_/____", false},
        CasoData{"OneBlankPlace", "05/03/197_", false}, CasoData{"IsoForm", "2000-02-29", false},
        CasoData{"ShortForm", "1/1/2000", false},
        CasoData{"DashesInsteadOfSlashes", "05-03-1998", false},
        CasoData{"TrailingCharacter", "05/03/19980", false}, CasoData{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
