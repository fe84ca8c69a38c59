#include "export/FastlogExport.h"

#include <string_view>

#include "export/ExportFields.h"

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
        AppendFastlogLine(out, log, row);
    }
    return out;
}

}  // namespace tarnex
