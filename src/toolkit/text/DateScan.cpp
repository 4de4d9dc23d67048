// StrToDate and StrToTime: reading dates and times typed in the regional formats.
#include "toolkit/text/DateUtils.h"

#include <cctype>

namespace {

enum class TDateOrder { MDY, DMY, YMD };

// The order of the fields is the order in which the short date format names them first.
TDateOrder GetDateOrder(std::string_view format) {
    for (char c : format) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'Y':
            return TDateOrder::YMD;
        case 'M':
            return TDateOrder::MDY;
        case 'D':
            return TDateOrder::DMY;
        default:
            break;
        }
    }
    return TDateOrder::MDY;
}

class TScanner {
public:
    explicit TScanner(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') {
            ++pos_;
        }
    }

    // Digits after optional blanks; reading stops once the number reaches four digits' worth,
    // so longer runs leave digits behind and the text fails.
    bool Number(int& number, int& length) {
        SkipBlanks();
        const std::size_t start = pos_;
        int value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) != 0 &&
               value < 1000) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == start) {
            return false;
        }
        number = value;
        length = int(pos_ - start);
        return true;
    }

    bool Char(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // A word compared without regard to case; an empty word never matches.
    bool Word(std::string_view word) {
        SkipBlanks();
        if (word.empty() || text_.size() - pos_ < word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(text_[pos_ + i])) !=
                std::toupper(static_cast<unsigned char>(word[i]))) {
                return false;
            }
        }
        pos_ += word.size();
        return true;
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int CurrentYear() {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(Now(), year, month, day);
    return year;
}

int ExpandTwoDigitYear(int year, int window) {
    const int centuryBase = CurrentYear() - window;
    year += centuryBase / 100 * 100;
    if (window > 0 && year < centuryBase) {
        year += 100;
    }
    return year;
}

// -1: no am/pm marker, 0: morning, 12: afternoon.
int ScanAmPm(TScanner& scanner, const TFormatSettings& settings) {
    if (scanner.Word(settings.TimeAMString) || scanner.Word("AM")) {
        return 0;
    }
    if (scanner.Word(settings.TimePMString) || scanner.Word("PM")) {
        return 12;
    }
    return -1;
}

} // namespace

bool TryStrToDate(std::string_view text, TDateTime& result, const TFormatSettings& settings) {
    TScanner scanner(text);
    const TDateOrder order = GetDateOrder(settings.ShortDateFormat);
    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    int l1 = 0;
    int l2 = 0;
    int l3 = 0;
    if (!(scanner.Number(n1, l1) && scanner.Char(settings.DateSeparator) && scanner.Number(n2, l2))) {
        return false;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    if (scanner.Char(settings.DateSeparator)) {
        if (!scanner.Number(n3, l3)) {
            return false;
        }
        int yearLength = l3;
        switch (order) {
        case TDateOrder::MDY:
            year = n3, month = n1, day = n2;
            break;
        case TDateOrder::DMY:
            year = n3, month = n2, day = n1;
            break;
        case TDateOrder::YMD:
            year = n1, month = n2, day = n3, yearLength = l1;
            break;
        }
        if (yearLength <= 2) {
            year = ExpandTwoDigitYear(year, settings.TwoDigitYearCenturyWindow);
        }
    } else {
        year = CurrentYear();
        month = order == TDateOrder::DMY ? n2 : n1;
        day = order == TDateOrder::DMY ? n1 : n2;
    }
    // A separator may close the date ("8.12.2026.").
    scanner.Char(settings.DateSeparator);
    return scanner.AtEnd() && TryEncodeDate(year, month, day, result);
}

bool TryStrToTime(std::string_view text, TDateTime& result, const TFormatSettings& settings) {
    TScanner scanner(text);
    int baseHour = ScanAmPm(scanner, settings);
    int hour = 0;
    int min = 0;
    int sec = 0;
    int msec = 0;
    int length = 0;
    if (!scanner.Number(hour, length)) {
        return false;
    }
    if (scanner.Char(settings.TimeSeparator)) {
        if (!scanner.Number(min, length)) {
            return false;
        }
        if (scanner.Char(settings.TimeSeparator)) {
            if (!scanner.Number(sec, length)) {
                return false;
            }
            if (scanner.Char(settings.DecimalSeparator) && !scanner.Number(msec, length)) {
                return false;
            }
        }
    }
    if (baseHour < 0) {
        baseHour = ScanAmPm(scanner, settings);
    }
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12) {
            return false;
        }
        hour = (hour == 12 ? 0 : hour) + baseHour;
    }
    return scanner.AtEnd() && TryEncodeTime(hour, min, sec, msec, result);
}

TDateTime StrToDate(std::string_view text, const TFormatSettings& settings) {
    TDateTime result = 0;
    if (!TryStrToDate(text, result, settings)) {
        throw EConvertError(FormatMessage("'%s' is not a valid date", text));
    }
    return result;
}

TDateTime StrToTime(std::string_view text, const TFormatSettings& settings) {
    TDateTime result = 0;
    if (!TryStrToTime(text, result, settings)) {
        throw EConvertError(FormatMessage("'%s' is not a valid time", text));
    }
    return result;
}

TDateTime StrToDate(std::string_view text) {
    return StrToDate(text, FormatSettings());
}

TDateTime StrToTime(std::string_view text) {
    return StrToTime(text, FormatSettings());
}
