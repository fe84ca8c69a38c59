#include "score/RateWindow.h"

#include <algorithm>

namespace tarnex {

void RateWindow::Add(UtcMinute minute) {
    ++perMinute_[minute];
    ++count_;
}

void RateWindow::Remove(UtcMinute minute) {
    auto at = perMinute_.find(minute);
    if (at == perMinute_.end()) {
        return;
    }
    if (--at->second == 0) {
        perMinute_.erase(at);
    }
    --count_;
}

void RateWindow::Clear() {
    perMinute_.clear();
    count_ = 0;
}

void RateWindow::Assign(std::vector<UtcMinute> minutes) {
    Clear();
    if (minutes.empty()) {
        return;
    }
    const auto [low, high] = std::minmax_element(minutes.begin(), minutes.end());
    const UtcMinute first = *low;
    const uint64_t range = static_cast<uint64_t>(*high - first) + 1;
    if (range <= 4 * minutes.size() + 4096) {
        // A contest's minutes lie close together: one count per minute of the range,
        // no sort.
        std::vector<int64_t> counts(range, 0);
        for (UtcMinute minute : minutes) {
            ++counts[static_cast<size_t>(minute - first)];
        }
        for (size_t i = 0; i < counts.size(); ++i) {
            if (counts[i] != 0) {
                perMinute_.emplace_hint(perMinute_.end(), first + static_cast<UtcMinute>(i), counts[i]);
            }
        }
    } else {
        std::sort(minutes.begin(), minutes.end());
        for (size_t i = 0; i < minutes.size();) {
            size_t run = i;
            while (run < minutes.size() && minutes[run] == minutes[i]) {
                ++run;
            }
            perMinute_.emplace_hint(perMinute_.end(), minutes[i], static_cast<int64_t>(run - i));
            i = run;
        }
    }
    count_ = static_cast<int64_t>(minutes.size());
}

std::optional<UtcMinute> RateWindow::Latest() const {
    if (perMinute_.empty()) {
        return std::nullopt;
    }
    return perMinute_.rbegin()->first;
}

int64_t RateWindow::InLastHour() const {
    if (perMinute_.empty()) {
        return 0;
    }
    const UtcMinute first = perMinute_.rbegin()->first - (kHourMinutes - 1);
    int64_t entries = 0;
    for (auto at = perMinute_.lower_bound(first); at != perMinute_.end(); ++at) {
        entries += at->second;
    }
    return entries;
}

int64_t RateWindow::LastTenRate() const {
    if (perMinute_.empty()) {
        return 0;
    }
    const UtcMinute latest = perMinute_.rbegin()->first;
    const int64_t wanted = std::min(kLastEntries, count_);
    int64_t taken = 0;
    UtcMinute oldest = latest;
    for (auto at = perMinute_.rbegin(); at != perMinute_.rend() && taken < wanted; ++at) {
        taken += at->second;
        oldest = at->first;
    }
    const int64_t span = latest - oldest + 1;
    // wanted x 60 / span, rounded half up.
    return (2 * wanted * kHourMinutes + span) / (2 * span);
}

}  // namespace tarnex
