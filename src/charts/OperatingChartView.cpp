#include "charts/OperatingChartView.h"

#include "charts/OperatingChart.h"

namespace tarnex {

OperatingChartView::OperatingChartView(QWidget* parent) : OperatingChartView(HourlyActivity{}, parent) {}

OperatingChartView::OperatingChartView(const HourlyActivity& activity, QWidget* parent) : QChartView(parent) {
    setFocusPolicy(Qt::NoFocus);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(480, 280);
    SetActivity(activity);
}

void OperatingChartView::SetActivity(const HourlyActivity& activity) {
    QChart* old = chart();
    setChart(new OperatingChart(activity));  // the view owns the new chart
    delete old;
}

OperatingChart* OperatingChartView::Chart() const {
    return static_cast<OperatingChart*>(chart());
}

}  // namespace tarnex
