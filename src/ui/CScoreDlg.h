#pragma once
// The score window "Punteggio": the score report in a fixed-pitch font and the button
// "OK". The report can be read but not edited or selected: whenever the text gets the
// keyboard focus, the focus moves on to "OK".

#include <QDialog>

#include "log/LogTypes.h"
#include "score/ScoreTable.h"

class QPlainTextEdit;
class QPushButton;

namespace tarnex {

class CScoreDlg : public QDialog {
    Q_OBJECT
  public:
    CScoreDlg(const ScoreTable& table, LogMode mode, QWidget* parent = nullptr);

    QPlainTextEdit* ReportBox() const { return report_; }
    QPushButton* OkButton() const { return ok_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FitToReport();

    ScoreTable table_;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace tarnex
