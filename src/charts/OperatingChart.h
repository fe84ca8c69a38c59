#pragma once
// The chart of the operating over the contest period: the entries of each hour as
// bars stacked by band, and the total of the multipliers as it grew, a line on its
// own axis at the right. Titles and axis labels in Italian.

#include <QChart>

#include "score/HourlyActivity.h"

class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QValueAxis;

namespace tarnex {

class OperatingChart : public QChart {
    Q_OBJECT

  public:
    explicit OperatingChart(const HourlyActivity& activity, QGraphicsItem* parent = nullptr);

    // The chart's title: "QSO per ora e moltiplicatori" ("HRD ..." in listening
    // mode), and a smaller second line with the period, e.g. "09.06.2007 12:00 -
    // 10.06.2007 11:59 UTC", and the entries on no bar.
    static QString TitleFor(const HourlyActivity& activity);

    // Smaller type and upright hour labels for a chart a few hundred pixels wide.
    void SetCompact(bool compact);
    // The colour of each band's bars, 160 m to 10 m.
    static QColor BandColour(int band);

  private:
    void AddBars(const HourlyActivity& activity);
    void AddMultiplierLine(const HourlyActivity& activity);

    QBarCategoryAxis* hourAxis_ = nullptr;
    QLineSeries* line_ = nullptr;
    QValueAxis* entriesAxis_ = nullptr;
    QValueAxis* multipliersAxis_ = nullptr;
};

}  // namespace tarnex
