#include "ui/OptionsSection.h"

#include "ui/CabrilloOptionsSection.h"
#include "ui/NetOptionsSection.h"
#include "ui/RadioOptionsSection.h"

namespace tarnex {

std::vector<std::unique_ptr<OptionsSection>> MakeOptionsSections(Settings& settings, UserPrompts& prompts,
                                                                 QWidget* dialog) {
    std::vector<std::unique_ptr<OptionsSection>> sections;
    sections.push_back(std::make_unique<RadioOptionsSection>(settings, prompts, dialog));
    sections.push_back(std::make_unique<CabrilloOptionsSection>(settings, prompts, dialog));
    sections.push_back(std::make_unique<NetOptionsSection>(settings, prompts, dialog));
    return sections;
}

}  // namespace tarnex
