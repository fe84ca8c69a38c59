#include "ui/KnownCallsModel.h"

#include <QBrush>
#include <QFont>
#include <algorithm>

#include "ui/TextCodec.h"

namespace tarnex {

const char* const KnownCallsModel::kOneOffHeading = "Un carattere diverso:";

namespace {

const char* SourceText(KnownCallSource source) {
    switch (source) {
        case KnownCallSource::Log:
            return "Nel log";
        case KnownCallSource::History:
            return "Nello storico nominativi";
        case KnownCallSource::Master:
            return "Nell'elenco MASTER.SCP";
    }
    return "";
}

}  // namespace

void KnownCallsModel::SetRows(std::vector<KnownCall> rows) {
    if (rows == rows_) {
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    const auto firstOneOff =
        std::find_if(rows_.begin(), rows_.end(), [](const KnownCall& row) { return row.oneOff; });
    heading_ = firstOneOff == rows_.end() ? -1 : static_cast<int>(firstOneOff - rows_.begin());
    endResetModel();
}

const KnownCall* KnownCallsModel::CallAt(int row) const {
    if (row < 0 || row == heading_) {
        return nullptr;
    }
    const size_t index = static_cast<size_t>(heading_ >= 0 && row > heading_ ? row - 1 : row);
    return index < rows_.size() ? &rows_[index] : nullptr;
}

int KnownCallsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size()) + (heading_ >= 0 ? 1 : 0);
}

int KnownCallsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

Qt::ItemFlags KnownCallsModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() == heading_) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant KnownCallsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.row() == heading_) {
        if (role == Qt::DisplayRole && index.column() == 0) {
            return QString::fromLatin1(kOneOffHeading);
        }
        if (role == Qt::ForegroundRole) {
            return QBrush(QColor(0x60, 0x60, 0x60));
        }
        return {};
    }
    const KnownCall* row = CallAt(index.row());
    if (row == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case 0:
                    return TextCodec::ToQString(row->call);
                case 1:
                    return TextCodec::ToQString(row->section);
                case 2:
                    return row->worked ? QStringLiteral("DUP") : QString();
                default:
                    return {};
            }
        case Qt::ForegroundRole:
            if (row->worked) {
                return QBrush(QColor(0xc0, 0x00, 0x00));
            }
            return QBrush(row->source == KnownCallSource::Master ? QColor(0x70, 0x70, 0x70)
                                                                 : QColor(Qt::black));
        case Qt::BackgroundRole:
            return row->oneOff ? QVariant(QBrush(QColor(0xec, 0xec, 0xec))) : QVariant();
        case Qt::FontRole: {
            if (row->source != KnownCallSource::Log && !row->oneOff) {
                return {};
            }
            QFont font = font_;
            font.setBold(row->source == KnownCallSource::Log);
            font.setItalic(row->oneOff);
            return font;
        }
        case Qt::ToolTipRole: {
            QString tip = QString::fromLatin1(SourceText(row->source));
            if (row->worked) {
                tip += QStringLiteral(", gi\u00e0 nel log su questa banda e modo");
            }
            if (row->oneOff) {
                tip += QStringLiteral(", un carattere diverso da quanto scritto");
            }
            return tip;
        }
        default:
            return {};
    }
}

}  // namespace tarnex
