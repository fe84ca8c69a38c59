#pragma once
// Synthetic log files of several sizes and both modes, each written once into a
// benchmark folder of its own and kept for the whole run.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "BenchSupport.h"
#include "log/LogTypes.h"
#include "sections/SectionTable.h"

namespace tarnex::bench {

class SyntheticLogFiles {
  public:
    // `tag` names the folder the files go to.
    explicit SyntheticLogFiles(const std::string& tag);
    // The file of that many entries in that mode, written the first time it is asked for.
    const std::string& PathFor(size_t entries, LogMode mode);
    // The sections the files' rows name.
    const SectionTable& Sections() const { return *sections_; }

  private:
    BenchFolder folder_;
    std::unique_ptr<SectionTable> sections_;
    std::map<std::pair<size_t, LogMode>, std::string> paths_;
};

}  // namespace tarnex::bench
