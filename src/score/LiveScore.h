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
// An append (typing, or each line of a load) and a one-row change cost a few map
// and table steps; a reset of the log (New, Open, a change of mode, delete, sort)
// counts all rows once. Open loads row by row, so a listener that redraws should
// coalesce its calls (one redraw when control returns to the event loop).
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
    const ScoreTable& Table() const { return table_; }
    int64_t ClaimedScore() const { return table_.Score(); }
    // The times of the counted entries that have a real date and time.
    const RateWindow& Rates() const { return rates_; }
    LiveFigures Figures() const;

    // Counts every row again (done by itself on a reset of the log).
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
    void AddPart(const RowPart& part);
    void RemovePart(const RowPart& part);
    void AddToBand(int band, ScoreTable::Column column, int64_t amount);
    void Changed();

    ContestLog& log_;
    std::vector<RowPart> parts_;  // one per row of the log, same order
    // Entries per (multiplier slot, band): a multiplier while above 0.
    std::vector<uint32_t> slotUses_;
    ScoreTable table_;
    RateWindow rates_;
    std::function<void()> listener_;
};

}  // namespace tarnex
