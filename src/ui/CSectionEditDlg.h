#pragma once
// "Modifica dati di una Sezione" (or "Aggiunta di una nuova Sezione Ari" when adding):
// a section's four-digit code and its name, checked on Salva.

#include <QDialog>
#include <string>

#include "base/ContestRules.h"

class QLineEdit;

namespace tarnex {

class FieldInputValidator;
class UserPrompts;

class CSectionEditDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kCodeLimit = static_cast<int>(kSectionCodeLength);
    static constexpr int kNameLimit = 25;

    explicit CSectionEditDlg(UserPrompts& prompts, QWidget* parent = nullptr);

    // Code and name as bytes of the program's code page.
    void SetValues(const std::string& code, const std::string& name, bool addMode);
    std::string Code() const;
    std::string Name() const;
    bool AddMode() const { return addMode_; }

    QLineEdit* CodeField() const { return code_; }
    QLineEdit* NameField() const { return name_; }

    // Salva: refuses with a message and stays open unless the code is four digits
    // and the name has at least two characters.
    void accept() override;

  private:
    bool WithinLimit(QLineEdit* field, int limit);

    UserPrompts& prompts_;
    bool addMode_ = false;
    QLineEdit* code_ = nullptr;
    QLineEdit* name_ = nullptr;
    FieldInputValidator* codeRules_ = nullptr;
    FieldInputValidator* nameRules_ = nullptr;
};

}  // namespace tarnex
