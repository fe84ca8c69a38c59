#include "score/LiveScore.h"

#include <algorithm>

#include "log/BandMode.h"
#include "score/EntryScore.h"

namespace tarnex {

LiveScore::LiveScore(ContestLog& log)
    : log_(log), slotUses_(static_cast<size_t>(kMultiplierSlots) * kBandCount, 0) {
    log_.AddObserver(this);
    Rebuild();
}

LiveScore::~LiveScore() {
    log_.RemoveObserver(this);
}

LiveFigures LiveScore::Figures() const {
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

void LiveScore::AddToBand(int band, ScoreTable::Column column, int64_t amount) {
    table_.At(band, column) += amount;
    table_.At(ScoreTable::kTotalsRow, column) += amount;
}

void LiveScore::AddPart(const RowPart& part) {
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
    if (part.timed) {
        rates_.Add(part.minute);
    }
}

void LiveScore::RemovePart(const RowPart& part) {
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

void LiveScore::Rebuild() {
    std::fill(slotUses_.begin(), slotUses_.end(), 0);
    table_ = ScoreTable{};
    parts_.clear();
    parts_.reserve(log_.RowCount());
    std::vector<UtcMinute> minutes;
    minutes.reserve(log_.RowCount());
    for (size_t row = 0; row < log_.RowCount(); ++row) {
        RowPart part = PartOf(row);
        parts_.push_back(part);
        if (part.timed) {
            minutes.push_back(part.minute);
            part.timed = false;  // the rates take all minutes at once below
        }
        AddPart(part);
    }
    rates_.Assign(std::move(minutes));
    Changed();
}

void LiveScore::AfterAppend(size_t row) {
    if (row != parts_.size()) {
        Rebuild();  // never expected: the rows and the parts went out of step
        return;
    }
    parts_.push_back(PartOf(row));
    AddPart(parts_.back());
    Changed();
}

void LiveScore::AfterReset() {
    Rebuild();
}

void LiveScore::RowChanged(size_t row) {
    if (row >= parts_.size()) {
        Rebuild();
        return;
    }
    RemovePart(parts_[row]);
    parts_[row] = PartOf(row);
    AddPart(parts_[row]);
    Changed();
}

void LiveScore::Changed() {
    if (listener_) {
        listener_();
    }
}

}  // namespace tarnex
