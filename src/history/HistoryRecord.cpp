#include "history/HistoryRecord.h"

#include <chrono>
#include <cstdio>

#include "util/TextNumber.h"

namespace tarnex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

bool IsCallCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '/';
}

constexpr size_t kShortestCall = 3;
constexpr size_t kLongestCall = 14;

}  // namespace

bool IsHistoryCall(std::string_view text) {
    if (text.size() < kShortestCall || text.size() > kLongestCall) {
        return false;
    }
    for (char c : text) {
        if (!IsCallCharacter(c)) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> HistoryCall(std::string_view text) {
    text = TrimBlanks(text);
    std::string call(text);
    for (char& c : call) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (!IsHistoryCall(call)) {
        return std::nullopt;
    }
    return call;
}

std::optional<int16_t> HistorySection(std::string_view text) {
    if (text.size() != 4 || !AllDigits(text)) {
        return std::nullopt;
    }
    return static_cast<int16_t>((text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 +
                                (text[3] - '0'));
}

std::string FormatHistoryMinute(UtcMinute minute) {
    using namespace std::chrono;
    const UtcMinute day = minute >= 0 ? minute / 1440 : (minute - 1439) / 1440;
    const UtcMinute ofDay = minute - day * 1440;
    const year_month_day date{sys_days{days{day}}};
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(ofDay / 60), static_cast<int>(ofDay % 60));
    return buffer;
}

std::optional<UtcMinute> ParseHistoryMinute(std::string_view text) {
    if (text.size() != 10 && text.size() != 16) {
        return std::nullopt;
    }
    if (text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    std::string_view time = "0000";
    std::string joined;
    if (text.size() == 16) {
        if (text[10] != ' ' || text[13] != ':') {
            return std::nullopt;
        }
        joined = std::string(text.substr(11, 2)) + std::string(text.substr(14, 2));
        time = joined;
    }
    return MinuteOfIsoDate(text.substr(0, 10), time);
}

std::optional<UtcMinute> MinuteOfIsoDate(std::string_view date, std::string_view time) {
    std::string_view year, month, day;
    if (date.size() == 8) {
        year = date.substr(0, 4);
        month = date.substr(4, 2);
        day = date.substr(6, 2);
    } else if (date.size() == 10 && date[4] == '-' && date[7] == '-') {
        year = date.substr(0, 4);
        month = date.substr(5, 2);
        day = date.substr(8, 2);
    } else {
        return std::nullopt;
    }
    if (time.size() == 6) {
        time = time.substr(0, 4);
    }
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day)) {
        return std::nullopt;
    }
    std::string entryDate;
    entryDate.reserve(10);
    entryDate.append(day).append(".").append(month).append(".").append(year);
    return EntryMinute(entryDate, time);
}

}  // namespace tarnex
