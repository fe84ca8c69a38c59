#pragma once
// Where the evaluation of a callsign may look for the station's section when the log
// gives none (a call history of earlier contests). EntryForm::SetSectionSource plugs one
// in; without one the log is the only source.

#include <optional>
#include <string>

namespace tarnex {

class SectionSource {
  public:
    virtual ~SectionSource() = default;
    // The section code known for a callsign (upper case, as evaluated), or nullopt.
    // Only a four-digit code is taken.
    virtual std::optional<std::string> SectionOf(const std::string& callsign) = 0;
};

}  // namespace tarnex
