#include "ui/CHrdEditDlg.h"

#include <QLineEdit>

namespace tarnex {

CHrdEditDlg::CHrdEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent)
    : EntryEditDlg(QStringLiteral("Modifica di un HRD"), SaveListeningEdit, sections, prompts, parent) {
    QGridLayout* grid = grid_;
    callingCall_ = EntryEditFields::AddEdit(this, grid, 0, 4, QStringLiteral("Nominativo 1"), "callingCall",
                                            true, false);
    rst_ = EntryEditFields::AddEdit(this, grid, 0, 5, QStringLiteral("RST 1"), "rst", false, true);
    callingSection_ =
        EntryEditFields::AddEdit(this, grid, 0, 6, QStringLiteral("Sez. 1"), "callingSection", false, true);
    // The second line: the station that answered, under the first callsign.
    answeringCall_ = EntryEditFields::AddEdit(this, grid, 2, 4, QStringLiteral("Nominativo 2"),
                                              "answeringCall", true, false);
    EntryEditFields::Narrow({rst_, callingSection_});
    EntryEditFields::LayOut(this, grid);
}

CHrdEditDlg::~CHrdEditDlg() = default;

void CHrdEditDlg::SetRecord(const HrdRecord& record) {
    shared_->Put(record);
    EntryEditFields::Put(callingCall_, record.callingCall);
    EntryEditFields::Put(rst_, record.rst);
    EntryEditFields::Put(callingSection_, record.callingSection);
    EntryEditFields::Put(answeringCall_, record.answeringCall);
    shared_->date->setFocus();
}

HrdRecord CHrdEditDlg::Typed() const {
    HrdRecord record;
    shared_->Take(record);
    record.callingCall = EntryEditFields::Read(callingCall_);
    record.rst = EntryEditFields::Read(rst_);
    record.callingSection = EntryEditFields::Read(callingSection_);
    record.answeringCall = EntryEditFields::Read(answeringCall_);
    return record;
}

QWidget* CHrdEditDlg::FieldOf(FormField field) const {
    switch (field) {
        case FormField::Callsign:
            return callingCall_;
        case FormField::Callsign2:
            return answeringCall_;
        case FormField::RstSent:
            return rst_;
        case FormField::Section:
            return callingSection_;
        default:
            return shared_->FieldOf(field);
    }
}

}  // namespace tarnex
