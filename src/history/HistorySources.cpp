#include "history/HistorySources.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "history/HistoryFile.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                      [](char a, char b) { return Upper(a) == Upper(b); });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view WithoutMark(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        bytes.remove_prefix(kUtf8Mark.size());
    }
    return bytes;
}

// Calls `f` with each line (CR and LF dropped from its end) until it returns false.
template <typename F>
void ForEachLine(std::string_view bytes, F&& f) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t lf = bytes.find('\n', pos);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!f(line)) {
            return;
        }
        pos = end + 1;
    }
}

// A station from a callsign and a section text, or nullopt when either is not one.
std::optional<HistoryRecord> Station(std::string_view call, std::optional<int16_t> section,
                                     UtcMinute minute) {
    std::optional<std::string> upper = HistoryCall(call);
    if (!upper || !section) {
        return std::nullopt;
    }
    return HistoryRecord{std::move(*upper), *section, minute};
}

void Offer(SourceStations& stations, std::optional<HistoryRecord> station) {
    if (station) {
        stations.records.push_back(std::move(*station));
    } else {
        ++stations.skipped;
    }
}

// ADIF's SRX is a number: "130" is section 0130.
std::optional<int16_t> NumberSection(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return HistorySection(std::string(4 - text.size(), '0') + std::string(text));
}

// The fields of one ADIF record this reader needs.
class AdifRecord {
  public:
    void Take(std::string_view name, std::string_view value) {
        for (size_t i = 0; i < kNames.size(); ++i) {
            if (name.size() == kNames[i].size() && StartsWithNoCase(name, kNames[i])) {
                values_[i] = value;
                present_[i] = true;
            }
        }
        any_ = true;
    }
    bool Any() const { return any_; }
    void Reset() {
        present_ = {};
        any_ = false;
    }

    std::optional<HistoryRecord> ToStation() const {
        UtcMinute minute = kUnknownMinute;
        if (present_[kDate] && present_[kTime]) {
            minute =
                MinuteOfIsoDate(Trimmed(values_[kDate]), Trimmed(values_[kTime])).value_or(kUnknownMinute);
        }
        std::optional<int16_t> section;
        if (present_[kCall2]) {
            section = Section(kStx);
        } else {
            section = Section(kSrx);
            if (!section) {
                section = Section(kSrxString);
            }
        }
        return Station(present_[kCall] ? values_[kCall] : std::string_view(), section, minute);
    }

  private:
    enum : size_t { kCall, kCall2, kDate, kTime, kSrx, kSrxString, kStx };
    static constexpr std::array<std::string_view, 7> kNames = {"CALL", "CALL2",      "QSO_DATE", "TIME_ON",
                                                               "SRX",  "SRX_STRING", "STX"};
    std::optional<int16_t> Section(size_t field) const {
        return present_[field] ? NumberSection(values_[field]) : std::nullopt;
    }

    std::array<std::string_view, kNames.size()> values_{};
    std::array<bool, kNames.size()> present_{};
    bool any_ = false;
};

}  // namespace

HistorySourceKind DetectHistorySource(std::string_view bytes) {
    bytes = WithoutMark(bytes);
    if (bytes.find('\0') != std::string_view::npos) {
        return HistorySourceKind::Unknown;
    }
    std::string_view firstLine;
    std::string_view firstData;  // the first line that is not blank nor a "#" comment
    ForEachLine(bytes, [&](std::string_view line) {
        std::string_view text = Trimmed(line);
        if (text.empty()) {
            return true;
        }
        if (firstLine.empty()) {
            firstLine = text;
        }
        if (text.front() == '#') {
            return true;
        }
        firstData = text;
        return false;
    });
    if (firstLine.substr(0, 6) == "trnx14") {
        return HistorySourceKind::Log;
    }
    if (StartsWithNoCase(firstLine, "START-OF-LOG:")) {
        return HistorySourceKind::Cabrillo;
    }
    if (StartsWithNoCase(firstData, "!!Order!!")) {
        return HistorySourceKind::History;
    }
    const std::string_view start = Trimmed(bytes);
    if (start.substr(0, 1) == "<") {
        return HistorySourceKind::Adif;
    }
    for (size_t at = bytes.find('<'); at != std::string_view::npos; at = bytes.find('<', at + 1)) {
        if (StartsWithNoCase(bytes.substr(at), "<EOH>")) {
            return HistorySourceKind::Adif;
        }
    }
    if (firstLine.find('^') != std::string_view::npos) {
        return HistorySourceKind::Log;
    }
    if (firstData.find(',') != std::string_view::npos) {
        return HistorySourceKind::History;
    }
    return HistorySourceKind::Unknown;
}

SourceStations StationsFromLog(std::string_view bytes) {
    SourceStations stations;
    stations.kind = HistorySourceKind::Log;
    stations.usable = true;
    auto sections = std::make_unique<SectionTable>();  // names are not needed
    ContestLog log;
    StationSummary station;
    ReadLogBytes(bytes, *sections, log, station);
    const bool qso = log.Mode() == LogMode::Qso;
    const int callColumn = qso ? int{QsoCol::Callsign} : int{ListeningCol::CallingCall};
    const int sectionColumn = qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
    stations.records.reserve(log.RowCount());
    for (size_t row = 0; row < log.RowCount(); ++row) {
        UtcMinute minute =
            EntryMinute(log.Field(row, QsoCol::Date), log.Field(row, QsoCol::Time)).value_or(kUnknownMinute);
        Offer(stations,
              Station(log.Field(row, callColumn), HistorySection(log.Field(row, sectionColumn)), minute));
    }
    return stations;
}

SourceStations StationsFromAdif(std::string_view bytes) {
    SourceStations stations;
    stations.kind = HistorySourceKind::Adif;
    stations.usable = true;
    // A file that starts with "<" has no header; otherwise the header ends at <EOH>.
    bool inHeader = Trimmed(bytes).substr(0, 1) != "<";
    AdifRecord record;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t open = bytes.find('<', pos);
        if (open == std::string_view::npos) {
            break;
        }
        const size_t close = bytes.find('>', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        std::string_view tag = bytes.substr(open + 1, close - open - 1);
        const size_t colon = tag.find(':');
        std::string_view name = Trimmed(tag.substr(0, colon));
        pos = close + 1;
        if (colon == std::string_view::npos) {
            if (StartsWithNoCase(name, "EOH") && name.size() == 3) {
                inHeader = false;
                record.Reset();
            } else if (StartsWithNoCase(name, "EOR") && name.size() == 3) {
                if (!inHeader) {
                    Offer(stations, record.ToStation());
                }
                record.Reset();
            }
            continue;
        }
        // "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>": the value is LENGTH bytes after ">".
        std::string_view lengthText = tag.substr(colon + 1);
        lengthText = lengthText.substr(0, lengthText.find(':'));
        size_t length = 0;
        bool digits = !lengthText.empty();
        for (char c : lengthText) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            length = std::min<size_t>(length * 10 + static_cast<size_t>(c - '0'), bytes.size());
        }
        if (!digits) {
            pos = open + 1;  // not a field: read on after the "<"
            continue;
        }
        length = std::min(length, bytes.size() - pos);
        if (!inHeader) {
            record.Take(name, bytes.substr(pos, length));
        }
        pos += length;
    }
    if (record.Any()) {
        ++stations.skipped;  // a record without its <EOR>
    }
    return stations;
}

SourceStations StationsFromCabrillo(std::string_view bytes) {
    SourceStations stations;
    stations.kind = HistorySourceKind::Cabrillo;
    stations.usable = true;
    std::vector<std::string_view> values;
    ForEachLine(WithoutMark(bytes), [&](std::string_view line) {
        line = Trimmed(line);
        if (!StartsWithNoCase(line, "QSO:")) {
            return true;
        }
        values.clear();
        std::string_view rest = line.substr(4);
        for (;;) {
            rest = Trimmed(rest);
            if (rest.empty()) {
                break;
            }
            size_t end = 0;
            while (end < rest.size() && !IsBlank(rest[end])) {
                ++end;
            }
            values.push_back(rest.substr(0, end));
            rest.remove_prefix(end);
        }
        std::optional<HistoryRecord> station;
        if (values.size() >= 8) {
            const UtcMinute minute = MinuteOfIsoDate(values[2], values[3]).value_or(kUnknownMinute);
            if (values.size() >= 10) {
                station = Station(values[7], HistorySection(values[9]), minute);
            } else if (values.size() == 8) {
                station = Station(values[4], HistorySection(values[6]), minute);
            }
        }
        Offer(stations, std::move(station));
        return true;
    });
    return stations;
}

SourceStations StationsFromHistory(std::string_view bytes) {
    HistoryFileContent content = ReadHistoryBytes(bytes);
    SourceStations stations;
    stations.kind = HistorySourceKind::History;
    stations.usable = content.hasColumns;
    stations.records = std::move(content.records);
    stations.skipped = content.damagedLines;
    return stations;
}

SourceStations StationsFromBytes(std::string_view bytes) {
    switch (DetectHistorySource(bytes)) {
        case HistorySourceKind::Log:
            return StationsFromLog(bytes);
        case HistorySourceKind::Adif:
            return StationsFromAdif(bytes);
        case HistorySourceKind::Cabrillo:
            return StationsFromCabrillo(bytes);
        case HistorySourceKind::History:
            return StationsFromHistory(bytes);
        case HistorySourceKind::Unknown:
            break;
    }
    return SourceStations();
}

}  // namespace tarnex
