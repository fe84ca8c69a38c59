#pragma once
// "Modifica di un HRD": one heard entry of a listening log, checked on "Salva" with a
// message for each fault and a question for a section not in the list.

#include "log/LogTypes.h"
#include "ui/EntryEditDlg.h"

class QLineEdit;

namespace tarnex {

class CHrdEditDlg : public EntryEditDlg<HrdRecord> {
    Q_OBJECT
  public:
    CHrdEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CHrdEditDlg() override;

    // Fills the fields from a row (columns 1 to 8).
    void SetRecord(const HrdRecord& record);
    HrdRecord Typed() const override;

    QLineEdit* CallingCall() const { return callingCall_; }
    QLineEdit* Rst() const { return rst_; }
    QLineEdit* CallingSection() const { return callingSection_; }
    QLineEdit* AnsweringCall() const { return answeringCall_; }

  private:
    QWidget* FieldOf(FormField field) const override;

    QLineEdit* callingCall_ = nullptr;
    QLineEdit* rst_ = nullptr;
    QLineEdit* callingSection_ = nullptr;
    QLineEdit* answeringCall_ = nullptr;
};

}  // namespace tarnex
