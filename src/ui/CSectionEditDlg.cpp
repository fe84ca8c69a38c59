#include "ui/CSectionEditDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "base/UserPrompts.h"
#include "ui/FieldInputValidator.h"
#include "ui/TextCodec.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {
const char* const kEditTitle = "Modifica dati di una Sezione";
const char* const kAddTitle = "Aggiunta di una nuova Sezione Ari";
const char* const kCodeFormatText = "Il codice ha un formato errato!\n\nI codici sono numeri di 4 cifre";
const char* const kNameMissingText = "Devi specificare il nome della sezione!\n";
}  // namespace

CSectionEditDlg::CSectionEditDlg(UserPrompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setWindowTitle(QString::fromLatin1(kEditTitle));
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);

    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("code"));
    codeRules_ = new FieldInputValidator(code_, {kCodeLimit, true, false});
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    nameRules_ = new FieldInputValidator(name_, {kNameLimit, false, true});
    code_->setFixedWidth(code_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QString(kNameLimit, QLatin1Char('W'))) / 2 +
                           12);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    fields->addWidget(code_, 1, 0);
    fields->addWidget(name_, 1, 1);

    auto* save = new QPushButton(QStringLiteral("Salva"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    save->setDefault(true);
    cancel->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CSectionEditDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSectionEditDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    code_->setFocus();
}

void CSectionEditDlg::SetValues(const std::string& code, const std::string& name, bool addMode) {
    addMode_ = addMode;
    setWindowTitle(QString::fromLatin1(addMode ? kAddTitle : kEditTitle));
    codeRules_->SetText(TextCodec::ToQString(code));
    nameRules_->SetText(TextCodec::ToQString(name));
}

std::string CSectionEditDlg::Code() const {
    return TextCodec::ToBytes(code_->text());
}

std::string CSectionEditDlg::Name() const {
    return TextCodec::ToBytes(name_->text());
}

// A field can hold more than its limit only when the program put a longer text into
// it (a name from the sections file or an import).
bool CSectionEditDlg::WithinLimit(QLineEdit* field, int limit) {
    if (field->text().size() <= limit) {
        return true;
    }
    prompts_.ShowMessage("Non digitare pi\xF9 di " + std::to_string(limit) + " caratteri.", kProgramName,
                         MessageIcon::Exclamation);
    field->setFocus();
    field->selectAll();
    return false;
}

void CSectionEditDlg::accept() {
    if (!WithinLimit(code_, kCodeLimit) || !WithinLimit(name_, kNameLimit)) {
        return;
    }
    const std::string code = Code();
    if (code.size() != static_cast<size_t>(kCodeLimit) || !IsAllDigits(code)) {
        prompts_.ShowMessage(kCodeFormatText, kErrorTitle, MessageIcon::Stop);
        return;
    }
    if (Name().size() < 2) {
        prompts_.ShowMessage(kNameMissingText, kErrorTitle, MessageIcon::Stop);
        return;
    }
    QDialog::accept();
}

}  // namespace tarnex
