#include "ui/CQsoEditDlg.h"

#include <QLineEdit>

namespace tarnex {

CQsoEditDlg::CQsoEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent)
    : EntryEditDlg(QStringLiteral("Modifica di un QSO"), SaveQsoEdit, sections, prompts, parent) {
    QGridLayout* grid = grid_;
    callsign_ =
        EntryEditFields::AddEdit(this, grid, 0, 4, QStringLiteral("Nominativo"), "callsign", true, false);
    rstSent_ = EntryEditFields::AddEdit(this, grid, 0, 5, QStringLiteral("RST tx"), "rstSent", false, true);
    rstReceived_ =
        EntryEditFields::AddEdit(this, grid, 0, 6, QStringLiteral("RST rx"), "rstReceived", false, true);
    section_ = EntryEditFields::AddEdit(this, grid, 0, 7, QStringLiteral("Sezione"), "section", false, true);
    EntryEditFields::Narrow({rstSent_, rstReceived_, section_});
    EntryEditFields::LayOut(this, grid);
}

CQsoEditDlg::~CQsoEditDlg() = default;

void CQsoEditDlg::SetRecord(const QsoRecord& record) {
    shared_->Put(record);
    EntryEditFields::Put(callsign_, record.callsign);
    EntryEditFields::Put(rstSent_, record.rstSent);
    EntryEditFields::Put(rstReceived_, record.rstReceived);
    EntryEditFields::Put(section_, record.section);
    shared_->date->setFocus();
}

QsoRecord CQsoEditDlg::Typed() const {
    QsoRecord record;
    shared_->Take(record);
    record.callsign = EntryEditFields::Read(callsign_);
    record.rstSent = EntryEditFields::Read(rstSent_);
    record.rstReceived = EntryEditFields::Read(rstReceived_);
    record.section = EntryEditFields::Read(section_);
    return record;
}

QWidget* CQsoEditDlg::FieldOf(FormField field) const {
    switch (field) {
        case FormField::Callsign:
            return callsign_;
        case FormField::RstSent:
            return rstSent_;
        case FormField::RstReceived:
            return rstReceived_;
        case FormField::Section:
            return section_;
        default:
            return shared_->FieldOf(field);
    }
}

}  // namespace tarnex
