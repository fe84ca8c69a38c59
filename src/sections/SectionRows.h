#pragma once
// The rows of the sections dialog's list (code text and name) with its two sorts,
// and the text of its worked-bands column.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sections/SectionTable.h"

namespace tarnex {

struct SectionRow {
    std::string code;  // as shown: four digits
    std::string name;
    bool operator==(const SectionRow&) const = default;
};

// One row per known code, ascending ("%04d" codes).
std::vector<SectionRow> SectionRowsOf(const SectionTable& table);

// Ascending by the code text / by the name, compared byte by byte as unsigned values
// (a text that begins another sorts first). Rows with equal keys keep their order.
// Names are moved whole, whatever their length.
void SortSectionsByCode(std::vector<SectionRow>& rows);
void SortSectionsByName(std::vector<SectionRow>& rows);

// The worked-bands column: three groups of six characters (SSB, CW, RTTY) separated
// by one space; in a group one character per band from 1.8 to 28 MHz (bit 0 first),
// "X" when the mode's byte has the band's bit and "-" when not. A section worked on
// 7 MHz SSB and 14 MHz CW gives "--X--- ---X-- ------".
std::string BandsText(const std::array<uint8_t, 3>& bitsByMode);

}  // namespace tarnex
