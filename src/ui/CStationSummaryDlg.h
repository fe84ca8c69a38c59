#pragma once
// "TARNEX - Dati riassuntivi": the station's callsign, own section, name, other
// operators, category, address and comments. The decisions are StationSummaryEditor's;
// this dialog shows them.

#include <QDialog>
#include <array>

#include "app/StationSummaryEditor.h"

class QComboBox;
class QLineEdit;

namespace tarnex {

class CStationSummaryDlg : public QDialog {
    Q_OBJECT
  public:
    // Filled from the current station summary.
    explicit CStationSummaryDlg(StationSummaryEditor& editor, QWidget* parent = nullptr);

    // What the controls hold now.
    StationSummaryInput Input() const;
    // The values of the "Salva" that closed the dialog (the callsign upper-cased).
    const StationSummaryInput& Saved() const { return saved_; }

    QLineEdit* Field(SummaryField field) const;
    QComboBox* OwnSection() const { return ownSection_; }
    QComboBox* Category() const { return category_; }

    // "Salva": the limits, then the data; a refusal keeps the dialog open.
    void accept() override;

  private:
    void CategoryPicked(int index);

    StationSummaryEditor& editor_;
    std::array<QLineEdit*, kSummaryFields.size()> edits_{};  // by SummaryField
    QComboBox* ownSection_ = nullptr;
    QComboBox* category_ = nullptr;
    StationSummaryInput saved_;
};

}  // namespace tarnex
