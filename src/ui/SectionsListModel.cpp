#include "ui/SectionsListModel.h"

#include <algorithm>

#include "ui/TextCodec.h"

namespace tarnex {

SectionsListModel::SectionsListModel(std::vector<SectionRow> rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)) {}

int SectionsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SectionsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (showsBands_ ? 3 : 2);
}

QVariant SectionsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) {
        return {};
    }
    const size_t row = static_cast<size_t>(index.row());
    switch (index.column()) {
        case 0:
            return TextCodec::ToQString(rows_[row].code);
        case 1:
            return TextCodec::ToQString(rows_[row].name);
        case 2:
            return TextCodec::ToQString(BandsOf(row));
        default:
            return {};
    }
}

QVariant SectionsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case 0:
            return QStringLiteral("Codice");
        case 1:
            return QStringLiteral("Nome Sezione");
        case 2:
            return QStringLiteral("Bande lavorate ssb/cw/rtty");
        default:
            return {};
    }
}

std::string SectionsListModel::BandsOf(size_t row) const {
    return showsBands_ && row < bands_.size() ? bands_[row] : std::string();
}

void SectionsListModel::SetRow(size_t row, SectionRow value) {
    if (row >= rows_.size()) {
        return;
    }
    rows_[row] = std::move(value);
    emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), 1));
}

void SectionsListModel::AppendRow(SectionRow value) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.push_back(std::move(value));
    if (showsBands_) {
        bands_.emplace_back();  // the column is a snapshot: a new row has no text in it
    }
    endInsertRows();
}

void SectionsListModel::RemoveRows(std::vector<size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && rows.back() >= rows_.size()) {
        rows.pop_back();
    }
    // From the last to the first, a run of neighbouring rows at a time, so that the
    // positions still to remove stay valid.
    while (!rows.empty()) {
        size_t last = rows.back();
        size_t first = last;
        rows.pop_back();
        while (!rows.empty() && rows.back() + 1 == first) {
            first = rows.back();
            rows.pop_back();
        }
        beginRemoveRows({}, static_cast<int>(first), static_cast<int>(last));
        rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(first),
                    rows_.begin() + static_cast<ptrdiff_t>(last) + 1);
        if (first < bands_.size()) {
            bands_.erase(bands_.begin() + static_cast<ptrdiff_t>(first),
                         bands_.begin() + static_cast<ptrdiff_t>(std::min(last + 1, bands_.size())));
        }
        endRemoveRows();
    }
}

void SectionsListModel::SetRows(std::vector<SectionRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    bands_.clear();
    showsBands_ = false;
    endResetModel();
}

void SectionsListModel::ShowBands(std::vector<std::string> bandsByRow) {
    if (showsBands_) {
        HideBands();
    }
    beginInsertColumns({}, 2, 2);
    bands_ = std::move(bandsByRow);
    bands_.resize(rows_.size());
    showsBands_ = true;
    endInsertColumns();
}

void SectionsListModel::HideBands() {
    if (!showsBands_) {
        return;
    }
    beginRemoveColumns({}, 2, 2);
    showsBands_ = false;
    bands_.clear();
    endRemoveColumns();
}

}  // namespace tarnex
