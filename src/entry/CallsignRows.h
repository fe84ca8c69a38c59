#pragma once
// For a QSO-mode log, the rows of each callsign in display order, kept in step with the
// log through its observer: answers "which rows hold this callsign" without walking
// the whole log.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/ContestLog.h"

namespace tarnex {

class CallsignRows : public ContestLogObserver {
  public:
    explicit CallsignRows(ContestLog& log);
    ~CallsignRows() override;
    CallsignRows(const CallsignRows&) = delete;
    CallsignRows& operator=(const CallsignRows&) = delete;

    // The rows whose callsign column equals the text byte for byte, ascending; empty
    // in listening mode.
    const std::vector<uint32_t>& RowsOf(std::string_view callsign) const;

    void AfterAppend(size_t row) override;
    void AfterReset() override;
    void RowChanged(size_t row) override;

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    void Rebuild();
    void Insert(const std::string& callsign, uint32_t row);

    ContestLog& log_;
    std::unordered_map<std::string, std::vector<uint32_t>, Hash, std::equal_to<>> rows_;
    std::vector<std::string> callsignOfRow_;  // what each row was filed under
};

}  // namespace tarnex
