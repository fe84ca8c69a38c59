#pragma once
// The log of one contest: the ordered entries (the rows of the log list) with the two
// indexes derived from them.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/CallIndex.h"
#include "log/LogTypes.h"
#include "log/WorkedSections.h"

namespace tarnex {

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
    std::string_view Field(size_t row, int column) const;
    // Text of any column, column 0 included ("%5d" of the row's position).
    std::string Text(size_t row, int column) const;

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
    struct Row {
        std::string bytes;               // the data columns one after the other, then the identity
        std::array<uint32_t, 9> ends{};  // end offset of columns 1..9 in bytes
    };
    static Row MakeRow(const std::string_view* columns, size_t count, std::string_view identity = {});
    void AppendRow(Row row, bool updateIndexes);
    void UpdateIndexesFor(size_t row, bool lastSectionStays);
    template <typename F>
    void Notify(F&& f) {
        for (ContestLogObserver* observer : observers_) {
            f(*observer);
        }
    }

    LogMode mode_;
    std::vector<Row> rows_;
    WorkedSections worked_;
    CallIndex calls_;
    bool modified_ = false;
    std::vector<ContestLogObserver*> observers_;
};

}  // namespace tarnex
