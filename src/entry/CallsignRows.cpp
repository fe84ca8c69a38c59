#include "entry/CallsignRows.h"

#include <algorithm>

namespace tarnex {

namespace {
const std::vector<uint32_t> kNoRows;
}

CallsignRows::CallsignRows(ContestLog& log) : log_(log) {
    log_.AddObserver(this);
    Rebuild();
}

CallsignRows::~CallsignRows() {
    log_.RemoveObserver(this);
}

const std::vector<uint32_t>& CallsignRows::RowsOf(std::string_view callsign) const {
    auto it = rows_.find(callsign);
    return it == rows_.end() ? kNoRows : it->second;
}

void CallsignRows::Insert(const std::string& callsign, uint32_t row) {
    std::vector<uint32_t>& list = rows_[callsign];
    list.insert(std::upper_bound(list.begin(), list.end(), row), row);
}

void CallsignRows::AfterAppend(size_t row) {
    if (log_.Mode() != LogMode::Qso) {
        return;
    }
    if (row != callsignOfRow_.size()) {  // out of step: start again
        Rebuild();
        return;
    }
    std::string callsign(log_.Field(row, QsoCol::Callsign));
    rows_[callsign].push_back(static_cast<uint32_t>(row));
    callsignOfRow_.push_back(std::move(callsign));
}

void CallsignRows::AfterReset() {
    Rebuild();
}

void CallsignRows::RowChanged(size_t row) {
    if (log_.Mode() != LogMode::Qso || row >= callsignOfRow_.size()) {
        Rebuild();
        return;
    }
    std::string now(log_.Field(row, QsoCol::Callsign));
    std::string& before = callsignOfRow_[row];
    if (now == before) {
        return;
    }
    auto it = rows_.find(before);
    if (it != rows_.end()) {
        std::vector<uint32_t>& list = it->second;
        auto at = std::lower_bound(list.begin(), list.end(), static_cast<uint32_t>(row));
        if (at != list.end() && *at == row) {
            list.erase(at);
        }
        if (list.empty()) {
            rows_.erase(it);
        }
    }
    Insert(now, static_cast<uint32_t>(row));
    before = std::move(now);
}

void CallsignRows::Rebuild() {
    // The callsigns of a log mostly stay when its rows are re-ordered or a few are
    // removed: their entries are kept and refilled, which saves freeing and allocating
    // one entry and one list per station; lists left empty go at the end.
    for (auto& [callsign, list] : rows_) {
        list.clear();
    }
    callsignOfRow_.clear();
    if (log_.Mode() != LogMode::Qso) {
        rows_.clear();
        return;
    }
    const size_t count = log_.RowCount();
    callsignOfRow_.reserve(count);
    for (size_t row = 0; row < count; ++row) {
        std::string_view callsign = log_.Field(row, QsoCol::Callsign);
        auto it = rows_.find(callsign);
        if (it == rows_.end()) {
            it = rows_.emplace(std::string(callsign), std::vector<uint32_t>()).first;
        }
        it->second.push_back(static_cast<uint32_t>(row));
        callsignOfRow_.emplace_back(callsign);
    }
    std::erase_if(rows_, [](const auto& entry) { return entry.second.empty(); });
}

}  // namespace tarnex
