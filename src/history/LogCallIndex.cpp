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

namespace {
uint64_t HashOf(std::string_view call) {
    return std::hash<std::string_view>{}(call);
}
uint32_t TagOf(uint64_t hash) {
    return static_cast<uint32_t>(hash >> 32);
}
}  // namespace

size_t LogCallIndex::SlotOf(std::string_view call, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = TagOf(hash);
    for (size_t at = static_cast<size_t>(hash) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.id == 0 || (slot.tag == tag && calls_[slot.id - 1].call == call)) {
            return at;
        }
    }
}

void LogCallIndex::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<size_t>(64, old.size() * 2), Slot());
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id != 0) {
            size_t at = static_cast<size_t>(HashOf(calls_[slot.id - 1].call)) & mask;
            while (slots_[at].id != 0) {
                at = (at + 1) & mask;
            }
            slots_[at] = slot;
        }
    }
}

const LogCallIndex::LogCall* LogCallIndex::Find(std::string_view call) const {
    if (calls_.empty()) {
        return nullptr;
    }
    const Slot& slot = slots_[SlotOf(call, HashOf(call))];
    if (slot.id == 0 || calls_[slot.id - 1].refs.empty()) {
        return nullptr;
    }
    return &calls_[slot.id - 1];
}

bool LogCallIndex::Contains(std::string_view call) const {
    return Find(call) != nullptr;
}

std::string_view LogCallIndex::SectionOf(std::string_view call) const {
    const LogCall* entry = Find(call);
    if (entry == nullptr) {
        return {};
    }
    const int column = log_.Mode() == LogMode::Qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
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
    if ((calls_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const uint64_t hash = HashOf(call);
    Slot& slot = slots_[SlotOf(call, hash)];
    if (slot.id != 0) {
        return slot.id - 1;
    }
    const uint32_t id = static_cast<uint32_t>(calls_.size());
    calls_.push_back(LogCall{std::string(call), {}});
    slot = {TagOf(hash), id + 1};
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
        calls.first = IdOf(log_.Field(row, ListeningCol::CallingCall));
        calls.second = IdOf(log_.Field(row, ListeningCol::AnsweringCall));
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
    slots_.clear();
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
    Order();
}

void LogCallIndex::Order() const {
    if (unordered_.empty()) {
        return;
    }
    if (unordered_.size() <= kPlacedOneByOne) {
        for (uint32_t id : unordered_) {
            const size_t at = ordered_.LowerBound(calls_[id].call);
            ordered_.Insert(at, calls_[id].call);
            orderedIds_.insert(orderedIds_.begin() + static_cast<std::ptrdiff_t>(at), id);
        }
        unordered_.clear();
        return;
    }
    // Sorted by keys of fixed size, then merged with those already in order.
    struct Keyed {
        CallSlots::Key key;
        uint32_t id;
    };
    std::vector<Keyed> added;
    added.reserve(unordered_.size());
    for (uint32_t id : unordered_) {
        added.push_back({CallSlots::KeyOf(calls_[id].call), id});
    }
    std::sort(added.begin(), added.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    CallSlots merged;
    std::vector<uint32_t> mergedIds;
    merged.Reserve(orderedIds_.size() + added.size());
    mergedIds.reserve(orderedIds_.size() + added.size());
    size_t held = 0;
    for (const Keyed& next : added) {
        while (held < orderedIds_.size() && ordered_.KeyAt(held) < next.key) {
            merged.PushBack(ordered_.At(held));
            mergedIds.push_back(orderedIds_[held++]);
        }
        merged.PushBack(calls_[next.id].call);
        mergedIds.push_back(next.id);
    }
    for (; held < orderedIds_.size(); ++held) {
        merged.PushBack(ordered_.At(held));
        mergedIds.push_back(orderedIds_[held]);
    }
    ordered_ = std::move(merged);
    orderedIds_ = std::move(mergedIds);
    unordered_.clear();
}

}  // namespace tarnex
