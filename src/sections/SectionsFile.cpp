#include "sections/SectionsFile.h"

#include "sections/TextLineReader.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

std::optional<SectionLine> SectionLineRule(std::string_view line) {
    if (line.size() <= 5) {
        return std::nullopt;
    }
    std::string upper(line);
    ToUpperAscii(upper);
    if (!IsDigit(upper[0]) || !IsDigit(upper[3]) || upper[4] != ' ' || !IsUpperLetter(upper[5])) {
        return std::nullopt;
    }
    SectionLine result;
    for (size_t i = 0; i < 4 && IsDigit(upper[i]); ++i) {
        result.code = result.code * 10 + (upper[i] - '0');
    }
    result.name = upper.substr(5);
    return result;
}

size_t ApplySectionLines(std::string_view bytes, SectionTable& table) {
    TextSource source(bytes);
    size_t accepted = 0;
    for (;;) {
        TextLine line = ReadTextLine(source, kSectionLineLimit);
        if (line.endOfFile || line.text.size() >= kSectionLineLimit) {
            break;
        }
        if (std::optional<SectionLine> section = SectionLineRule(line.text)) {
            table.SetName(section->code, std::move(section->name));
            ++accepted;
        }
    }
    return accepted;
}

bool LoadSectionsFile(const std::string& path, SectionTable& table) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return false;
    }
    ApplySectionLines(*bytes, table);
    return true;
}

std::string SectionsFileBytes(const SectionTable& table) {
    std::string bytes;
    table.ForEachKnown([&](int32_t code, const std::string& name) {
        bytes += FormatCode(code);
        bytes += ' ';
        bytes += name;
        bytes += "\r\n";
    });
    return bytes;
}

FileResult SaveSectionsFile(const std::string& path, const SectionTable& table) {
    return WriteFileAtomically(path, SectionsFileBytes(table));
}

}  // namespace tarnex
