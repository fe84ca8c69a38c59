#pragma once
// The callsigns of the current log for the partial-call lookup, kept in step with the
// log through its observer: an added contact costs one hash lookup, an edited one two,
// and only a change of the whole log (load, delete, sort, clear, mode switch) builds
// the index again (and puts its callsigns in order at once). QSO mode takes each contact's callsign;
// listening mode both the calling and the answering station of each heard entry. Texts that are not callsigns
// (3 to 14 characters A-Z, 0-9 and "/", as a damaged file can hold) are left out.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    // Puts the callsigns added since the last lookup in order now rather than at the
    // next lookup (after a log was read in, when a keystroke should not wait for it).
    void Prepare() const { Order(); }

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
    // One place of the table of callsigns: the upper half of the callsign's hash and
    // its id + 1 (0: empty).
    struct Slot {
        uint32_t tag = 0;
        uint32_t id = 0;
    };

    void Rebuild();
    RowCalls CallsOfRow(size_t row);
    uint32_t IdOf(std::string_view call);
    void AddRef(uint32_t id, uint32_t ref);
    void RemoveRef(uint32_t id, uint32_t ref);
    const LogCall* Find(std::string_view call) const;
    // The place holding the callsign, or the empty place where it would go.
    size_t SlotOf(std::string_view call, uint64_t hash) const;
    void Grow();
    // Brings the ordered slots up to date with the callsigns added since.
    void Order() const;

    ContestLog& log_;
    std::vector<LogCall> calls_;
    std::vector<Slot> slots_;  // a power of two long, at most half full
    std::vector<RowCalls> rows_;
    size_t living_ = 0;
    // The callsigns in ascending order (some may have no row left), and those not yet
    // placed there.
    mutable CallSlots ordered_;
    mutable std::vector<uint32_t> orderedIds_;
    mutable std::vector<uint32_t> unordered_;
};

}  // namespace tarnex
