#include "toolkit/base/Types.h"

#include <gtest/gtest.h>

TEST(RectGeometry, IntersectionOfDisjointRectanglesIsEmpty) {
    TRect result;
    EXPECT_FALSE(IntersectRect(result, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_TRUE(IntersectRect(result, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(result, Rect(5, 5, 10, 10));
}
