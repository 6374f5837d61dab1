#include <gtest/gtest.h>

#include "host/readout/reading_order.h"

TEST(ReadingOrder, RowsTopToBottomEachLeftToRight)
{
    const struct {
        std::vector<DrawnText> texts;
        const char *read;
    } cases[] = {
        {{}, ""},
        {{{0, 0, "   "}}, ""},
        {{{68, 18, "EXIT"}, {0, 0, "MAIN MENU"}}, "MAIN MENU\nEXIT"},
        {{{90, 10, "RPM"}, {10, 8, "2400"}}, "2400 RPM"},          // tops 2 dots apart: one row
        {{{90, 12, "RPM"}, {10, 8, "2400"}}, "2400\nRPM"},         // 4 dots apart: two rows
        {{{50, 20, " B "}, {0, 20, "A"}, {0, 40, "C"}}, "A B\nC"}, // blanks around a text go
        {{{0, 0, "X"}, {0, 2, "Y"}, {0, 4, "Z"}}, "X Y\nZ"},       // a row is measured from its top
    };
    for (const auto &each : cases)
        EXPECT_EQ(DrawnTextsInReadingOrder(each.texts), each.read) << DrawnTextsSummary(each.texts);
}
