#pragma once
// For a QSO-mode log, the rows of each callsign in display order, kept in step with the
// log through its observer: answers "which rows hold this callsign" without walking
// the whole log. Next to each callsign's row numbers lie copies of the columns the
// entry form lists for an earlier contact, in one block per callsign, so that a
// lookup in a large log reads one table slot and one block instead of every row.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log/ContestLog.h"

namespace tarnex {

// One earlier contact of a callsign, as the entry form lists and checks it. The texts
// stay valid until the log changes.
struct CallsignContact {
    uint32_t row = 0;
    std::string_view day;  // first two characters of the date
    std::string_view time;
    std::string_view band;
    std::string_view mode;
    std::string_view rstSent;
    std::string_view rstReceived;
    std::string_view section;
};

class CallsignRows : public ContestLogObserver {
  public:
    explicit CallsignRows(ContestLog& log);
    ~CallsignRows() override;
    CallsignRows(const CallsignRows&) = delete;
    CallsignRows& operator=(const CallsignRows&) = delete;

    // The rows whose callsign column equals the text byte for byte, ascending; empty
    // in listening mode.
    std::vector<uint32_t> RowsOf(std::string_view callsign) const;
    // The same rows with their columns, into `contacts` (emptied first).
    void ContactsOf(std::string_view callsign, std::vector<CallsignContact>& contacts) const;

    void AfterAppend(size_t row) override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

  private:
    struct Slot {
        size_t hash = 0;
        std::unique_ptr<char[]> block;  // empty slot when null
    };
    void Rebuild();
    void Clear();
    size_t Find(std::string_view callsign, size_t hash) const;  // slot index, or the free slot
    Slot& SlotFor(std::string_view callsign);                   // found or added
    void Erase(size_t index);
    void Grow();
    void AddRow(Slot& slot, uint32_t row);
    void Refill(Slot& slot, std::string_view callsign, const std::vector<uint32_t>& rows);
    std::vector<uint32_t> BlockRows(const char* block) const;

    ContestLog& log_;
    std::vector<Slot> slots_;  // open addressing, linear probing, at most half full
    size_t used_ = 0;
    std::vector<std::string> callsignOfRow_;  // what each row was filed under
};

}  // namespace tarnex
