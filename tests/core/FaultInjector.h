#pragma once
// A fault-injection layer over the file layer's test hook: it records every step the
// program takes on files (open, read, write, flush, close, rename, with the path),
// and can make the k-th step fail (as a full disk or an I/O error would) or stop the
// process there, so that a parent process can kill it at exactly that point.

#include <signal.h>

#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "util/FileIo.h"

namespace tarnex::testing {

class FaultInjector {
  public:
    enum class Action { Record, Fail, Stop };

    // Acts on step number `at` (0-based, counting every step asked about).
    explicit FaultInjector(Action action = Action::Record, size_t at = std::numeric_limits<size_t>::max())
        : action_(action), at_(at) {
        SetFileFaultHook([this](FileStep step, const std::string& path) { return OnStep(step, path); });
    }
    ~FaultInjector() { SetFileFaultHook(nullptr); }
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    const std::vector<std::pair<FileStep, std::string>>& Steps() const { return steps_; }
    // True once the chosen step was reached.
    bool Struck() const { return struck_; }

  private:
    bool OnStep(FileStep step, const std::string& path) {
        const size_t index = steps_.size();
        steps_.emplace_back(step, path);
        if (index != at_) {
            return false;
        }
        struck_ = true;
        if (action_ == Action::Stop) {
            ::raise(SIGSTOP);  // the parent kills the process while it stands here
        }
        return action_ == Action::Fail;
    }

    Action action_;
    size_t at_;
    bool struck_ = false;
    std::vector<std::pair<FileStep, std::string>> steps_;
};

inline const char* StepName(FileStep step) {
    switch (step) {
        case FileStep::Open:
            return "open";
        case FileStep::Read:
            return "read";
        case FileStep::Write:
            return "write";
        case FileStep::Flush:
            return "flush";
        case FileStep::Close:
            return "close";
        case FileStep::Rename:
            return "rename";
        case FileStep::Remove:
            return "remove";
    }
    return "?";
}

}  // namespace tarnex::testing
