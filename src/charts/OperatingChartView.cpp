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
    auto* fresh = new OperatingChart(activity);
    fresh->SetCompact(Compact());
    setChart(fresh);  // the view owns the new chart
    delete old;
}

void OperatingChartView::resizeEvent(QResizeEvent* event) {
    Chart()->SetCompact(Compact());
    QChartView::resizeEvent(event);
}

OperatingChart* OperatingChartView::Chart() const {
    return static_cast<OperatingChart*>(chart());
}

}  // namespace tarnex
