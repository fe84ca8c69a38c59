#include "rig/RigConfig.h"

#include <algorithm>

namespace tarnex {

std::chrono::milliseconds RigConfig::Interval() const {
    return std::chrono::milliseconds(std::clamp(intervalMs, kShortestPollIntervalMs, kLongestPollIntervalMs));
}

}  // namespace tarnex
