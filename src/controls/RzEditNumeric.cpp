// TRzNumericEdit: the key filter, the parser, the display format, reading and writing the
// value, the range check on focus exit and the reformatting after loading.
#include "controls/RzEdit.h"
#include "toolkit/base/Store.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e';
}

bool HoldsSign(std::string_view text) {
    return text.find_first_of("+-") != std::string_view::npos;
}

// 10 to the power n by squaring: exact while the result has no more than 64 significant bits
// (up to 10^27), and overflowing to infinity beyond the extended range.
Extended PowerOfTen(int n) {
    Extended result = 1;
    Extended square = 10;
    for (; n > 0; n /= 2) {
        if (n % 2 != 0) {
            result *= square;
        }
        square *= square;
    }
    return result;
}

// A cleaned number: [-]digits[sep digits][(E|e)[-]digits], at least one mantissa digit.
// Returns false for anything else, and for values beyond the extended range.
bool ConvertDecimal(std::string_view text, char decimalSeparator, Extended& value) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += negative ? 1 : 0;
    Extended mantissa = 0;
    int scale = 0;
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        mantissa = mantissa * 10 + (text[i] - '0');
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            mantissa = mantissa * 10 + (text[i] - '0');
            --scale;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && IsExponentLetter(text[i])) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        i += negativeExponent ? 1 : 0;
        int exponent = 0;
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000);
        }
        if (exponentDigits == 0) {
            return false;
        }
        scale += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) {
        return false;
    }
    const Extended power = PowerOfTen(std::abs(scale));
    const Extended result = scale < 0 ? mantissa / power : mantissa * power;
    if (!std::isfinite(result)) {
        return false;
    }
    value = negative ? -result : result;
    return true;
}

} // namespace

Extended RoundHalfToEven(Extended value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const Extended down = std::floor(value);
    const Extended fraction = value - down;
    if (fraction > Extended(0.5)) {
        return down + 1;
    }
    if (fraction < Extended(0.5)) {
        return down;
    }
    const bool even = down == 2 * std::floor(down / 2);
    return even ? down : down + 1;
}

TRzNumericEdit::TRzNumericEdit(TComponent* owner) : TRzCustomEdit(owner) {
    SetControlStyle(ControlStyle() & ~unsigned(csSetCaption));
    SetBounds(Left(), Top(), 65, 21);
    SetAlignment(taRightJustify);
    SetText(FormatNumber(0));
}

// ---------------------------------------------------------------------------------------
// Key filter

bool TRzNumericEdit::CharAcceptable(char key) {
    const char decimalSeparator = FormatSettings().DecimalSeparator;
    const std::string text = Text();
    if (integersOnly_) {
        const bool numberKey = key == '(' || key == ')' || key == '+' || key == '-' || IsDigit(key);
        const bool controlKey = static_cast<unsigned char>(key) < 32 && key != '\r';
        if (!numberKey && !controlKey) {
            return false;
        }
    }
    if (key == decimalSeparator) {
        const bool textHasSeparator = text.find(decimalSeparator) != std::string::npos;
        if (SelLength() == 0) {
            return !textHasSeparator;
        }
        return !textHasSeparator || SelText().find(decimalSeparator) != std::string::npos;
    }
    if (!integersOnly_) {
        return true;
    }
    if (key == '+' || key == '-') {
        if (SelStart() == 0 && !HoldsSign(text)) {
            return true;
        }
        if (SelLength() == int(text.size())) {
            return true;
        }
        return SelStart() == 0 && SelLength() > 0 && HoldsSign(SelText());
    }
    // Nothing may be typed in front of a sign.
    const bool beforeSign =
        SelStart() == 0 && SelLength() == 0 && !text.empty() && (text[0] == '+' || text[0] == '-');
    return !beforeSign;
}

void TRzNumericEdit::KeyPress(char& key) {
    TRzCustomEdit::KeyPress(key);
    if (key != 0 && !CharAcceptable(key)) {
        key = 0;
        if (BeepOnInvalidKey()) {
            MessageBeep(0);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Parsing and formatting

Extended TRzNumericEdit::ParseText() {
    const std::string text = Text();
    if (text.empty()) {
        return 0;
    }
    const char decimalSeparator = FormatSettings().DecimalSeparator;
    const std::size_t exponentAt = text.find_first_of("Ee");
    const std::size_t minusAt = text.find('-');
    const bool negative =
        (minusAt != std::string::npos && (exponentAt == std::string::npos || minusAt < exponentAt)) ||
        text.find('(') != std::string::npos;
    std::string cleaned;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c) || IsExponentLetter(c) || c == decimalSeparator) {
            cleaned.push_back(c);
        } else if (c == '-' && i > 0 && IsExponentLetter(text[i - 1])) {
            cleaned.push_back(c);
        }
    }
    if (cleaned.empty()) {
        return 0;
    }
    if (negative) {
        cleaned.insert(0, 1, '-');
    }
    Extended value = 0;
    return ConvertDecimal(cleaned, decimalSeparator, value) ? value : 0;
}

std::string TRzNumericEdit::FormatNumber(Extended value) {
    return FormatFloat(displayFormat_, value);
}

// ---------------------------------------------------------------------------------------
// Value

Extended TRzNumericEdit::Value() {
    try {
        if (Text().empty()) {
            if (allowBlank_) {
                return blankValue_;
            }
            SetText(FormatNumber(min_));
        }
        return ParseText();
    } catch (const std::exception&) {
        return min_;
    }
}

void TRzNumericEdit::SetValue(Extended value) {
    if (value != ParseText()) {
        SetText(FormatNumber(value));
    }
}

std::int32_t TRzNumericEdit::ValueAsInteger() {
    const Extended rounded = RoundHalfToEven(Value());
    if (std::isnan(rounded)) {
        return 0;
    }
    constexpr Extended kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr Extended kHighest = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(std::clamp(rounded, kLowest, kHighest));
}

void TRzNumericEdit::SetValueAsInteger(std::int32_t value) {
    SetValue(Extended(value));
}

void TRzNumericEdit::SetIntegersOnly(bool value) {
    if (!Store(integersOnly_, value)) {
        return;
    }
    if (value) {
        SetValue(RoundHalfToEven(Value()));
    }
}

void TRzNumericEdit::SetMin(Extended value) {
    if (!Store(min_, value)) {
        return;
    }
    if (min_ > max_) {
        max_ = value;
    }
    Invalidate();
}

void TRzNumericEdit::SetMax(Extended value) {
    if (!Store(max_, value)) {
        return;
    }
    if (max_ < min_) {
        min_ = value;
    }
    Invalidate();
}

void TRzNumericEdit::SetDisplayFormat(const std::string& value) {
    if (!Store(displayFormat_, value)) {
        return;
    }
    SetValue(Value());
    if (!InState(csLoading)) {
        SetText(FormatNumber(Value()));
    }
}

// ---------------------------------------------------------------------------------------
// Range check

Extended TRzNumericEdit::CheckValueRange(Extended value, bool& rejected) {
    rejected = false;
    if (min_ == max_ && !checkRange_) {
        return value;
    }
    auto correct = [&](Extended bound) {
        bool autoCorrect = true;
        NotifyRangeError(autoCorrect, value, bound);
        rejected = !autoCorrect;
        return autoCorrect ? bound : value;
    };
    if (value < min_) {
        return correct(min_);
    }
    if (value > max_) {
        return correct(max_);
    }
    return value;
}

void TRzNumericEdit::NotifyRangeError(bool& autoCorrect, Extended enteredValue, Extended adjustedValue) {
    if (OnRangeError) {
        OnRangeError(this, enteredValue, adjustedValue, autoCorrect);
    }
}

// ---------------------------------------------------------------------------------------
// Focus, loading, change notification and clipboard

void TRzNumericEdit::DoEnter() {
    if (!allowBlank_) {
        SetText(FormatNumber(ParseText()));
    }
    TRzCustomEdit::DoEnter();
}

void TRzNumericEdit::DoExit() {
    if (allowBlank_ && Text().empty()) {
        TRzCustomEdit::DoExit();
        return;
    }
    Extended keep = 0;
    bool rejected = false;
    try {
        keep = CheckValueRange(ParseText(), rejected);
    } catch (const std::exception&) {
        rejected = false;
        keep = min_;
        SetValue(min_);
    }
    if (rejected) {
        // The text stays as typed and the focus comes back; no OnExit.
        SetFocus();
        return;
    }
    SetText(FormatNumber(keep));
    TRzCustomEdit::DoExit();
}

void TRzNumericEdit::Loaded() {
    TRzCustomEdit::Loaded();
    FReformatting = true;
    try {
        SetText(FormatNumber(ParseText()));
    } catch (...) {
        FReformatting = false;
        throw;
    }
    FReformatting = false;
}

void TRzNumericEdit::Change() {
    if (InState(csLoading) || FReformatting) {
        return;
    }
    TRzCustomEdit::Change();
}

// Pasted text is not filtered; a read-only edit ignores pasting and cutting.
void TRzNumericEdit::Dispatch(TMessage& message) {
    if ((message.Msg == WM_PASTE || message.Msg == WM_CUT) && ReadOnly()) {
        return;
    }
    TRzCustomEdit::Dispatch(message);
}
