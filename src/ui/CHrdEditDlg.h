#pragma once
// "Modifica di un HRD": one heard entry of a listening log, checked on "Salva" with a
// message for each fault and a question for a section not in the list.

#include <QDialog>
#include <memory>

#include "entry/CheckOrder.h"
#include "log/LogTypes.h"
#include "ui/EntryEditFields.h"

class QLineEdit;

namespace tarnex {

class SectionTable;
class UserPrompts;

class CHrdEditDlg : public QDialog {
    Q_OBJECT
  public:
    CHrdEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CHrdEditDlg() override;

    // Fills the fields from a row (columns 1 to 8).
    void SetRecord(const HrdRecord& record);
    HrdRecord Typed() const;
    // The values accepted by the last "Salva" (the callsigns upper-cased).
    const HrdRecord& Accepted() const { return accepted_; }

    const EntryEditFields& Shared() const { return *shared_; }
    QLineEdit* CallingCall() const { return callingCall_; }
    QLineEdit* Rst() const { return rst_; }
    QLineEdit* CallingSection() const { return callingSection_; }
    QLineEdit* AnsweringCall() const { return answeringCall_; }

    void accept() override;

  private:
    QWidget* FieldOf(FormField field) const;

    const SectionTable& sections_;
    UserPrompts& prompts_;
    std::unique_ptr<EntryEditFields> shared_;
    QLineEdit* callingCall_ = nullptr;
    QLineEdit* rst_ = nullptr;
    QLineEdit* callingSection_ = nullptr;
    QLineEdit* answeringCall_ = nullptr;
    HrdRecord accepted_;
};

}  // namespace tarnex
