#pragma once
// The score window "Punteggio": the score report in a fixed-pitch font, under it the
// chart of the operating (entries per hour of the contest period by band, and the
// multipliers as they grew), and the button "OK". The report can be read but not
// edited or selected: whenever the text gets the keyboard focus, the focus moves on
// to "OK". The chart never takes the focus.

#include <QDialog>

#include "log/LogTypes.h"
#include "score/HourlyActivity.h"
#include "score/ScoreTable.h"

class QPlainTextEdit;
class QPushButton;

namespace tarnex {

class OperatingChartView;

class CScoreDlg : public QDialog {
    Q_OBJECT
  public:
    // The report alone.
    CScoreDlg(const ScoreTable& table, LogMode mode, QWidget* parent = nullptr);
    // The report and the chart of this activity.
    CScoreDlg(const ScoreTable& table, LogMode mode, const HourlyActivity& activity,
              QWidget* parent = nullptr);

    QPlainTextEdit* ReportBox() const { return report_; }
    QPushButton* OkButton() const { return ok_; }
    // The chart; nullptr when the window shows the report alone.
    OperatingChartView* ChartView() const { return chart_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Build(LogMode mode, const HourlyActivity* activity);
    void FitToReport();
    // The chart's size: as large as it reads well, smaller when the screen leaves
    // less room under the report, never below the chart's least size.
    QSize ChartSize() const;

    ScoreTable table_;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* ok_ = nullptr;
    OperatingChartView* chart_ = nullptr;
};

}  // namespace tarnex
