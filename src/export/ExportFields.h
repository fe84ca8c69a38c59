#pragma once
// Small text pieces shared by the export writers. Every slice is safe on a field that
// is shorter than expected (a damaged log file can hold any text).

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnex {

// Up to `count` characters from `from`; empty past the end.
std::string_view SliceOf(std::string_view text, size_t from, size_t count);

// The text, padded with spaces on the right to `width` ("%-Ns": never cut).
void AppendPadded(std::string& out, std::string_view text, size_t width);
// The text, padded with spaces on the left to `width` ("%Ns": never cut).
void AppendRightAligned(std::string& out, std::string_view text, size_t width);

// dd.mm.yyyy rearranged: year (characters 7-10), separator, month (4-5), separator,
// day (1-2). "03.04.2005" gives "2005-04-03" with "-" and "20050403" with "".
std::string RearrangedDate(std::string_view date, std::string_view separator);
// The same added to the end of `out`.
void AppendRearrangedDate(std::string& out, std::string_view date, std::string_view separator);

}  // namespace tarnex
