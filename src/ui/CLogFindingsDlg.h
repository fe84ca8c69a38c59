#pragma once
// "TARNEX - Controllo del log": what the checks found before an export, one line per
// finding with the log row it names ("Dati riassuntivi" for the station data) and
// its reason. A double click (or Enter) on a finding tells the caller what to open:
// the row in its edit dialog, or the station summary for a finding about the station
// data; the list stays open and can be refreshed with the findings of a new check. "Esporta comunque" accepts
// the dialog (the export goes on), "Annulla" or Esc rejects it (the export stops).

#include <QDialog>
#include <optional>
#include <vector>

#include "check/LogFinding.h"

class QPushButton;
class QTableWidget;

namespace tarnex {

class CLogFindingsDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CLogFindingsDlg(const std::vector<LogFinding>& findings, QWidget* parent = nullptr);

    // Shows these findings instead of the ones shown now.
    void SetFindings(const std::vector<LogFinding>& findings);

    // The 0-based log row of the finding chosen last; none before the first choice.
    std::optional<size_t> ChosenRow() const { return chosenRow_; }

    QTableWidget* List() const { return list_; }
    QPushButton* GoOnButton() const { return goOn_; }
    QPushButton* CancelButton() const { return cancel_; }

  signals:
    // The person chose the finding of this 0-based log row: open it for editing.
    void rowChosen(int row);
    // The person chose a finding about the station data: open the station summary.
    void stationChosen();

  private:
    void Chosen(int line);

    std::vector<LogFinding> findings_;
    std::optional<size_t> chosenRow_;
    QTableWidget* list_ = nullptr;
    QPushButton* goOn_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tarnex
