#include "ui/CHrdEditDlg.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "entry/RecordEdit.h"

namespace tarnex {

CHrdEditDlg::CHrdEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), sections_(sections), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Modifica di un HRD"));
    auto* grid = new QGridLayout;
    shared_ = std::make_unique<EntryEditFields>(this, grid, 0);
    callingCall_ = EntryEditFields::AddEdit(this, grid, 0, 4, QStringLiteral("Nominativo 1"), "callingCall",
                                            true, false);
    rst_ = EntryEditFields::AddEdit(this, grid, 0, 5, QStringLiteral("RST 1"), "rst", false, true);
    callingSection_ =
        EntryEditFields::AddEdit(this, grid, 0, 6, QStringLiteral("Sez. 1"), "callingSection", false, true);
    // The second line: the station that answered, under the first callsign.
    answeringCall_ = EntryEditFields::AddEdit(this, grid, 2, 4, QStringLiteral("Nominativo 2"),
                                              "answeringCall", true, false);
    for (QLineEdit* narrow : {rst_, callingSection_}) {
        narrow->setMaximumWidth(narrow->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(EntryEditFields::SaveCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CHrdEditDlg::~CHrdEditDlg() = default;

void CHrdEditDlg::SetRecord(const HrdRecord& record) {
    shared_->Put(record.date, record.time, record.band, record.mode);
    EntryEditFields::Put(callingCall_, record.callingCall);
    EntryEditFields::Put(rst_, record.rst);
    EntryEditFields::Put(callingSection_, record.callingSection);
    EntryEditFields::Put(answeringCall_, record.answeringCall);
    shared_->date->setFocus();
}

HrdRecord CHrdEditDlg::Typed() const {
    HrdRecord record;
    record.date = shared_->Date();
    record.time = shared_->Time();
    record.band = shared_->Band();
    record.mode = shared_->Mode();
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
        case FormField::Date:
            return shared_->date;
        case FormField::Time:
            return shared_->time;
        case FormField::RstSent:
            return rst_;
        case FormField::Section:
            return callingSection_;
        default:
            return nullptr;
    }
}

void CHrdEditDlg::accept() {
    EditSave<HrdRecord> saved = SaveHrdEdit(Typed(), sections_, prompts_);
    if (!saved.record) {
        if (QWidget* field = FieldOf(saved.focus)) {
            field->setFocus();
        }
        return;
    }
    accepted_ = *saved.record;
    QDialog::accept();
}

}  // namespace tarnex
