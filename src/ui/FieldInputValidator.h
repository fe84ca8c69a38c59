#pragma once
// What a one-line field accepts as the person types: digits only or letters turned
// to upper case, characters of the program's 8-bit code page only, and no more than
// a given number of characters. A longer text put into the field by the program (a
// name that came from a file) stays whole and can be shortened, but not lengthened.

#include <QString>
#include <QValidator>

class QLineEdit;

namespace tarnex {

struct FieldRules {
    int limit = 0;  // 0: no limit
    bool digitsOnly = false;
    bool upperCase = false;
};

class FieldInputValidator : public QValidator {
    Q_OBJECT
  public:
    // Installs itself on the field.
    FieldInputValidator(QLineEdit* field, FieldRules rules);

    State validate(QString& input, int& pos) const override;

    // Puts a text into the field as the program's own, without the rules: a longer
    // text stays whole.
    void SetText(const QString& text);

  private:
    QLineEdit* field_;
    FieldRules rules_;
    QString previous_;  // the field's text before the edit being judged
};

}  // namespace tarnex
