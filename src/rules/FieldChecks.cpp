#include "rules/FieldChecks.h"

#include "base/ContestRules.h"
#include "log/BandMode.h"
#include "sections/SectionTable.h"

namespace tarnex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

// Value of two digit characters; the caller has checked that they are digits.
int TwoDigits(std::string_view text, size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

bool DigitsAt(std::string_view text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
    }
    return true;
}

int DaysIn(int month) {
    switch (month) {
        case 2:
            return 29;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

bool IsHourMinute(std::string_view text) {
    if (text.size() != 4 || !DigitsAt(text, 0, 4)) {
        return false;
    }
    return TwoDigits(text, 0) <= 23 && TwoDigits(text, 2) <= 59;
}

}  // namespace

bool CheckCallsign(std::string& text) {
    if (text.size() < kCallsignShortest || text.size() > kCallsignLongest) {
        return false;
    }
    ToUpperAscii(text);
    if (text[0] != 'I') {
        return false;
    }
    bool digitSeen = false;
    bool letterBeforeDigit = false;
    bool letterAfterDigit = false;
    for (char c : text) {
        if (IsDigit(c)) {
            digitSeen = true;
        } else if (IsUpperLetter(c) || c == '/') {
            (digitSeen ? letterAfterDigit : letterBeforeDigit) = true;
        } else {
            return false;
        }
    }
    return digitSeen && letterBeforeDigit && letterAfterDigit;
}

bool CheckDate(std::string_view text, int lowestYear, std::optional<int> highestYear) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') {
        return false;
    }
    if (!DigitsAt(text, 0, 2) || !DigitsAt(text, 3, 2) || !DigitsAt(text, 6, 4)) {
        return false;
    }
    int day = TwoDigits(text, 0);
    int month = TwoDigits(text, 3);
    int year = TwoDigits(text, 6) * 100 + TwoDigits(text, 8);
    if (month < 1 || month > 12 || day < 1 || day > DaysIn(month)) {
        return false;
    }
    return year >= lowestYear && (!highestYear || year <= *highestYear);
}

bool CheckEntryTime(std::string& text) {
    if (text.size() == 5) {
        text = text.substr(0, 2) + text.substr(3, 2);
    }
    return IsHourMinute(text);
}

bool CheckDialogTime(std::string_view text) {
    return IsHourMinute(text);
}

bool CheckReport(std::string_view report, std::string_view mode) {
    const bool ssb = IsSsb(mode);
    if (report.size() != ReportLength(ssb) || !IsAllDigits(report)) {
        return false;
    }
    int32_t value = NumericValue(report);
    return value >= LowestReport(ssb) && value <= HighestReport(ssb);
}

bool CheckEntrySection(std::string_view code, const SectionTable& sections) {
    return code.size() == kSectionCodeLength && IsAllDigits(code) && sections.IsKnown(NumericValue(code));
}

DialogSection CheckDialogSection(std::string_view code, const SectionTable& sections) {
    if (code.size() > kDialogSectionMaxLength || (!code.empty() && !IsAllDigits(code))) {
        return DialogSection::Refused;
    }
    return sections.NameOfText(code).empty() ? DialogSection::Unknown : DialogSection::Known;
}

OwnSectionVerdict CheckOwnSection(std::string_view text, const SectionTable& sections) {
    if (text.size() != kSectionCodeLength || !IsAllDigits(text)) {
        return OwnSectionVerdict::Discarded;
    }
    return sections.IsKnown(NumericValue(text)) ? OwnSectionVerdict::Accepted : OwnSectionVerdict::Unknown;
}

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n\v\f";
    size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(space);
    return text.substr(first, last - first + 1);
}

}  // namespace tarnex
