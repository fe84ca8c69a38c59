#include "history/LogCallIndex.h"

#include <algorithm>

#include "history/HistoryRecord.h"
#include "log/BandMode.h"

namespace tarnex {

namespace {
// Callsigns added since the last scan are placed one by one up to this many; more are
// sorted and merged in one go (after a load, all of them).
constexpr size_t kPlacedOneByOne = 32;
}  // namespace

LogCallIndex::LogCallIndex(ContestLog& log) : log_(log) {
    log_.AddObserver(this);
    Rebuild();
}

LogCallIndex::~LogCallIndex() {
    log_.RemoveObserver(this);
}

const LogCallIndex::LogCall* LogCallIndex::Find(std::string_view call) const {
    auto it = ids_.find(call);
    if (it == ids_.end() || calls_[it->second].refs.empty()) {
        return nullptr;
    }
    return &calls_[it->second];
}

bool LogCallIndex::Contains(std::string_view call) const {
    return Find(call) != nullptr;
}

std::string_view LogCallIndex::SectionOf(std::string_view call) const {
    const LogCall* entry = Find(call);
    if (entry == nullptr) {
        return {};
    }
    const int column = log_.Mode() == LogMode::Qso ? int{QsoCol::Section} : int{HrdCol::CallingSection};
    for (uint32_t ref : entry->refs) {
        if ((ref & 1) == 0) {
            std::string_view section = log_.Field(ref / 2, column);
            if (!section.empty()) {
                return section;
            }
        }
    }
    return {};
}

bool LogCallIndex::WorkedOn(std::string_view call, int band, int mode) const {
    const LogCall* entry = Find(call);
    if (entry == nullptr) {
        return false;
    }
    for (uint32_t ref : entry->refs) {
        const size_t row = ref / 2;
        if ((ref & 1) == 0 && BandListIndex(log_.Field(row, QsoCol::Band)) == band &&
            ModeListIndex(log_.Field(row, QsoCol::Mode)) == mode) {
            return true;
        }
    }
    return false;
}

uint32_t LogCallIndex::IdOf(std::string_view call) {
    if (!IsHistoryCall(call)) {
        return kNone;
    }
    auto it = ids_.find(call);
    if (it != ids_.end()) {
        return it->second;
    }
    const uint32_t id = static_cast<uint32_t>(calls_.size());
    calls_.push_back(LogCall{std::string(call), {}});
    ids_.emplace(std::string(call), id);
    unordered_.push_back(id);
    return id;
}

void LogCallIndex::AddRef(uint32_t id, uint32_t ref) {
    if (id == kNone) {
        return;
    }
    std::vector<uint32_t>& refs = calls_[id].refs;
    if (refs.empty()) {
        ++living_;
    }
    if (refs.empty() || refs.back() < ref) {
        refs.push_back(ref);
    } else {
        refs.insert(std::lower_bound(refs.begin(), refs.end(), ref), ref);
    }
}

void LogCallIndex::RemoveRef(uint32_t id, uint32_t ref) {
    if (id == kNone) {
        return;
    }
    std::vector<uint32_t>& refs = calls_[id].refs;
    auto at = std::lower_bound(refs.begin(), refs.end(), ref);
    if (at != refs.end() && *at == ref) {
        refs.erase(at);
        if (refs.empty()) {
            --living_;
        }
    }
}

LogCallIndex::RowCalls LogCallIndex::CallsOfRow(size_t row) {
    RowCalls calls;
    if (log_.Mode() == LogMode::Qso) {
        calls.first = IdOf(log_.Field(row, QsoCol::Callsign));
    } else {
        calls.first = IdOf(log_.Field(row, HrdCol::CallingCall));
        calls.second = IdOf(log_.Field(row, HrdCol::AnsweringCall));
    }
    return calls;
}

void LogCallIndex::AfterAppend(size_t row) {
    if (row != rows_.size()) {  // out of step: start again
        Rebuild();
        return;
    }
    const RowCalls calls = CallsOfRow(row);
    AddRef(calls.first, static_cast<uint32_t>(row * 2));
    AddRef(calls.second, static_cast<uint32_t>(row * 2 + 1));
    rows_.push_back(calls);
}

void LogCallIndex::RowChanged(size_t row) {
    if (row >= rows_.size() || rows_.size() != log_.RowCount()) {
        Rebuild();
        return;
    }
    const RowCalls before = rows_[row];
    const RowCalls now = CallsOfRow(row);
    RemoveRef(before.first, static_cast<uint32_t>(row * 2));
    RemoveRef(before.second, static_cast<uint32_t>(row * 2 + 1));
    AddRef(now.first, static_cast<uint32_t>(row * 2));
    AddRef(now.second, static_cast<uint32_t>(row * 2 + 1));
    rows_[row] = now;
}

void LogCallIndex::AfterReset() {
    Rebuild();
}

void LogCallIndex::Rebuild() {
    calls_.clear();
    ids_.clear();
    rows_.clear();
    ordered_.Clear();
    orderedIds_.clear();
    unordered_.clear();
    living_ = 0;
    const size_t count = log_.RowCount();
    rows_.reserve(count);
    for (size_t row = 0; row < count; ++row) {
        const RowCalls calls = CallsOfRow(row);
        AddRef(calls.first, static_cast<uint32_t>(row * 2));
        AddRef(calls.second, static_cast<uint32_t>(row * 2 + 1));
        rows_.push_back(calls);
    }
}

void LogCallIndex::Order() const {
    if (unordered_.empty()) {
        return;
    }
    auto byCall = [&](uint32_t a, uint32_t b) { return calls_[a].call < calls_[b].call; };
    if (unordered_.size() <= kPlacedOneByOne) {
        for (uint32_t id : unordered_) {
            const size_t at = ordered_.LowerBound(calls_[id].call);
            ordered_.Insert(at, calls_[id].call);
            orderedIds_.insert(orderedIds_.begin() + static_cast<std::ptrdiff_t>(at), id);
        }
    } else {
        std::sort(unordered_.begin(), unordered_.end(), byCall);
        std::vector<uint32_t> merged;
        merged.reserve(orderedIds_.size() + unordered_.size());
        std::merge(orderedIds_.begin(), orderedIds_.end(), unordered_.begin(), unordered_.end(),
                   std::back_inserter(merged), byCall);
        orderedIds_ = std::move(merged);
        ordered_.Clear();
        ordered_.Reserve(orderedIds_.size());
        for (uint32_t id : orderedIds_) {
            ordered_.PushBack(calls_[id].call);
        }
    }
    unordered_.clear();
}

}  // namespace tarnex
