#pragma once
// The log list of the main window: a table model over ContestLog that follows every
// change of the log through its observer, so that a log of any size shows at once.
// Column 0 is the row number ("%5d", right-aligned); the other columns are the
// entry's fields as text. Headings and column widths depend on the log mode. A log
// shared by several positions shows one more column, "Pos.", the position that logged
// each row.

#include <QAbstractTableModel>
#include <functional>
#include <string_view>
#include <vector>

#include "log/ContestLog.h"

namespace tarnex {

struct ListColumn {
    const char* heading;
    int percent;  // of the list's client width less 22 pixels
};

class LogListModel : public QAbstractTableModel, private ContestLogObserver {
    Q_OBJECT
  public:
    explicit LogListModel(ContestLog& log, QObject* parent = nullptr);
    ~LogListModel() override;

    static const std::vector<ListColumn>& Columns(LogMode mode);
    // The columns with "Pos." last (a shared log), or those of Columns(mode).
    static const std::vector<ListColumn>& Columns(LogMode mode, bool positions);
    // The columns shown now.
    const std::vector<ListColumn>& ShownColumns() const { return Columns(columnsMode_, ShowsPositions()); }

    // A shared log: "Pos." shows what `positionOf` gives for a row; empty: no such
    // column (a single-computer log).
    using PositionSource = std::function<std::string_view(size_t row)>;
    void SetPositionSource(PositionSource positionOf);
    bool ShowsPositions() const { return static_cast<bool>(positionOf_); }
    // The previous-contacts list: "Giorno", "Utc", "MHz", "Modo", "RstT", "RstR".
    static const std::vector<ListColumn>& PreviousColumns();
    // Pixel widths: percent of (client width - 22), rounded down.
    static std::vector<int> Widths(const std::vector<ListColumn>& columns, int clientWidth);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // A row was added at the end (the list scrolls to it).
    void RowAppended(int row);

  private:
    void BeforeAppend(size_t row) override;
    void AfterAppend(size_t row) override;
    void BeforeReset() override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

    ContestLog& log_;
    LogMode columnsMode_;
    PositionSource positionOf_;
};

}  // namespace tarnex
