#include "platform/regional/RegionalPatterns.h"

#include <algorithm>
#include <cctype>

namespace platform::regional {

namespace {

// The one separator between the numeric fields, when all of them use the same single
// punctuation character.
char CommonSeparator(const ParsedPattern& parsed, const std::string& kinds) {
    char separator = 0;
    bool previousNumeric = false;
    const std::vector<Field>& fields = parsed.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool numeric = kinds.find(fields[i].kind) != std::string::npos;
        if (numeric && previousNumeric) {
            const std::string& text = parsed.Separators()[i - 1];
            if (text.size() != 1 || std::ispunct(static_cast<unsigned char>(text[0])) == 0 ||
                text[0] == '"' || text[0] == '\'' || (separator != 0 && separator != text[0])) {
                return 0;
            }
            separator = text[0];
        }
        previousNumeric = numeric;
    }
    return separator;
}

bool HasEach(const ParsedPattern& parsed, const std::string& kinds) {
    for (char kind : kinds) {
        const auto count = std::count_if(parsed.Fields().begin(), parsed.Fields().end(),
                                         [kind](const Field& field) { return field.kind == kind; });
        if (count != 1) {
            return false;
        }
    }
    return true;
}

std::string JoinFields(const ParsedPattern& parsed, const std::string& kinds, char separator) {
    std::string result;
    for (const Field& field : parsed.Fields()) {
        if (kinds.find(field.kind) != std::string::npos) {
            if (!result.empty()) {
                result += separator;
            }
            result += field.token;
        }
    }
    return result;
}

} // namespace

void ParsedPattern::AddField(std::string token, char kind) {
    if (!fields_.empty()) {
        separators_.push_back(literal_);
    }
    literal_.clear();
    fields_.push_back(Field{std::move(token), kind});
}

void ApplyDate(const ParsedPattern& date, LocaleFormats& formats) {
    const char separator = CommonSeparator(date, "dmy");
    if (!HasEach(date, "dmy")) {
        formats.shortDateFormat = "mm/dd/yyyy";
        formats.dateSeparator = '/';
        return;
    }
    formats.dateSeparator = separator != 0 ? separator : '/';
    formats.shortDateFormat = JoinFields(date, "dmy", formats.dateSeparator);
}

void ApplyTime(const ParsedPattern& time, const std::string& am, const std::string& pm,
               LocaleFormats& formats) {
    const std::vector<Field>& fields = time.Fields();
    const bool twelveHours =
        std::any_of(fields.begin(), fields.end(), [](const Field& field) { return field.kind == 'p'; });
    const char separator = CommonSeparator(time, "hns");
    if (!HasEach(time, "hns")) {
        formats.timeSeparator = ':';
        formats.longTimeFormat = twelveHours ? "hh:nn:ss AMPM" : "hh:nn:ss";
    } else {
        formats.timeSeparator = separator != 0 ? separator : ':';
        const std::string clock = JoinFields(time, "hns", formats.timeSeparator);
        const bool amPmFirst = twelveHours && fields.front().kind == 'p';
        formats.longTimeFormat = !twelveHours ? clock : amPmFirst ? "AMPM " + clock : clock + " AMPM";
    }
    formats.timeAMString = am;
    formats.timePMString = pm;
    if (twelveHours && (am.empty() || pm.empty() || am == pm)) {
        formats.timeAMString = "AM";
        formats.timePMString = "PM";
    }
}

void ApplyNumbers(const std::string& decimal, const std::string& thousands, LocaleFormats& formats) {
    formats.decimalSeparator = decimal.size() == 1 ? decimal[0] : '.';
    if (thousands.size() == 1) {
        formats.thousandSeparator = thousands[0];
    } else {
        // Empty in the C locale; several bytes for a narrow no-break space.
        formats.thousandSeparator = thousands.empty() ? ',' : ' ';
    }
    if (formats.thousandSeparator == formats.decimalSeparator) {
        formats.thousandSeparator = formats.decimalSeparator == ',' ? '.' : ',';
    }
}

} // namespace platform::regional
