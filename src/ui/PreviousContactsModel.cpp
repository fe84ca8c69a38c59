#include "ui/PreviousContactsModel.h"

#include "ui/LogListModel.h"
#include "ui/TextCodec.h"

namespace tarnex {

void PreviousContactsModel::SetRows(const std::vector<PreviousContact>& rows) {
    if (rows == rows_) {
        return;
    }
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int PreviousContactsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PreviousContactsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(LogListModel::PreviousColumns().size());
}

QVariant PreviousContactsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const PreviousContact& row = rows_[static_cast<size_t>(index.row())];
    const std::string* fields[] = {&row.day, &row.time, &row.band, &row.mode, &row.rstSent, &row.rstReceived};
    return index.column() < 6 ? TextCodec::ToQString(*fields[index.column()]) : QVariant();
}

QVariant PreviousContactsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto& columns = LogListModel::PreviousColumns();
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(columns[static_cast<size_t>(section)].heading);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

}  // namespace tarnex
