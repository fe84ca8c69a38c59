#include "log/ContestLog.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

#include "log/BandMode.h"
#include "log/EntryTime.h"
#include "util/SmallCopy.h"
#include "util/TextNumber.h"

namespace tarnex {

void ContestLog::SetMode(LogMode mode) {
    Notify([](ContestLogObserver& o) { o.BeforeReset(); });
    mode_ = mode;
    rows_.clear();
    EmptyStore();
    worked_.Clear();
    calls_.Clear();
    Notify([](ContestLogObserver& o) { o.AfterReset(); });
}

std::string ContestLog::Text(size_t row, int column) const {
    if (column == 0) {
        return row < rows_.size() ? FormatRowNumber(static_cast<int64_t>(row) + 1) : std::string();
    }
    return std::string(Field(row, column));
}

QsoRecord ContestLog::Qso(size_t row) const {
    QsoRecord r;
    r.date = Field(row, QsoCol::Date);
    r.time = Field(row, QsoCol::Time);
    r.band = Field(row, QsoCol::Band);
    r.mode = Field(row, QsoCol::Mode);
    r.callsign = Field(row, QsoCol::Callsign);
    r.rstSent = Field(row, QsoCol::RstSent);
    r.rstReceived = Field(row, QsoCol::RstReceived);
    r.section = Field(row, QsoCol::Section);
    r.sectionName = Field(row, QsoCol::SectionName);
    return r;
}

HrdRecord ContestLog::Listening(size_t row) const {
    HrdRecord r;
    r.date = Field(row, ListeningCol::Date);
    r.time = Field(row, ListeningCol::Time);
    r.band = Field(row, ListeningCol::Band);
    r.mode = Field(row, ListeningCol::Mode);
    r.callingCall = Field(row, ListeningCol::CallingCall);
    r.rst = Field(row, ListeningCol::Rst);
    r.callingSection = Field(row, ListeningCol::CallingSection);
    r.answeringCall = Field(row, ListeningCol::AnsweringCall);
    return r;
}

namespace {
// A new block of the store holds this much at least: few allocations for a large log,
// little left unused for a small one.
constexpr size_t kStoreBlock = 256 * 1024;
}  // namespace

char* ContestLog::StoreBytes(size_t n, size_t slack) {
    if (n + slack > room_) {
        const size_t size = std::max(n + slack, kStoreBlock);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        free_ = blocks_.back().get();
        room_ = size;
    }
    char* given = free_;
    free_ += n;
    room_ -= n;
    storedBytes_ += n;
    return given;
}

void ContestLog::EmptyStore() {
    blocks_.clear();
    free_ = nullptr;
    room_ = 0;
    storedBytes_ = 0;
    unusedBytes_ = 0;
}

void ContestLog::PackStore() {
    const size_t used = storedBytes_ - unusedBytes_;
    std::vector<std::unique_ptr<char[]>> old = std::move(blocks_);
    EmptyStore();
    if (used == 0) {
        return;
    }
    char* to = StoreBytes(used);
    for (Row& row : rows_) {
        if (row.Size() != 0) {
            std::memcpy(to, row.bytes, row.Size());
        }
        row.bytes = to;
        to += row.Size();
    }
}

RowCodes ContestLog::CodesOf(std::string_view band, std::string_view mode, std::string_view section) {
    RowCodes codes;
    if (const std::optional<BandCode> decoded = DecodeBand(band)) {
        codes.band = static_cast<int8_t>(decoded->index);
    }
    codes.mode = static_cast<int8_t>(DecodeMode(mode));
    const int32_t code = SectionCodeValue(section);
    if (code >= 0 && code < WorkedSections::kCodes) {
        codes.section = static_cast<int16_t>(code);
    }
    return codes;
}

int ContestLog::SectionColumn() const {
    return mode_ == LogMode::Qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
}

ContestLog::Row ContestLog::MakeRow(const std::string_view* columns, size_t count,
                                    std::string_view identity) {
    Row row;
    size_t total = identity.size();
    for (size_t i = 0; i < count; ++i) {
        total += columns[i].size();
    }
    total = std::min(total, kRowBytes);
    char* to = StoreBytes(total);
    row.bytes = to;
    size_t end = 0;
    for (size_t i = 0; i < 9; ++i) {
        if (i < count) {
            const size_t size = std::min(columns[i].size(), kRowBytes - end);
            CopySmall(to + end, columns[i].data(), size);
            end += size;
        }
        row.ends[i] = static_cast<uint16_t>(end);
    }
    const size_t identitySize = std::min(identity.size(), kRowBytes - end);
    if (identitySize != 0) {
        std::memcpy(to + end, identity.data(), identitySize);
    }
    row.ends[9] = static_cast<uint16_t>(end + identitySize);
    // From the row's own columns, which may have been cut.
    const auto column = [&](int c) {
        const size_t i = static_cast<size_t>(c - 1);
        const size_t begin = i == 0 ? 0 : row.ends[i - 1];
        return std::string_view(to + begin, row.ends[i] - begin);
    };
    row.codes = CodesOf(column(3), column(4), column(SectionColumn()));
    return row;
}

namespace {

// QSO mode: an entry with a valid band and mode marks its section.
void MarkWorked(WorkedSections& worked, RowCodes codes) {
    if (codes.band >= 0 && codes.mode >= 0) {
        worked.Mark(codes.section, codes.mode, BandBit(codes.band));
    }
}

std::array<std::string_view, 9> Columns(const QsoRecord& r) {
    return {r.date, r.time, r.band, r.mode, r.callsign, r.rstSent, r.rstReceived, r.section, r.sectionName};
}
std::array<std::string_view, 9> Columns(const HrdRecord& r) {
    return {r.date, r.time, r.band, r.mode, r.callingCall, r.rst, r.callingSection, r.answeringCall, {}};
}
}  // namespace

void ContestLog::AppendRow(const Row& row, bool updateIndexes) {
    size_t index = rows_.size();
    Notify([&](ContestLogObserver& o) { o.BeforeAppend(index); });
    rows_.push_back(row);
    if (updateIndexes) {
        UpdateIndexesFor(index, false);
    }
    Notify([&](ContestLogObserver& o) { o.AfterAppend(index); });
}

void ContestLog::Append(const QsoRecord& record) {
    auto columns = Columns(record);
    AppendRow(MakeRow(columns.data(), columns.size()), true);
}

void ContestLog::Append(const HrdRecord& record) {
    auto columns = Columns(record);
    AppendRow(MakeRow(columns.data(), 8), true);
}

void ContestLog::AppendWithoutIndexes(const QsoRecord& record) {
    auto columns = Columns(record);
    AppendRow(MakeRow(columns.data(), columns.size()), false);
}

void ContestLog::AppendWithoutIndexes(const HrdRecord& record) {
    auto columns = Columns(record);
    AppendRow(MakeRow(columns.data(), 8), false);
}

void ContestLog::AppendFields(std::span<const std::string_view> columns, std::string_view identity) {
    size_t count = std::min(columns.size(), static_cast<size_t>(ColumnCount() - 1));
    AppendRow(MakeRow(columns.data(), count, identity), true);
}

void ContestLog::InsertFields(size_t row, std::span<const std::string_view> columns,
                              std::string_view identity) {
    if (row >= rows_.size()) {
        AppendFields(columns, identity);
        return;
    }
    size_t count = std::min(columns.size(), static_cast<size_t>(ColumnCount() - 1));
    Notify([&](ContestLogObserver& o) { o.BeforeAppend(row); });
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row), MakeRow(columns.data(), count, identity));
    UpdateIndexesFor(row, false);
    Notify([&](ContestLogObserver& o) { o.AfterAppend(row); });
}

void ContestLog::StartLoad(size_t rows) {
    rows_.reserve(rows_.size() + rows);
    if (mode_ == LogMode::Listening) {
        // A station is seldom heard only once: room for one new callsign every second
        // row spares the table its doublings on the way.
        calls_.Reserve(calls_.Size() + rows / 2);
    }
    loading_ = true;
    loadIndexed_ = rows_.size();
}

void ContestLog::AppendLoaded(std::span<const std::string_view> columns, std::string_view identity,
                              std::string_view source) {
    if (!loading_) {
        StartLoad(0);
    }
    constexpr size_t kMove = 16;
    const size_t count = std::min(columns.size(), static_cast<size_t>(ColumnCount() - 1));
    const size_t index = rows_.size();
    if (!observers_.empty()) {
        Notify([&](ContestLogObserver& o) { o.BeforeAppend(index); });
    }
    size_t total = identity.size();
    for (size_t i = 0; i < count; ++i) {
        total += columns[i].size();
    }
    if (total > kRowBytes) {
        // Cut to the row's bounds (never so from a line of a log file).
        rows_.push_back(MakeRow(columns.data(), count, identity));
    } else {
        // Each move may write up to sixteen bytes past its column: the next column, or the
        // room kept after the row, takes them.
        char* const to = StoreBytes(total, kMove);
        Row& row = rows_.emplace_back();
        row.bytes = to;
        const uintptr_t first = reinterpret_cast<uintptr_t>(source.data());
        const uintptr_t last = first + source.size();  // one past the source's last byte
        size_t end = 0;
        for (size_t i = 0; i < 9; ++i) {
            if (i < count) {
                const std::string_view column = columns[i];
                const uintptr_t at = reinterpret_cast<uintptr_t>(column.data());
                if (column.size() <= kMove && at >= first && at <= last && last - at >= kMove) {
                    std::memcpy(to + end, column.data(), kMove);
                } else {
                    CopySmall(to + end, column.data(), column.size());
                }
                end += column.size();
            }
            row.ends[i] = static_cast<uint16_t>(end);
        }
        if (!identity.empty()) {
            std::memcpy(to + end, identity.data(), identity.size());
        }
        row.ends[9] = static_cast<uint16_t>(end + identity.size());
        const auto column = [&](int c) {
            const size_t i = static_cast<size_t>(c - 1);
            return i < count ? columns[i] : std::string_view();
        };
        row.codes = CodesOf(column(3), column(4), column(SectionColumn()));
    }
    if (mode_ == LogMode::Qso) {
        MarkWorked(worked_, rows_.back().codes);
    } else {
        IndexBehind(index);
    }
    if (!observers_.empty()) {
        Notify([&](ContestLogObserver& o) { o.AfterAppend(index); });
    }
}

void ContestLog::IndexBehind(size_t row) {
    std::array<CallIndex::Key, 2>& keys = loadKeys_[row % kIndexBehind];
    if (row - loadIndexed_ >= kIndexBehind) {
        // The row kIndexBehind back, whose keys are about to give way to this row's.
        const std::array<CallIndex::Key, 2> due = keys;
        UpdateIndexesFor(loadIndexed_++, false, &due);
    }
    // The keys come from the row's own bytes, which stay where they are.
    keys[0] = CallIndex::KeyOf(Field(row, ListeningCol::CallingCall));
    keys[1] = CallIndex::KeyOf(Field(row, ListeningCol::AnsweringCall));
    calls_.Prefetch(keys[0], false);
    calls_.Prefetch(keys[1], false);
    constexpr size_t kEntriesBehind = kIndexBehind / 2;
    if (row - loadIndexed_ >= kEntriesBehind) {
        const std::array<CallIndex::Key, 2>& half = loadKeys_[(row - kEntriesBehind) % kIndexBehind];
        calls_.Prefetch(half[0], true);
        calls_.Prefetch(half[1], true);
    }
}

void ContestLog::FinishLoad() {
    if (loading_ && mode_ == LogMode::Listening) {
        for (; loadIndexed_ < rows_.size(); ++loadIndexed_) {
            const std::array<CallIndex::Key, 2> keys = loadKeys_[loadIndexed_ % kIndexBehind];
            UpdateIndexesFor(loadIndexed_, false, &keys);
        }
    }
    loading_ = false;
}

void ContestLog::Replace(size_t row, const QsoRecord& record) {
    if (row >= rows_.size()) {
        return;
    }
    auto columns = Columns(record);
    // The old bytes stay where they are until the store is packed: the identity can be
    // read from them.
    ForgetBytes(rows_[row]);
    rows_[row] = MakeRow(columns.data(), columns.size(), Identity(row));
    Notify([&](ContestLogObserver& o) { o.RowChanged(row); });
}

void ContestLog::Replace(size_t row, const HrdRecord& record) {
    if (row >= rows_.size()) {
        return;
    }
    auto columns = Columns(record);
    ForgetBytes(rows_[row]);
    rows_[row] = MakeRow(columns.data(), 8, Identity(row));
    Notify([&](ContestLogObserver& o) { o.RowChanged(row); });
}

std::string_view ContestLog::Identity(size_t row) const {
    if (row >= rows_.size()) {
        return {};
    }
    const Row& r = rows_[row];
    return std::string_view(r.bytes + r.DataSize(), r.Size() - r.DataSize());
}

void ContestLog::SetIdentity(size_t row, std::string_view identity) {
    if (row >= rows_.size()) {
        return;
    }
    std::array<std::string_view, 9> columns;
    for (size_t i = 0; i < columns.size(); ++i) {
        columns[i] = Field(row, static_cast<int>(i + 1));
    }
    ForgetBytes(rows_[row]);
    rows_[row] = MakeRow(columns.data(), columns.size(), identity);
}

void ContestLog::RemoveRows(const std::vector<size_t>& ascendingRows) {
    if (ascendingRows.empty()) {
        return;
    }
    Notify([](ContestLogObserver& o) { o.BeforeReset(); });
    std::vector<bool> remove(rows_.size(), false);
    for (size_t row : ascendingRows) {
        if (row < remove.size()) {
            remove[row] = true;
        }
    }
    size_t out = 0;
    for (size_t in = 0; in < rows_.size(); ++in) {
        if (remove[in]) {
            ForgetBytes(rows_[in]);
        } else {
            rows_[out++] = rows_[in];
        }
    }
    rows_.resize(out);
    if (unusedBytes_ > kStoreBlock && unusedBytes_ > storedBytes_ / 2) {
        PackStore();
    }
    Notify([](ContestLogObserver& o) { o.AfterReset(); });
}

namespace {

// The first eight bytes of a text as one number, in byte order, for comparing short
// texts (times are four) without reaching into the rows.
uint64_t PackedPrefix(std::string_view text) {
    uint64_t packed = 0;
    for (size_t i = 0; i < 8; ++i) {
        packed = (packed << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    }
    return packed;
}

}  // namespace

void ContestLog::SortByDateTime() {
    Notify([](ContestLogObserver& o) { o.BeforeReset(); });
    struct Key {
        int32_t calendar;
        uint32_t timeLength;
        uint64_t time;
        size_t row;
    };
    std::vector<Key> keys(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        std::string_view time = Field(i, 2);
        keys[i] = {DateSortKey(Field(i, 1)), static_cast<uint32_t>(std::min<size_t>(time.size(), UINT32_MAX)),
                   PackedPrefix(time), i};
    }
    // Byte-wise order of the texts: for texts of up to eight bytes the packed prefix
    // decides, and when it is equal the shorter text is a prefix of the longer one.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.calendar != b.calendar) {
            return a.calendar < b.calendar;
        }
        if (a.calendar == std::numeric_limits<int32_t>::max()) {
            std::string_view da = Field(a.row, 1);
            std::string_view db = Field(b.row, 1);
            if (da != db) {
                return da < db;
            }
        }
        if (a.timeLength <= 8 && b.timeLength <= 8) {
            return a.time != b.time ? a.time < b.time : a.timeLength < b.timeLength;
        }
        return Field(a.row, 2) < Field(b.row, 2);
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const Key& key : keys) {
        sorted.push_back(rows_[key.row]);
    }
    rows_ = std::move(sorted);
    PackStore();
    Notify([](ContestLogObserver& o) { o.AfterReset(); });
}

void ContestLog::Clear() {
    Notify([](ContestLogObserver& o) { o.BeforeReset(); });
    rows_.clear();
    EmptyStore();
    worked_.Clear();
    calls_.Clear();
    Notify([](ContestLogObserver& o) { o.AfterReset(); });
}

void ContestLog::RebuildIndexes() {
    worked_.Clear();
    calls_.Clear();
    for (size_t row = 0; row < rows_.size(); ++row) {
        UpdateIndexesFor(row, true);
    }
}

void ContestLog::UpdateIndexesFor(size_t row, bool lastSectionStays,
                                  const std::array<CallIndex::Key, 2>* keys) {
    const RowCodes codes = rows_[row].codes;
    if (mode_ == LogMode::Qso) {
        MarkWorked(worked_, codes);
        return;
    }
    if (codes.band < 0 || codes.mode < 0) {
        return;
    }
    const int mode = codes.mode;
    const BandCode band{codes.band, BandBit(codes.band)};
    // The call index keeps a section outside 0..9999 too.
    const int32_t section =
        codes.section >= 0 ? codes.section : SectionCodeValue(Field(row, ListeningCol::CallingSection));
    worked_.Mark(section, mode, band.bit);

    bool added = false;
    const std::string_view callingCall = Field(row, ListeningCol::CallingCall);
    const std::string_view answeringCall = Field(row, ListeningCol::AnsweringCall);
    CallIndexEntry& calling =
        calls_.FindOrAdd(callingCall, keys ? (*keys)[0] : CallIndex::KeyOf(callingCall), added);
    calling.MarkCalling(band.index, mode);
    if (added || lastSectionStays || calling.section == 0) {
        calling.section = section;
    }
    CallIndexEntry& answering =
        calls_.FindOrAdd(answeringCall, keys ? (*keys)[1] : CallIndex::KeyOf(answeringCall), added);
    answering.AddAnswer(band.index, mode);
}

void ContestLog::SetModified(bool modified) {
    if (modified_ == modified) {
        return;
    }
    modified_ = modified;
    Notify([&](ContestLogObserver& o) { o.ModifiedChanged(modified); });
}

void ContestLog::AddObserver(ContestLogObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void ContestLog::RemoveObserver(ContestLogObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace tarnex
