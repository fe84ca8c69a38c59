#pragma once
// The "Nominativi noti" list of the main window: the known callsigns holding the text
// typed in a callsign field (the partial-call lookup's first part), then, after a line
// of their own, those one character away from it. Three columns: the callsign, the
// section its source gives, "DUP" when it was already worked on the chosen band and
// mode. A log's callsign shows in bold, a master-list one in grey, the second part in
// italics on grey; the tip of a row names its source.

#include <QAbstractTableModel>
#include <QFont>
#include <vector>

#include "history/PartialCallLookup.h"

namespace tarnex {

class KnownCallsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumns = 3;
    // The text of the line between the two parts.
    static const char* const kOneOffHeading;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows these rows, in the lookup's order (nothing happens when they are shown already).
    void SetRows(std::vector<KnownCall> rows);
    void Clear() { SetRows({}); }
    // The list's font, which bold and italic rows start from.
    void SetFont(const QFont& font) { font_ = font; }

    // The callsign of a row of the list; nullptr for the line between the parts or a
    // row that is not there.
    const KnownCall* CallAt(int row) const;
    // The row of the line between the parts, -1 when there is no second part.
    int OneOffHeadingRow() const { return heading_; }
    const std::vector<KnownCall>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    std::vector<KnownCall> rows_;
    int heading_ = -1;
    QFont font_;
};

}  // namespace tarnex
