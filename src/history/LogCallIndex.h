#pragma once
// The callsigns of the current log for the partial-call lookup, kept in step with the
// log through its observer: an added contact costs one hash lookup, an edited one two,
// and only a change of the whole log (load, delete, sort, clear, mode switch) builds
// the index again. QSO mode takes each contact's callsign; listening mode both the
// calling and the answering station of each heard entry. Texts that are not callsigns
// (3 to 14 characters A-Z, 0-9 and "/", as a damaged file can hold) are left out.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "history/CallSlots.h"
#include "log/ContestLog.h"

namespace tarnex {

class LogCallIndex : public ContestLogObserver {
  public:
    explicit LogCallIndex(ContestLog& log);
    ~LogCallIndex() override;
    LogCallIndex(const LogCallIndex&) = delete;
    LogCallIndex& operator=(const LogCallIndex&) = delete;

    // True when a row of the log holds the callsign.
    bool Contains(std::string_view call) const;
    // The section of the first row (in display order) that gives the callsign one: in
    // QSO mode the contact's section, in listening mode an entry where it was heard
    // calling. Empty when no row does.
    std::string_view SectionOf(std::string_view call) const;
    // QSO mode: a contact with the callsign on the band and mode at these positions of
    // the band and mode lists (what the entry form flags as a duplicate). Listening
    // mode: heard calling on them.
    bool WorkedOn(std::string_view call, int band, int mode) const;
    // How many different callsigns the log holds.
    size_t Size() const { return living_; }

    // Calls f(call) for every callsign of the log that holds `part`, in ascending byte
    // order, until f returns false.
    template <typename F>
    void ForEachContaining(std::string_view part, F&& f) const {
        Order();
        ordered_.ForEachContaining(part, [&](size_t index) {
            if (calls_[orderedIds_[index]].refs.empty()) {
                return true;  // no longer in the log since the last rebuild
            }
            return f(ordered_.At(index));
        });
    }

    void AfterAppend(size_t row) override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

  private:
    static constexpr uint32_t kNone = UINT32_MAX;
    struct LogCall {
        std::string call;
        // The places that hold it: row * 2, plus 1 for the answering station of a
        // heard entry; ascending.
        std::vector<uint32_t> refs;
    };
    struct RowCalls {
        uint32_t first = kNone;   // the contact's or the calling station's callsign
        uint32_t second = kNone;  // the answering station's (listening mode)
    };
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    void Rebuild();
    RowCalls CallsOfRow(size_t row);
    uint32_t IdOf(std::string_view call);
    void AddRef(uint32_t id, uint32_t ref);
    void RemoveRef(uint32_t id, uint32_t ref);
    const LogCall* Find(std::string_view call) const;
    // Brings the ordered slots up to date with the callsigns added since.
    void Order() const;

    ContestLog& log_;
    std::vector<LogCall> calls_;
    std::unordered_map<std::string, uint32_t, Hash, std::equal_to<>> ids_;
    std::vector<RowCalls> rows_;
    size_t living_ = 0;
    // The callsigns in ascending order (some may have no row left), and those not yet
    // placed there.
    mutable CallSlots ordered_;
    mutable std::vector<uint32_t> orderedIds_;
    mutable std::vector<uint32_t> unordered_;
};

}  // namespace tarnex
