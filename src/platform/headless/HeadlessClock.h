// A virtual clock for tests: time stands still until the test moves it.
#pragma once

#include "platform/Clock.h"
#include "platform/Locale.h"

#include <utility>

namespace platform::headless {

class HeadlessClock : public platform::IClock {
public:
    // Starts at the given local date-time (days since 1899-12-30).
    explicit HeadlessClock(double now = 46364.5) : now_(now) {}

    double Now() override { return now_ + double(elapsedMs_) / 86400000.0; }
    std::int64_t MonotonicMs() override { return elapsedMs_; }

    // Moves both clocks forward; timers due in between are the toolkit's business
    // (see the headless event loop, which fires them in order).
    void Advance(std::int64_t ms) { elapsedMs_ += ms > 0 ? ms : 0; }
    // Moves both clocks to a monotonic time; earlier times leave the clock where it is.
    void AdvanceTo(std::int64_t monotonicMs) {
        if (monotonicMs > elapsedMs_) {
            elapsedMs_ = monotonicMs;
        }
    }
    // Sets the wall clock without moving the monotonic one (a change of the system time).
    void SetNow(double now) { now_ = now - double(elapsedMs_) / 86400000.0; }

private:
    double now_;
    std::int64_t elapsedMs_ = 0;
};

class HeadlessLocale : public platform::ILocale {
public:
    explicit HeadlessLocale(platform::LocaleFormats formats = {}) : formats_(std::move(formats)) {}
    platform::LocaleFormats Formats() override { return formats_; }
    void SetFormats(platform::LocaleFormats formats) { formats_ = std::move(formats); }

    // A month/day/year locale with a 12-hour clock.
    static platform::LocaleFormats UnitedStates() { return platform::LocaleFormats{}; }
    // A day.month.year locale with a 24-hour clock.
    static platform::LocaleFormats Germany() {
        platform::LocaleFormats f;
        f.shortDateFormat = "dd.mm.yyyy";
        f.longTimeFormat = "hh:nn:ss";
        f.dateSeparator = '.';
        f.timeSeparator = ':';
        f.timeAMString = "";
        f.timePMString = "";
        f.decimalSeparator = ',';
        f.thousandSeparator = '.';
        return f;
    }

private:
    platform::LocaleFormats formats_;
};

} // namespace platform::headless
