#pragma once
// The rows of the sections dialog: code and name of each section, and, while it is
// shown, the worked-bands column (a snapshot taken when it was switched on).

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "sections/SectionRows.h"

namespace tarnex {

class SectionsListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit SectionsListModel(std::vector<SectionRow> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::vector<SectionRow>& Rows() const { return rows_; }
    bool ShowsBands() const { return showsBands_; }
    // The worked-bands text of a row; empty when the column is not shown or the row
    // came after the snapshot.
    std::string BandsOf(size_t row) const;

    void SetRow(size_t row, SectionRow value);
    void AppendRow(SectionRow value);
    // Rows given in any order.
    void RemoveRows(std::vector<size_t> rows);
    // Replaces every row (after a sort).
    void SetRows(std::vector<SectionRow> rows);

    // Adds the third column with one text per row, or removes it.
    void ShowBands(std::vector<std::string> bandsByRow);
    void HideBands();

  private:
    std::vector<SectionRow> rows_;
    std::vector<std::string> bands_;  // parallel to rows_ while shown
    bool showsBands_ = false;
};

}  // namespace tarnex
