// The checks before sending: each finding by the row it names, table-driven, and
// the reasons the window shows.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ExportTestLogs.h"
#include "check/LogCheck.h"
#include "log/StationCategory.h"

using namespace tarnex;
using tarnex::testing::MakeListening;
using tarnex::testing::MakeQso;

namespace {

// The contest weekend of 2023: Saturday 10 June 12:00 to Sunday 11 June 11:59 UTC.
QsoRecord Qso(const char* call, const char* band = "7", const char* mode = "CW", const char* time = "1300",
              const char* date = "10.06.2023") {
    const std::string report = std::string(mode) == "SSB" ? "59" : "599";
    return MakeQso(date, time, band, mode, call, report, report, "0130");
}

HrdRecord Heard(const char* calling, const char* answering, const char* time = "1300") {
    return MakeListening("10.06.2023", time, "14", "CW", calling, "599", "0130", answering);
}

StationSummary Station(const char* category = "SINGLE-OP MIXED") {
    StationSummary station;
    station.callsign = "IK2XYZ";
    station.ownSection = "0501";
    station.name = "Mario Rossi";
    station.category = category;
    return station;
}

const SectionTable& Sections() {
    static const std::unique_ptr<SectionTable> table = [] {
        auto sections = std::make_unique<SectionTable>();
        sections->SetName(130, "BETA");
        sections->SetName(501, "ALFA");
        return sections;
    }();
    return *table;
}

using Expected = std::vector<std::pair<int, FindingKind>>;  // row (-1: the station data), kind

Expected Found(const std::vector<LogFinding>& findings) {
    Expected found;
    for (const LogFinding& finding : findings) {
        found.emplace_back(finding.row ? static_cast<int>(*finding.row) : -1, finding.kind);
    }
    return found;
}

struct CheckCase {
    ContestLog log{LogMode::Qso};
    StationSummary station = Station();
    CheckRequest request;
};

}  // namespace

TEST(LogCheck, EachFindingByItsRow) {
    using K = FindingKind;
    struct Case {
        const char* name;
        std::function<void(CheckCase&)> setup;
        Expected expected;
    } cases[] = {
        {"a clean log",
         [](CheckCase& s) {
             s.log.Append(Qso("IK1AAA"));
             s.log.Append(Qso("IK1AAA", "7", "SSB"));
             s.log.Append(Qso("IK1AAA", "14"));
         },
         {}},
        {"the edges of the contest weekend",
         [](CheckCase& s) {
             s.log.Append(Qso("IK1AAA", "7", "CW", "1159"));
             s.log.Append(Qso("IK1AAB", "7", "CW", "1200"));
             s.log.Append(Qso("IK1AAC", "7", "CW", "1159", "11.06.2023"));
             s.log.Append(Qso("IK1AAD", "7", "CW", "1200", "11.06.2023"));
             s.log.Append(Qso("IK1AAE", "7", "CW", "1300", "10.06.2022"));  // the log's year is 2023
         },
         {{0, K::OutsideContestPeriod}, {3, K::OutsideContestPeriod}, {4, K::OutsideContestPeriod}}},
        {"the same station on the same band and mode",
         [](CheckCase& s) {
             s.log.Append(Qso("IK1AAA"));
             s.log.Append(Qso("IK1AAA", "7", "SSB"));
             s.log.Append(Qso("IK1AAA"));
         },
         {{2, K::Duplicate}}},
        {"RTTY on 160 m",
         [](CheckCase& s) {
             s.log.Append(Qso("IK1AAA", "1,8", "RTTY"));
             s.log.Append(Qso("IK1AAB", "3,5", "RTTY"));
         },
         {{0, K::RttyOn160}}},
        {"station data missing",
         [](CheckCase& s) {
             s.station = StationSummary{};
             s.station.category = "SINGLE-OP CW";
         },
         {{-1, K::OwnCallsignMissing}, {-1, K::OwnSectionMissing}, {-1, K::NameMissing}}},
        {"a log without a header has no station data to check",
         [](CheckCase& s) {
             s.station = StationSummary{};
             s.request.station = nullptr;
             s.log.Append(Qso("IK1AAA"));
         },
         {}},
        {"a special-event station enters",
         [](CheckCase& s) { s.station.callsign = "II2M"; },
         {{-1, K::OwnCallsignSpecial}}},
        {"a special-event station sends a check log",
         [](CheckCase& s) {
             s.station.callsign = "IO0ARI";
             s.station.category = "CHECKLOG";
         },
         {}},
        {"a special-event station worked counts as any other",
         [](CheckCase& s) {
             s.log.Append(Qso("IY1MR"));
             s.log.Append(Qso("IR1A", "14"));
         },
         {}},
        {"an own section not in the list",
         [](CheckCase& s) { s.station.ownSection = "0999"; },
         {{-1, K::OwnSectionUnknown}}},
        {"a value that would split a header line",
         [](CheckCase& s) {
             s.station.name = "Mario\tRossi";
             s.request.extras.email = "a@b.it\n";
         },
         {{-1, K::StationValueBreaksLine}, {-1, K::StationValueBreaksLine}}},
        {"power not chosen for the 3.0 file",
         [](CheckCase& s) { s.request.target = CheckedExport::Cabrillo3; },
         {{-1, K::PowerNotChosen}}},
        {"power not chosen, 2.0 file", [](CheckCase& s) { s.request.target = CheckedExport::Cabrillo; }, {}},
        {"power not chosen, ADIF", [](CheckCase& s) { s.request.target = CheckedExport::Adif; }, {}},
        {"power chosen",
         [](CheckCase& s) {
             s.request.target = CheckedExport::Cabrillo3;
             s.request.extras.power = "LOW";
         },
         {}},
        {"power in small letters is not chosen",
         [](CheckCase& s) {
             s.request.target = CheckedExport::Cabrillo3;
             s.request.extras.power = "low";
         },
         {{-1, K::PowerNotChosen}}},
        {"multi-operators are always high power",
         [](CheckCase& s) {
             s.request.target = CheckedExport::Cabrillo3;
             s.station.category = "MULTI-MULTI";
         },
         {}},
        {"a check log states no power",
         [](CheckCase& s) {
             s.request.target = CheckedExport::Cabrillo3;
             s.station.category = "CHECKLOG";
         },
         {}},
        {"SSB and RTTY contacts in a CW category: named at the first of each",
         [](CheckCase& s) {
             s.station.category = "SINGLE-OP CW";
             s.log.Append(Qso("IK1AAA"));
             s.log.Append(Qso("IK1AAB", "7", "SSB"));
             s.log.Append(Qso("IK1AAC", "14", "RTTY"));
             s.log.Append(Qso("IK1AAD", "14", "SSB"));
         },
         {{1, K::ModeNotInCategory}, {2, K::ModeNotInCategory}}},
        {"a category not in the list",
         [](CheckCase& s) {
             s.station.category = "SINGLE-OP";
             s.log.Append(Qso("IK1AAA", "7", "SSB"));
         },
         {{-1, K::CategoryUnknown}}},
        {"SWL in a QSO log",
         [](CheckCase& s) { s.station.category = "SWL"; },
         {{-1, K::CategoryNotForLogMode}}},
        {"a listening log under a QSO category",
         [](CheckCase& s) {
             s.log.SetMode(LogMode::Listening);
             s.log.Append(Heard("IK1AAA", "IK1BBB"));
         },
         {{-1, K::CategoryNotForLogMode}}},
        {"listening: calling twice, answering a fourth time",
         [](CheckCase& s) {
             s.station.category = "SWL";
             s.log.SetMode(LogMode::Listening);
             s.log.Append(Heard("IK1AAA", "IK1ZZZ"));
             s.log.Append(Heard("IK1BBB", "IK1ZZZ"));
             s.log.Append(Heard("IK1AAA", "IK1ZZZ"));
             s.log.Append(Heard("IK1CCC", "IK1ZZZ"));
             s.log.Append(Heard("IK1DDD", "IK1ZZZ"));
         },
         {{2, K::HeardCallingAgain}, {3, K::HeardAnsweringTooOften}}},
        {"damaged fields",
         [](CheckCase& s) {
             s.log.Append(MakeQso("1^.06.2023", "1300", "7", "CW", "IK1AAA", "599", "599", "0130"));
             s.log.Append(MakeQso("10.06.2023", "2460", "7", "CW", "IK1AAB", "599", "599", "0130"));
             s.log.Append(MakeQso("10.06.2023", "1300", "50", "CW", "IK1AAC", "599", "599", "0130"));
             s.log.Append(MakeQso("10.06.2023", "1300", "10", "C", "IK1AAD", "599", "599", "0130"));
             s.log.Append(MakeQso("10.06.2023", "1300", "7", "CW", "K1ABC", "59", "599", "9999"));
         },
         {{0, K::BadDate},
          {1, K::BadTime},
          {2, K::LeftOutOfScore},
          {3, K::BadBand},
          {3, K::BadMode},
          {4, K::BadCallsign},
          {4, K::BadReport},
          {4, K::UnknownSection}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CheckCase setup;
        setup.request.station = &setup.station;
        c.setup(setup);
        EXPECT_EQ(Found(CheckLog(setup.log, Sections(), setup.request)), c.expected);
    }
}

TEST(LogCheck, ReasonsInItalianAndInEnglish) {
    ContestLog log(LogMode::Qso);
    log.Append(Qso("IK1AAA", "7", "CW", "1000"));
    log.Append(Qso("IK1AAA", "7", "CW", "1300"));
    log.Append(Qso("IK1AAB", "1,8", "RTTY"));
    log.Append(Qso("IK1AAC", "50", "SSB"));
    log.Append(MakeQso("10.06.2023", "1300", "7", "CW", "k1abc", "59", "599", "9999"));
    StationSummary station = Station("SINGLE-OP CW");
    station.callsign = "IR2XYZ";
    station.name = "";
    station.address2 = "Via\nRoma";
    CheckRequest request{&station, {}, CheckedExport::Cabrillo3};
    std::map<FindingKind, std::pair<std::string, std::string>> texts;
    for (const LogFinding& finding : CheckLog(log, Sections(), request)) {
        texts.emplace(finding.kind, std::make_pair(finding.reason, finding.english));
    }
    const std::map<FindingKind, std::pair<std::string, std::string>> expected = {
        {FindingKind::OwnCallsignSpecial,
         {"Il nominativo IR2XYZ \xE8 un nominativo speciale: le stazioni speciali non possono partecipare "
          "alla classifica, solo inviare il log come CHECKLOG.",
          "own callsign IR2XYZ is a special-event callsign: special callsigns are not valid entrants "
          "(CHECKLOG only)"}},
        {FindingKind::NameMissing, {"Manca il nome nei dati riassuntivi.", "own name missing"}},
        {FindingKind::StationValueBreaksLine,
         {"Il campo \"Indirizzo riga 2\" dei dati riassuntivi contiene un a capo o un altro carattere di "
          "controllo.",
          "station value \"address line 2\" holds a control character"}},
        {FindingKind::PowerNotChosen,
         {"Manca la potenza (HIGH o LOW) nei dati riassuntivi: il file Cabrillo 3.0 la richiede.",
          "power not chosen (HIGH or LOW)"}},
        {FindingKind::OutsideContestPeriod,
         {"Fuori dal periodo del contest (10.06.2023 1000): il contest va da sabato 10.06.2023 12:00 a "
          "domenica 11.06.2023 11:59 UTC.",
          "10.06.2023 1000 is outside the contest period (10.06.2023 1200 to 11.06.2023 1159 UTC)"}},
        {FindingKind::Duplicate,
         {"Doppio: IK1AAA \xE8 gi\xE0 nel log in 7 CW alla riga 1.", "duplicate of row 1 (IK1AAA on 7 CW)"}},
        {FindingKind::RttyOn160, {"La RTTY non \xE8 ammessa in 1,8 (160 m).", "RTTY is not worked on 1,8"}},
        {FindingKind::ModeNotInCategory,
         {"La categoria SINGLE-OP CW non ammette QSO in RTTY: 1 nel log, il primo \xE8 questo.",
          "category SINGLE-OP CW takes no RTTY contacts (1 in the log, the first here)"}},
        {FindingKind::LeftOutOfScore,
         {"Escluso dal punteggio: la banda \"50\" non \xE8 una banda del contest.",
          "left out of the score: band \"50\" is not a contest band"}},
        {FindingKind::BadCallsign,
         {"Nominativo \"k1abc\" non valido.", "callsign \"k1abc\" is not a valid callsign"}},
        {FindingKind::BadReport,
         {"Rapporto inviato \"59\" non valido in \"CW\".", "report sent \"59\" is not valid in \"CW\""}},
        {FindingKind::UnknownSection,
         {"Codice sezione \"9999\" sconosciuto.", "section code \"9999\" is not a known four-digit code"}},
    };
    for (const auto& [kind, text] : expected) {
        ASSERT_EQ(texts.count(kind), 1u) << static_cast<int>(kind);
        EXPECT_EQ(texts[kind], text);
    }
}

TEST(LogCheck, SpecialEventCallsignsByTheirPrefix) {
    for (const char* special : {"II2M", "IO0ARI", "IR1A", "IY1MR", "II9ABC/P"}) {
        EXPECT_TRUE(IsSpecialEventCallsign(special)) << special;
    }
    // The ARI sections' own stations (IQ), the islands' (IS0, IT9, IA5) and the usual
    // prefixes; two letters not followed by the call area's digit.
    for (const char* usual : {"IQ2MI", "IS0ABC", "IT9XYZ", "IA5A", "IK2XYZ", "I2ABC", "IZ0AAA", "IW1AA",
                              "IU3B", "IN3ZZZ", "IOA", "II", "", "K1II"}) {
        EXPECT_FALSE(IsSpecialEventCallsign(usual)) << usual;
    }
}
