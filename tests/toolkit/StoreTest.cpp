#include "toolkit/base/Store.h"

#include "toolkit/graphics/Graphics.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

TEST(SetterStore, AnswersWhetherTheValueChangedAndStoresOnlyThen) {
    std::string caption = "Start";
    EXPECT_FALSE(Store(caption, "Start"));
    EXPECT_TRUE(Store(caption, "Stop"));
    EXPECT_EQ(caption, "Stop");

    // The field's type decides: an int value is taken for a sixteen-bit field.
    std::uint16_t interval = 300;
    EXPECT_FALSE(Store(interval, 300));
    EXPECT_TRUE(Store(interval, 500));
    EXPECT_EQ(interval, 500u);
}

TEST(SetterStore, GraphicsObjectsNotifyOnlyRealChanges) {
    int changes = 0;
    TFont font;
    font.OnChange = [&changes] {
        ++changes;
    };
    font.SetColor(font.Color());
    font.SetHeight(font.Height());
    font.SetName(font.Name());
    EXPECT_EQ(changes, 0);
    font.SetHeight(font.Height() - 1);
    font.SetColor(clRed);
    EXPECT_EQ(changes, 2);

    TPen pen;
    pen.OnChange = [&changes] {
        ++changes;
    };
    pen.SetWidth(pen.Width());
    pen.SetWidth(3);
    EXPECT_EQ(changes, 3);
}
