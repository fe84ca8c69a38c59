#pragma once
// The sections file "_sez.cod": one "%04d %s\r\n" line per known code, ascending.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sections/SectionTable.h"
#include "util/FileIo.h"

namespace tarnex {

// The longest line the sections readers take (CR not counted).
constexpr size_t kSectionLineLimit = 200;

struct SectionLine {
    int32_t code = 0;
    std::string name;
};

// Decides whether one line names a section: at least 6 characters, and after
// upper-casing a-z: a digit at 0, a digit at 3, a space at 4 and a letter A-Z at 5.
// The code is the value of the leading digits of the first four characters.
std::optional<SectionLine> SectionLineRule(std::string_view line);

// Applies every accepted line of the bytes to the table, stopping at the end of the
// bytes or at the first line of 200 or more characters. Returns the number of lines
// accepted.
size_t ApplySectionLines(std::string_view bytes, SectionTable& table);

// False when the file cannot be opened (the table is then unchanged).
bool LoadSectionsFile(const std::string& path, SectionTable& table);

// The bytes the sections file holds for a table.
std::string SectionsFileBytes(const SectionTable& table);

// Writes the whole table, replacing the file atomically.
FileResult SaveSectionsFile(const std::string& path, const SectionTable& table);

}  // namespace tarnex
