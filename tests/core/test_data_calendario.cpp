#include "DataCalendario.h"

#include <gtest/gtest.h>

namespace {

TEST(DataValida, TakesOnlyRealCalendarDatesWrittenDdMmYyyy) {
    for (const char* valida : {"29/02/2000", "29/02/2004", "31/12/1999", "01/01/0001"}) {
        EXPECT_TRUE(DataValida(QString::fromLatin1(valida))) << valida;
    }
    for (const char* invalida :
         {"29/02/1900", "29/02/2005", "31/04/2006", "00/01/2000", "01/13/2000", "01/01/0000",
          "__/__/____", "12/3_/____", "05/03/197_", "2000-02-29", "1/1/2000", "05-03-1998",
          "05/03.1998", "05/03/19980", ""}) {
        EXPECT_FALSE(DataValida(QString::fromLatin1(invalida))) << invalida;
    }
}

}  // namespace
