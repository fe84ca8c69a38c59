#include "score/LiveFigures.h"

#include "score/ScoreReport.h"

namespace tarnex {

std::array<LiveFigureText, kLiveFigureCount> FormatLiveFigures(const LiveFigures& figures) {
    const bool listening = figures.mode == LogMode::Listening;
    const std::string unit = listening ? "HRD" : "QSO";
    return {{
        {unit, FormatThousands(figures.entries)},
        {"Punti", FormatThousands(figures.points)},
        {"Molt.", FormatThousands(figures.multipliers)},
        {"Punteggio", FormatThousands(figures.score)},
        {"Ultimi 60 min", FormatThousands(figures.lastHour)},
        {"Ultimi 10", FormatThousands(figures.lastTenRate) + " " + unit + "/ora"},
    }};
}

}  // namespace tarnex
