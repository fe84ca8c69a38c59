#include "entry/CallsignRows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

namespace tarnex {

// A block: the count of rows, the bytes used, the bytes held, the callsign's length
// (four 32-bit numbers), the callsign, then one record per row in ascending order: the
// row number, the lengths of the seven columns kept (a byte each), the columns' bytes.
// A row with a column of 255 bytes or more keeps its number only (length byte kInLog)
// and is read from the log.
namespace {

constexpr size_t kHeader = 16;
constexpr int kKept = 7;
constexpr size_t kRecordHead = 4 + kKept;
constexpr uint8_t kInLog = 0xFF;
constexpr size_t kFirstSlots = 16;
constexpr size_t kCacheLine = 64;

using Kept = std::array<std::string_view, kKept>;

uint32_t Get32(const char* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void Put32(char* at, size_t value) {
    const auto narrow = static_cast<uint32_t>(value);
    std::memcpy(at, &narrow, sizeof narrow);
}

Kept KeptOf(const ContestLog& log, size_t row) {
    return {log.Field(row, QsoCol::Date).substr(0, 2),
            log.Field(row, QsoCol::Time),
            log.Field(row, QsoCol::Band),
            log.Field(row, QsoCol::Mode),
            log.Field(row, QsoCol::RstSent),
            log.Field(row, QsoCol::RstReceived),
            log.Field(row, QsoCol::Section)};
}

size_t RecordSize(const Kept& kept) {
    size_t size = kRecordHead;
    for (std::string_view text : kept) {
        if (text.size() >= kInLog) {
            return kRecordHead;
        }
        size += text.size();
    }
    return size;
}

void PutRecord(char* at, uint32_t row, const Kept& kept) {
    Put32(at, row);
    char* lengths = at + 4;
    if (RecordSize(kept) == kRecordHead &&
        std::any_of(kept.begin(), kept.end(), [](std::string_view text) { return text.size() >= kInLog; })) {
        std::memset(lengths, 0, kKept);
        lengths[0] = static_cast<char>(kInLog);
        return;
    }
    char* bytes = at + kRecordHead;
    for (int k = 0; k < kKept; ++k) {
        lengths[k] = static_cast<char>(kept[k].size());
        if (!kept[k].empty()) {  // an empty text may have no bytes at all to copy from
            std::memcpy(bytes, kept[k].data(), kept[k].size());
        }
        bytes += kept[k].size();
    }
}

// The size of the record at `at`.
size_t SizeAt(const char* at) {
    const auto* lengths = reinterpret_cast<const uint8_t*>(at + 4);
    if (lengths[0] == kInLog) {
        return kRecordHead;
    }
    size_t size = kRecordHead;
    for (int k = 0; k < kKept; ++k) {
        size += lengths[k];
    }
    return size;
}

std::string_view KeyOf(const char* block) {
    return {block + kHeader, Get32(block + 12)};
}

size_t HashOf(std::string_view callsign) {
    return std::hash<std::string_view>{}(callsign);
}

std::unique_ptr<char[]> NewBlock(std::string_view callsign, size_t capacity) {
    std::unique_ptr<char[]> block(new char[capacity]);
    Put32(block.get(), 0);
    Put32(block.get() + 4, kHeader + callsign.size());
    Put32(block.get() + 8, capacity);
    Put32(block.get() + 12, callsign.size());
    if (!callsign.empty()) {  // an empty callsign may have no bytes at all to copy from
        std::memcpy(block.get() + kHeader, callsign.data(), callsign.size());
    }
    return block;
}

}  // namespace

CallsignRows::CallsignRows(ContestLog& log) : log_(log) {
    log_.AddObserver(this);
    Rebuild();
}

CallsignRows::~CallsignRows() {
    log_.RemoveObserver(this);
}

size_t CallsignRows::Find(std::string_view callsign, size_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.block || (slot.hash == hash && KeyOf(slot.block.get()) == callsign)) {
            return i;
        }
    }
}

CallsignRows::Slot& CallsignRows::SlotFor(std::string_view callsign) {
    const size_t hash = HashOf(callsign);
    size_t i = Find(callsign, hash);
    if (slots_[i].block) {
        return slots_[i];
    }
    if ((used_ + 1) * 2 > slots_.size()) {
        Grow();
        i = Find(callsign, hash);
    }
    // Room for a few rows: most stations are worked on a few bands and modes.
    slots_[i].block = NewBlock(callsign, kHeader + callsign.size() + 4 * (kRecordHead + 20));
    slots_[i].hash = hash;
    ++used_;
    return slots_[i];
}

void CallsignRows::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.clear();
    slots_.resize(old.size() * 2);
    const size_t mask = slots_.size() - 1;
    for (Slot& slot : old) {
        if (slot.block) {
            size_t i = slot.hash & mask;
            while (slots_[i].block) {
                i = (i + 1) & mask;
            }
            slots_[i] = std::move(slot);
        }
    }
}

void CallsignRows::Erase(size_t index) {
    // Later slots of the same run move back, so that no search stops short of them.
    const size_t mask = slots_.size() - 1;
    slots_[index].block.reset();
    --used_;
    size_t hole = index;
    for (size_t j = (index + 1) & mask; slots_[j].block; j = (j + 1) & mask) {
        const size_t home = slots_[j].hash & mask;
        const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!stays) {
            slots_[hole] = std::move(slots_[j]);
            hole = j;
        }
    }
}

void CallsignRows::AddRow(Slot& slot, uint32_t row) {
    const Kept kept = KeptOf(log_, row);
    const size_t size = RecordSize(kept);
    char* block = slot.block.get();
    const size_t used = Get32(block + 4);
    const size_t capacity = Get32(block + 8);
    if (used + size > capacity) {
        const size_t grown = std::max(capacity * 2, used + size);
        std::unique_ptr<char[]> bigger(new char[grown]);
        std::memcpy(bigger.get(), block, used);
        Put32(bigger.get() + 8, grown);
        slot.block = std::move(bigger);
        block = slot.block.get();
    }
    PutRecord(block + used, row, kept);
    Put32(block, Get32(block) + 1);
    Put32(block + 4, used + size);
}

void CallsignRows::Refill(Slot& slot, std::string_view callsign, const std::vector<uint32_t>& rows) {
    size_t size = kHeader + callsign.size();
    for (uint32_t row : rows) {
        size += RecordSize(KeptOf(log_, row));
    }
    std::unique_ptr<char[]> block = NewBlock(callsign, size);
    char* at = block.get() + kHeader + callsign.size();
    for (uint32_t row : rows) {
        const Kept kept = KeptOf(log_, row);
        PutRecord(at, row, kept);
        at += RecordSize(kept);
    }
    Put32(block.get(), rows.size());
    Put32(block.get() + 4, size);
    slot.block = std::move(block);
}

std::vector<uint32_t> CallsignRows::BlockRows(const char* block) const {
    std::vector<uint32_t> rows;
    const uint32_t count = Get32(block);
    rows.reserve(count);
    const char* at = block + kHeader + Get32(block + 12);
    for (uint32_t n = 0; n < count; ++n) {
        rows.push_back(Get32(at));
        at += SizeAt(at);
    }
    return rows;
}

std::vector<uint32_t> CallsignRows::RowsOf(std::string_view callsign) const {
    const size_t i = Find(callsign, HashOf(callsign));
    return slots_[i].block ? BlockRows(slots_[i].block.get()) : std::vector<uint32_t>();
}

void CallsignRows::ContactsOf(std::string_view callsign, std::vector<CallsignContact>& contacts) const {
    contacts.clear();
    const size_t i = Find(callsign, HashOf(callsign));
    const char* block = slots_[i].block.get();
    if (block == nullptr) {
        return;
    }
    const uint32_t count = Get32(block);
    const size_t used = Get32(block + 4);
    for (size_t line = kCacheLine; line < used; line += kCacheLine) {
        __builtin_prefetch(block + line);
    }
    const char* at = block + kHeader + Get32(block + 12);
    for (uint32_t n = 0; n < count; ++n) {
        CallsignContact& c = contacts.emplace_back();
        c.row = Get32(at);
        const auto* lengths = reinterpret_cast<const uint8_t*>(at + 4);
        if (lengths[0] == kInLog) {
            const Kept kept = KeptOf(log_, c.row);
            c.day = kept[0], c.time = kept[1], c.band = kept[2], c.mode = kept[3];
            c.rstSent = kept[4], c.rstReceived = kept[5], c.section = kept[6];
            at += kRecordHead;
            continue;
        }
        const char* bytes = at + kRecordHead;
        std::string_view* fields[kKept] = {&c.day,     &c.time,        &c.band,   &c.mode,
                                           &c.rstSent, &c.rstReceived, &c.section};
        for (int k = 0; k < kKept; ++k) {
            *fields[k] = std::string_view(bytes, lengths[k]);
            bytes += lengths[k];
        }
        at = bytes;
    }
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
    AddRow(SlotFor(callsign), static_cast<uint32_t>(row));
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
    // Any column kept may have changed: the blocks concerned are written again.
    std::string now(log_.Field(row, QsoCol::Callsign));
    std::string& before = callsignOfRow_[row];
    const auto number = static_cast<uint32_t>(row);
    const size_t i = Find(before, HashOf(before));
    if (slots_[i].block) {
        std::vector<uint32_t> rows = BlockRows(slots_[i].block.get());
        if (now == before) {
            Refill(slots_[i], before, rows);
            return;
        }
        auto at = std::lower_bound(rows.begin(), rows.end(), number);
        if (at != rows.end() && *at == number) {
            rows.erase(at);
        }
        if (rows.empty()) {
            Erase(i);
        } else {
            Refill(slots_[i], before, rows);
        }
    }
    Slot& slot = SlotFor(now);
    std::vector<uint32_t> rows = BlockRows(slot.block.get());
    auto at = std::lower_bound(rows.begin(), rows.end(), number);
    if (at == rows.end() || *at != number) {
        rows.insert(at, number);
    }
    Refill(slot, now, rows);
    before = std::move(now);
}

void CallsignRows::Clear() {
    slots_.clear();
    slots_.resize(kFirstSlots);
    used_ = 0;
}

void CallsignRows::Rebuild() {
    Clear();
    callsignOfRow_.clear();
    if (log_.Mode() != LogMode::Qso) {
        return;
    }
    const size_t count = log_.RowCount();
    callsignOfRow_.reserve(count);
    for (size_t row = 0; row < count; ++row) {
        std::string_view callsign = log_.Field(row, QsoCol::Callsign);
        AddRow(SlotFor(callsign), static_cast<uint32_t>(row));
        callsignOfRow_.emplace_back(callsign);
    }
}

}  // namespace tarnex
