// The call history reader on any bytes, and the readers of the other files an update
// takes (logs, ADIF, Cabrillo). Every station taken must be a callsign with a
// four-digit section; no more stations and damaged lines than lines; a history read,
// written and read again must come back the same; and the lookup over it keeps its
// order and its limits for a text taken from the input.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "history/CallHistory.h"
#include "history/HistoryFile.h"
#include "history/HistorySources.h"
#include "history/PartialCallLookup.h"

using namespace tarnex;

namespace {

void CheckStations(const SourceStations& stations) {
    for (const HistoryRecord& record : stations.records) {
        FUZZ_CHECK(IsHistoryCall(record.call));
        FUZZ_CHECK(record.section >= 0 && record.section <= 9999);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    HistoryFileContent content = ReadHistoryBytes(bytes);
    size_t lines = 0;
    for (size_t at = 0; at < bytes.size(); ++lines) {
        const size_t lf = bytes.find('\n', at);
        at = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    FUZZ_CHECK(content.records.size() + content.damagedLines <= lines);
    SourceStations asHistory = StationsFromHistory(bytes);
    FUZZ_CHECK(asHistory.records == content.records);
    CheckStations(asHistory);

    CallHistory history;
    CallHistory::MergeCounts counts = history.Merge(content.records);
    FUZZ_CHECK(counts.added == history.Size() && counts.updated == 0);
    const std::string written = HistoryFileBytes(history);
    HistoryFileContent again = ReadHistoryBytes(written);
    FUZZ_CHECK(again.damagedLines == 0);
    FUZZ_CHECK(again.records == history.Records());
    FUZZ_CHECK(HistoryFileBytes(history) == written);

    CheckStations(StationsFromBytes(bytes));
    CheckStations(StationsFromAdif(bytes));
    CheckStations(StationsFromCabrillo(bytes));

    // The first line as the typed text, over the history just read.
    PartialCallLookup lookup;
    lookup.SetHistory(history);
    const std::string typed = NormalizedTyped(bytes.substr(0, std::min<size_t>(bytes.find('\n'), 16)));
    std::vector<KnownCall> rows = lookup.Find(typed);
    FUZZ_CHECK(rows.size() <= PartialCallLookup::kMaxContaining + PartialCallLookup::kMaxOneOff);
    std::set<std::string> seen;
    bool oneOffs = false;
    for (const KnownCall& row : rows) {
        FUZZ_CHECK(seen.insert(row.call).second);
        FUZZ_CHECK(history.Find(row.call) != nullptr && row.source == KnownCallSource::History);
        FUZZ_CHECK(!oneOffs || row.oneOff);  // the one-character-away part comes last
        oneOffs = row.oneOff;
        FUZZ_CHECK(row.oneOff == (row.call.find(typed) == std::string::npos));
    }
    return 0;
}
