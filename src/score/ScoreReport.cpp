#include "score/ScoreReport.h"

#include <array>
#include <string_view>

namespace tarnex {

namespace {

constexpr std::array<std::string_view, ScoreTable::kRows> kRowLabels = {"160m", " 80m", " 40m", " 20m",
                                                                        " 15m", " 10m", "TOT."};

// "%-Ns" / "%Ns": padded, never cut.
void PadRight(std::string& out, std::string_view text, size_t width) {
    out += text;
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}
void PadLeft(std::string& out, std::string_view text, size_t width) {
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out += text;
}

}  // namespace

std::string FormatThousands(int64_t n) {
    // The magnitude as unsigned, so that the smallest value has one too.
    uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    std::string digits = std::to_string(magnitude);
    std::string result;
    size_t head = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    result.append(digits, 0, head);
    for (size_t at = head; at < digits.size(); at += 3) {
        result += '.';
        result.append(digits, at, 3);
    }
    return n < 0 ? "-" + result : result;
}

std::string BuildScoreReport(const ScoreTable& table, LogMode mode) {
    std::string text = "   Punteggio (finale o parziale)\r\n\r\n";
    text += "   Banda    N.";
    text += mode == LogMode::Listening ? "Hrd" : "Qso";
    text += "    Punti   Molt.   Tot. banda\r\n";
    text += "   -----   ------   ------   -----   ----------\r\n";
    for (int row = 0; row < ScoreTable::kRows; ++row) {
        int64_t points = table.At(row, ScoreTable::Points);
        int64_t multipliers = table.At(row, ScoreTable::Multipliers);
        text += "   ";
        PadRight(text, kRowLabels[static_cast<size_t>(row)], 8);
        PadLeft(text, FormatThousands(table.At(row, ScoreTable::Entries)), 6);
        text += "   ";
        PadLeft(text, FormatThousands(points), 6);
        text += "   ";
        PadLeft(text, FormatThousands(multipliers), 5);
        text += "   ";
        if (row < ScoreTable::kTotalsRow) {
            PadLeft(text, FormatThousands(points * multipliers), 10);
            text += "\r\n";
        }
        if (row == ScoreTable::kTotalsRow - 1) {
            text += "   --------------------------------------------\r\n";
        }
    }
    text += "\r\n\r\n   PUNTEGGIO TOTALE = " + FormatThousands(table.Score()) + "\r\n";
    return text;
}

}  // namespace tarnex
