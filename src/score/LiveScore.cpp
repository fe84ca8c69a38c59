#include "score/LiveScore.h"

#include <algorithm>

#include "log/BandMode.h"
#include "score/EntryScore.h"

namespace tarnex {

LiveScore::LiveScore(ContestLog& log)
    : log_(log), slotUses_(static_cast<size_t>(kMultiplierSlots) * kBandCount, 0) {
    log_.AddObserver(this);
}

LiveScore::~LiveScore() {
    log_.RemoveObserver(this);
}

const ScoreTable& LiveScore::Table() const {
    CatchUp();
    return table_;
}

const RateWindow& LiveScore::Rates() const {
    CatchUp();
    return rates_;
}

LiveFigures LiveScore::Figures() const {
    CatchUp();
    LiveFigures figures;
    figures.mode = log_.Mode();
    figures.entries = table_.At(ScoreTable::kTotalsRow, ScoreTable::Entries);
    figures.points = table_.At(ScoreTable::kTotalsRow, ScoreTable::Points);
    figures.multipliers = table_.At(ScoreTable::kTotalsRow, ScoreTable::Multipliers);
    figures.score = table_.Score();
    figures.latest = rates_.Latest();
    figures.lastHour = rates_.InLastHour();
    figures.lastTenRate = rates_.LastTenRate();
    return figures;
}

LiveScore::RowPart LiveScore::PartOf(size_t row) const {
    RowPart part;
    const EntryScore entry = ScoreEntry(log_, row);
    if (!entry.Counted()) {
        return part;
    }
    part.band = static_cast<int8_t>(entry.band);
    part.multiplierSlot = entry.multiplierSlot;
    if (auto minute = EntryMinute(log_.Field(row, QsoCol::Date), log_.Field(row, QsoCol::Time))) {
        part.minute = *minute;
        part.timed = true;
    }
    return part;
}

void LiveScore::AddToBand(int band, ScoreTable::Column column, int64_t amount) const {
    table_.At(band, column) += amount;
    table_.At(ScoreTable::kTotalsRow, column) += amount;
}

void LiveScore::AddCounts(const RowPart& part) const {
    if (part.band < 0) {
        return;
    }
    AddToBand(part.band, ScoreTable::Entries, 1);
    AddToBand(part.band, ScoreTable::Points, BandPoints(part.band));
    if (part.multiplierSlot >= 0 &&
        slotUses_[static_cast<size_t>(part.multiplierSlot) * kBandCount + static_cast<size_t>(part.band)]++ ==
            0) {
        AddToBand(part.band, ScoreTable::Multipliers, 1);
    }
}

void LiveScore::AddPart(const RowPart& part) const {
    AddCounts(part);
    if (part.band >= 0 && part.timed) {
        rates_.Add(part.minute);
    }
}

void LiveScore::RemovePart(const RowPart& part) const {
    if (part.band < 0) {
        return;
    }
    AddToBand(part.band, ScoreTable::Entries, -1);
    AddToBand(part.band, ScoreTable::Points, -BandPoints(part.band));
    if (part.multiplierSlot >= 0 &&
        --slotUses_[static_cast<size_t>(part.multiplierSlot) * kBandCount + static_cast<size_t>(part.band)] ==
            0) {
        AddToBand(part.band, ScoreTable::Multipliers, -1);
    }
    if (part.timed) {
        rates_.Remove(part.minute);
    }
}

void LiveScore::Forget() const {
    std::fill(slotUses_.begin(), slotUses_.end(), 0);
    table_ = ScoreTable{};
    parts_.clear();
    rates_.Clear();
}

void LiveScore::CatchUp() const {
    const size_t from = parts_.size();
    const size_t to = log_.RowCount();
    if (from == to) {
        return;
    }
    if (from > to) {  // rows went without a reset: never expected
        Forget();
        CatchUp();
        return;
    }
    // Many new rows (a load): their times go into the rates in one sorted batch.
    const bool batch = to - from > from;
    std::vector<UtcMinute> minutes;
    if (batch) {
        parts_.reserve(to);  // not for a few rows: that would copy the parts every time
        minutes.reserve(to);
    }
    for (size_t row = from; row < to; ++row) {
        parts_.push_back(PartOf(row));
        const RowPart& part = parts_.back();
        AddCounts(part);
        if (part.band >= 0 && part.timed) {
            if (batch) {
                minutes.push_back(part.minute);
            } else {
                rates_.Add(part.minute);
            }
        }
    }
    if (batch) {
        for (size_t row = 0; row < from; ++row) {
            if (parts_[row].band >= 0 && parts_[row].timed) {
                minutes.push_back(parts_[row].minute);
            }
        }
        rates_.Assign(std::move(minutes));
    }
}

void LiveScore::Rebuild() {
    Forget();
    CatchUp();
    Changed();
}

void LiveScore::AfterAppend(size_t row) {
    if (row < parts_.size()) {
        // Put in among the rows already counted (a shared log's row from another
        // position, before this position's unconfirmed ones): count again.
        Forget();
    }
    Changed();
}

void LiveScore::AfterReset() {
    Forget();
    Changed();
}

void LiveScore::RowChanged(size_t row) {
    if (row < parts_.size()) {
        RemovePart(parts_[row]);
        parts_[row] = PartOf(row);
        AddPart(parts_[row]);
    }
    Changed();
}

void LiveScore::Changed() {
    if (listener_) {
        listener_();
    }
}

}  // namespace tarnex
