#pragma once
// "Istruzioni": the operator's guide, read-only, black on white whatever the dialog
// colours are.

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace tarnex {

// The guide compiled into the program; its lines end in LF.
QString InstructionsText();

// Every LF becomes CR LF; everything else, a CR already there included, is copied.
QString WithCrLf(const QString& text);

class CInstructionsDlg : public QDialog {
    Q_OBJECT
  public:
    // text: lines ending in LF.
    explicit CInstructionsDlg(const QString& text, QWidget* parent = nullptr);

    // What was put into the text field.
    const QString& ShownText() const { return shown_; }
    QPlainTextEdit* Field() const { return field_; }

  private:
    QString shown_;
    QPlainTextEdit* field_ = nullptr;
};

}  // namespace tarnex
