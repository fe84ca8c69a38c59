#pragma once
// The listening-mode half of the entry form: one heard exchange between two stations
// becomes one or two heard entries. A station may be heard calling once per band and
// mode and answering at most kAnswersPerBandMode times; the C, R and M markers show
// where the two callsigns stand while they are typed, and an exchange that is only
// acceptable the other way round has its two stations swapped. It sees the form only
// through ListeningForm.

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

    void OnEnter(ListeningForm& form) override;
    void OnCallsign1Valid(ListeningForm& form) override;
    void OnCallsign2Left(ListeningForm& form) override;
    void OnBandChanged(ListeningForm& form) override;
    void OnModeChanged(ListeningForm& form) override;
    void OnFormReset(ListeningForm& form) override;

    // The working entry of callsign 1 (row 1) or callsign 2 (row 2).
    const Working& WorkingEntry(int row) const { return row == 2 ? second_ : first_; }

  private:
    void EvaluateCallsign2(ListeningForm& form);
    // Shows one R marker more than the answers heard (up to all of them), all lit or
    // all dark.
    static void ShowAnswerMarkers(ListeningForm& form, int count, bool on);
    void SwapStations(ListeningForm& form, int band, int mode);
    void TryAdd(ListeningForm& form);
    void AddExchange(ListeningForm& form);
    void ClearAfterAdd(ListeningForm& form);
    void ShowSection2Grid(ListeningForm& form);

    Working first_;
    Working second_;
};

// The working entry for a callsign: its index entry, or a fresh one.
ListeningEntry::Working LookUpWorking(const CallIndex& index, const std::string& callsign);

}  // namespace tarnex
