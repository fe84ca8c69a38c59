#pragma once
// The partial-call lookup behind the "Nominativi noti" list and `tarnex-cli scp`: the
// known callsigns that hold the typed text, and those one character away from it.
//
// Sources, in this order: the current log (followed live through its observer), the
// call history, and the Italian callsigns of the master list. A callsign that several
// sources know is listed once, under the first of them.
//
// The rows, from the second typed character on (the text trimmed and upper-cased):
// 1. The typed callsign itself when a source knows it, then the known callsigns that
//    hold the typed text anywhere: the log's, then the history's, then the master
//    list's, each source's in ascending byte order of the callsign; at most 40 rows
//    with the exact one.
// 2. The callsigns of the log and of the history one character away from the typed
//    text (one character changed, added or removed) that do not hold it (those are in
//    the first part already): the log's, then the history's, each in ascending order; at most
//    40 rows, marked oneOff.
// Nothing is listed for a text of fewer than two characters or when nothing matches.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/CallHistory.h"
#include "history/CallSlots.h"
#include "log/ContestLog.h"

namespace tarnex {

class LogCallIndex;

enum class KnownCallSource { Log, History, Master };

struct KnownCall {
    std::string call;
    KnownCallSource source = KnownCallSource::Log;
    // The section the source gives: for a log callsign the log's (the history's when no
    // row of the log gives one), for a history callsign the history's; empty for the
    // master list.
    std::string section;
    // Log callsigns only: already worked on the band and mode asked about (listening
    // mode: already heard calling on them).
    bool worked = false;
    bool oneOff = false;  // the second part: one character away from the typed text
    bool operator==(const KnownCall&) const = default;
};

// Positions in the band and mode lists (BandMode.h).
struct BandAndMode {
    int band = 0;
    int mode = 0;
};

class PartialCallLookup {
  public:
    static constexpr size_t kMaxContaining = 40;
    static constexpr size_t kMaxOneOff = 40;
    static constexpr size_t kShortestTyped = 2;

    PartialCallLookup();
    ~PartialCallLookup();
    PartialCallLookup(const PartialCallLookup&) = delete;
    PartialCallLookup& operator=(const PartialCallLookup&) = delete;

    // Follows this log from now on (every contact added, edited or deleted shows at the
    // next lookup) until DetachLog, another AttachLog or the lookup's end. The log must
    // outlive the attachment.
    void AttachLog(ContestLog& log);
    void DetachLog();
    // Orders the log's callsigns added since the last lookup now: call it after a log
    // was read into the attached log, so that the next keystroke does not wait.
    void Prepare() const;

    // The history's callsigns and sections (copied: set them again after an update).
    void SetHistory(const CallHistory& history);
    // The master list's callsigns, ascending and each once (ItalianMasterCalls).
    void SetMasterCalls(const std::vector<std::string>& calls);

    size_t HistorySize() const { return history_.Size(); }
    size_t MasterSize() const { return master_.Size(); }

    // The rows for a typed text; `workedOn` asks for the worked mark of log callsigns.
    std::vector<KnownCall> Find(std::string_view typed,
                                std::optional<BandAndMode> workedOn = std::nullopt) const;

  private:
    bool InLog(std::string_view call) const;
    bool InHistory(std::string_view call) const { return history_.HoldsSorted(call); }
    KnownCall LogRow(std::string_view call, const std::optional<BandAndMode>& workedOn) const;
    KnownCall HistoryRow(std::string_view call) const;
    void AddOneOffs(const std::string& typed, const std::optional<BandAndMode>& workedOn,
                    std::vector<KnownCall>& rows) const;

    std::unique_ptr<LogCallIndex> log_;
    CallSlots history_;                     // ascending
    std::vector<int16_t> historySections_;  // beside history_
    CallSlots master_;                      // ascending
};

// The typed text as the lookup takes it: spaces around it dropped, a-z made A-Z.
std::string NormalizedTyped(std::string_view typed);

}  // namespace tarnex
