#include "net/MergeCore.h"

#include <algorithm>
#include <unordered_set>

#include "app/Settings.h"

namespace tarnex {

namespace {

bool SameEvent(const NetEvent& a, const NetEvent& b) {
    return a.author == b.author && a.number == b.number;
}

ViewChange ResetChange() {
    return ViewChange{ViewChange::Reset, 0, {}};
}

}  // namespace

SharedRow MergeCore::RowOf(const SharedLogState& state, SharedLogState::EntryRef ref) {
    SharedRow row;
    row.identity = state.IdentityText(ref);
    std::array<std::string_view, 8> fields = state.Fields(ref);
    for (size_t i = 0; i < 8; ++i) {
        row.fields[i] = std::string(fields[i]);
    }
    return row;
}

SharedLogView MergeCore::ViewOf(const SharedLogState& state) {
    SharedLogView view;
    view.mode = state.Mode();
    view.summary = state.Summary();
    view.rows.reserve(state.RowCount());
    state.ForEachRow([&](SharedLogState::EntryRef ref) { view.rows.push_back(RowOf(state, ref)); });
    return view;
}

SharedLogView MergeCore::View() const {
    if (pending_.empty()) {
        return ViewOf(confirmed_);
    }
    SharedLogState shown = confirmed_;
    for (const NetEvent& event : pending_) {
        shown.Apply(event);
    }
    return ViewOf(shown);
}

std::optional<LogMode> MergeCore::ShownMode() const {
    std::optional<LogMode> mode = confirmed_.Mode();
    for (const NetEvent& event : pending_) {
        if (event.kind == NetEventKind::Summary) {
            mode = LogModeForCategory(event.station.category);
        } else if (event.kind == NetEventKind::Add && !mode) {
            mode = event.mode;
        }
    }
    return mode;
}

std::optional<StationSummary> MergeCore::ShownSummary() const {
    for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
        if (it->kind == NetEventKind::Summary) {
            return it->station;
        }
    }
    return confirmed_.Summary();
}

size_t MergeCore::PendingRows() const {
    std::vector<EntryIdentity> rows;
    std::optional<LogMode> mode = confirmed_.Mode();
    for (const NetEvent& event : pending_) {
        if (event.kind == NetEventKind::Add && (!mode || *mode == event.mode)) {
            mode = event.mode;
            rows.push_back(event.entry);
        } else if (event.kind == NetEventKind::Delete) {
            rows.erase(std::remove(rows.begin(), rows.end(), event.entry), rows.end());
        } else if (event.kind == NetEventKind::Summary) {
            LogMode next = LogModeForCategory(event.station.category);
            if (mode && *mode != next) {
                rows.clear();
            }
            mode = next;
        }
    }
    return rows.size();
}

uint64_t MergeCore::HighestNumberOf(const std::string& author) const {
    uint64_t highest = confirmed_.HighestNumberOf(author);
    for (const NetEvent& event : pending_) {
        if (event.author == author) {
            highest = std::max(highest, event.number);
        }
    }
    return highest;
}

bool MergeCore::PendingTouches(const NetEvent& event) const {
    for (const NetEvent& mine : pending_) {
        if (mine.kind == NetEventKind::Sort || mine.kind == NetEventKind::Summary) {
            return true;
        }
        if (event.TargetsEntry() && mine.TargetsEntry() && mine.entry == event.entry) {
            return true;
        }
    }
    return false;
}

bool MergeCore::AddPending(const NetEvent& event) {
    // What every position would refuse is not kept: the bytes must read back as this
    // very event, and an entry must be of the log's kind.
    std::optional<NetEvent> decoded = DecodeNetEvent(EncodeNetEvent(event));
    if (!decoded || !(*decoded == event)) {
        return false;
    }
    // A number is used once: one that was, can never come back as this event.
    if (confirmed_.WasApplied(event.author, event.number) ||
        std::any_of(pending_.begin(), pending_.end(),
                    [&](const NetEvent& p) { return SameEvent(p, event); })) {
        return false;
    }
    if (event.kind == NetEventKind::Add || event.kind == NetEventKind::Edit) {
        std::optional<LogMode> mode = ShownMode();
        if (mode && *mode != event.mode) {
            return false;
        }
    }
    pending_.push_back(event);
    return true;
}

std::vector<ViewChange> MergeCore::ApplyConfirmed(const NetEvent& event) {
    if (confirmed_.WasApplied(event.author, event.number)) {
        return {};
    }
    // An own event coming back.
    auto mine = std::find_if(pending_.begin(), pending_.end(),
                             [&](const NetEvent& p) { return SameEvent(p, event); });
    if (mine != pending_.end()) {
        const bool inOrder = mine == pending_.begin() && *mine == event;
        confirmed_.Apply(event);
        pending_.erase(mine);
        if (inOrder) {
            return {};  // the view was the confirmed log with this event on top already
        }
        return {ResetChange()};
    }
    // Another position's event. Under this position's pending ones it is shown in place
    // when the two commute, else the whole log again.
    const bool touches = !pending_.empty() && (PendingTouches(event) || event.kind == NetEventKind::Sort);
    const std::optional<LogMode> modeBefore = confirmed_.Mode();
    const SharedLogState::Change change = confirmed_.Apply(event);
    if (change.kind == SharedLogState::Change::None) {
        return {};
    }
    if (touches || (!pending_.empty() && modeBefore != confirmed_.Mode())) {
        return {ResetChange()};
    }
    switch (change.kind) {
        case SharedLogState::Change::Added: {
            // Before the pending adds, after the confirmed rows still shown.
            std::unordered_set<std::string> hidden;
            for (const NetEvent& p : pending_) {
                if (p.kind == NetEventKind::Delete) {
                    std::optional<SharedLogState::EntryRef> ref = confirmed_.Find(p.entry);
                    if (ref && confirmed_.IsRow(*ref)) {
                        hidden.insert(p.entry.Text());
                    }
                }
            }
            return {ViewChange{ViewChange::Insert, confirmed_.RowCount() - 1 - hidden.size(),
                               RowOf(confirmed_, change.entry)}};
        }
        case SharedLogState::Change::Updated:
            return {ViewChange{ViewChange::Update, 0, RowOf(confirmed_, change.entry)}};
        case SharedLogState::Change::Removed:
            return {ViewChange{ViewChange::Remove, 0, {confirmed_.IdentityText(change.entry), {}}}};
        case SharedLogState::Change::Summary:
            return {ViewChange{ViewChange::Summary, 0, {}}};
        default:
            return {ResetChange()};
    }
}

}  // namespace tarnex
