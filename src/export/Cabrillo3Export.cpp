#include "export/Cabrillo3Export.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <numeric>

#include "export/CabrilloExport.h"
#include "log/StationCategory.h"

namespace tarnex {

namespace {

constexpr uint64_t kNoTime = std::numeric_limits<uint64_t>::max();

// A station value as one line can hold it: a control character becomes a space.
void AppendValue(std::string& out, std::string_view value) {
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(byte < 0x20 || byte == 0x7F ? ' ' : c);
    }
}

std::string LineValue(std::string_view value) {
    std::string out;
    AppendValue(out, value);
    return out;
}

void AppendLine(std::string& out, std::string_view tag, std::string_view value) {
    out.append(tag);
    AppendValue(out, value);
    out.append("\r\n");
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

uint64_t Digits(std::string_view text, uint64_t value) {
    for (char c : text) {
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

// yyyymmddhhmm of a "dd.mm.yyyy" date and a "hhmm" time, compared as a number;
// kNoTime when either cannot be read.
uint64_t TimeKey(std::string_view date, std::string_view time) {
    if (date.size() != 10 || date[2] != '.' || date[5] != '.' || time.size() != 4 || !AllDigits(time)) {
        return kNoTime;
    }
    const std::string_view day = date.substr(0, 2);
    const std::string_view month = date.substr(3, 2);
    const std::string_view year = date.substr(6, 4);
    if (!AllDigits(day) || !AllDigits(month) || !AllDigits(year)) {
        return kNoTime;
    }
    return Digits(time, Digits(day, Digits(month, Digits(year, 0))));
}

// The rows out of date and time order; empty when the log is in order already (the
// usual case, which then costs one pass, no sort and no table of keys).
std::vector<size_t> ReorderedRows(const ContestLog& log) {
    uint64_t previous = 0;
    size_t row = 0;
    for (; row < log.RowCount(); ++row) {
        const uint64_t key = TimeKey(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time));
        if (key < previous) {
            break;
        }
        previous = key;
    }
    if (row == log.RowCount()) {
        return {};
    }
    std::vector<uint64_t> keys(log.RowCount());
    for (row = 0; row < keys.size(); ++row) {
        keys[row] = TimeKey(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time));
    }
    std::vector<size_t> rows(keys.size());
    std::iota(rows.begin(), rows.end(), size_t{0});
    std::stable_sort(rows.begin(), rows.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    return rows;
}

void AppendHeader(std::string& out, const StationSummary& station, const SectionTable& sections,
                  int64_t claimedScore, const Cabrillo3Options& options) {
    const std::string& ownName = sections.NameOfText(station.ownSection);
    out.append("START-OF-LOG: 3.0\r\n");
    AppendLine(out, "CREATED-BY: TARNEX ", options.programVersion);
    AppendLine(out, "CONTEST: ", options.contest);
    AppendLine(out, "CALLSIGN: ", station.callsign);
    const CategoryTraits* traits = TraitsOfCategory(station.category);
    if (traits != nullptr) {
        AppendLine(out, "CATEGORY-OPERATOR: ", traits->operatorTag);
        AppendLine(out, "CATEGORY-MODE: ", traits->modeTag);
        const std::string_view power = PowerOfEntry(*traits, options.extras.power);
        if (!power.empty()) {
            AppendLine(out, "CATEGORY-POWER: ", power);
        }
    }
    out.append("CATEGORY-BAND: ALL\r\n");
    if (traits != nullptr) {
        AppendLine(out, "CATEGORY-TRANSMITTER: ", traits->transmitterTag);
        const std::string_view overlay = OverlayOfEntry(*traits, options.extras.overlay);
        if (!overlay.empty()) {
            AppendLine(out, "CATEGORY-OVERLAY: ", overlay);
        }
    }
    AppendLine(out, "OPERATORS: ", station.operators);
    out.append("CLUB: ");
    AppendValue(out, station.ownSection);
    out.push_back(' ');
    AppendLine(out, "", ownName);
    char score[48];
    std::snprintf(score, sizeof score, "CLAIMED-SCORE: %" PRId64 "\r\n", claimedScore);
    out.append(score);
    AppendLine(out, "NAME: ", station.name);
    if (!options.extras.email.empty()) {
        AppendLine(out, "EMAIL: ", options.extras.email);
    }
    for (const std::string* address : {&station.address1, &station.address2, &station.address3}) {
        if (!address->empty()) {
            AppendLine(out, "ADDRESS: ", *address);
        }
    }
    out.append("SOAPBOX: Sezione ");
    AppendValue(out, station.ownSection);
    out.append(" - ");
    AppendLine(out, "", ownName);
    for (const std::string* comment : {&station.comment1, &station.comment2, &station.comment3}) {
        if (!comment->empty()) {
            AppendLine(out, "SOAPBOX: ", *comment);
        }
    }
}

}  // namespace

std::vector<size_t> Cabrillo3RowOrder(const ContestLog& log) {
    std::vector<size_t> rows = ReorderedRows(log);
    if (rows.empty()) {
        rows.resize(log.RowCount());
        std::iota(rows.begin(), rows.end(), size_t{0});
    }
    return rows;
}

std::string ExportCabrillo3(const ContestLog& log, const StationSummary& station,
                            const SectionTable& sections, int64_t claimedScore,
                            const Cabrillo3Options& options) {
    std::string out;
    out.reserve(768 + log.RowCount() * 96);
    AppendHeader(out, station, sections, claimedScore, options);
    // The own callsign and section are the sent exchange of every QSO-mode line.
    StationSummary sender;
    sender.callsign = LineValue(station.callsign);
    sender.ownSection = LineValue(station.ownSection);
    const std::vector<size_t> reordered = ReorderedRows(log);
    if (reordered.empty()) {
        for (size_t row = 0; row < log.RowCount(); ++row) {
            AppendCabrilloQsoLine(out, log, row, sender, QsoLineFields::Separated);
        }
    } else {
        for (size_t row : reordered) {
            AppendCabrilloQsoLine(out, log, row, sender, QsoLineFields::Separated);
        }
    }
    out.append("END-OF-LOG: \r\n");
    return out;
}

bool IsCabrilloContestName(std::string_view name) {
    if (name.empty() || name.size() > 32) {
        return false;
    }
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'; });
}

}  // namespace tarnex
