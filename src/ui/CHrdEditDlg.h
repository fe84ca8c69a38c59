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

    QLineEdit* CallingCall() const { return EditOf(FormField::Callsign); }
    QLineEdit* Rst() const { return EditOf(FormField::RstSent); }
    QLineEdit* CallingSection() const { return EditOf(FormField::Section); }
    QLineEdit* AnsweringCall() const { return EditOf(FormField::Callsign2); }
};

}  // namespace tarnex
