#pragma once
// The chart of the operating over the contest period: the entries of each hour as
// bars stacked by band, and the total of the multipliers as it grew, a line on its
// own axis at the right. Titles and axis labels in Italian.

#include <QChart>

#include "score/HourlyActivity.h"

class QBarSet;
class QLineSeries;
class QValueAxis;

namespace tarnex {

class OperatingChart : public QChart {
    Q_OBJECT

  public:
    explicit OperatingChart(const HourlyActivity& activity, QGraphicsItem* parent = nullptr);

    // The chart's title, e.g. "QSO per ora e moltiplicatori, 09.06.2007 12:00 -
    // 10.06.2007 11:59 UTC", with a second line naming the entries on no bar.
    static QString TitleFor(const HourlyActivity& activity);
    // The colour of each band's bars, 160 m to 10 m.
    static QColor BandColour(int band);

  private:
    void AddBars(const HourlyActivity& activity);
    void AddMultiplierLine(const HourlyActivity& activity);

    QValueAxis* entriesAxis_ = nullptr;
    QValueAxis* multipliersAxis_ = nullptr;
};

}  // namespace tarnex
