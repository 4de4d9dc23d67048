// A test with the host's fonts as the only installed facility: for text measured and drawn
// on bitmaps without windows.
#pragma once

#include "platform/Platform.h"
#include "support/TestFonts.h"

#include <gtest/gtest.h>

class FontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Platform installed;
        installed.fonts = &TestFonts();
        platform::Install(installed);
    }
    void TearDown() override { platform::Install(platform::Platform{}); }
};
