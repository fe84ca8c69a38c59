#include "export/FastlogExport.h"

#include <algorithm>
#include <string_view>

#include "export/ExportFields.h"
#include "export/ExportLine.h"

namespace tarnex {

namespace {

// A column of the fixed layout: the text padded to the width and, when longer, cut to
// it, so that a long value from a damaged file never shifts the columns after it.
void AppendColumn(std::string& out, std::string_view text, size_t width) {
    AppendPadded(out, text.substr(0, width), width);
}

// The line of a QSO row, added to the end of `out`.
void AppendFastlogLine(std::string& out, const ContestLog& log, size_t row) {
    std::string_view date = log.Field(row, QsoCol::Date);
    std::string_view time = log.Field(row, QsoCol::Time);
    // dd.mm.yy from dd.mm.yyyy, HHMM from HHMM (or from HH:MM).
    std::string shortDate(SliceOf(date, 0, 6));
    shortDate.append(date.size() >= 2 ? date.substr(date.size() - 2) : date);
    AppendColumn(out, shortDate, 8);
    out.push_back(' ');
    std::string shortTime(SliceOf(time, 0, 2));
    shortTime.append(time.size() >= 2 ? time.substr(time.size() - 2) : time);
    AppendColumn(out, shortTime, 4);
    out.push_back(' ');

    size_t bandStart = out.size();
    AppendColumn(out, log.Field(row, QsoCol::Band), 5);
    out.push_back(' ');
    AppendColumn(out, log.Field(row, QsoCol::Mode), 6);
    out.push_back(' ');
    size_t comma = out.find(',', bandStart);
    if (comma != std::string::npos) {
        out[comma] = '.';
    }

    AppendColumn(out, log.Field(row, QsoCol::Callsign), 10);
    out.push_back(' ');
    AppendColumn(out, log.Field(row, QsoCol::RstSent), 6);
    out.push_back(' ');
    AppendColumn(out, log.Field(row, QsoCol::RstReceived), 6);
    out.push_back(' ');
    out.append("------ SEZ ");
    AppendColumn(out, log.Field(row, QsoCol::Section), 4);
    out.append("     --\r\n");
}

// Inline in each line's building: six columns a line, a hundred thousand lines.
[[gnu::always_inline]] inline void PutColumn(ExportLine::Cursor& line, std::string_view text, size_t width) {
    line.Padded(std::string_view(text.data(), std::min(text.size(), width)), width);
}

// The same line built in a line buffer: every column is cut to its width, so it
// always fits.
void PutFastlogLine(ExportLine& buffer, const ContestLog& log, size_t row) {
    ExportLine::Cursor line = buffer.Start();
    std::string_view date = log.Field(row, QsoCol::Date);
    std::string_view time = log.Field(row, QsoCol::Time);
    // dd.mm.yy as a column of 8, cut or padded; then HHMM as a column of 4.
    char* const dateStart = line.At();
    line.Put(SliceOf(date, 0, 6));
    line.Put(date.size() >= 2 ? date.substr(date.size() - 2) : date);
    const size_t dateLength = static_cast<size_t>(line.At() - dateStart);
    if (dateLength > 8) {
        line.MoveTo(dateStart + 8);
    } else {
        line.Spaces(8 - dateLength);
    }
    line.Put(' ');
    char* const timeStart = line.At();
    line.Put(SliceOf(time, 0, 2));
    line.Put(time.size() >= 2 ? time.substr(time.size() - 2) : time);
    const size_t timeLength = static_cast<size_t>(line.At() - timeStart);
    if (timeLength > 4) {
        line.MoveTo(timeStart + 4);
    } else {
        line.Spaces(4 - timeLength);
    }
    line.Put(' ');
    char* const bandStart = line.At();
    PutColumn(line, log.Field(row, QsoCol::Band), 5);
    line.Put(' ');
    PutColumn(line, log.Field(row, QsoCol::Mode), 6);
    line.Put(' ');
    for (char* c = bandStart; c != line.At(); ++c) {
        if (*c == ',') {
            *c = '.';
            break;
        }
    }
    PutColumn(line, log.Field(row, QsoCol::Callsign), 10);
    line.Put(' ');
    PutColumn(line, log.Field(row, QsoCol::RstSent), 6);
    line.Put(' ');
    PutColumn(line, log.Field(row, QsoCol::RstReceived), 6);
    line.Put(' ');
    line.Put("------ SEZ ");
    PutColumn(line, log.Field(row, QsoCol::Section), 4);
    line.Put("     --\r\n");
    buffer.End(line);
}

}  // namespace

std::string FastlogLine(const ContestLog& log, size_t row) {
    std::string out;
    out.reserve(80);
    AppendFastlogLine(out, log, row);
    return out;
}

std::optional<std::string> ExportFastlog(const ContestLog& log) {
    if (log.Mode() != LogMode::Qso) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(log.RowCount() * 76);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        ExportLine line;
        PutFastlogLine(line, log, row);
        line.AppendTo(out);
    }
    return out;
}

}  // namespace tarnex
