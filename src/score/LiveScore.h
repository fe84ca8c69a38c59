#pragma once
// The score and the rates of the current log, kept up to date as the log changes:
// an observer of ContestLog that takes each added or changed entry into account on
// its own, so that reading the figures never recounts the log. The counting rule is
// the claimed score's own (EntryScore): the table always equals ComputeScore's.
//
//     LiveScore live(session.Log());               // attach; counts the rows there are
//     live.SetListener([&] { panel.Refresh(); });  // told after every change
//     LiveFigures now = live.Figures();            // numbers
//     auto texts = FormatLiveFigures(now);         // labels and formatted values
//
// Rows appended since the figures were last read (one typed contact, or the lines of
// a file as Open and a journal load add them one by one) are counted when the
// figures are next read, each row once: reading after one typed contact counts that
// one row; reading after Open counts the file's rows in one go. A one-row change is
// counted at once; a reset of the log (New, Open, a change of mode, delete, sort)
// empties the counts, and the next read counts the rows once. The listener is told
// of every change: one that redraws should coalesce its calls (one redraw when
// control returns to the event loop), since a load tells it once per row.
//
// The log must outlive the LiveScore, or the LiveScore must be destroyed first.

#include <cstdint>
#include <functional>
#include <vector>

#include "log/ContestLog.h"
#include "log/EntryTime.h"
#include "score/LiveFigures.h"
#include "score/RateWindow.h"
#include "score/ScoreTable.h"

namespace tarnex {

class LiveScore : public ContestLogObserver {
  public:
    explicit LiveScore(ContestLog& log);
    ~LiveScore() override;
    LiveScore(const LiveScore&) = delete;
    LiveScore& operator=(const LiveScore&) = delete;

    // Called after every change of the figures' inputs (may be empty).
    void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Entries, points and multipliers per band and in total, as ComputeScore fills them.
    const ScoreTable& Table() const;
    int64_t ClaimedScore() const { return Table().Score(); }
    // The times of the counted entries that have a real date and time.
    const RateWindow& Rates() const;
    LiveFigures Figures() const;

    // Counts every row again now.
    void Rebuild();

    void AfterAppend(size_t row) override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

  private:
    // What one row adds to the figures.
    struct RowPart {
        UtcMinute minute = 0;
        int32_t multiplierSlot = -1;
        int8_t band = -1;  // -1: not counted (band or mode does not decode)
        bool timed = false;
    };
    RowPart PartOf(size_t row) const;
    // The counts without the rates.
    void AddCounts(const RowPart& part) const;
    void AddPart(const RowPart& part) const;
    void RemovePart(const RowPart& part) const;
    void AddToBand(int band, ScoreTable::Column column, int64_t amount) const;
    // Empties every count: no row is counted.
    void Forget() const;
    // Counts the rows appended since the last count.
    void CatchUp() const;
    void Changed();

    ContestLog& log_;
    // What the figures hold is brought up to date when they are read, so these
    // change in const reads too.
    mutable std::vector<RowPart> parts_;  // one per counted row: rows 0 .. parts_.size() - 1
    // Entries per (multiplier slot, band): a multiplier while above 0.
    mutable std::vector<uint32_t> slotUses_;
    mutable ScoreTable table_;
    mutable RateWindow rates_;
    std::function<void()> listener_;
};

}  // namespace tarnex
