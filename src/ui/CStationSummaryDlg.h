#pragma once
// "TARNEX - Dati riassuntivi": the station's callsign, own section, name, other
// operators, category, address and comments; after them the power, the overlay and
// the e-mail address of the Cabrillo 3.0 file. The decisions are StationSummaryEditor's;
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
    // "Potenza" and "Overlay": one entry per kPowerChoices / kOverlayChoices, in order.
    QComboBox* Power() const { return power_; }
    QComboBox* Overlay() const { return overlay_; }

    // "Salva": the limits, then the data; a refusal keeps the dialog open.
    void accept() override;

  private:
    void CategoryPicked(int index);
    // The power and overlay lists as the category allows them: a fixed value shown in
    // a list that cannot be changed, or the person's own last choice.
    void FollowCategory(int category);

    StationSummaryEditor& editor_;
    std::array<QLineEdit*, kSummaryFields.size()> edits_{};  // by SummaryField
    QComboBox* ownSection_ = nullptr;
    QComboBox* category_ = nullptr;
    QComboBox* power_ = nullptr;
    QComboBox* overlay_ = nullptr;
    int chosenPower_ = 0;  // the person's choices, back when the category allows them again
    int chosenOverlay_ = 0;
    StationSummaryInput saved_;
};

}  // namespace tarnex
