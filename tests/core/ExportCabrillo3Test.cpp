// The Cabrillo 3.0 file: golden files for every category, and a strict reader that
// holds every file the program can write to the published tag and value lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ExportTestLogs.h"
#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "log/LogFile.h"
#include "log/StationCategory.h"
#include "score/ScoreComputation.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

using namespace tarnex;
using tarnex::testing::ExampleStation;
using tarnex::testing::MakeListening;
using tarnex::testing::MakeQso;

namespace {

std::string ExportData(const std::string& name) {
    std::optional<std::string> bytes = ReadFileBytes(std::string(TARNEX_TEST_DATA) + "/export/" + name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or("");
}

std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < file.size()) {
        size_t end = file.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(file.substr(at));
            break;
        }
        lines.push_back(file.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// No section names: the header tests need none.
const SectionTable& NoSections() {
    static const std::unique_ptr<SectionTable> table = std::make_unique<SectionTable>();
    return *table;
}

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    return tokens;
}

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kContestCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-";

bool OnlyOf(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

int Number(std::string_view digits) {
    return std::stoi(std::string(digits));
}

// yyyy-mm-dd with a month 01 to 12 and a day 01 to 31.
bool IsDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !OnlyOf(text.substr(0, 4), kDigits) ||
        !OnlyOf(text.substr(5, 2), kDigits) || !OnlyOf(text.substr(8, 2), kDigits)) {
        return false;
    }
    const int month = Number(text.substr(5, 2));
    const int day = Number(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// hhmm, 0000 to 2359.
bool IsTime(std::string_view text) {
    return text.size() == 4 && OnlyOf(text, kDigits) && Number(text.substr(0, 2)) < 24 &&
           Number(text.substr(2, 2)) < 60;
}

// What a strict Cabrillo 3.0 reader takes: the tags of the published header list,
// the published values of the category tags, a contest name of A-Z, 0-9 and "-",
// "QSO:" lines whose fields split at spaces, in time order, and nothing but printable
// characters. Returns the contacts read (sender and receiver callsigns), or the first
// reason to refuse the file.
struct ReadResult {
    std::string refusal;
    std::map<std::string, std::string> tags;  // the last value of each tag
    std::multiset<std::pair<std::string, std::string>> contacts;
};

ReadResult ReadStrictly(const std::string& file) {
    static const std::set<std::string> kTags = {"START-OF-LOG",
                                                "END-OF-LOG",
                                                "CALLSIGN",
                                                "CONTEST",
                                                "CATEGORY-ASSISTED",
                                                "CATEGORY-BAND",
                                                "CATEGORY-MODE",
                                                "CATEGORY-OPERATOR",
                                                "CATEGORY-POWER",
                                                "CATEGORY-STATION",
                                                "CATEGORY-TIME",
                                                "CATEGORY-TRANSMITTER",
                                                "CATEGORY-OVERLAY",
                                                "CERTIFICATE",
                                                "CLAIMED-SCORE",
                                                "CLUB",
                                                "CREATED-BY",
                                                "EMAIL",
                                                "GRID-LOCATOR",
                                                "LOCATION",
                                                "NAME",
                                                "ADDRESS",
                                                "ADDRESS-CITY",
                                                "ADDRESS-STATE-PROVINCE",
                                                "ADDRESS-POSTALCODE",
                                                "ADDRESS-COUNTRY",
                                                "OPERATORS",
                                                "OFFTIME",
                                                "SOAPBOX",
                                                "QSO",
                                                "X-QSO"};
    static const std::map<std::string, std::set<std::string>> kValues = {
        {"CATEGORY-BAND", {"ALL", "160M", "80M", "40M", "20M", "15M", "10M", "6M", "4M", "2M"}},
        {"CATEGORY-MODE", {"CW", "DIGI", "FM", "RTTY", "SSB", "MIXED"}},
        {"CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
        {"CATEGORY-POWER", {"HIGH", "LOW", "QRP"}},
        {"CATEGORY-TRANSMITTER", {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"}},
        {"CATEGORY-OVERLAY", {"CLASSIC", "ROOKIE", "TB-WIRES", "YOUTH", "NOVICE-TECH", "YL"}},
    };
    static const std::set<std::string> kFrequencies = {"1800", "3500", "7000", "14000", "21000", "28000"};
    static const std::set<std::string> kModes = {"CW", "PH", "FM", "RY", "DG"};

    ReadResult result;
    if (file.size() < 2 || file.compare(file.size() - 2, 2, "\r\n") != 0) {
        result.refusal = "the last line has no line end";
        return result;
    }
    const std::vector<std::string> lines = Lines(file);
    std::string lastTime;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto refuse = [&](const std::string& why) {
            result.refusal = "line " + std::to_string(i + 1) + ": " + why;
        };
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            refuse("control character");
            return result;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            refuse("no tag");
            return result;
        }
        const std::string tag = line.substr(0, colon);
        if (kTags.count(tag) == 0) {
            refuse("unknown tag " + tag);
            return result;
        }
        if (line.size() > colon + 1 && line[colon + 1] != ' ') {
            refuse("no space after the tag");
            return result;
        }
        const std::string value = line.size() > colon + 2 ? line.substr(colon + 2) : "";
        const std::vector<std::string> tokens = Tokens(value);
        if (i == 0 && (tag != "START-OF-LOG" || value != "3.0")) {
            refuse("does not start the log as version 3.0");
            return result;
        }
        if ((tag == "END-OF-LOG") != (i + 1 == lines.size())) {
            refuse("END-OF-LOG is not the last line");
            return result;
        }
        if (auto values = kValues.find(tag); values != kValues.end() && values->second.count(value) == 0) {
            refuse(tag + " value \"" + value + "\" is not in the published list");
            return result;
        }
        if (tag == "CONTEST" && (value.empty() || value.size() > 32 || !OnlyOf(value, kContestCharacters))) {
            refuse("contest name \"" + value + "\"");
            return result;
        }
        if (tag == "CLAIMED-SCORE" && (value.empty() || !OnlyOf(value, kDigits))) {
            refuse("claimed score \"" + value + "\"");
            return result;
        }
        if (tag == "QSO") {
            // freq mo date time call exchange... call exchange..., as many sent as received
            if (tokens.size() < 8 || tokens.size() % 2 != 0) {
                refuse("QSO line of " + std::to_string(tokens.size()) + " fields");
                return result;
            }
            if (kFrequencies.count(tokens[0]) == 0 || kModes.count(tokens[1]) == 0 || !IsDate(tokens[2]) ||
                !IsTime(tokens[3])) {
                refuse("QSO frequency, mode, date or time");
                return result;
            }
            const std::string when = tokens[2] + tokens[3];
            if (when < lastTime) {
                refuse("QSO before the one above it");
                return result;
            }
            lastTime = when;
            // The sent callsign, report and section, then the received callsign (and, in
            // QSO mode, its report and section).
            result.contacts.insert({tokens[4], tokens[7]});
        }
        result.tags[tag] = value;
    }
    return result;
}

// The sender and receiver callsigns of every row, as the file should list them.
std::multiset<std::pair<std::string, std::string>> ContactsOf(const ContestLog& log,
                                                              const StationSummary& station) {
    std::multiset<std::pair<std::string, std::string>> contacts;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        if (log.Mode() == LogMode::Qso) {
            contacts.insert({station.callsign, std::string(log.Field(row, QsoCol::Callsign))});
        } else {
            contacts.insert({std::string(log.Field(row, ListeningCol::CallingCall)),
                             std::string(log.Field(row, ListeningCol::AnsweringCall))});
        }
    }
    return contacts;
}

// A log of the contest weekend of 2023 (10 and 11 June), in no particular order, with
// callsigns up to the 14 characters the entry form takes.
void FillLog(ContestLog& log, unsigned seed, size_t rows) {
    std::mt19937 random(seed);
    const char* calls[] = {"IK1AAA", "IZ2BBB", "I3C", "IW4DDD/P", "IZ2AAA/IT9/QRP", "IU8ABCDEFGHIJK"};
    const char* sections[] = {"0101", "0130", "0501", "1201"};
    for (size_t i = 0; i < rows; ++i) {
        const int band = static_cast<int>(random() % kBandCount);
        int mode = static_cast<int>(random() % kModeCount);
        if (band == 0 && mode == 2) {
            mode = 1;
        }
        const bool saturday = random() % 2 == 0;
        const unsigned hour = saturday ? 12 + random() % 12 : random() % 12;
        char time[8];
        std::snprintf(time, sizeof time, "%02u%02u", hour, static_cast<unsigned>(random() % 60));
        const std::string date = saturday ? "10.06.2023" : "11.06.2023";
        const std::string report = mode == 0 ? "59" : "599";
        const std::string call = calls[random() % 6];
        const std::string section = sections[random() % 4];
        if (log.Mode() == LogMode::Qso) {
            log.Append(MakeQso(date, time, std::string(kBandTexts[band]), std::string(kModeTexts[mode]), call,
                               report, report, section));
        } else {
            log.Append(MakeListening(date, time, std::string(kBandTexts[band]), std::string(kModeTexts[mode]),
                                     call, report, section, calls[random() % 6]));
        }
    }
}

}  // namespace

TEST(Cabrillo3Golden, EveryCategoryInItsLogMode) {
    auto sections = std::make_unique<SectionTable>();
    ASSERT_TRUE(LoadSectionsFile(std::string(TARNEX_TEST_DATA) + "/export/sections.cod", *sections));
    struct Case {
        const char* golden;
        const char* log;
        const char* category;
        StationExtras extras;
        const char* contest;
    } cases[] = {
        {"qso-single-op-ssb.cbr",
         "qso_log.trnx",
         "SINGLE-OP SSB",
         {"LOW", "ROOKIE", "mario@example.org"},
         "SEZIONI"},
        {"qso-single-op-cw.cbr", "qso_log.trnx", "SINGLE-OP CW", {"HIGH", "", ""}, "SEZIONI"},
        {"qso-single-op-rtty.cbr", "qso_log.trnx", "SINGLE-OP RTTY", {"", "YOUTH", ""}, "SEZIONI"},
        {"qso-single-op-mixed.cbr", "qso_log.trnx", "SINGLE-OP MIXED", {"LOW", "", ""}, "ARI-SEZIONI"},
        {"qso-multi-one.cbr", "qso_log.trnx", "MULTI-ONE", {"", "", ""}, "SEZIONI"},
        {"qso-multi-multi.cbr", "qso_log.trnx", "MULTI-MULTI", {"HIGH", "", ""}, "SEZIONI"},
        {"qso-checklog.cbr", "qso_log.trnx", "CHECKLOG", {"LOW", "", ""}, "SEZIONI"},
        {"swl-swl.cbr", "swl_log.trnx", "SWL", {"HIGH", "", ""}, "SEZIONI"},
    };
    std::set<std::string> categories;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        ContestLog log;
        StationSummary station;
        ReadLogBytes(ExportData(c.log), *sections, log, station);
        station.category = c.category;
        categories.insert(c.category);
        Cabrillo3Options options;
        options.extras = c.extras;
        options.contest = c.contest;
        options.programVersion = "1.0";
        const std::string file =
            ExportCabrillo3(log, station, *sections, ComputeScore(log).claimedScore, options);
        EXPECT_EQ(file, ExportData("cabrillo3/" + std::string(c.golden)));
        EXPECT_EQ(ReadStrictly(file).refusal, "");
    }
    EXPECT_EQ(categories, std::set<std::string>(kCategories.begin(), kCategories.end()));
    // The 2.0 file of the same log is the one it always was.
    ContestLog log;
    StationSummary station;
    ReadLogBytes(ExportData("qso_log.trnx"), *sections, log, station);
    EXPECT_EQ(ExportCabrillo(log, station, *sections, 40), ExportData("qso.cbr"));
    // ... which a 3.0 reader refuses.
    EXPECT_EQ(ReadStrictly(ExportData("qso.cbr")).refusal, "line 1: does not start the log as version 3.0");
}

TEST(Cabrillo3Reader, TakesEveryCategoryInBothModesAndReadsBackEveryContact) {
    auto owner = std::make_unique<SectionTable>();
    SectionTable& sections = *owner;
    sections.SetName(501, "ALFA");
    unsigned seed = 1;
    for (LogMode mode : {LogMode::Qso, LogMode::Listening}) {
        for (const char* category : kCategories) {
            for (const char* power : kPowerChoices) {
                for (const char* overlay : kOverlayChoices) {
                    SCOPED_TRACE(std::string(category) + " " + power + " " + overlay +
                                 (mode == LogMode::Qso ? " QSO" : " SWL"));
                    ContestLog log(mode);
                    FillLog(log, ++seed, 40);
                    StationSummary station = ExampleStation();
                    station.callsign = seed % 2 ? "IZ2AAA/IT9/QRP" : "IK2XYZ";  // 14 characters, or fewer
                    station.category = category;
                    Cabrillo3Options options;
                    options.extras = {power, overlay, "op@example.org"};
                    const std::string file = ExportCabrillo3(log, station, sections, 1234, options);
                    ReadResult read = ReadStrictly(file);
                    ASSERT_EQ(read.refusal, "");
                    EXPECT_EQ(read.contacts, ContactsOf(log, station));
                    const CategoryTraits& traits = *TraitsOfCategory(category);
                    EXPECT_EQ(read.tags["CATEGORY-OPERATOR"], traits.operatorTag);
                    // Multi-operator entries are always high power; listeners state none.
                    const std::string expectedPower = traits.multiOperator ? "HIGH"
                                                      : traits.listening   ? ""
                                                                           : power;
                    EXPECT_EQ(read.tags.count("CATEGORY-POWER") ? read.tags["CATEGORY-POWER"] : "",
                              expectedPower);
                    const std::string expectedOverlay = traits.singleOperator ? overlay : "";
                    EXPECT_EQ(read.tags.count("CATEGORY-OVERLAY") ? read.tags["CATEGORY-OVERLAY"] : "",
                              expectedOverlay);
                }
            }
        }
    }
}

TEST(Cabrillo3Export, NoStationValueSplitsItsLine) {
    const SectionTable& sections = NoSections();
    ContestLog log(LogMode::Qso);
    log.Append(MakeQso("10.06.2023", "1300", "7", "CW", "IK1AAA", "599", "599", "0130"));
    StationSummary station = ExampleStation();
    station.name = "Mario\r\nQSO: 7000 CW";
    station.address1 = "Via\tRoma";
    station.comment3 = "fine\x7F";
    Cabrillo3Options options;
    options.extras.email = "a@b.it\r\nEND-OF-LOG:";
    const std::string file = ExportCabrillo3(log, station, sections, 10, options);
    EXPECT_EQ(ReadStrictly(file).refusal, "");
    EXPECT_NE(file.find("NAME: Mario  QSO: 7000 CW\r\n"), std::string::npos);
    EXPECT_NE(file.find("EMAIL: a@b.it  END-OF-LOG:\r\n"), std::string::npos);
    EXPECT_NE(file.find("ADDRESS: Via Roma\r\n"), std::string::npos);
    // The own section is in the header and in every QSO-mode line.
    const size_t lines = Lines(file).size();
    station.ownSection = "05\n01";
    const std::string broken = ExportCabrillo3(log, station, sections, 10, options);
    EXPECT_EQ(Lines(broken).size(), lines);
    EXPECT_NE(broken.find(" 599 05 01   IK1AAA"), std::string::npos);
}

TEST(Cabrillo3Export, ContactsInDateAndTimeOrderUnreadableOnesLast) {
    ContestLog log(LogMode::Qso);
    const char* rows[][2] = {{"11.06.2023", "0100"},  {"1^.06.2023", "0000"}, {"10.06.2023", "1300"},
                             {"10.06.2023", "2460x"}, {"10.06.2023", "1300"}, {"31.05.2023", "2359"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        log.Append(MakeQso(rows[i][0], rows[i][1], "7", "CW", "IK1AA" + std::string(1, char('A' + i)), "599",
                           "599", "0130"));
    }
    EXPECT_EQ(Cabrillo3RowOrder(log), (std::vector<size_t>{5, 2, 4, 0, 1, 3}));
    // The lines themselves are those of the 2.0 file.
    const std::string file = ExportCabrillo3(log, ExampleStation(), NoSections(), 0);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        EXPECT_NE(file.find(CabrilloQsoLine(log, row, ExampleStation())), std::string::npos) << row;
    }
    // A log already in order keeps it.
    ContestLog ordered(LogMode::Listening);
    FillLog(ordered, 7, 30);
    ordered.SortByDateTime();
    std::vector<size_t> identity(ordered.RowCount());
    std::iota(identity.begin(), identity.end(), size_t{0});
    EXPECT_EQ(Cabrillo3RowOrder(ordered), identity);
}

TEST(Cabrillo3Export, ContestNamesProgramVersionAndACategoryNotInTheList) {
    struct Case {
        std::string name;
        bool valid;
    } cases[] = {
        {"SEZIONI", true},
        {"ARI-SEZIONI-2024", true},
        {std::string(32, 'A'), true},
        {std::string(33, 'A'), false},
        {"", false},
        {"Sezioni", false},
        {"ARI SEZIONI", false},
        {"ARI_SEZIONI", false},
        {"SEZIONI\r\n", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsCabrilloContestName(c.name), c.valid) << c.name;
    }
    const std::string file = ExportCabrillo3(ContestLog(LogMode::Qso), ExampleStation(), NoSections(), 0);
    EXPECT_EQ(Lines(file)[1], std::string("CREATED-BY: TARNEX ") + kProgramVersion);
    const std::string version = kProgramVersion;
    EXPECT_TRUE(!version.empty() && OnlyOf(version, "0123456789.") && version.front() != '.' &&
                version.back() != '.')
        << version;
    EXPECT_EQ(Lines(file)[2], "CONTEST: SEZIONI");
    // A category that is not one of the list (a damaged header) states only the band.
    StationSummary odd = ExampleStation();
    odd.category = "single-op cw";
    const std::string oddFile = ExportCabrillo3(ContestLog(LogMode::Qso), odd, NoSections(), 0);
    EXPECT_EQ(oddFile.find("CATEGORY-OPERATOR"), std::string::npos);
    EXPECT_NE(oddFile.find("CATEGORY-BAND: ALL\r\n"), std::string::npos);
    EXPECT_EQ(ReadStrictly(oddFile).refusal, "");
}
