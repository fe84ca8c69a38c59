#pragma once
// The contest's own numbers, each written here once: its bands and modes by position,
// the signal reports, how often a station may be heard answering, the lengths of the
// entry form's fields and the numbering of the two worked grids. The texts of the
// bands and modes are in log/BandMode.h.

#include <cstddef>

namespace tarnex {

// Six bands, 1,8 3,5 7 14 21 28 MHz, and three modes, SSB CW RTTY, by position.
inline constexpr int kBandCount = 6;
inline constexpr int kModeCount = 3;
inline constexpr int kBand160m = 0;
inline constexpr int kBand80m = 1;
inline constexpr int kModeSsb = 0;
inline constexpr int kModeRtty = 2;

// RTTY is never worked on 1,8 MHz: where the two would meet, the entry form takes
// 3,5 MHz instead.
constexpr bool IsWorkable(int band, int mode) {
    return !(band == kBand160m && mode == kModeRtty);
}
inline constexpr int kRttyLowestBand = kBand80m;

// Signal reports: two digits 30 to 59 in SSB, three digits 301 to 599 in CW and RTTY.
// A new form, a cleared one and a change of mode put the highest.
constexpr size_t ReportLength(bool ssb) {
    return ssb ? 2 : 3;
}
constexpr int LowestReport(bool ssb) {
    return ssb ? 30 : 301;
}
constexpr int HighestReport(bool ssb) {
    return ssb ? 59 : 599;
}
constexpr const char* DefaultReport(bool ssb) {
    return ssb ? "59" : "599";
}

// Listening mode: a station may be logged calling once per band and mode, and
// answering at most this many times.
inline constexpr int kAnswersPerBandMode = 3;

// A callsign the checks accept has 3 to 14 characters; the entry form's callsign
// fields take 13.
inline constexpr size_t kCallsignShortest = 3;
inline constexpr size_t kCallsignLongest = 14;
inline constexpr int kCallsignFieldLength = 13;
// The entry form's time field takes "14:05" before it is joined to "1405".
inline constexpr int kTimeFieldLength = 5;
// A section code has four digits.
inline constexpr size_t kSectionCodeLength = 4;

// The two worked grids (the upper one for the section, the lower one for the
// callsign, or for section 2 in listening mode) have one row per mode and one cell
// per band; the cells of both are numbered grid by grid, row by row.
inline constexpr int kCellsPerGrid = kModeCount * kBandCount;
inline constexpr int kGridCells = 2 * kCellsPerGrid;
constexpr int GridCell(int grid, int mode, int band) {
    return kCellsPerGrid * grid + kBandCount * mode + band;
}

}  // namespace tarnex
