#include "sections/SectionRows.h"

#include <algorithm>
#include <string_view>

#include "util/TextNumber.h"

namespace tarnex {

std::vector<SectionRow> SectionRowsOf(const SectionTable& table) {
    std::vector<SectionRow> rows;
    table.ForEachKnown([&](int32_t code, const std::string& name) {
        rows.push_back({FormatCode(code), name});
    });
    return rows;
}

// std::string's comparison is that of char_traits<char>, which compares bytes as
// unsigned values, shorter text first on a common beginning.
void SortSectionsByCode(std::vector<SectionRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SectionRow& a, const SectionRow& b) { return a.code < b.code; });
}

void SortSectionsByName(std::vector<SectionRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SectionRow& a, const SectionRow& b) { return a.name < b.name; });
}

std::string BandsText(const std::array<uint8_t, 3>& bitsByMode) {
    std::string text;
    for (size_t mode = 0; mode < bitsByMode.size(); ++mode) {
        if (mode > 0) {
            text += ' ';
        }
        for (int band = 0; band < 6; ++band) {
            text += (bitsByMode[mode] >> band) & 1 ? 'X' : '-';
        }
    }
    return text;
}

}  // namespace tarnex
