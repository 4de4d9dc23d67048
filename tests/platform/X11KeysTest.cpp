// Key translation, text conversion and double-click recognition, without a server.
#include "platform/x11/X11Keys.h"

#include "platform/x11/DoubleClick.h"
#include "platform/x11/Utf8.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

using namespace platform::x11;

TEST(X11Keys, KeysymsMapToVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromKeysym(XK_a), unsigned('A'));
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Z), unsigned('Z'));
    EXPECT_EQ(VirtualKeyFromKeysym(XK_7), unsigned('7'));
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_5), 101u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Add), 107u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_F1), 112u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_F12), 123u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Next), 34u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Home), 36u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Home), 36u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Control_R), 17u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Alt_L), 18u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_space), 32u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_minus), 189u);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_eacute), 0u) << "no virtual key for a layout's letters";
}

TEST(X11Keys, KeysymsTypeTheirCharacters) {
    EXPECT_EQ(TextFromKeysym(XK_a), "a");
    EXPECT_EQ(TextFromKeysym(XK_eacute), "\xc3\xa9");
    EXPECT_EQ(TextFromKeysym(XK_EuroSign), "\xe2\x82\xac");
    EXPECT_EQ(TextFromKeysym(0x1000000 + 0x263A), "\xe2\x98\xba");
    EXPECT_EQ(TextFromKeysym(XK_KP_3), "3");
    EXPECT_EQ(TextFromKeysym(XK_Return), "\r");
    EXPECT_EQ(TextFromKeysym(XK_Delete), "");
    EXPECT_EQ(TextFromKeysym(XK_Left), "");
    EXPECT_EQ(TextFromKeysym(0x1000000 + 0xD800), "") << "a lone surrogate is no character";
}

TEST(X11Text, InvalidUtf8BytesAreReadAsLatin1) {
    EXPECT_EQ(SanitizeUtf8("plain"), "plain");
    EXPECT_EQ(SanitizeUtf8("caf\xc3\xa9"), "caf\xc3\xa9");
    EXPECT_EQ(SanitizeUtf8("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(SanitizeUtf8("\xe2\x82"), "\xc3\xa2\xc2\x82") << "truncated sequence";
    EXPECT_EQ(SanitizeUtf8("\xc0\xaf"), "\xc3\x80\xc2\xaf") << "overlong encoding";
    EXPECT_EQ(SanitizeUtf8("\xed\xa0\x80"), "\xc3\xad\xc2\xa0\xc2\x80") << "encoded surrogate";
}

TEST(X11Text, Latin1RoundTripAndReplacement) {
    EXPECT_EQ(Utf8FromLatin1("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(Latin1FromUtf8("caf\xc3\xa9 \xe2\x82\xac"), "caf\xe9 ?");
}

class DoubleClickTest : public ::testing::Test {
protected:
    DoubleClickDetector detector;
};

TEST_F(DoubleClickTest, SecondPressWithinTimeAndDistanceIsDouble) {
    EXPECT_FALSE(detector.Press(1, 1, 100, 100, 1000));
    EXPECT_TRUE(detector.Press(1, 1, 104, 96, 1500));
}

TEST_F(DoubleClickTest, TooLateTooFarOtherButtonOrWindowIsSingle) {
    detector.Press(1, 1, 100, 100, 1000);
    EXPECT_FALSE(detector.Press(1, 1, 100, 100, 1501)) << "late";
    EXPECT_FALSE(detector.Press(1, 1, 105, 100, 1600)) << "far";
    EXPECT_FALSE(detector.Press(1, 3, 105, 100, 1650)) << "other button";
    EXPECT_FALSE(detector.Press(2, 3, 105, 100, 1700)) << "other window";
}

TEST_F(DoubleClickTest, ThirdQuickPressStartsAFreshPair) {
    detector.Press(1, 1, 10, 10, 0);
    EXPECT_TRUE(detector.Press(1, 1, 10, 10, 100));
    EXPECT_FALSE(detector.Press(1, 1, 10, 10, 200));
    EXPECT_TRUE(detector.Press(1, 1, 10, 10, 300));
}

TEST_F(DoubleClickTest, ServerTimeWrapAroundIsNoLongGap) {
    detector.Press(1, 1, 10, 10, 0xFFFFFF00u);
    EXPECT_TRUE(detector.Press(1, 1, 10, 10, 0x00000010u));
}

} // namespace
