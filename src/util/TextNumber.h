#pragma once
// Small text helpers shared by every layer: the numeric value of a text and the
// fixed-width number formats the log files and lists use.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnex {

// Numeric value of a text: leading white space skipped, one optional sign, then the
// leading decimal digits; 0 when there are none. Saturates at the 32-bit limits
// instead of overflowing.
int32_t NumericValue(std::string_view text);

// The same, quicker for the four digits of a section code, as nearly every row of a
// log holds.
inline int32_t SectionCodeValue(std::string_view text) {
    if (text.size() == 4) {
        const unsigned a = static_cast<unsigned char>(text[0]) - unsigned{'0'};
        const unsigned b = static_cast<unsigned char>(text[1]) - unsigned{'0'};
        const unsigned c = static_cast<unsigned char>(text[2]) - unsigned{'0'};
        const unsigned d = static_cast<unsigned char>(text[3]) - unsigned{'0'};
        if (a <= 9 && b <= 9 && c <= 9 && d <= 9) {
            return static_cast<int32_t>(a * 1000 + b * 100 + c * 10 + d);
        }
    }
    return NumericValue(text);
}

// "%5d": right-aligned in five characters, wider from 100000 on.
std::string FormatRowNumber(int64_t number);

// "%04d": four digits with leading zeros (section codes).
std::string FormatCode(int32_t code);

// True for a non-empty text whose every character is '0'..'9'.
bool IsAllDigits(std::string_view text);

// The text without the spaces and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// ASCII a-z to A-Z, other bytes unchanged.
void ToUpperAscii(std::string& text);

}  // namespace tarnex
