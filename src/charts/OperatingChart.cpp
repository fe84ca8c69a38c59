#include "charts/OperatingChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFont>
#include <QLineSeries>
#include <QPen>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <array>

#include "log/BandMode.h"

namespace tarnex {

namespace {

// Colours told apart also by the colour-blind: 160 m purple, 80 m blue, 40 m green,
// 20 m orange, 15 m vermilion, 10 m sky blue; the line is near black.
constexpr std::array<QRgb, kBandCount> kBandColours = {0x7b3294, 0x0072b2, 0x009e73,
                                                       0xe69f00, 0xd55e00, 0x56b4e9};
constexpr QRgb kLineColour = 0x202020;

QString DayAndTime(UtcMinute minute) {
    const std::time_t seconds = static_cast<std::time_t>(minute) * 60;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &utc);
    return QString::fromLatin1(text);
}

// A top for an axis that shows whole numbers in `ticks` - 1 equal steps.
int NiceTop(int64_t largest, int ticks) {
    const int64_t steps = ticks - 1;
    int64_t step = 1;
    for (int64_t base : {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 2500, 5000, 10000}) {
        step = base;
        if (base * steps >= largest) {
            break;
        }
    }
    while (step * steps < largest) {
        step *= 2;
    }
    return static_cast<int>(std::max<int64_t>(step * steps, steps));
}

}  // namespace

QString OperatingChart::TitleFor(const HourlyActivity& activity) {
    const QString unit = activity.mode == LogMode::Listening ? QStringLiteral("HRD") : QStringLiteral("QSO");
    QString title = unit + QStringLiteral(" per ora e moltiplicatori");
    if (!activity.period) {
        return title + QStringLiteral("<br><small>Nessuna voce con data valida</small>");
    }
    title += QStringLiteral("<br><small>%1 - %2 UTC")
                 .arg(DayAndTime(activity.period->first), DayAndTime(activity.period->last));
    QStringList notes;
    if (activity.outsidePeriod > 0) {
        notes << QStringLiteral("%1 fuori dal periodo del contest").arg(activity.outsidePeriod);
    }
    if (activity.untimed > 0) {
        notes << QStringLiteral("%1 senza data od ora valida").arg(activity.untimed);
    }
    if (!notes.isEmpty()) {
        title += QStringLiteral("; non nel grafico: ") + notes.join(QStringLiteral(", "));
    }
    return title + QStringLiteral("</small>");
}

QColor OperatingChart::BandColour(int band) {
    return QColor(kBandColours[static_cast<size_t>(band)]);
}

OperatingChart::OperatingChart(const HourlyActivity& activity, QGraphicsItem* parent) : QChart(parent) {
    setTitle(QStringLiteral("<center>") + TitleFor(activity) + QStringLiteral("</center>"));
    setAnimationOptions(QChart::NoAnimation);
    setBackgroundBrush(Qt::white);
    legend()->setAlignment(Qt::AlignBottom);
    legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    AddBars(activity);
    AddMultiplierLine(activity);
    SetCompact(false);
}

void OperatingChart::SetCompact(bool compact) {
    const qreal scale = compact ? 0.75 : 1.0;
    auto font = [&](qreal points, bool bold) {
        QFont f;
        f.setPointSizeF(points * scale);
        f.setBold(bold);
        return f;
    };
    setTitleFont(font(13, true));
    legend()->setFont(font(11, false));
    for (QAbstractAxis* axis : axes()) {
        axis->setTitleFont(font(10, true));
        axis->setLabelsFont(font(9, false));
    }
    // Two-digit hours side by side need about 24 x 28 pixels; upright they fit.
    if (hourAxis_ != nullptr) {
        hourAxis_->setLabelsAngle(compact ? -90 : 0);
    }
    if (line_ != nullptr) {
        line_->setMarkerSize(compact ? 5 : 7);
    }
}

void OperatingChart::AddBars(const HourlyActivity& activity) {
    auto* series = new QStackedBarSeries;
    series->setBarWidth(0.8);
    int64_t busiest = 0;
    for (int band = 0; band < kBandCount; ++band) {
        auto* set = new QBarSet(
            QString::fromLatin1(kBandMetres[static_cast<size_t>(band)].data(),
                                static_cast<qsizetype>(kBandMetres[static_cast<size_t>(band)].size())));
        set->setColor(BandColour(band));
        set->setBorderColor(BandColour(band).darker(130));
        for (int hour = 0; hour < HourlyActivity::kHours; ++hour) {
            *set << static_cast<qreal>(
                activity.entries[static_cast<size_t>(hour)][static_cast<size_t>(band)]);
        }
        series->append(set);
    }
    for (int hour = 0; hour < HourlyActivity::kHours; ++hour) {
        busiest = std::max(busiest, activity.HourTotal(hour));
    }
    addSeries(series);

    QStringList hours;
    for (int hour = 0; hour < HourlyActivity::kHours; ++hour) {
        hours << QString::fromStdString(HourlyActivity::HourLabel(hour));
    }
    auto* hourAxis = new QBarCategoryAxis;
    hourAxis_ = hourAxis;
    hourAxis->append(hours);
    hourAxis->setTitleText(QStringLiteral("Ora (UTC), dall'inizio del contest"));
    addAxis(hourAxis, Qt::AlignBottom);
    series->attachAxis(hourAxis);

    entriesAxis_ = new QValueAxis;
    const int ticks = 6;
    entriesAxis_->setRange(0, NiceTop(busiest, ticks));
    entriesAxis_->setTickCount(ticks);
    entriesAxis_->setLabelFormat(QStringLiteral("%d"));
    entriesAxis_->setTitleText(activity.mode == LogMode::Listening ? QStringLiteral("HRD per ora")
                                                             : QStringLiteral("QSO per ora"));
    addAxis(entriesAxis_, Qt::AlignLeft);
    series->attachAxis(entriesAxis_);
}

void OperatingChart::AddMultiplierLine(const HourlyActivity& activity) {
    auto* line = new QLineSeries;
    line_ = line;
    line->setName(QStringLiteral("Moltiplicatori (totale)"));
    QPen pen{QColor(kLineColour)};
    pen.setWidthF(3);
    line->setPen(pen);
    line->setPointsVisible(true);
    int64_t top = activity.multipliersAtStart;
    for (int hour = 0; hour < HourlyActivity::kHours; ++hour) {
        const int64_t total = activity.multiplierTotal[static_cast<size_t>(hour)];
        line->append(hour, static_cast<qreal>(total));
        top = std::max(top, total);
    }
    addSeries(line);
    // The line's x values are the hours' positions on the category axis.
    for (QAbstractAxis* axis : axes(Qt::Horizontal)) {
        line->attachAxis(axis);
    }
    multipliersAxis_ = new QValueAxis;
    const int ticks = 6;
    multipliersAxis_->setRange(0, NiceTop(top, ticks));
    multipliersAxis_->setTickCount(ticks);
    multipliersAxis_->setLabelFormat(QStringLiteral("%d"));
    multipliersAxis_->setTitleText(QStringLiteral("Moltiplicatori (totale)"));
    multipliersAxis_->setGridLineVisible(false);
    multipliersAxis_->setLinePenColor(QColor(kLineColour));
    addAxis(multipliersAxis_, Qt::AlignRight);
    line->attachAxis(multipliersAxis_);
}

}  // namespace tarnex
