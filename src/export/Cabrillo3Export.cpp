#include "export/Cabrillo3Export.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <numeric>

#include "export/CabrilloExport.h"
#include "export/StringExportSink.h"
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

// Eight bytes as one number, the first the most significant.
uint64_t EightBytes(const char* bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < 8; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

// True when each of the eight bytes is a digit '0' to '9'.
bool EightDigits(uint64_t bytes) {
    constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
    constexpr uint64_t kThrees = 0x3030303030303030;
    return (bytes & kHigh) == kThrees && ((bytes + 0x0606060606060606) & kHigh) == kThrees;
}

// The values of eight digit bytes, four bits each in the same order.
uint32_t PackedDigits(uint64_t digits) {
    uint64_t x = digits & 0x0F0F0F0F0F0F0F0F;
    x = (x | x >> 4) & 0x00FF00FF00FF00FF;
    x = (x | x >> 8) & 0x0000FFFF0000FFFF;
    return static_cast<uint32_t>(x | x >> 16);
}

// yyyymmddhhmm of a "dd.mm.yyyy" date and a "hhmm" time as one number that orders as
// the date and time do (each digit in four bits, year first); kNoTime when either cannot
// be read. Eight digits are looked at together, without a jump on any of them.
uint64_t TimeKey(std::string_view date, std::string_view time) {
    if (date.size() != 10 || date[2] != '.' || date[5] != '.' || time.size() != 4) {
        return kNoTime;
    }
    const char yearMonthDay[8] = {date[6], date[7], date[8], date[9], date[3], date[4], date[0], date[1]};
    const char hourMinute[8] = {time[0], time[1], time[2], time[3], '0', '0', '0', '0'};
    const uint64_t day = EightBytes(yearMonthDay);
    const uint64_t minute = EightBytes(hourMinute);
    if (!EightDigits(day) || !EightDigits(minute)) {
        return kNoTime;
    }
    return uint64_t{PackedDigits(day)} << 16 | PackedDigits(minute) >> 16;
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

void ExportCabrillo3To(ExportSink& out, const ContestLog& log, const StationSummary& station,
                       const SectionTable& sections, int64_t claimedScore, const Cabrillo3Options& options) {
    std::string header;
    AppendHeader(header, station, sections, claimedScore, options);
    out.Add(header);
    // The own callsign and section are the sent exchange of every QSO-mode line.
    StationSummary sender;
    sender.callsign = LineValue(station.callsign);
    sender.ownSection = LineValue(station.ownSection);
    const std::vector<size_t> reordered = ReorderedRows(log);
    AddCabrilloQsoLines(out, log, reordered.empty() ? nullptr : &reordered, sender, QsoLineFields::Separated);
    out.Add("END-OF-LOG: \r\n");
}

std::string ExportCabrillo3(const ContestLog& log, const StationSummary& station,
                            const SectionTable& sections, int64_t claimedScore,
                            const Cabrillo3Options& options) {
    std::string out;
    out.reserve(768 + log.RowCount() * 96);
    StringExportSink sink(out);
    ExportCabrillo3To(sink, log, station, sections, claimedScore, options);
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
