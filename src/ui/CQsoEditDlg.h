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

    // Fills the fields from a row (columns 1 to 8).
    void SetRecord(const QsoRecord& record);
    QsoRecord Typed() const override;

    QLineEdit* Callsign() const { return callsign_; }
    QLineEdit* RstSent() const { return rstSent_; }
    QLineEdit* RstReceived() const { return rstReceived_; }
    QLineEdit* Section() const { return section_; }

  private:
    QWidget* FieldOf(FormField field) const override;

    QLineEdit* callsign_ = nullptr;
    QLineEdit* rstSent_ = nullptr;
    QLineEdit* rstReceived_ = nullptr;
    QLineEdit* section_ = nullptr;
};

}  // namespace tarnex
