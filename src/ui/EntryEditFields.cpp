#include "ui/EntryEditFields.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "log/BandMode.h"
#include "ui/FieldInputValidator.h"
#include "ui/TextCodec.h"

namespace tarnex {

EntryEditFields::EntryEditFields(QWidget* owner, QGridLayout* grid, int row) {
    date = AddEdit(owner, grid, row, 0, QStringLiteral("Data"), "date", false, false);
    date->setMinimumWidth(date->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    time = AddEdit(owner, grid, row, 1, QStringLiteral("Utc"), "time", false, false);
    band = new QComboBox(owner);
    band->setObjectName(QStringLiteral("band"));
    for (std::string_view text : kBandTexts) {
        band->addItem(TextCodec::ToQString(text));
    }
    mode = new QComboBox(owner);
    mode->setObjectName(QStringLiteral("mode"));
    for (std::string_view text : kModeTexts) {
        mode->addItem(TextCodec::ToQString(text));
    }
    grid->addWidget(new QLabel(QStringLiteral("MHz"), owner), row, 2);
    grid->addWidget(band, row + 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Modo"), owner), row, 3);
    grid->addWidget(mode, row + 1, 3);
}

QHBoxLayout* EntryEditFields::SaveCancelButtons(QDialog* dialog) {
    auto* save = new QPushButton(QStringLiteral("Salva"), dialog);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), dialog);
    save->setObjectName(QStringLiteral("save"));
    cancel->setObjectName(QStringLiteral("cancel"));
    save->setDefault(true);
    cancel->setAutoDefault(false);
    QObject::connect(save, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    return buttons;
}

void EntryEditFields::LayOut(QDialog* dialog, QGridLayout* grid) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addLayout(SaveCancelButtons(dialog));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EntryEditFields::Narrow(std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* narrow : fields) {
        narrow->setMaximumWidth(narrow->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    }
}

QLineEdit* EntryEditFields::AddEdit(QWidget* owner, QGridLayout* grid, int row, int column,
                                    const QString& label, const char* name, bool upperCase, bool digitsOnly) {
    auto* field = new QLineEdit(owner);
    field->setObjectName(QString::fromLatin1(name));
    new FieldInputValidator(field, {0, digitsOnly, upperCase});
    auto* caption = new QLabel(label, owner);
    caption->setBuddy(field);
    grid->addWidget(caption, row, column);
    grid->addWidget(field, row + 1, column);
    return field;
}

void EntryEditFields::Put(QLineEdit* field, const std::string& bytes) {
    if (auto* rules = qobject_cast<FieldInputValidator*>(const_cast<QValidator*>(field->validator()))) {
        rules->SetText(TextCodec::ToQString(bytes));
    } else {
        field->setText(TextCodec::ToQString(bytes));
    }
}

std::string EntryEditFields::Read(const QLineEdit* field) {
    return TextCodec::ToBytes(field->text());
}

void EntryEditFields::Put(const std::string& dateText, const std::string& timeText,
                          const std::string& bandText, const std::string& modeText) {
    Put(date, dateText);
    Put(time, timeText);
    band->setCurrentIndex(BandListIndex(bandText));
    mode->setCurrentIndex(ModeListIndex(modeText));
}

std::string EntryEditFields::Date() const {
    return Read(date);
}
std::string EntryEditFields::Time() const {
    return Read(time);
}

QWidget* EntryEditFields::FieldOf(FormField field) const {
    switch (field) {
        case FormField::Date:
            return date;
        case FormField::Time:
            return time;
        default:
            return nullptr;
    }
}

std::string EntryEditFields::Band() const {
    return band->currentIndex() < 0 ? std::string() : TextCodec::ToBytes(band->currentText());
}

std::string EntryEditFields::Mode() const {
    return mode->currentIndex() < 0 ? std::string() : TextCodec::ToBytes(mode->currentText());
}

}  // namespace tarnex
