#include "ui/CabrilloOptionsSection.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/Settings.h"
#include "base/UserPrompts.h"
#include "export/Cabrillo3Export.h"
#include "ui/EntryEditFields.h"
#include "ui/FieldInputValidator.h"

namespace tarnex {

namespace {

// The longest name the tag takes (IsCabrilloContestName).
constexpr int kContestNameLimit = 32;

}  // namespace

CabrilloOptionsSection::CabrilloOptionsSection(const Settings& settings, UserPrompts& prompts,
                                               QWidget* dialog)
    : prompts_(prompts) {
    box_ = new QGroupBox(QStringLiteral("Cabrillo"), dialog);
    contestName_ = new QLineEdit(box_);
    contestName_->setObjectName(QStringLiteral("contestName"));
    new FieldInputValidator(contestName_, {kContestNameLimit, false, true});
    EntryEditFields::Put(contestName_, settings.contestName);
    auto* label = new QLabel(QStringLiteral("Nome del contest nel file Cabrillo 3.0 (CONTEST:)"), box_);
    label->setBuddy(contestName_);
    auto* layout = new QVBoxLayout(box_);
    layout->addWidget(label);
    layout->addWidget(contestName_);
}

bool CabrilloOptionsSection::Check() {
    if (IsCabrilloContestName(EntryEditFields::Read(contestName_))) {
        return true;
    }
    prompts_.ShowMessage(kContestNameErrorText, kErrorTitle, MessageIcon::Stop);
    contestName_->setFocus();
    contestName_->selectAll();
    return false;
}

void CabrilloOptionsSection::Save(Settings& settings) {
    const std::string name = EntryEditFields::Read(contestName_);
    if (name != settings.contestName) {
        settings.SetContestName(name);
    }
}

}  // namespace tarnex
