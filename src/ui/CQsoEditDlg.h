#pragma once
// "Modifica di un QSO": one contact of the log, checked on "Salva" with a message for
// each fault and a question for a section not in the list.

#include <QDialog>
#include <memory>

#include "entry/CheckOrder.h"
#include "log/LogTypes.h"
#include "ui/EntryEditFields.h"

class QLineEdit;

namespace tarnex {

class SectionTable;
class UserPrompts;

class CQsoEditDlg : public QDialog {
    Q_OBJECT
  public:
    CQsoEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CQsoEditDlg() override;

    // Fills the fields from a row (columns 1 to 8).
    void SetRecord(const QsoRecord& record);
    // The values as typed.
    QsoRecord Typed() const;
    // The values accepted by the last "Salva" (the callsign upper-cased).
    const QsoRecord& Accepted() const { return accepted_; }

    const EntryEditFields& Shared() const { return *shared_; }
    QLineEdit* Callsign() const { return callsign_; }
    QLineEdit* RstSent() const { return rstSent_; }
    QLineEdit* RstReceived() const { return rstReceived_; }
    QLineEdit* Section() const { return section_; }

    // "Salva": the checks in order; the first fault shows its message and keeps the
    // dialog open with the focus on the field to correct.
    void accept() override;

  private:
    QWidget* FieldOf(FormField field) const;

    const SectionTable& sections_;
    UserPrompts& prompts_;
    std::unique_ptr<EntryEditFields> shared_;
    QLineEdit* callsign_ = nullptr;
    QLineEdit* rstSent_ = nullptr;
    QLineEdit* rstReceived_ = nullptr;
    QLineEdit* section_ = nullptr;
    QsoRecord accepted_;
};

}  // namespace tarnex
