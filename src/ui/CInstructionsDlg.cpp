#include "ui/CInstructionsDlg.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ShellResources.h"

namespace tarnex {

QString InstructionsText() {
    EnsureShellResources();
    QFile file(kInstructionsResource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QString WithCrLf(const QString& text) {
    QString result;
    result.reserve(text.size() + text.count(QLatin1Char('\n')));
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            result += QLatin1Char('\r');
        }
        result += c;
    }
    return result;
}

CInstructionsDlg::CInstructionsDlg(const QString& text, QWidget* parent)
    : QDialog(parent), shown_(WithCrLf(text)) {
    setWindowTitle(QStringLiteral("Istruzioni"));

    field_ = new QPlainTextEdit(this);
    field_->setObjectName(QStringLiteral("instructions"));
    field_->setReadOnly(true);
    field_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    field_->setFont(courier);
    // Black on white, whatever colours the dialogs have.
    field_->setStyleSheet(QStringLiteral("QPlainTextEdit { color: black; background-color: white; }"));
    field_->setPlainText(shown_);

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_, 1);
    layout->addLayout(buttons);
    resize(600, 520);
    close->setFocus();
}

}  // namespace tarnex
