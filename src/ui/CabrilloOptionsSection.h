#pragma once
// "Cabrillo" in "Opzioni": the contest's name written after "CONTEST:" in the Cabrillo
// 3.0 file ("SEZIONI" unless the organiser names it differently). Salva refuses a name
// the tag does not take.

#include "ui/OptionsSection.h"

class QLineEdit;

namespace tarnex {

class CabrilloOptionsSection : public OptionsSection {
  public:
    CabrilloOptionsSection(const Settings& settings, UserPrompts& prompts, QWidget* dialog);

    QGroupBox* Box() override { return box_; }
    bool Check() override;
    void Save(Settings& settings) override;

    QLineEdit* ContestName() const { return contestName_; }

  private:
    UserPrompts& prompts_;
    QGroupBox* box_ = nullptr;
    QLineEdit* contestName_ = nullptr;
};

}  // namespace tarnex
