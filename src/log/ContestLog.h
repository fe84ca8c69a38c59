#pragma once
// The log of one contest: the ordered entries (the rows of the log list) with the two
// indexes derived from them.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/CallIndex.h"
#include "log/LogTypes.h"
#include "log/WorkedSections.h"

namespace tarnex {

// What the score and the worked sections read of a row, decoded once when the row is
// made: the band's index (-1 when the band text is no band), the mode's (-1 when no
// mode) and the code of the worked section (the section in QSO mode, the calling
// section in listening mode) when it lies in 0..9999, -1 otherwise.
struct RowCodes {
    int8_t band = -1;
    int8_t mode = -1;
    int16_t section = -1;
};

// Told about every change of the rows, so that a list view can follow the log.
class ContestLogObserver {
  public:
    virtual ~ContestLogObserver() = default;
    // A row added at `row`: at the end, or in a network log before the rows whose
    // adding is not yet confirmed by the server.
    virtual void BeforeAppend(size_t row) {}
    virtual void AfterAppend(size_t row) {}
    // Any change that is not an append or a one-row change: clear, mode switch,
    // delete, sort.
    virtual void BeforeReset() {}
    virtual void AfterReset() {}
    virtual void RowChanged(size_t row) {}
    virtual void ModifiedChanged(bool modified) {}
};

class ContestLog {
  public:
    static constexpr int kDataColumns = 9;  // columns 1..9; column 0 is the row number

    explicit ContestLog(LogMode mode = LogMode::Qso) : mode_(mode) {}
    ContestLog(const ContestLog&) = delete;
    ContestLog& operator=(const ContestLog&) = delete;

    LogMode Mode() const { return mode_; }
    // Switching the mode (or setting it again) always empties the log.
    void SetMode(LogMode mode);
    int ColumnCount() const { return tarnex::ColumnCount(mode_); }

    size_t RowCount() const { return rows_.size(); }
    // Room for this many rows in all, so that a load does not move the rows again and
    // again as the log grows.
    void Reserve(size_t rows) { rows_.reserve(rows); }
    bool Empty() const { return rows_.empty(); }

    // Text of a data column (1..9) of a row; empty for column 0 and columns past the
    // mode's last. The view stays valid until the row changes.
    std::string_view Field(size_t row, int column) const {
        if (row >= rows_.size() || column < 1 || column >= ColumnCount()) {
            return {};
        }
        const Row& r = rows_[row];
        const size_t index = static_cast<size_t>(column - 1);
        const uint32_t begin = index == 0 ? 0 : r.ends[index - 1];
        return std::string_view(r.bytes + begin, r.ends[index] - begin);
    }
    // The decoded band, mode and section of a row that exists.
    RowCodes Codes(size_t row) const { return rows_[row].codes; }
    // Text of any column, column 0 included ("%5d" of the row's position).
    std::string Text(size_t row, int column) const;

    // The bytes of a row's data columns in all (0 past the last row).
    size_t RowSize(size_t row) const { return row < rows_.size() ? rows_[row].DataSize() : 0; }

    QsoRecord Qso(size_t row) const;
    HrdRecord Listening(size_t row) const;

    // Appends a row and updates both indexes for it as a load does.
    void Append(const QsoRecord& record);
    void Append(const HrdRecord& record);
    // Appends a row from the texts of columns 1.. (missing ones empty); updates the
    // indexes as a load does. A network log's entries carry their identity.
    void AppendFields(std::span<const std::string_view> columns, std::string_view identity = {});
    // The same at any row (0..RowCount()); the rows from there on move down by one.
    void InsertFields(size_t row, std::span<const std::string_view> columns, std::string_view identity);
    // A load: StartLoad makes room for the rows to come, AppendLoaded takes them one by
    // one and FinishLoad brings the indexes up to date; nothing else changes the log in
    // between.
    void StartLoad(size_t rows);
    // As AppendFields, but a column lying in `source` with sixteen bytes of it from the
    // column's start is copied with one move of sixteen bytes. In QSO mode the worked
    // sections follow at once; in listening mode the indexes follow kIndexBehind rows
    // behind, while the row's bytes are still at hand.
    void AppendLoaded(std::span<const std::string_view> columns, std::string_view identity,
                      std::string_view source);
    void FinishLoad();
    // Appends without touching the indexes (the entry forms update them themselves).
    void AppendWithoutIndexes(const QsoRecord& record);
    void AppendWithoutIndexes(const HrdRecord& record);

    // Replaces a row's data columns, its identity staying; the indexes are not touched
    // (RebuildIndexes).
    void Replace(size_t row, const QsoRecord& record);
    void Replace(size_t row, const HrdRecord& record);

    // The identity of an entry of a network log ("RUN#12"); empty in a single-computer
    // log. It follows its row through edits, deletions and sorting.
    std::string_view Identity(size_t row) const;
    void SetIdentity(size_t row, std::string_view identity);

    // Removes rows given in ascending order; numbers follow the new positions.
    void RemoveRows(const std::vector<size_t>& ascendingRows);

    // Orders the rows by calendar date, then time (as text); entries with the same
    // date and time keep their order. Dates that are not dd.mm.yyyy go last.
    // The indexes do not change (they do not depend on the order of the rows).
    void SortByDateTime();

    // Removes all rows and empties both indexes.
    void Clear();
    // Recomputes both indexes from all rows, the last section heard staying.
    void RebuildIndexes();

    const WorkedSections& Worked() const { return worked_; }
    WorkedSections& Worked() { return worked_; }
    const CallIndex& Calls() const { return calls_; }
    CallIndex& Calls() { return calls_; }

    bool Modified() const { return modified_; }
    // Observers are told only when the value changes.
    void SetModified(bool modified);

    void AddObserver(ContestLogObserver* observer);
    void RemoveObserver(ContestLogObserver* observer);

  private:
    // A row's data columns, then its identity, lie one after the other in the log's byte
    // store; the row holds where they start and where each ends, and its codes. 32 bytes:
    // a row holds at most kRowBytes bytes (a line of a log file a hundred characters;
    // a longer text from elsewhere is cut where the row is full).
    struct Row {
        const char* bytes = nullptr;
        std::array<uint16_t, 10> ends{};  // end offset of columns 1..9, then of the identity
        RowCodes codes;
        uint32_t DataSize() const { return ends[8]; }
        uint32_t Size() const { return ends[9]; }
    };
    static constexpr size_t kRowBytes = UINT16_MAX;
    // The codes of a row whose band, mode and worked-section columns are these.
    static RowCodes CodesOf(std::string_view band, std::string_view mode, std::string_view section);
    // The column of the worked section in the log's mode.
    int SectionColumn() const;
    Row MakeRow(const std::string_view* columns, size_t count, std::string_view identity = {});
    void AppendRow(const Row& row, bool updateIndexes);
    // Room for n bytes in the store; what it gives never moves until the store is
    // emptied or packed.
    // `slack`: bytes after the n given that may be written over (the next row's place).
    char* StoreBytes(size_t n, size_t slack = 0);
    void ForgetBytes(const Row& row) { unusedBytes_ += row.Size(); }
    void EmptyStore();
    // Copies the rows' bytes into one block in row order and drops the old blocks:
    // after a sort the rows lie in display order again, after deletes and edits the
    // bytes no row uses any more are given back.
    void PackStore();
    // The keys of the row's two callsigns may be given, when already computed.
    void UpdateIndexesFor(size_t row, bool lastSectionStays,
                          const std::array<CallIndex::Key, 2>* keys = nullptr);
    // A listening load's indexing, a few rows behind the appends: the call index's
    // places for a row's two callsigns are fetched when it is appended, the entries
    // they name kIndexBehind / 2 rows later, and the row is indexed kIndexBehind rows
    // later, so that its look-ups seldom wait for memory.
    static constexpr size_t kIndexBehind = 16;
    void IndexBehind(size_t row);
    template <typename F>
    void Notify(F&& f) {
        for (ContestLogObserver* observer : observers_) {
            f(*observer);
        }
    }

    LogMode mode_;
    std::vector<Row> rows_;
    std::vector<std::unique_ptr<char[]>> blocks_;  // the byte store
    char* free_ = nullptr;                         // the unused end of the last block
    size_t room_ = 0;
    size_t storedBytes_ = 0;  // handed out, by rows in use or not
    size_t unusedBytes_ = 0;  // of rows replaced or removed
    WorkedSections worked_;
    CallIndex calls_;
    // While a listening load runs: the rows from loadIndexed_ on wait for their indexing,
    // with the keys of row r at r % kIndexBehind.
    bool loading_ = false;
    size_t loadIndexed_ = 0;
    std::array<std::array<CallIndex::Key, 2>, kIndexBehind> loadKeys_{};
    bool modified_ = false;
    std::vector<ContestLogObserver*> observers_;
};

}  // namespace tarnex
