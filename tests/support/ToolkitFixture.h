// A test fixture with the headless platform installed and an application object: forms
// can be created, shown, clicked, typed into and left to run on the virtual clock.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/ScopedPlatform.h"
#include "toolkit/runtime/Forms.h"

#include <gtest/gtest.h>
#include <memory>

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The headless window of a shown form.
    platform::headless::HeadlessWindow& Window(TCustomForm* form);
    // Moves the virtual clock forward by ms, firing every timer at its own deadline, in order,
    // and painting when idle.
    void Advance(std::int64_t ms);
    // Runs posted messages, due timers and pending painting.
    void Idle();
    // Runs the loop over the next ms of the virtual clock, as Advance does, and answers how
    // often it woke for its timers.
    int WakeUpsOver(std::int64_t ms);
    void Click(TCustomForm* form, int x, int y) { platform.windows.Click(Window(form), x, y); }
    void PressKey(TCustomForm* form, unsigned key, unsigned shift = 0) {
        platform.windows.PressKey(Window(form), key, shift);
    }

    platform::headless::HeadlessPlatform platform;
    ScopedPlatform installed{platform};
    std::unique_ptr<TApplication> app;
};
