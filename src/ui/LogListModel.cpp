#include "ui/LogListModel.h"

#include "ui/TextCodec.h"

namespace tarnex {

namespace {

const std::vector<ListColumn> kQsoColumns = {
    {"Qso", 7},         {"Data", 16}, {"Utc", 7},  {"MHz", 6},  {"Modo", 7},
    {"Nominativo", 19}, {"RstT", 7},  {"RstR", 7}, {"Sez.", 7}, {"Nome", 18},
};
const std::vector<ListColumn> kListeningColumns = {
    {"Hrd", 8}, {"Data", 14}, {"Utc", 8},
    {"MHz", 8}, {"Modo", 8},  {"Nomin. chiamante", 19},
    {"Rst", 8}, {"Sez", 8},   {"Nomin. risposta", 19},
};
// A shared log: the same, "Pos." taking its width from the widest ones.
const std::vector<ListColumn> kQsoColumnsWithPositions = {
    {"Qso", 7},  {"Data", 15}, {"Utc", 7},  {"MHz", 6},   {"Modo", 7}, {"Nominativo", 17},
    {"RstT", 6}, {"RstR", 6},  {"Sez.", 7}, {"Nome", 14}, {"Pos.", 9},
};
const std::vector<ListColumn> kListeningColumnsWithPositions = {
    {"Hrd", 7},   {"Data", 14}, {"Utc", 7},
    {"MHz", 7},   {"Modo", 7},  {"Nomin. chiamante", 17},
    {"Rst", 7},   {"Sez", 7},   {"Nomin. risposta", 17},
    {"Pos.", 10},
};
const std::vector<ListColumn> kPreviousColumns = {
    {"Giorno", 16}, {"Utc", 18}, {"MHz", 16}, {"Modo", 18}, {"RstT", 16}, {"RstR", 16},
};

}  // namespace

LogListModel::LogListModel(ContestLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log), columnsMode_(log.Mode()) {
    log_.AddObserver(this);
}

LogListModel::~LogListModel() {
    log_.RemoveObserver(this);
}

const std::vector<ListColumn>& LogListModel::Columns(LogMode mode) {
    return mode == LogMode::Qso ? kQsoColumns : kListeningColumns;
}

const std::vector<ListColumn>& LogListModel::Columns(LogMode mode, bool positions) {
    if (!positions) {
        return Columns(mode);
    }
    return mode == LogMode::Qso ? kQsoColumnsWithPositions : kListeningColumnsWithPositions;
}

void LogListModel::SetPositionSource(PositionSource positionOf) {
    beginResetModel();
    positionOf_ = std::move(positionOf);
    endResetModel();
}

const std::vector<ListColumn>& LogListModel::PreviousColumns() {
    return kPreviousColumns;
}

std::vector<int> LogListModel::Widths(const std::vector<ListColumn>& columns, int clientWidth) {
    std::vector<int> widths;
    const int base = clientWidth - 22;
    for (const ListColumn& column : columns) {
        widths.push_back(base * column.percent / 100);
    }
    return widths;
}

int LogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(log_.RowCount());
}

int LogListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ShownColumns().size());
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        const auto row = static_cast<size_t>(index.row());
        if (positionOf_ && index.column() == static_cast<int>(Columns(columnsMode_).size())) {
            return TextCodec::ToQString(positionOf_(row));
        }
        return TextCodec::ToQString(log_.Text(row, index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() == 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant LogListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const std::vector<ListColumn>& columns = ShownColumns();
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(columns[static_cast<size_t>(section)].heading);
    }
    if (role == Qt::TextAlignmentRole) {
        return section == 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void LogListModel::BeforeAppend(size_t row) {
    beginInsertRows(QModelIndex(), static_cast<int>(row), static_cast<int>(row));
}

void LogListModel::AfterAppend(size_t row) {
    endInsertRows();
    emit RowAppended(static_cast<int>(row));
}

void LogListModel::BeforeReset() {
    beginResetModel();
}

void LogListModel::AfterReset() {
    columnsMode_ = log_.Mode();
    endResetModel();
}

void LogListModel::RowChanged(size_t row) {
    const int r = static_cast<int>(row);
    emit dataChanged(index(r, 0), index(r, columnCount() - 1));
}

}  // namespace tarnex
