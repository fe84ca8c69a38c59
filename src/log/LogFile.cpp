#include "log/LogFile.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "log/EntryIdentity.h"
#include "sections/SectionTable.h"
#include "sections/TextLineReader.h"

namespace tarnex {

void SplitFields(std::string_view line, std::string_view* fields, size_t count) {
    size_t pos = 0;
    for (size_t i = 0; i < count; ++i) {
        if (pos >= line.size()) {
            fields[i] = {};
            continue;
        }
        size_t caret = line.find('^', pos);
        if (caret == std::string_view::npos) {
            fields[i] = line.substr(pos);
            pos = line.size();
        } else {
            fields[i] = line.substr(pos, caret - pos);
            pos = caret + 1;
        }
    }
}

namespace {

// "14:23" -> "1423": a time longer than four characters keeps its first two and last
// two characters.
std::string_view ShortenTime(std::string_view time, std::array<char, 4>& buffer) {
    if (time.size() <= 4) {
        return time;
    }
    buffer = {time[0], time[1], time[time.size() - 2], time[time.size() - 1]};
    return std::string_view(buffer.data(), buffer.size());
}

// The field after the entry's own fields: a network log's entry identity. Anything
// else there is ignored, as any field after the last expected one.
std::string_view IdentityField(std::string_view field) {
    return EntryIdentity::Parse(field) ? field : std::string_view();
}

// The line's fields go straight into the log's row, without a record in between.
void AppendEntry(std::string_view line, const SectionTable& sections, ContestLog& log) {
    std::array<char, 4> time;
    if (log.Mode() == LogMode::Qso) {
        std::array<std::string_view, 10> f;
        SplitFields(line, f.data(), f.size());
        // f[6] is the own section sent, a value of the whole log.
        const std::array<std::string_view, 9> columns = {
            f[0], ShortenTime(f[1], time), f[2], f[3], f[4], f[5], f[7], f[8], sections.NameOfText(f[8])};
        log.AppendFields(columns, IdentityField(f[9]));
    } else {
        std::array<std::string_view, 9> f;
        SplitFields(line, f.data(), f.size());
        f[1] = ShortenTime(f[1], time);
        log.AppendFields(std::span<const std::string_view>(f.data(), 8), IdentityField(f[8]));
    }
}

}  // namespace

LogFileInfo ReadLogBytes(std::string_view bytes, const SectionTable& sections, ContestLog& log,
                         StationSummary& station) {
    LogFileInfo info;
    TextSource source(bytes);
    TextLine line;
    ReadTextLine(source, kLogLineLimit, line);
    if (line.text.compare(0, 6, "trnx14") == 0) {
        info.hasHeader = true;
        size_t hrd = line.text.find("hrd", 7);
        info.mode = hrd != std::string::npos ? LogMode::Swl : LogMode::Qso;
        std::array<std::string*, 11> values = {&station.callsign,  &station.ownSection, &station.category,
                                               &station.operators, &station.name,       &station.address1,
                                               &station.address2,  &station.address3,   &station.comment1,
                                               &station.comment2,  &station.comment3};
        for (std::string* value : values) {
            *value = ReadTextLine(source, kLogLineLimit).text;
        }
        ReadTextLine(source, kLogLineLimit, line);
    }
    log.SetMode(info.mode);
    // The line just read and one more for every LF after it (a line longer than the
    // reader takes only adds a row here and there).
    log.Reserve(1 + static_cast<size_t>(std::count(
                        bytes.begin() + static_cast<std::ptrdiff_t>(source.position()), bytes.end(), '\n')));
    while (!line.endOfFile) {
        AppendEntry(line.text, sections, log);
        ++info.entries;
        ReadTextLine(source, kLogLineLimit, line);
    }
    return info;
}

std::string LogHeaderBytes(LogMode mode, const StationSummary& station) {
    std::string bytes;
    auto add = [&](std::string_view value) {
        bytes += value;
        bytes += "\r\n";
    };
    add(mode == LogMode::Swl ? kSwlHeader : kQsoHeader);
    add(station.callsign);
    add(station.ownSection);
    add(mode == LogMode::Swl ? std::string_view("SWL") : std::string_view(station.category));
    add(station.operators);
    add(station.name);
    add(station.address1);
    add(station.address2);
    add(station.address3);
    add(station.comment1);
    add(station.comment2);
    add(station.comment3);
    return bytes;
}

namespace {
void AddField(std::string& line, std::string_view field) {
    line += field;
    line += '^';
}

// The own section goes into every QSO line, where the reader drops it. A header read
// from a damaged or foreign file can hold any text there: a "^" in it would shift the
// fields of every line written, a long text would make every line longer than the
// reader takes. So the field holds only what a section code can: the first four
// characters that are not "^", CR or LF.
void AddOwnSectionField(std::string& line, std::string_view ownSection) {
    size_t kept = 0;
    for (char c : ownSection) {
        if (kept == 4) {
            break;
        }
        if (c != '^' && c != '\r' && c != '\n') {
            line += c;
            ++kept;
        }
    }
    line += '^';
}
}  // namespace

std::string QsoLine(const QsoRecord& r, std::string_view ownSection) {
    std::string line;
    line.reserve(64);
    for (const std::string* f : {&r.date, &r.time, &r.band, &r.mode, &r.callsign, &r.rstSent}) {
        AddField(line, *f);
    }
    AddOwnSectionField(line, ownSection);
    AddField(line, r.rstReceived);
    AddField(line, r.section);
    line += "\r\n";
    return line;
}

std::string HrdLine(const HrdRecord& r) {
    std::string line;
    line.reserve(64);
    for (const std::string* f :
         {&r.date, &r.time, &r.band, &r.mode, &r.callingCall, &r.rst, &r.callingSection, &r.answeringCall}) {
        AddField(line, *f);
    }
    line += "\r\n";
    return line;
}

std::string EntryLine(const ContestLog& log, size_t row, std::string_view ownSection) {
    std::string line;
    line.reserve(64);
    if (log.Mode() == LogMode::Qso) {
        for (int column : {1, 2, 3, 4, 5, 6}) {
            AddField(line, log.Field(row, column));
        }
        AddOwnSectionField(line, ownSection);
        AddField(line, log.Field(row, QsoCol::RstReceived));
        AddField(line, log.Field(row, QsoCol::Section));
    } else {
        for (int column = 1; column <= 8; ++column) {
            AddField(line, log.Field(row, column));
        }
    }
    // A network log's entry carries its identity in one more field, which readers
    // that expect only the entry's own fields ignore.
    if (std::string_view identity = log.Identity(row); !identity.empty()) {
        AddField(line, identity);
    }
    line += "\r\n";
    return line;
}

std::string LogFileBytes(const ContestLog& log, const StationSummary& station) {
    std::string bytes = LogHeaderBytes(log.Mode(), station);
    bytes.reserve(bytes.size() + log.RowCount() * 56);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        bytes += EntryLine(log, row, station.ownSection);
    }
    return bytes;
}

}  // namespace tarnex
