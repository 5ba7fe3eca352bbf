#include "ui/rules/IconRows.h"

#include <gtest/gtest.h>

// The row fits the taller of text and icon with room to spare, at every DPI the program is shown at.
TEST(IconRows, RowFitsTheTallerOfTextAndIconWithRoom)
{
    EXPECT_EQ(ui::IconRowHeight(12, 16, 96), 18);   // the icon is taller
    EXPECT_EQ(ui::IconRowHeight(20, 16, 96), 22);   // a large font is taller
    EXPECT_EQ(ui::IconRowHeight(18, 24, 144), 27);  // 1.5 times: the room grows with the scale
    for (int dpi : {96, 120, 144, 192}) {
        const int icon = ui::ScaleToDpi(16, dpi);
        const int font = ui::ScaleToDpi(12, dpi);
        EXPECT_GT(ui::IconRowHeight(font, icon, dpi), icon) << dpi;
        EXPECT_GT(ui::IconRowHeight(font, icon, dpi), font) << dpi;
    }
}
