#pragma once
// The chart of the operating as a widget, for the score window: it draws, and never
// takes the keyboard focus, so the window's own focus behaviour stays as it is.

#include <QChartView>

#include "score/HourlyActivity.h"

namespace tarnex {

class OperatingChart;

class OperatingChartView : public QChartView {
    Q_OBJECT

  public:
    explicit OperatingChartView(QWidget* parent = nullptr);
    OperatingChartView(const HourlyActivity& activity, QWidget* parent = nullptr);

    // Draws the chart of this activity in place of the one shown.
    void SetActivity(const HourlyActivity& activity);
    OperatingChart* Chart() const;

  protected:
    // Below 900 x 450 pixels the chart is drawn compact.
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool Compact() const { return width() < 900 || height() < 450; }
};

}  // namespace tarnex
