#include "history/HistoryFile.h"

#include <algorithm>
#include <optional>

#include "sections/TextLineReader.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {

// A value with the spaces around it and one pair of double quotes around it dropped.
std::string_view Value(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = TrimBlanks(text.substr(1, text.size() - 2));
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        return upper(x) == upper(y);
    });
}

// The values of a line, cut at every comma (into a vector reused line after line).
void SplitValues(std::string_view line, std::vector<std::string_view>& values) {
    values.clear();
    size_t pos = 0;
    for (;;) {
        size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            values.push_back(line.substr(pos));
            return;
        }
        values.push_back(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
}

struct Columns {
    size_t call = 0;
    size_t section = 1;
    std::optional<size_t> lastQso;
};

constexpr std::string_view kOrderMarker = "!!Order!!";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The columns an "!!Order!!" line names: value i of a station line is name i + 1.
std::optional<Columns> ColumnsOf(const std::vector<std::string_view>& names,
                                 std::vector<std::string>& otherColumns) {
    std::optional<size_t> call, section, lastQso;
    for (size_t i = 1; i < names.size(); ++i) {
        std::string_view name = Value(names[i]);
        if (!call && SameName(name, "Call")) {
            call = i - 1;
        } else if (!section && SameName(name, "Sect")) {
            section = i - 1;
        } else if (!lastQso && SameName(name, "LastQsoUtc")) {
            lastQso = i - 1;
        } else if (!name.empty()) {
            otherColumns.emplace_back(name);
        }
    }
    if (!call || !section) {
        return std::nullopt;
    }
    return Columns{*call, *section, lastQso};
}

}  // namespace

HistoryFileContent ReadHistoryBytes(std::string_view bytes) {
    HistoryFileContent content;
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        bytes.remove_prefix(kUtf8Mark.size());
    }
    content.records.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    Columns columns;
    TextSource source(bytes);
    TextLine line;
    std::vector<std::string_view> values;
    for (;;) {
        ReadTextLine(source, kHistoryLineLimit, line);
        if (line.text.size() > kHistoryLineLimit) {
            // The rest of the long line comes in pieces as long as the limit allows.
            TextLine rest;
            do {
                ReadTextLine(source, kHistoryLineLimit, rest);
            } while (rest.text.size() > kHistoryLineLimit && !rest.endOfFile);
            ++content.damagedLines;
            if (rest.endOfFile) {
                break;
            }
            continue;
        }
        std::string_view text = TrimBlanks(line.text);
        if (text.empty() || text.front() == '#') {
            if (line.endOfFile) {
                break;
            }
            continue;
        }
        SplitValues(text, values);
        if (SameName(Value(values[0]), kOrderMarker)) {
            content.hasHeader = true;
            content.otherColumns.clear();
            std::optional<Columns> named = ColumnsOf(values, content.otherColumns);
            content.hasColumns = named.has_value();
            if (named) {
                columns = *named;
            }
        } else if (!content.hasColumns) {
            ++content.damagedLines;
        } else {
            std::optional<std::string> call;
            std::optional<int16_t> section;
            if (columns.call < values.size() && columns.section < values.size()) {
                call = HistoryCall(Value(values[columns.call]));
                section = HistorySection(Value(values[columns.section]));
            }
            if (!call || !section) {
                ++content.damagedLines;
            } else {
                HistoryRecord record{std::move(*call), *section, kUnknownMinute};
                if (columns.lastQso && *columns.lastQso < values.size()) {
                    record.lastQso =
                        ParseHistoryMinute(Value(values[*columns.lastQso])).value_or(kUnknownMinute);
                }
                content.records.push_back(std::move(record));
            }
        }
        if (line.endOfFile) {
            break;
        }
    }
    return content;
}

std::string HistoryFileBytes(const CallHistory& history) {
    std::string bytes;
    bytes.reserve(kHistoryHeader.size() + 2 + history.Size() * 36);
    bytes.append(kHistoryHeader).append("\r\n");
    for (const HistoryRecord& record : history.Records()) {
        bytes.append(record.call).append(",").append(FormatCode(record.section));
        if (record.lastQso != kUnknownMinute) {
            bytes.append(",").append(FormatHistoryMinute(record.lastQso));
        }
        bytes.append("\r\n");
    }
    return bytes;
}

HistoryLoadResult LoadHistoryFile(const std::string& path, CallHistory& history) {
    HistoryLoadResult result;
    if (!FileExists(path)) {
        history.Clear();
        result.ok = true;
        return result;
    }
    result.found = true;
    std::optional<std::string> bytes = ReadFileBytes(path, &result.error);
    if (!bytes) {
        return result;
    }
    HistoryFileContent content = ReadHistoryBytes(*bytes);
    result.ok = true;
    result.damagedLines = content.damagedLines;
    result.otherColumns = content.otherColumns;
    result.safeToRewrite =
        content.hasHeader ? content.hasColumns && content.otherColumns.empty() : content.damagedLines == 0;
    history.Clear();
    history.Merge(std::move(content.records));
    return result;
}

FileResult SaveHistoryFile(const std::string& path, const CallHistory& history) {
    return WriteFileAtomically(path, HistoryFileBytes(history));
}

}  // namespace tarnex
