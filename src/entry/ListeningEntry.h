#pragma once
// The listening-mode half of the entry form: one heard exchange between two stations
// becomes one or two heard entries. A station may be heard calling once per band and
// mode and answering at most three times; the C, R and M markers show where the two
// callsigns stand while they are typed, and an exchange that is only acceptable the
// other way round has its two stations swapped.

#include <cstdint>
#include <string>

#include "entry/ListeningHandler.h"
#include "log/CallIndex.h"

namespace tarnex {

class ListeningEntry : public ListeningHandler {
  public:
    // The working copy of one callsign's index entry while an exchange is typed: a
    // copy of the index entry, or a fresh one for a callsign not heard yet.
    struct Working {
        CallIndexEntry entry;
        bool found = false;   // the callsign is in the index already
        bool filled = false;  // the callsign field was evaluated since the last reset
    };

    void OnEnter(EntryForm& form) override;
    void OnCallsign1Valid(EntryForm& form) override;
    void OnCallsign2Left(EntryForm& form) override;
    void OnBandChanged(EntryForm& form) override;
    void OnModeChanged(EntryForm& form) override;
    void OnFormReset(EntryForm& form) override;

    // The working entry of callsign 1 (row 1) or callsign 2 (row 2).
    const Working& WorkingEntry(int row) const { return row == 2 ? second_ : first_; }

  private:
    void EvaluateCallsign2(EntryForm& form);
    // Shows the R markers for an answer count (0 to 3).
    static void ShowAnswerMarkers(EntryForm& form, int count);
    void SwapStations(EntryForm& form, int band, int mode);
    void TryAdd(EntryForm& form);
    void AddExchange(EntryForm& form);
    void ClearAfterAdd(EntryForm& form);
    void ShowSection2Grid(EntryForm& form);

    Working first_;
    Working second_;
};

// The working entry for a callsign: its index entry, or a fresh one.
ListeningEntry::Working LookUpWorking(const CallIndex& index, const std::string& callsign);

}  // namespace tarnex
