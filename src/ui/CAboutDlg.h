#pragma once
// "Informazioni su TARNEX": what the program is, its terms of use and how to report a
// problem, with a button that opens the instructions over the box.

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;

namespace tarnex {

// The box's title and its eleven lines, in order.
QString AboutTitle();
QStringList AboutLines();

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    // Opens the instructions window over the given parent; when empty, the box opens
    // the program's instructions itself.
    using InstructionsOpener = std::function<void(QWidget* parent)>;

    explicit CAboutDlg(QWidget* parent = nullptr, InstructionsOpener openInstructions = {});

    QPushButton* InstructionsButton() const { return instructions_; }
    QPushButton* CloseButton() const { return close_; }
    const QList<QLabel*>& Lines() const { return lines_; }

  private:
    InstructionsOpener openInstructions_;
    QList<QLabel*> lines_;
    QPushButton* instructions_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tarnex
