#include "log/LogFile.h"

#include <array>

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
std::string ShortenTime(std::string_view time) {
    if (time.size() <= 4) {
        return std::string(time);
    }
    std::string shortened(time.substr(0, 2));
    shortened += time.substr(time.size() - 2);
    return shortened;
}

void AppendEntry(const std::string& line, const SectionTable& sections, ContestLog& log) {
    if (log.Mode() == LogMode::Qso) {
        std::array<std::string_view, 9> f;
        SplitFields(line, f.data(), f.size());
        QsoRecord r;
        r.date = f[0];
        r.time = ShortenTime(f[1]);
        r.band = f[2];
        r.mode = f[3];
        r.callsign = f[4];
        r.rstSent = f[5];
        // f[6] is the own section sent, a value of the whole log.
        r.rstReceived = f[7];
        r.section = f[8];
        r.sectionName = sections.NameOfText(r.section);
        log.Append(r);
    } else {
        std::array<std::string_view, 8> f;
        SplitFields(line, f.data(), f.size());
        HrdRecord r;
        r.date = f[0];
        r.time = ShortenTime(f[1]);
        r.band = f[2];
        r.mode = f[3];
        r.callingCall = f[4];
        r.rst = f[5];
        r.callingSection = f[6];
        r.answeringCall = f[7];
        log.Append(r);
    }
}

}  // namespace

LogFileInfo ReadLogBytes(std::string_view bytes, const SectionTable& sections, ContestLog& log,
                         StationSummary& station) {
    LogFileInfo info;
    TextSource source(bytes);
    TextLine line = ReadTextLine(source, kLogLineLimit);
    if (line.text.compare(0, 6, "trnx14") == 0) {
        info.hasHeader = true;
        size_t hrd = line.text.find("hrd", 7);
        info.mode = hrd != std::string::npos ? LogMode::Swl : LogMode::Qso;
        std::array<std::string*, 11> values = {
            &station.callsign, &station.ownSection, &station.category, &station.operators,
            &station.name,     &station.address1,   &station.address2, &station.address3,
            &station.comment1, &station.comment2,   &station.comment3};
        for (std::string* value : values) {
            *value = ReadTextLine(source, kLogLineLimit).text;
        }
        line = ReadTextLine(source, kLogLineLimit);
    }
    log.SetMode(info.mode);
    while (!line.endOfFile) {
        AppendEntry(line.text, sections, log);
        ++info.entries;
        line = ReadTextLine(source, kLogLineLimit);
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
}  // namespace

std::string QsoLine(const QsoRecord& r, std::string_view ownSection) {
    std::string line;
    line.reserve(64);
    for (std::string_view f : {std::string_view(r.date), std::string_view(r.time), std::string_view(r.band),
                               std::string_view(r.mode), std::string_view(r.callsign),
                               std::string_view(r.rstSent), ownSection, std::string_view(r.rstReceived),
                               std::string_view(r.section)}) {
        AddField(line, f);
    }
    line += "\r\n";
    return line;
}

std::string HrdLine(const HrdRecord& r) {
    std::string line;
    line.reserve(64);
    for (const std::string* f : {&r.date, &r.time, &r.band, &r.mode, &r.callingCall, &r.rst, &r.callingSection,
                                 &r.answeringCall}) {
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
        AddField(line, ownSection);
        AddField(line, log.Field(row, QsoCol::RstReceived));
        AddField(line, log.Field(row, QsoCol::Section));
    } else {
        for (int column = 1; column <= 8; ++column) {
            AddField(line, log.Field(row, column));
        }
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
