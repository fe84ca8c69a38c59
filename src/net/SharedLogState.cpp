#include "net/SharedLogState.h"

#include <algorithm>
#include <limits>

#include "app/Settings.h"
#include "log/EntryTime.h"

namespace tarnex {

bool DateTimeLess(std::string_view dateA, std::string_view timeA, std::string_view dateB,
                  std::string_view timeB) {
    int32_t a = DateSortKey(dateA);
    int32_t b = DateSortKey(dateB);
    if (a != b) {
        return a < b;
    }
    if (a == std::numeric_limits<int32_t>::max() && dateA != dateB) {
        return dateA < dateB;
    }
    return timeA < timeB;
}

uint32_t SharedLogState::AuthorIndex(const std::string& author) {
    auto [it, inserted] = authorIndex_.try_emplace(author, static_cast<uint32_t>(authors_.size()));
    if (inserted) {
        authors_.push_back(author);
        highest_.push_back(0);
        summaryNumber_.push_back(0);
    }
    return it->second;
}

std::optional<uint32_t> SharedLogState::FindAuthor(const std::string& author) const {
    auto it = authorIndex_.find(author);
    if (it == authorIndex_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool SharedLogState::WasApplied(const std::string& author, uint64_t number) const {
    std::optional<uint32_t> index = FindAuthor(author);
    if (!index) {
        return false;
    }
    const Key key{*index, number};
    if (applied_.count(key) != 0) {
        return true;
    }
    auto it = index_.find(key);
    return it != index_.end() && entries_[it->second].added;
}

uint64_t SharedLogState::HighestNumberOf(const std::string& author) const {
    std::optional<uint32_t> index = FindAuthor(author);
    return index ? highest_[*index] : 0;
}

std::optional<SharedLogState::EntryRef> SharedLogState::Find(const EntryIdentity& identity) const {
    std::optional<uint32_t> author = FindAuthor(identity.position);
    if (!author) {
        return std::nullopt;
    }
    auto it = index_.find(Key{*author, identity.number});
    if (it == index_.end()) {
        return std::nullopt;
    }
    return it->second;
}

SharedLogState::EntryRef SharedLogState::EntryFor(const EntryIdentity& identity) {
    Key key{AuthorIndex(identity.position), identity.number};
    auto [it, inserted] = index_.try_emplace(key, static_cast<EntryRef>(entries_.size()));
    if (inserted) {
        Entry entry;
        entry.author = key.author;
        entry.number = key.number;
        entries_.push_back(std::move(entry));
    }
    return it->second;
}

std::string SharedLogState::IdentityText(EntryRef ref) const {
    const Entry& entry = entries_[ref];
    return authors_[entry.author] + "#" + std::to_string(entry.number);
}

std::string_view SharedLogState::Field(EntryRef ref, size_t index) const {
    const Entry& entry = entries_[ref];
    if (index >= 8) {
        return {};
    }
    size_t begin = index == 0 ? 0 : entry.ends[index - 1];
    return std::string_view(entry.packed).substr(begin, entry.ends[index] - begin);
}

std::array<std::string_view, 8> SharedLogState::Fields(EntryRef ref) const {
    std::array<std::string_view, 8> fields;
    for (size_t i = 0; i < 8; ++i) {
        fields[i] = Field(ref, i);
    }
    return fields;
}

void SharedLogState::SetFields(Entry& entry, const std::array<std::string, 8>& fields) {
    entry.packed.clear();
    for (size_t i = 0; i < 8; ++i) {
        entry.packed += fields[i];
        // Events hold fields that fit one journal line, well under 256 bytes in all.
        entry.ends[i] = static_cast<uint8_t>(std::min<size_t>(entry.packed.size(), 255));
    }
}

SharedLogState::Change SharedLogState::Apply(const NetEvent& event) {
    if (WasApplied(event.author, event.number)) {
        return {};
    }
    const uint32_t author = AuthorIndex(event.author);
    highest_[author] = std::max(highest_[author], event.number);
    if (event.kind != NetEventKind::Add) {
        applied_.insert(Key{author, event.number});
    }
    switch (event.kind) {
        case NetEventKind::Add:
            return ApplyAdd(event);
        case NetEventKind::Edit:
            return ApplyEditEvent(event, author);
        case NetEventKind::Delete:
            return ApplyDelete(event);
        case NetEventKind::Summary:
            return ApplySummary(event);
        case NetEventKind::Sort:
            return ApplySort();
    }
    return {};
}

bool SharedLogState::ApplyEdit(EntryRef ref, uint32_t author, const NetEvent& event) {
    Entry& entry = entries_[ref];
    if (entry.deleted || event.mode != entry.mode) {
        return false;
    }
    std::vector<std::pair<uint32_t, uint64_t>>& edits = edits_[ref];
    auto it = std::find_if(edits.begin(), edits.end(), [&](const auto& e) { return e.first == author; });
    if (it != edits.end()) {
        if (it->second > event.number) {
            return false;
        }
        it->second = event.number;
    } else {
        edits.emplace_back(author, event.number);
    }
    SetFields(entry, event.fields);
    return true;
}

SharedLogState::Change SharedLogState::ApplyAdd(const NetEvent& event) {
    const EntryRef ref = EntryFor(event.entry);
    Entry& entry = entries_[ref];
    if (mode_ && *mode_ != event.mode) {
        entry.added = true;  // applied, as nothing: a later change of mode does not bring it
        entry.deleted = true;
        return {};
    }
    entry.added = true;
    entry.mode = event.mode;
    mode_ = event.mode;
    if (entry.deleted) {  // deleted before its add was seen
        waiting_.erase(ref);
        return {};
    }
    SetFields(entry, event.fields);
    if (auto it = waiting_.find(ref); it != waiting_.end()) {
        for (const NetEvent& edit : it->second) {
            ApplyEdit(ref, AuthorIndex(edit.author), edit);
        }
        waiting_.erase(it);
    }
    order_.push_back(ref);
    ++visible_;
    return {Change::Added, ref};
}

SharedLogState::Change SharedLogState::ApplyEditEvent(const NetEvent& event, uint32_t author) {
    const EntryRef ref = EntryFor(event.entry);
    Entry& entry = entries_[ref];
    if (!entry.added) {
        if (!entry.deleted) {
            waiting_[ref].push_back(event);
        }
        return {};
    }
    if (!ApplyEdit(ref, author, event)) {
        return {};
    }
    return {Change::Updated, ref};
}

SharedLogState::Change SharedLogState::ApplyDelete(const NetEvent& event) {
    const EntryRef ref = EntryFor(event.entry);
    Entry& entry = entries_[ref];
    if (entry.deleted) {
        return {};
    }
    entry.deleted = true;
    if (!entry.added) {
        waiting_.erase(ref);
        return {};
    }
    --visible_;
    ++deletedInOrder_;
    if (deletedInOrder_ > 1024 && deletedInOrder_ > order_.size() / 2) {
        Compact();
    }
    return {Change::Removed, ref};
}

SharedLogState::Change SharedLogState::ApplySummary(const NetEvent& event) {
    const uint32_t author = AuthorIndex(event.author);
    if (summaryNumber_[author] > event.number) {
        return {};
    }
    summaryNumber_[author] = event.number;
    summary_ = event.station;
    const LogMode mode = LogModeForCategory(event.station.category);
    if (mode_ && *mode_ != mode) {
        for (EntryRef ref : order_) {
            entries_[ref].deleted = true;
        }
        order_.clear();
        visible_ = 0;
        deletedInOrder_ = 0;
        mode_ = mode;
        return {Change::Cleared, 0};
    }
    mode_ = mode;
    return {Change::Summary, 0};
}

void SharedLogState::Compact() {
    order_.erase(std::remove_if(order_.begin(), order_.end(), [&](EntryRef ref) { return !IsRow(ref); }),
                 order_.end());
    deletedInOrder_ = 0;
}

SharedLogState::Change SharedLogState::ApplySort() {
    Compact();
    std::stable_sort(order_.begin(), order_.end(), [&](EntryRef a, EntryRef b) {
        return DateTimeLess(Field(a, 0), Field(a, 1), Field(b, 0), Field(b, 1));
    });
    return {Change::Reordered, 0};
}

}  // namespace tarnex
