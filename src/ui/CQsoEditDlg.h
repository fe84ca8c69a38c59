#pragma once
// "Modifica di un QSO": one contact of the log, checked on "Salva" with a message for
// each fault and a question for a section not in the list.

#include "log/LogTypes.h"
#include "ui/EntryEditDlg.h"

class QLineEdit;

namespace tarnex {

class CQsoEditDlg : public EntryEditDlg<QsoRecord> {
    Q_OBJECT
  public:
    CQsoEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CQsoEditDlg() override;

    QLineEdit* Callsign() const { return EditOf(FormField::Callsign); }
    QLineEdit* RstSent() const { return EditOf(FormField::RstSent); }
    QLineEdit* RstReceived() const { return EditOf(FormField::RstReceived); }
    QLineEdit* Section() const { return EditOf(FormField::Section); }
};

}  // namespace tarnex
