#pragma once
// What the two edit dialogs ("Modifica di un QSO", "Modifica di un HRD") do alike: the
// title, the shared fields in a grid the dialog adds its own to, and "Salva", which
// runs the dialog's checks and either keeps the record and closes or puts the focus
// on the field to correct.

#include <QDialog>
#include <QGridLayout>
#include <QString>
#include <memory>

#include "rules/CheckOrder.h"
#include "rules/RecordEdit.h"
#include "ui/EntryEditFields.h"

namespace tarnex {

class SectionTable;
class UserPrompts;

template <typename Record>
class EntryEditDlg : public QDialog {
  public:
    // The dialog's checks on "Salva".
    using SaveChecks = EditSave<Record> (*)(const Record&, const SectionTable&, UserPrompts&);

    // The values as typed.
    virtual Record Typed() const = 0;
    // The values accepted by the last "Salva" (the callsigns upper-cased).
    const Record& Accepted() const { return accepted_; }
    const EntryEditFields& Shared() const { return *shared_; }

    // "Salva": the checks in order; the first fault shows its message and keeps the
    // dialog open with the focus on the field to correct.
    void accept() override {
        EditSave<Record> saved = save_(Typed(), sections_, prompts_);
        if (!saved.record) {
            if (QWidget* field = FieldOf(saved.focus)) {
                field->setFocus();
            }
            return;
        }
        accepted_ = *saved.record;
        QDialog::accept();
    }

  protected:
    EntryEditDlg(const QString& title, SaveChecks save, const SectionTable& sections, UserPrompts& prompts,
                 QWidget* parent)
        : QDialog(parent), sections_(sections), prompts_(prompts), save_(save), grid_(new QGridLayout) {
        setWindowTitle(title);
        shared_ = std::make_unique<EntryEditFields>(this, grid_, 0);
    }

    // The dialog's field for a check that failed there, or nullptr.
    virtual QWidget* FieldOf(FormField field) const = 0;

    const SectionTable& sections_;
    UserPrompts& prompts_;
    SaveChecks save_;
    QGridLayout* grid_;
    std::unique_ptr<EntryEditFields> shared_;
    Record accepted_;
};

}  // namespace tarnex
