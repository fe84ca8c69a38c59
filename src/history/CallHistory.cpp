#include "history/CallHistory.h"

#include <algorithm>
#include <iterator>

namespace tarnex {

namespace {

bool ByCall(const HistoryRecord& a, const HistoryRecord& b) {
    return a.call < b.call;
}

// Of two pieces of information about one callsign, the later one read wins unless it
// comes from an older contact.
bool Supersedes(const HistoryRecord& later, const HistoryRecord& earlier) {
    return later.lastQso >= earlier.lastQso;
}

}  // namespace

const HistoryRecord* CallHistory::Find(std::string_view call) const {
    auto it =
        std::lower_bound(records_.begin(), records_.end(), call,
                         [](const HistoryRecord& record, std::string_view key) { return record.call < key; });
    if (it == records_.end() || it->call != call) {
        return nullptr;
    }
    return &*it;
}

std::optional<int> CallHistory::SectionOf(std::string_view call) const {
    const HistoryRecord* record = Find(call);
    if (record == nullptr) {
        return std::nullopt;
    }
    return record->section;
}

CallHistory::MergeCounts CallHistory::Merge(std::vector<HistoryRecord> offers) {
    std::erase_if(offers, [](const HistoryRecord& offer) {
        return !IsHistoryCall(offer.call) || offer.section < 0 || offer.section > 9999;
    });
    // One offer per callsign: the stable sort keeps the order read within a callsign.
    std::stable_sort(offers.begin(), offers.end(), ByCall);
    size_t kept = 0;
    for (size_t i = 0; i < offers.size(); ++i) {
        if (kept > 0 && offers[kept - 1].call == offers[i].call) {
            if (Supersedes(offers[i], offers[kept - 1])) {
                offers[kept - 1] = std::move(offers[i]);
            }
        } else {
            if (kept != i) {
                offers[kept] = std::move(offers[i]);
            }
            ++kept;
        }
    }
    offers.resize(kept);

    MergeCounts counts;
    if (records_.empty()) {
        counts.added = offers.size();
        records_ = std::move(offers);
        return counts;
    }
    std::vector<HistoryRecord> merged;
    merged.reserve(records_.size() + offers.size());
    auto held = records_.begin();
    auto offer = offers.begin();
    while (held != records_.end() || offer != offers.end()) {
        if (offer == offers.end() || (held != records_.end() && held->call < offer->call)) {
            merged.push_back(std::move(*held++));
        } else if (held == records_.end() || offer->call < held->call) {
            ++counts.added;
            merged.push_back(std::move(*offer++));
        } else {
            if (Supersedes(*offer, *held)) {
                if (offer->section != held->section) {
                    ++counts.updated;
                }
                merged.push_back(std::move(*offer));
            } else {
                merged.push_back(std::move(*held));
            }
            ++held;
            ++offer;
        }
    }
    records_ = std::move(merged);
    return counts;
}

}  // namespace tarnex
