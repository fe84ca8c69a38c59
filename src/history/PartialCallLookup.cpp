#include "history/PartialCallLookup.h"

#include <algorithm>

#include "history/LogCallIndex.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {

constexpr std::string_view kCallCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";

// Every text one character away from `typed` (changed, added or removed) that does
// not hold it, ascending and each once.
std::vector<std::string> OneAway(const std::string& typed) {
    std::vector<std::string> texts;
    if (typed.size() > CallSlots::kLongest) {
        return texts;
    }
    texts.reserve(typed.size() * 2 * kCallCharacters.size() + kCallCharacters.size());
    for (size_t i = 0; i < typed.size(); ++i) {
        texts.push_back(typed.substr(0, i) + typed.substr(i + 1));
        for (char c : kCallCharacters) {
            if (c != typed[i]) {
                std::string changed = typed;
                changed[i] = c;
                texts.push_back(std::move(changed));
            }
        }
    }
    // Added at the very start or end, the text still holds the typed one.
    for (size_t i = 1; i < typed.size(); ++i) {
        for (char c : kCallCharacters) {
            std::string added = typed;
            added.insert(added.begin() + static_cast<std::ptrdiff_t>(i), c);
            if (added.find(typed) == std::string::npos) {
                texts.push_back(std::move(added));
            }
        }
    }
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    return texts;
}

}  // namespace

std::string NormalizedTyped(std::string_view typed) {
    while (!typed.empty() && (typed.front() == ' ' || typed.front() == '\t')) {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t')) {
        typed.remove_suffix(1);
    }
    std::string text(typed);
    ToUpperAscii(text);
    return text;
}

PartialCallLookup::PartialCallLookup() = default;
PartialCallLookup::~PartialCallLookup() = default;

void PartialCallLookup::AttachLog(ContestLog& log) {
    log_.reset();
    log_ = std::make_unique<LogCallIndex>(log);
}

void PartialCallLookup::DetachLog() {
    log_.reset();
}

void PartialCallLookup::Prepare() const {
    if (log_ != nullptr) {
        log_->Prepare();
    }
}

void PartialCallLookup::SetHistory(const CallHistory& history) {
    history_.Clear();
    historySections_.clear();
    history_.Reserve(history.Size());
    historySections_.reserve(history.Size());
    for (const HistoryRecord& record : history.Records()) {
        history_.PushBack(record.call);
        historySections_.push_back(record.section);
    }
}

void PartialCallLookup::SetMasterCalls(const std::vector<std::string>& calls) {
    master_.Clear();
    master_.Reserve(calls.size());
    for (const std::string& call : calls) {
        master_.PushBack(call);
    }
}

bool PartialCallLookup::InLog(std::string_view call) const {
    return log_ != nullptr && log_->Contains(call);
}

KnownCall PartialCallLookup::LogRow(std::string_view call, const std::optional<BandAndMode>& workedOn) const {
    KnownCall row;
    row.call = std::string(call);
    row.source = KnownCallSource::Log;
    row.section = std::string(log_->SectionOf(call));
    if (row.section.empty() && InHistory(call)) {
        row.section = FormatCode(historySections_[history_.LowerBound(call)]);
    }
    row.worked = workedOn && log_->WorkedOn(call, workedOn->band, workedOn->mode);
    return row;
}

KnownCall PartialCallLookup::HistoryRow(std::string_view call) const {
    KnownCall row;
    row.call = std::string(call);
    row.source = KnownCallSource::History;
    row.section = FormatCode(historySections_[history_.LowerBound(call)]);
    return row;
}

std::vector<KnownCall> PartialCallLookup::Find(std::string_view typedText,
                                               std::optional<BandAndMode> workedOn) const {
    std::vector<KnownCall> rows;
    const std::string typed = NormalizedTyped(typedText);
    if (typed.size() < kShortestTyped) {
        return rows;
    }
    if (InLog(typed)) {
        rows.push_back(LogRow(typed, workedOn));
    } else if (InHistory(typed)) {
        rows.push_back(HistoryRow(typed));
    } else if (master_.HoldsSorted(typed)) {
        rows.push_back(KnownCall{typed, KnownCallSource::Master, {}, false, false});
    }
    auto room = [&] { return rows.size() < kMaxContaining; };
    if (log_ != nullptr && room()) {
        log_->ForEachContaining(typed, [&](std::string_view call) {
            if (call != typed) {
                rows.push_back(LogRow(call, workedOn));
            }
            return room();
        });
    }
    if (room()) {
        history_.ForEachContaining(typed, [&](size_t index) {
            const std::string_view call = history_.At(index);
            if (call != typed && !InLog(call)) {
                rows.push_back(HistoryRow(call));
            }
            return room();
        });
    }
    if (room()) {
        master_.ForEachContaining(typed, [&](size_t index) {
            const std::string_view call = master_.At(index);
            if (call != typed && !InLog(call) && !InHistory(call)) {
                rows.push_back(KnownCall{std::string(call), KnownCallSource::Master, {}, false, false});
            }
            return room();
        });
    }
    AddOneOffs(typed, workedOn, rows);
    return rows;
}

void PartialCallLookup::AddOneOffs(const std::string& typed, const std::optional<BandAndMode>& workedOn,
                                   std::vector<KnownCall>& rows) const {
    std::vector<KnownCall> fromLog;
    std::vector<KnownCall> fromHistory;
    for (const std::string& text : OneAway(typed)) {
        if (InLog(text)) {
            fromLog.push_back(LogRow(text, workedOn));
        } else if (InHistory(text)) {
            fromHistory.push_back(HistoryRow(text));
        }
    }
    size_t added = 0;
    for (std::vector<KnownCall>* part : {&fromLog, &fromHistory}) {
        for (KnownCall& row : *part) {
            if (added == kMaxOneOff) {
                return;
            }
            row.oneOff = true;
            rows.push_back(std::move(row));
            ++added;
        }
    }
}

}  // namespace tarnex
