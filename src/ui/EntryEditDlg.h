#pragma once
// What the two edit dialogs ("Modifica di un QSO", "Modifica di un HRD") do alike: the
// title, the shared fields (date, time, band, mode), the dialog's own fields from one
// table, and "Salva", which runs the dialog's checks and either keeps the record and
// closes or puts the focus on the field to correct.
//
// A dialog's own fields are the rows of its record table in rules/RecordEdit.h (which
// record text each one is, and which field to the checks) with the look of each in
// the dialog's table here: filling, reading and focusing all go through the two.

#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "rules/CheckOrder.h"
#include "rules/RecordEdit.h"
#include "ui/EntryEditFields.h"

namespace tarnex {

class SectionTable;
class UserPrompts;

// How an edit dialog shows one of its own fields.
struct EditFieldLook {
    FormField field;    // the row of the record table it shows
    const char* label;  // above the field
    const char* name;   // the field's object name
    int row;            // grid row of the label (the field is one row below)
    int column;
    bool upperCase;
    bool digitsOnly;  // reports and section codes, which are also narrow
};

template <typename Record>
class EntryEditDlg : public QDialog {
  public:
    // The dialog's checks on "Salva".
    using SaveChecks = EditSave<Record> (*)(const Record&, const SectionTable&, UserPrompts&);

    // Fills the fields from a row and puts the focus in the date.
    void SetRecord(const Record& record) {
        shared_->Put(record);
        for (const auto& [field, edit] : edits_) {
            EntryEditFields::Put(edit, record.*TextOf(field));
        }
        shared_->date->setFocus();
    }
    // The values as typed.
    Record Typed() const {
        Record record;
        shared_->Take(record);
        for (const auto& [field, edit] : edits_) {
            record.*TextOf(field) = EntryEditFields::Read(edit);
        }
        return record;
    }
    // Shows a row until Salva accepts it (its values) or the person cancels (nullopt).
    std::optional<Record> Edit(const Record& record) {
        SetRecord(record);
        if (exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return accepted_;
    }
    // The values accepted by the last "Salva" (the callsigns upper-cased).
    const Record& Accepted() const { return accepted_; }
    const EntryEditFields& Shared() const { return *shared_; }
    // The dialog's own field for a row of its record table, or nullptr.
    QLineEdit* EditOf(FormField field) const {
        for (const auto& [shown, edit] : edits_) {
            if (shown == field) {
                return edit;
            }
        }
        return nullptr;
    }

    // "Salva": the checks in order; the first fault shows its message and keeps the
    // dialog open with the focus on the field to correct.
    void accept() override {
        EditSave<Record> saved = save_(Typed(), sections_, prompts_);
        if (!saved.record) {
            QWidget* field = EditOf(saved.focus);
            if (field == nullptr) {
                field = shared_->FieldOf(saved.focus);
            }
            if (field != nullptr) {
                field->setFocus();
            }
            return;
        }
        accepted_ = *saved.record;
        QDialog::accept();
    }

  protected:
    EntryEditDlg(const QString& title, SaveChecks save, std::span<const RecordField<Record>> record,
                 std::span<const EditFieldLook> looks, const SectionTable& sections, UserPrompts& prompts,
                 QWidget* parent)
        : QDialog(parent), sections_(sections), prompts_(prompts), save_(save), record_(record) {
        setWindowTitle(title);
        auto* grid = new QGridLayout;
        shared_ = std::make_unique<EntryEditFields>(this, grid, 0);
        for (const EditFieldLook& look : looks) {
            QLineEdit* edit =
                EntryEditFields::AddEdit(this, grid, look.row, look.column, QString::fromLatin1(look.label),
                                         look.name, look.upperCase, look.digitsOnly);
            edits_.emplace_back(look.field, edit);
            if (look.digitsOnly) {
                EntryEditFields::Narrow({edit});
            }
        }
        EntryEditFields::LayOut(this, grid);
    }

  private:
    std::string Record::*TextOf(FormField field) const {
        for (const RecordField<Record>& row : record_) {
            if (row.field == field) {
                return row.text;
            }
        }
        return nullptr;  // every look names a row of the record table
    }

    const SectionTable& sections_;
    UserPrompts& prompts_;
    SaveChecks save_;
    std::span<const RecordField<Record>> record_;
    std::unique_ptr<EntryEditFields> shared_;
    std::vector<std::pair<FormField, QLineEdit*>> edits_;
    Record accepted_;
};

}  // namespace tarnex
