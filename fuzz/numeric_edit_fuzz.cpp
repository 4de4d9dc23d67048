// Feeds arbitrary texts to the numeric edit's parser and uses them as display formats, in an
// English and a German locale: reading never fails and never gives a non-finite number,
// formatting raises nothing but the conversion error, and every integer of the minutes range
// (and any 32-bit integer the input names) reads back unchanged through ",0;(,0)".
#include "controls/RzEdit.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

platform::headless::HeadlessLocale& Locale() {
    static platform::headless::HeadlessLocale locale;
    return locale;
}

void UseLocale(const platform::LocaleFormats& formats) {
    Locale().SetFormats(formats);
    platform::Platform installed;
    installed.locale = &Locale();
    platform::Install(installed);
}

void CheckIntegerRoundTrip(TRzNumericEdit& edit, std::int32_t value) {
    edit.SetValueAsInteger(value);
    if (edit.ValueAsInteger() != value || edit.ParseText() != Extended(value)) {
        std::abort();
    }
}

void CheckParse(TRzNumericEdit& edit, const std::string& text) {
    edit.SetText(text);
    if (!std::isfinite(edit.ParseText()) || !std::isfinite(edit.Value())) {
        std::abort();
    }
    (void)edit.ValueAsInteger();
    (void)edit.CharAcceptable(text.empty() ? '0' : text[0]);
}

void CheckFormat(const std::string& format, Extended value) {
    try {
        (void)FormatFloat(format, value);
    } catch (const EConvertError&) {
        if (format.size() <= kMaxFloatFormatLength) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const platform::LocaleFormats& formats : {platform::headless::HeadlessLocale::UnitedStates(),
                                                   platform::headless::HeadlessLocale::Germany()}) {
        UseLocale(formats);
        TRzNumericEdit edit(nullptr);
        edit.SetMax(10000);
        edit.SetMin(1);
        for (std::int32_t value = 0; value <= 10001; ++value) {
            CheckIntegerRoundTrip(edit, value);
            CheckIntegerRoundTrip(edit, -value);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const platform::LocaleFormats& formats : {platform::headless::HeadlessLocale::UnitedStates(),
                                                   platform::headless::HeadlessLocale::Germany()}) {
        UseLocale(formats);
        TRzNumericEdit edit(nullptr);
        edit.SetIntegersOnly(false);
        CheckParse(edit, text);
        if (size >= sizeof(std::int32_t)) {
            std::int32_t value = 0;
            std::memcpy(&value, data, sizeof value);
            CheckIntegerRoundTrip(edit, value);
        }
        for (Extended value : {Extended(0), Extended(-1234.5), Extended(1e25), Extended(0.000123)}) {
            CheckFormat(text, value);
        }
        if (std::isfinite(edit.ParseText())) {
            CheckFormat(",0;(,0)", edit.ParseText());
        }
    }
    return 0;
}
