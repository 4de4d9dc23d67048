// Numbers as text: FormatFloat writes a value under a display-format string (up to three
// sections for positive, negative and zero values; "0" and "#" digit places, "." decimal
// point, "," thousands grouping, quoted text, "E+"/"E-" exponents, any other character
// copied), and FloatToStrGeneral writes the general number form the formats fall back to.
#pragma once

#include "toolkit/text/SysUtils.h"

#include <string>
#include <string_view>

// The extended float of the toolkit (80-bit where the compiler offers it).
using Extended = long double;

// Formats longer than this are refused with EConvertError "Format string too long".
constexpr std::size_t kMaxFloatFormatLength = 224;

// Values that need more integer digits than this are written in the general number form.
constexpr int kMaxFormatIntegerDigits = 18;

std::string FormatFloat(std::string_view format, Extended value, const TFormatSettings& settings);
// The same with the regional formats of the installed platform locale.
std::string FormatFloat(std::string_view format, Extended value);

// The general number form with at most `precision` significant digits: fixed notation
// ("1234.5", "0.00001") while the integer part fits into the precision and the value is at
// least 0.00001, otherwise scientific ("1E20", "-1.5E-7"). Not-a-number and infinities
// read "NAN", "INF" and "-INF".
std::string FloatToStrGeneral(Extended value, int precision, const TFormatSettings& settings);
