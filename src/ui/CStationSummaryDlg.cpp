#include "ui/CStationSummaryDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/EntryEditFields.h"
#include "ui/FieldInputValidator.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

QLineEdit* MakeEdit(QWidget* owner, const char* name, SummaryField field, bool upperCase) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(QString::fromLatin1(name));
    new FieldInputValidator(edit, {static_cast<int>(SummaryFieldLimit(field)), false, upperCase});
    return edit;
}

QLabel* Caption(QWidget* owner, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), owner);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CStationSummaryDlg::CStationSummaryDlg(StationSummaryEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(QStringLiteral("TARNEX - Dati riassuntivi"));
    callsign_ = MakeEdit(this, "callsign", SummaryField::Callsign, true);
    name_ = MakeEdit(this, "name", SummaryField::Name, false);
    operators_ = MakeEdit(this, "operators", SummaryField::Operators, true);
    const SummaryField addressFields[] = {SummaryField::Address1, SummaryField::Address2,
                                          SummaryField::Address3};
    for (size_t i = 0; i < address_.size(); ++i) {
        address_[i] = MakeEdit(this, ("address" + std::to_string(i + 1)).c_str(), addressFields[i], false);
    }
    comment_[0] = MakeEdit(this, "comment1", SummaryField::Comment1, false);
    comment_[1] = MakeEdit(this, "comment2", SummaryField::Comment2, false);

    ownSection_ = new QComboBox(this);
    ownSection_->setObjectName(QStringLiteral("ownSection"));
    for (const std::string& entry : editor_.OwnSectionEntries()) {
        ownSection_->addItem(TextCodec::ToQString(entry));
    }
    ownSection_->setMaxVisibleItems(12);
    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("category"));
    for (const char* category : kCategories) {
        category_->addItem(QString::fromLatin1(category));
    }
    // Only the person's picks ask the mode questions, not the program's own selection.
    connect(category_, &QComboBox::activated, this, &CStationSummaryDlg::CategoryPicked);

    const int wide = callsign_->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('x')));
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Caption(this, "Nominativo utilizzato durante il contest", callsign_), row, 0);
    grid->addWidget(Caption(this, "Propria sezione", ownSection_), row++, 1);
    grid->addWidget(callsign_, row, 0);
    grid->addWidget(ownSection_, row++, 1);
    grid->addWidget(Caption(this, "Nome", name_), row, 0);
    grid->addWidget(Caption(this, "Eventuali altri operatori", operators_), row++, 1);
    grid->addWidget(name_, row, 0);
    grid->addWidget(operators_, row++, 1);
    grid->addWidget(Caption(this, "Categoria", category_), row++, 0);
    grid->addWidget(category_, row++, 0);
    grid->addWidget(Caption(this, "Indirizzo", address_[0]), row++, 0, 1, 2);
    for (QLineEdit* line : address_) {
        grid->addWidget(line, row++, 0, 1, 2);
    }
    grid->addWidget(Caption(this, "Commenti", comment_[0]), row++, 0, 1, 2);
    for (QLineEdit* line : comment_) {
        grid->addWidget(line, row++, 0, 1, 2);
    }
    for (QWidget* field : {static_cast<QWidget*>(callsign_), static_cast<QWidget*>(name_)}) {
        field->setMinimumWidth(wide / 2);
    }
    address_[0]->setMinimumWidth(wide);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(EntryEditFields::SaveCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The current values.
    const StationSummaryInput input = editor_.Initial();
    EntryEditFields::Put(callsign_, input.callsign);
    EntryEditFields::Put(name_, input.name);
    EntryEditFields::Put(operators_, input.operators);
    category_->setCurrentIndex(input.category);
    for (size_t i = 0; i < address_.size(); ++i) {
        EntryEditFields::Put(address_[i], input.address[i]);
    }
    for (size_t i = 0; i < comment_.size(); ++i) {
        EntryEditFields::Put(comment_[i], input.comment[i]);
    }
    ownSection_->setCurrentIndex(input.ownSection);
    callsign_->setFocus();
}

QLineEdit* CStationSummaryDlg::Field(SummaryField field) const {
    switch (field) {
        case SummaryField::Callsign:
            return callsign_;
        case SummaryField::Name:
            return name_;
        case SummaryField::Operators:
            return operators_;
        case SummaryField::Address1:
            return address_[0];
        case SummaryField::Address2:
            return address_[1];
        case SummaryField::Address3:
            return address_[2];
        case SummaryField::Comment1:
            return comment_[0];
        case SummaryField::Comment2:
            break;
        case SummaryField::Email:
            return nullptr;  // not among this dialog's fields
    }
    return comment_[1];
}

StationSummaryInput CStationSummaryDlg::Input() const {
    StationSummaryInput input;
    input.callsign = EntryEditFields::Read(callsign_);
    input.name = EntryEditFields::Read(name_);
    input.operators = EntryEditFields::Read(operators_);
    input.category = category_->currentIndex();
    input.ownSection = ownSection_->currentIndex();
    for (size_t i = 0; i < address_.size(); ++i) {
        input.address[i] = EntryEditFields::Read(address_[i]);
    }
    for (size_t i = 0; i < comment_.size(); ++i) {
        input.comment[i] = EntryEditFields::Read(comment_[i]);
    }
    // The power, the overlay and the e-mail address are not among the fields: they
    // stay as they are.
    const StationSummaryInput current = editor_.Initial();
    input.power = current.power;
    input.overlay = current.overlay;
    input.email = current.email;
    return input;
}

void CStationSummaryDlg::CategoryPicked(int index) {
    const int shown = editor_.CategoryChosen(index);
    if (shown != category_->currentIndex()) {
        QSignalBlocker quiet(category_);
        category_->setCurrentIndex(shown);
    }
}

void CStationSummaryDlg::accept() {
    StationSummaryInput input = Input();
    SummarySaveResult result = editor_.Save(input);
    if (!result.accepted) {
        if (QLineEdit* field = result.focus ? Field(*result.focus) : nullptr) {
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    EntryEditFields::Put(callsign_, input.callsign);  // upper-cased by the check
    saved_ = input;
    QDialog::accept();
}

}  // namespace tarnex
