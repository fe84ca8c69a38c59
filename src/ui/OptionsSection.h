#pragma once
// A part of "Opzioni" that a feature of the program adds beside the tips, the
// listening Cabrillo order and the colours: a group box in the dialog's second column,
// filled from the settings when the dialog opens and written back by Salva.

#include <memory>
#include <vector>

class QGroupBox;
class QWidget;

namespace tarnex {

class Settings;

class OptionsSection {
  public:
    virtual ~OptionsSection() = default;
    // The section's group box, a child of the dialog.
    virtual QGroupBox* Box() = 0;
    // Salva: whether the values may be stored. A section that refuses tells the person
    // and puts the focus on the field to correct; the dialog then stays open.
    virtual bool Check() { return true; }
    // Writes the values to the settings (only after every section's Check passed).
    virtual void Save(Settings& settings) = 0;
};

// The sections "Opzioni" shows, in their order (OptionsSections.cpp: one line a part).
std::vector<std::unique_ptr<OptionsSection>> MakeOptionsSections(Settings& settings, QWidget* dialog);

}  // namespace tarnex
