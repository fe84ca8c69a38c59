// The log file and journal reader on any bytes (with a header of either mode or none),
// and everything that then reads the rows: score, report, exports, print texts, the
// log check, sorting and the index rebuild. Whenever every line the program would
// write is short enough to be read back whole, writing the log and reading it again
// must give the same rows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "cli/LogCheck.h"
#include "export/AdifExport.h"
#include "export/CabrilloExport.h"
#include "export/FastlogExport.h"
#include "export/PrintPagePlan.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "score/ScoreComputation.h"
#include "score/ScoreReport.h"
#include "sections/SectionTable.h"

using namespace tarnex;

namespace {

const SectionTable& Sections() {
    static const SectionTable* table = [] {
        auto* t = new SectionTable;
        t->SetName(0, "ZERO");
        t->SetName(130, "BARI");
        t->SetName(1234, "MILANO");
        t->SetName(5678, "ROMA");
        t->SetName(9999, std::string(194, 'N'));
        return t;
    }();
    return *table;
}

bool SameRows(const ContestLog& a, const ContestLog& b) {
    if (a.Mode() != b.Mode() || a.RowCount() != b.RowCount()) {
        return false;
    }
    for (size_t row = 0; row < a.RowCount(); ++row) {
        for (int column = 0; column < a.ColumnCount(); ++column) {
            if (a.Text(row, column) != b.Text(row, column)) {
                return false;
            }
        }
    }
    return true;
}

bool SameWorked(const ContestLog& a, const ContestLog& b) {
    for (int32_t code = 0; code < WorkedSections::kCodes; ++code) {
        for (int mode = 0; mode < 3; ++mode) {
            if (a.Worked().Bits(code, mode) != b.Worked().Bits(code, mode)) {
                return false;
            }
        }
    }
    return true;
}

// Every line of the bytes holds at most `limit` characters (CR LF not counted).
bool LinesShorterThan(std::string_view bytes, size_t limit) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos || end - start > limit) {
            return false;
        }
        start = end + 2;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::CheckLineReader(bytes, kLogLineLimit);

    ContestLog log;
    StationSummary station;
    LogFileInfo info = ReadLogBytes(bytes, Sections(), log, station);
    FUZZ_CHECK(info.entries == log.RowCount());
    FUZZ_CHECK(info.mode == log.Mode());
    for (size_t row = 0; row < log.RowCount(); ++row) {
        for (int column = 1; column < log.ColumnCount(); ++column) {
            std::string_view field = log.Field(row, column);
            FUZZ_CHECK(field.find_first_of("\r\n^") == std::string_view::npos ||
                       column == QsoCol::SectionName);
        }
    }

    // What reads the rows.
    ScoreResult score = ComputeScore(log);
    FUZZ_CHECK(score.skippedRows.size() == score.skipMessages.size());
    FUZZ_CHECK(score.claimedScore >= 0);
    std::string report = BuildScoreReport(score.table, log.Mode());
    CabrilloOptions byBand;
    byBand.listeningByBand = true;
    std::string cabrillo = ExportCabrillo(log, station, Sections(), score.claimedScore);
    std::string cabrilloByBand = ExportCabrillo(log, station, Sections(), score.claimedScore, byBand);
    FUZZ_CHECK(cabrillo.size() == cabrilloByBand.size());
    std::string adif = ExportAdif(log, station);
    std::optional<std::string> fastlog = ExportFastlog(log);
    FUZZ_CHECK(fastlog.has_value() == (log.Mode() == LogMode::Qso));
    for (size_t row = 0; row < log.RowCount(); ++row) {
        PrintEntryTexts(log, row);
    }
    CheckLog(log, station, info.hasHeader, Sections());

    // Written and read again: the same rows, when no line is cut by the reader.
    const std::string written = LogFileBytes(log, station);
    if (LinesShorterThan(written, kLogLineLimit)) {
        ContestLog again;
        StationSummary stationAgain;
        ReadLogBytes(written, Sections(), again, stationAgain);
        FUZZ_CHECK(SameRows(log, again));
        FUZZ_CHECK(SameWorked(log, again));
        if (info.hasHeader) {
            StationSummary expected = station;
            if (log.Mode() == LogMode::Listening) {
                expected.category = "SWL";
            }
            FUZZ_CHECK(stationAgain == expected);
        }
    }

    // Re-ordered and re-indexed: same rows in another order, same worked sections.
    const size_t rows = log.RowCount();
    ContestLog sorted;
    StationSummary ignored;
    ReadLogBytes(bytes, Sections(), sorted, ignored);
    sorted.SortByDateTime();
    sorted.RebuildIndexes();
    FUZZ_CHECK(sorted.RowCount() == rows);
    FUZZ_CHECK(SameWorked(log, sorted));
    return 0;
}
