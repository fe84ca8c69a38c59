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

// The dialog's text fields, with their input rules.
struct SummaryEdit {
    SummaryField field;
    const char* name;
    bool upperCase;
};
constexpr SummaryEdit kEdits[] = {
    {SummaryField::Callsign, "callsign", true},   {SummaryField::Name, "name", false},
    {SummaryField::Operators, "operators", true}, {SummaryField::Address1, "address1", false},
    {SummaryField::Address2, "address2", false},  {SummaryField::Address3, "address3", false},
    {SummaryField::Comment1, "comment1", false},  {SummaryField::Comment2, "comment2", false},
};
static_assert(std::size(kEdits) == kSummaryFields.size());

QLabel* Caption(QWidget* owner, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), owner);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CStationSummaryDlg::CStationSummaryDlg(StationSummaryEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(QStringLiteral("TARNEX - Dati riassuntivi"));
    for (const SummaryEdit& row : kEdits) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(row.name));
        new FieldInputValidator(edit, {static_cast<int>(SummaryFieldLimit(row.field)), false, row.upperCase});
        edits_[static_cast<size_t>(row.field)] = edit;
    }
    QLineEdit* callsign = Field(SummaryField::Callsign);
    QLineEdit* name = Field(SummaryField::Name);
    QLineEdit* operators = Field(SummaryField::Operators);

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

    const int wide = callsign->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('x')));
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Caption(this, "Nominativo utilizzato durante il contest", callsign), row, 0);
    grid->addWidget(Caption(this, "Propria sezione", ownSection_), row++, 1);
    grid->addWidget(callsign, row, 0);
    grid->addWidget(ownSection_, row++, 1);
    grid->addWidget(Caption(this, "Nome", name), row, 0);
    grid->addWidget(Caption(this, "Eventuali altri operatori", operators), row++, 1);
    grid->addWidget(name, row, 0);
    grid->addWidget(operators, row++, 1);
    grid->addWidget(Caption(this, "Categoria", category_), row++, 0);
    grid->addWidget(category_, row++, 0);
    grid->addWidget(Caption(this, "Indirizzo", Field(SummaryField::Address1)), row++, 0, 1, 2);
    for (SummaryField line : {SummaryField::Address1, SummaryField::Address2, SummaryField::Address3}) {
        grid->addWidget(Field(line), row++, 0, 1, 2);
    }
    grid->addWidget(Caption(this, "Commenti", Field(SummaryField::Comment1)), row++, 0, 1, 2);
    for (SummaryField line : {SummaryField::Comment1, SummaryField::Comment2}) {
        grid->addWidget(Field(line), row++, 0, 1, 2);
    }
    for (QWidget* field : {static_cast<QWidget*>(callsign), static_cast<QWidget*>(name)}) {
        field->setMinimumWidth(wide / 2);
    }
    Field(SummaryField::Address1)->setMinimumWidth(wide);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(EntryEditFields::SaveCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The current values.
    const StationSummaryInput input = editor_.Initial();
    for (SummaryField field : kSummaryFields) {
        EntryEditFields::Put(Field(field), input.Text(field));
    }
    category_->setCurrentIndex(input.category);
    ownSection_->setCurrentIndex(input.ownSection);
    callsign->setFocus();
}

QLineEdit* CStationSummaryDlg::Field(SummaryField field) const {
    return edits_[static_cast<size_t>(field)];
}

StationSummaryInput CStationSummaryDlg::Input() const {
    StationSummaryInput input;
    for (SummaryField field : kSummaryFields) {
        input.Text(field) = EntryEditFields::Read(Field(field));
    }
    input.category = category_->currentIndex();
    input.ownSection = ownSection_->currentIndex();
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
        if (result.focus) {
            QLineEdit* field = Field(*result.focus);
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    EntryEditFields::Put(Field(SummaryField::Callsign), input.callsign);  // upper-cased by the check
    saved_ = input;
    QDialog::accept();
}

}  // namespace tarnex
