#pragma once
// Deterministic contest logs for the benchmarks: the same seed gives the same bytes on
// every machine. A log looks like a real weekend of the contest: Italian callsigns
// (I, IK, IZ, IW, IU, IN3, IV3, IS0, IT9 ... with the region's digit), every station
// worked several times on different bands and modes (a few stations very often, most
// only once or twice), all six bands and three modes, reports of the right length for
// the mode, and the section of the station's home town from a full section table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "log/LogTypes.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"

namespace tarnex::bench {

class SyntheticLog {
  public:
    // Stations of a log of `entries` entries: about one for every four entries.
    explicit SyntheticLog(size_t entries, uint64_t seed = 20070602);

    // The full table of sections (about a hundred codes, one per provincial section).
    static void FillSections(SectionTable& table);
    // That table, made once.
    static const SectionTable& Sections();
    // A section code of the table ("0101").
    static std::string SectionCode(size_t index);
    static size_t SectionCount();

    // The station that keeps the log.
    static StationSummary Station(LogMode mode);

    size_t Entries() const { return entries_; }
    size_t Stations() const { return stations_.size(); }
    // Callsign of station i (0 <= i < Stations()).
    const std::string& Callsign(size_t station) const { return stations_[station].callsign; }
    // A callsign worked about as often as a typical station of the log.
    const std::string& TypicalCallsign(size_t i) const;
    // A callsign of the same shape that no synthetic log holds ("II0AAAA" ...); i picks one.
    static std::string FreshCallsign(size_t i);

    // The entries in the order of the contest (dates and times ascending).
    std::vector<QsoRecord> Contacts(const SectionTable& sections) const;
    std::vector<HrdRecord> Heard() const;

    // Header and every entry line: the bytes of a journal of this log.
    std::string JournalBytes(LogMode mode, const SectionTable& sections) const;

  private:
    struct Entrant {
        std::string callsign;
        std::string section;
    };
    struct Slot {
        uint32_t station;
        uint32_t other;  // listening mode: the answering station
        uint8_t band;
        uint8_t mode;
        uint32_t minute;  // minutes from the contest's start
    };

    size_t entries_;
    std::vector<Entrant> stations_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> typical_;
};

}  // namespace tarnex::bench
