#include "ui/FieldInputValidator.h"

#include <QLineEdit>

#include "ui/TextCodec.h"

namespace tarnex {

FieldInputValidator::FieldInputValidator(QLineEdit* field, FieldRules rules)
    : QValidator(field), field_(field), rules_(rules), previous_(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
    field->setValidator(this);
}

void FieldInputValidator::SetText(const QString& text) {
    field_->setValidator(nullptr);
    field_->setText(text);
    field_->setValidator(this);
}

QValidator::State FieldInputValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (rules_.upperCase) {
        // One character for one, so that the cursor stays where it was; a letter
        // whose capital the code page lacks stays as typed.
        for (QChar& c : input) {
            const QChar upper = c.toUpper();
            if (upper != c && TextCodec::CanEncode(QStringView(&upper, 1))) {
                c = upper;
            }
        }
    }
    if (rules_.digitsOnly) {
        for (QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return Invalid;
            }
        }
    }
    if (!TextCodec::CanEncode(input)) {
        return Invalid;
    }
    if (rules_.limit > 0 && input.size() > rules_.limit && input.size() > previous_.size()) {
        return Invalid;
    }
    return Acceptable;
}

}  // namespace tarnex
