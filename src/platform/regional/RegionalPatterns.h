// The toolkit's date, time and number formats built from a system's regional patterns, once a
// backend has read them into fields. Every platform keeps the same rule: only the fields and
// one separator, in the system's order, so that every date and time the program writes reads
// back -- a date always has day, month and a four-digit year, month names become numbers, a
// time always has hours, minutes and seconds; other text of the patterns is left out.
#pragma once

#include "platform/Locale.h"

#include <string>
#include <vector>

namespace platform::regional {

// One field of a pattern: its toolkit token ("dd", "m", "yyyy", "hh", "nn", "ss", "AMPM") and
// its kind ('d', 'm', 'y', 'h', 'n', 's', 'p').
struct Field {
    std::string token;
    char kind = 0;
};

// A pattern split into its fields and the literal text between two of them.
class ParsedPattern {
public:
    // Adds a field after the literal text read since the previous one.
    void AddField(std::string token, char kind);
    // Literal text before the next field.
    void AddLiteral(const std::string& text) { literal_ += text; }
    void AddLiteral(char c) { literal_ += c; }

    const std::vector<Field>& Fields() const { return fields_; }
    const std::vector<std::string>& Separators() const { return separators_; }

private:
    std::vector<Field> fields_;
    std::vector<std::string> separators_;
    std::string literal_;
};

// Short date format and date separator; "mm/dd/yyyy" when the pattern lacks a field.
void ApplyDate(const ParsedPattern& date, LocaleFormats& formats);
// Long time format, time separator and the AM/PM strings (a 12-hour clock without usable
// strings gets "AM"/"PM").
void ApplyTime(const ParsedPattern& time, const std::string& am, const std::string& pm,
               LocaleFormats& formats);
// Decimal and thousand separators from the system's texts: one byte each, a several-byte
// thousand separator (a narrow no-break space) becomes a blank, and the two never coincide.
void ApplyNumbers(const std::string& decimal, const std::string& thousands, LocaleFormats& formats);

} // namespace platform::regional
