#include "ui/OptionsSection.h"

#include "ui/CabrilloOptionsSection.h"

namespace tarnex {

std::vector<std::unique_ptr<OptionsSection>> MakeOptionsSections(Settings& settings, QWidget* dialog) {
    std::vector<std::unique_ptr<OptionsSection>> sections;
    (void)settings;
    (void)dialog;
    sections.push_back(std::make_unique<CabrilloOptionsSection>(settings, dialog));
    return sections;
}

}  // namespace tarnex
