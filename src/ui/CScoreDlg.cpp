#include "ui/CScoreDlg.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "score/ScoreReport.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// Whether the font draws a narrow and a wide letter with the same advance, which is
// what lines the report's columns up (the font's own fixed-pitch flag is not always
// set right).
bool DrawsFixedPitch(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

// The platform's fixed-pitch font; the generic monospace family when the platform
// names none that draws so.
QFont FixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!DrawsFixedPitch(font)) {
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    return font;
}

}  // namespace

CScoreDlg::CScoreDlg(const ScoreTable& table, LogMode mode, QWidget* parent)
    : QDialog(parent), table_(table) {
    setWindowTitle(QStringLiteral("Punteggio"));
    setModal(true);

    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("report"));
    report_->setFrameShape(QFrame::NoFrame);
    report_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setReadOnly(true);
    report_->setTextInteractionFlags(Qt::NoTextInteraction);
    report_->setFont(FixedPitchFont());
    // The report's lines end in CR LF; the text box takes plain line feeds.
    QString text = TextCodec::ToQString(BuildScoreReport(table_, mode));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    report_->setPlainText(text);
    report_->installEventFilter(this);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(report_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitToReport();
    ok_->setFocus();
}

void CScoreDlg::FitToReport() {
    const QFontMetrics metrics(report_->font());
    int widest = 0;
    int lines = 0;
    for (QTextBlock block = report_->document()->begin(); block.isValid(); block = block.next()) {
        widest = std::max(widest, metrics.horizontalAdvance(block.text()));
        ++lines;
    }
    const int margin = static_cast<int>(report_->document()->documentMargin()) * 2 + 2;
    report_->setFixedSize(widest + margin + metrics.averageCharWidth(),
                          lines * metrics.lineSpacing() + margin);
}

bool CScoreDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == report_ && event->type() == QEvent::FocusIn) {
        ok_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarnex
