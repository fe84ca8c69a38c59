#include "ui/LiveScorePanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace tarnex {

namespace {

void SetIfChanged(QLabel* label, const std::string& text) {
    const QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (label->text() != shown) {
        label->setText(shown);
    }
}

}  // namespace

LiveScorePanel::LiveScorePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("liveScore"));
    setFocusPolicy(Qt::NoFocus);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    int line = 0;
    for (size_t figure = 0; figure < kLiveFigureCount; ++figure) {
        // The rates under a thin line, apart from the score.
        if (figure == kFigLastHour) {
            auto* rule = new QFrame(this);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            grid->addWidget(rule, line++, 0, 1, 2);
        }
        labels_[figure] = new QLabel(this);
        values_[figure] = new QLabel(this);
        values_[figure]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(labels_[figure], line, 0);
        grid->addWidget(values_[figure], line, 1);
        ++line;
    }
    // Bold only: family and size stay the window's.
    QFont bold;
    bold.setBold(true);
    labels_[kFigScore]->setFont(bold);
    values_[kFigScore]->setFont(bold);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(line, 1);
    Show(LiveFigures{});
}

void LiveScorePanel::Show(const LiveFigures& figures) {
    const std::array<LiveFigureText, kLiveFigureCount> texts = FormatLiveFigures(figures);
    for (size_t figure = 0; figure < kLiveFigureCount; ++figure) {
        SetIfChanged(labels_[figure], texts[figure].label);
        SetIfChanged(values_[figure], texts[figure].value);
    }
}

}  // namespace tarnex
