#include "SyntheticLog.h"

#include <memory>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <unordered_set>

#include "log/BandMode.h"
#include "log/LogFile.h"
#include "util/TextNumber.h"

namespace tarnex::bench {

namespace {

// The call area's digit and the towns of its sections.
struct Area {
    int digit;
    std::array<std::string_view, 12> towns;
};

constexpr std::array<Area, 10> kAreas = {{
    {0,
     {"ROMA", "LATINA", "FROSINONE", "VITERBO", "RIETI", "PERUGIA", "TERNI", "CAGLIARI", "SASSARI", "NUORO",
      "ORISTANO", "CIVITAVECCHIA"}},
    {1,
     {"TORINO", "GENOVA", "AOSTA", "CUNEO", "ALESSANDRIA", "ASTI", "NOVARA", "VERCELLI", "BIELLA", "SAVONA",
      "IMPERIA", "LA SPEZIA"}},
    {2,
     {"MILANO", "BERGAMO", "BRESCIA", "COMO", "CREMONA", "LECCO", "LODI", "MANTOVA", "PAVIA", "SONDRIO",
      "VARESE", "MONZA"}},
    {3,
     {"VENEZIA", "PADOVA", "VERONA", "VICENZA", "TREVISO", "ROVIGO", "BELLUNO", "TRENTO", "BOLZANO", "UDINE",
      "TRIESTE", "PORDENONE"}},
    {4,
     {"BOLOGNA", "MODENA", "PARMA", "REGGIO EMILIA", "PIACENZA", "FERRARA", "RAVENNA", "FORLI'", "RIMINI",
      "CESENA", "IMOLA", "CARPI"}},
    {5,
     {"FIRENZE", "PISA", "LIVORNO", "LUCCA", "SIENA", "AREZZO", "GROSSETO", "PISTOIA", "PRATO", "MASSA",
      "EMPOLI", "VIAREGGIO"}},
    {6,
     {"ANCONA", "PESARO", "MACERATA", "ASCOLI PICENO", "FERMO", "L'AQUILA", "PESCARA", "CHIETI", "TERAMO",
      "SULMONA", "FANO", "AVEZZANO"}},
    {7,
     {"BARI", "FOGGIA", "LECCE", "TARANTO", "BRINDISI", "BARLETTA", "POTENZA", "MATERA", "ALTAMURA",
      "MOLFETTA", "MONOPOLI", "CERIGNOLA"}},
    {8,
     {"NAPOLI", "SALERNO", "CASERTA", "AVELLINO", "BENEVENTO", "COSENZA", "CATANZARO", "REGGIO CALABRIA",
      "CROTONE", "CAMPOBASSO", "ISERNIA", "CASTELLAMMARE DI STABIA"}},
    {9,
     {"PALERMO", "CATANIA", "MESSINA", "SIRACUSA", "RAGUSA", "TRAPANI", "AGRIGENTO", "CALTANISSETTA", "ENNA",
      "MARSALA", "ACIREALE", "GELA"}},
}};

constexpr size_t kTownsPerArea = 12;

// splitmix64: small, fast and the same everywhere.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= value < bound.
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }

  private:
    uint64_t state_;
};

// Prefixes as they turn up in the log, with the call area's digit after those that
// take one.
struct Prefix {
    std::string_view text;
    bool takesDigit;
    int weight;
};
constexpr std::array<Prefix, 10> kPrefixes = {{
    {"IK", true, 24},
    {"IZ", true, 22},
    {"IW", true, 14},
    {"I", true, 12},
    {"IU", true, 8},
    {"IQ", true, 5},
    {"IN3", false, 4},
    {"IV3", false, 4},
    {"IS0", false, 4},
    {"IT9", false, 3},
}};

const Prefix& ChoosePrefix(Random& random) {
    int total = 0;
    for (const Prefix& p : kPrefixes) {
        total += p.weight;
    }
    int pick = static_cast<int>(random.Below(static_cast<uint32_t>(total)));
    for (const Prefix& p : kPrefixes) {
        if (pick < p.weight) {
            return p;
        }
        pick -= p.weight;
    }
    return kPrefixes[0];
}

// Bands by how busy they are in this contest (40 m and 80 m most of all): by day the
// higher bands open, by night 80 m and 160 m carry the contest.
constexpr std::array<int, kBandCount> kDayBandWeights = {1, 22, 36, 24, 10, 7};
constexpr std::array<int, kBandCount> kNightBandWeights = {14, 50, 30, 6, 0, 0};

// Entries per hour of the contest, from its start at Saturday 12:00 UTC: the opening
// rush, a quieter afternoon, the night, the morning's second wind and the last hour.
constexpr std::array<int, 24> kHourWeights = {100, 85, 70, 62, 58, 55, 52, 48, 45, 40, 30, 20,
                                              14,  10, 9,  10, 16, 24, 40, 50, 55, 58, 60, 72};

// Minute of the contest of the entry at `fraction` (0 <= fraction < 1) of the log, so
// that the hours fill as the weights say; ascending with the fraction.
uint32_t ContestMinute(double fraction) {
    int total = 0;
    for (int w : kHourWeights) {
        total += w;
    }
    double target = fraction * total;
    for (size_t hour = 0; hour < kHourWeights.size(); ++hour) {
        if (target < kHourWeights[hour]) {
            return static_cast<uint32_t>(hour * 60 + static_cast<size_t>(target * 60 / kHourWeights[hour]));
        }
        target -= kHourWeights[hour];
    }
    return 24 * 60 - 1;
}

bool IsNight(uint32_t minute) {
    const uint32_t utcHour = (12 + minute / 60) % 24;
    return utcHour >= 20 || utcHour < 6;
}
constexpr std::array<int, kModeCount> kModeWeights = {50, 40, 10};

template <size_t N>
int ChooseWeighted(Random& random, const std::array<int, N>& weights) {
    int total = 0;
    for (int w : weights) {
        total += w;
    }
    int pick = static_cast<int>(random.Below(static_cast<uint32_t>(total)));
    for (size_t i = 0; i < N; ++i) {
        if (pick < weights[i]) {
            return static_cast<int>(i);
        }
        pick -= weights[i];
    }
    return 0;
}

// A station's report: mostly 59 / 599, sometimes weaker.
std::string Report(int mode, uint64_t noise) {
    static constexpr std::array<std::string_view, 4> phone = {"59", "59", "57", "55"};
    static constexpr std::array<std::string_view, 4> telegraph = {"599", "599", "579", "589"};
    return std::string(mode == 0 ? phone[noise % 4] : telegraph[noise % 4]);
}

// The contest runs 24 hours from Saturday 12:00 UTC, the second full weekend of June.
void DateAndTime(uint32_t minute, std::string& date, std::string& time) {
    uint32_t clock = 12 * 60 + minute;
    date = clock >= 24 * 60 ? "10.06.2007" : "09.06.2007";
    clock %= 24 * 60;
    char text[8];
    std::snprintf(text, sizeof text, "%02u%02u", clock / 60, clock % 60);
    time = text;
}

}  // namespace

size_t SyntheticLog::SectionCount() {
    return kAreas.size() * kTownsPerArea;
}

std::string SyntheticLog::SectionCode(size_t index) {
    const size_t area = index / kTownsPerArea;
    const size_t town = index % kTownsPerArea;
    return FormatCode(static_cast<int32_t>(kAreas[area].digit * 1000 + 10 * (town + 1) + 1));
}

void SyntheticLog::FillSections(SectionTable& table) {
    for (size_t i = 0; i < SectionCount(); ++i) {
        table.SetName(NumericValue(SectionCode(i)),
                      std::string(kAreas[i / kTownsPerArea].towns[i % kTownsPerArea]));
    }
}

const SectionTable& SyntheticLog::Sections() {
    static const std::unique_ptr<SectionTable> table = [] {
        auto t = std::make_unique<SectionTable>();
        FillSections(*t);
        return t;
    }();
    return *table;
}

StationSummary SyntheticLog::Station(LogMode mode) {
    StationSummary s;
    s.callsign = mode == LogMode::Listening ? "I2-1234" : "IQ2MI";
    s.ownSection = SectionCode(2 * kTownsPerArea);  // MILANO
    s.category = mode == LogMode::Listening ? "SWL" : "MULTI-ONE";
    s.operators = "IK2AAA IZ2BBB IW2CCC";
    s.name = "Sezione ARI di Milano";
    s.address1 = "Via Scarlatti 31";
    s.address2 = "20124 Milano MI";
    s.address3 = "Italia";
    s.comment1 = "Prova";
    return s;
}

std::string SyntheticLog::FreshCallsign(size_t i) {
    // "II" is the prefix of special-event stations, which no synthetic log holds.
    std::string call = "II" + std::to_string(i % 10);
    for (size_t rest = i / 10, k = 0; k < 4; ++k, rest /= 26) {
        call += static_cast<char>('A' + rest % 26);
    }
    return call;
}

SyntheticLog::SyntheticLog(size_t entries, uint64_t seed) : entries_(entries) {
    Random random(seed);
    const size_t stationCount = std::max<size_t>(50, entries / 4);
    std::unordered_set<std::string> taken;
    stations_.reserve(stationCount);
    while (stations_.size() < stationCount) {
        const size_t section = random.Below(static_cast<uint32_t>(SectionCount()));
        const int digit = kAreas[section / kTownsPerArea].digit;
        const Prefix& prefix = ChoosePrefix(random);
        std::string call(prefix.text);
        if (prefix.takesDigit) {
            call += static_cast<char>('0' + digit);
        }
        const size_t letters = prefix.text == "IQ" ? 3 : 2 + random.Below(2);
        for (size_t k = 0; k < letters; ++k) {
            call += static_cast<char>('A' + random.Below(26));
        }
        if (random.Below(40) == 0) {
            call += "/P";
        }
        if (taken.insert(call).second) {
            stations_.push_back({call, SectionCode(section)});
        }
    }

    // Each station once per band and mode at most (a bit set of 18), heard answering at
    // most three times per band and mode (2 bits each); popular stations come back often.
    std::vector<uint32_t> used(stationCount, 0);
    std::vector<uint64_t> answered(stationCount, 0);
    std::vector<uint32_t> count(stationCount, 0);
    auto popular = [&]() {
        const double u = random.Unit();
        return static_cast<uint32_t>(static_cast<double>(stationCount) * u * std::sqrt(u));
    };
    slots_.reserve(entries);
    for (size_t i = 0; i < entries; ++i) {
        Slot slot{};
        slot.minute =
            ContestMinute(static_cast<double>(i) / static_cast<double>(std::max<size_t>(entries, 1)));
        uint32_t station = popular();
        for (int attempt = 0;; ++attempt) {
            slot.band = static_cast<uint8_t>(
                ChooseWeighted(random, IsNight(slot.minute) ? kNightBandWeights : kDayBandWeights));
            slot.mode = static_cast<uint8_t>(ChooseWeighted(random, kModeWeights));
            const uint32_t bit = 1u << (slot.mode * kBandCount + slot.band);
            if ((used[station] & bit) == 0) {
                used[station] |= bit;
                break;
            }
            if (attempt % 4 == 3) {
                station = (station + 1) % static_cast<uint32_t>(stationCount);
            }
        }
        slot.station = station;
        ++count[station];
        const unsigned shift = 2u * (slot.mode * kBandCount + slot.band);
        uint32_t other = popular();
        while (other == station || ((answered[other] >> shift) & 3u) == 3u) {
            other = (other + 1) % static_cast<uint32_t>(stationCount);
        }
        answered[other] += uint64_t{1} << shift;
        slot.other = other;
        slots_.push_back(slot);
    }
    for (uint32_t s = 0; s < stationCount; ++s) {
        if (count[s] >= 3 && count[s] <= 5) {
            typical_.push_back(s);
        }
    }
    if (typical_.empty()) {
        typical_.push_back(0);
    }
}

const std::string& SyntheticLog::TypicalCallsign(size_t i) const {
    return stations_[typical_[i % typical_.size()]].callsign;
}

std::vector<QsoRecord> SyntheticLog::Contacts(const SectionTable& sections) const {
    std::vector<QsoRecord> records;
    records.reserve(slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i) {
        const Slot& slot = slots_[i];
        QsoRecord r;
        DateAndTime(slot.minute, r.date, r.time);
        r.band = kBandTexts[slot.band];
        r.mode = kModeTexts[slot.mode];
        r.callsign = stations_[slot.station].callsign;
        r.rstSent = Report(slot.mode, i);
        r.rstReceived = Report(slot.mode, i / 7);
        r.section = stations_[slot.station].section;
        r.sectionName = sections.NameOfText(r.section);
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<HrdRecord> SyntheticLog::Heard() const {
    std::vector<HrdRecord> records;
    records.reserve(slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i) {
        const Slot& slot = slots_[i];
        HrdRecord r;
        DateAndTime(slot.minute, r.date, r.time);
        r.band = kBandTexts[slot.band];
        r.mode = kModeTexts[slot.mode];
        r.callingCall = stations_[slot.station].callsign;
        r.rst = Report(slot.mode, i);
        r.callingSection = stations_[slot.station].section;
        r.answeringCall = stations_[slot.other].callsign;
        records.push_back(std::move(r));
    }
    return records;
}

std::string SyntheticLog::JournalBytes(LogMode mode, const SectionTable& sections) const {
    const StationSummary station = Station(mode);
    std::string bytes = LogHeaderBytes(mode, station);
    bytes.reserve(bytes.size() + slots_.size() * 56);
    if (mode == LogMode::Qso) {
        for (const QsoRecord& r : Contacts(sections)) {
            bytes += QsoLine(r, station.ownSection);
        }
    } else {
        for (const HrdRecord& r : Heard()) {
            bytes += ListeningLine(r);
        }
    }
    return bytes;
}

}  // namespace tarnex::bench
