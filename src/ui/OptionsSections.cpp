#include "ui/OptionsSection.h"

namespace tarnex {

std::vector<std::unique_ptr<OptionsSection>> MakeOptionsSections(Settings& settings, QWidget* dialog) {
    std::vector<std::unique_ptr<OptionsSection>> sections;
    (void)settings;
    (void)dialog;
    return sections;
}

}  // namespace tarnex
