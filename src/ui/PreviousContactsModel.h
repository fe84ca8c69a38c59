#pragma once
// The previous-contacts list of the main window: the earlier contacts with the callsign
// being entered, as the entry form found them.

#include <QAbstractTableModel>
#include <vector>

#include "entry/EntryFormState.h"

namespace tarnex {

class PreviousContactsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these rows (nothing happens when they are the rows shown already).
    void SetRows(const std::vector<PreviousContact>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<PreviousContact> rows_;
};

}  // namespace tarnex
