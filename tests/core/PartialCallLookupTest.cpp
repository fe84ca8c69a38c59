// The partial-call lookup: the order of its rows (the typed callsign, then the log's,
// the history's and the master list's callsigns holding the text, then those one
// character away), the log followed live through every kind of change, and the
// master list Debian ships.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "history/HistoryRecord.h"
#include "history/MasterCallList.h"
#include "history/PartialCallLookup.h"
#include "log/BandMode.h"
#include "util/FileIo.h"
#include "util/TextNumber.h"

using namespace tarnex;

namespace {

QsoRecord Contact(const std::string& call, const std::string& section, const char* band = "7",
                  const char* mode = "SSB") {
    return QsoRecord{"10.06.2023", "1400", band, mode, call, "59", "59", section, ""};
}

CallHistory HistoryOf(std::vector<std::pair<std::string, int>> stations) {
    std::vector<HistoryRecord> offers;
    for (auto& [call, section] : stations) {
        offers.push_back({call, static_cast<int16_t>(section), kUnknownMinute});
    }
    CallHistory history;
    history.Merge(offers);
    return history;
}

// A row as text, to compare whole lists at a glance: "~IZ2ABD log 0130 worked".
std::string Text(const KnownCall& row) {
    static const char* kSources[] = {"log", "history", "master"};
    return std::string(row.oneOff ? "~" : "") + row.call + " " + kSources[static_cast<int>(row.source)] +
           (row.section.empty() ? "" : " " + row.section) + (row.worked ? " worked" : "");
}

std::vector<std::string> Texts(const std::vector<KnownCall>& rows) {
    std::vector<std::string> texts;
    for (const KnownCall& row : rows) {
        texts.push_back(Text(row));
    }
    return texts;
}

constexpr BandAndMode k7Ssb{2, 0};

}  // namespace

TEST(PartialCallLookup, ListsTheTypedCallThenEachSourceInOrderThenTheOneCharacterAway) {
    ContestLog log(LogMode::Qso);
    log.Append(Contact("IZ2ABC", "1201"));
    log.Append(Contact("IZ2ABD", "0130", "14", "CW"));
    log.Append(Contact("IK2ABX", "0505"));
    log.Append(Contact("IZ2ABC", "5555", "21", "CW"));  // the first contact's section stays
    PartialCallLookup lookup;
    lookup.AttachLog(log);
    lookup.SetHistory(HistoryOf({{"IZ2ABC", 9999},
                                 {"IZ2ABE", 202},
                                 {"I2ABF", 303},
                                 {"IZ2ABB", 404},
                                 {"IZ2XBC", 606},
                                 {"IZ2AB", 707}}));
    lookup.SetMasterCalls({"IW2ABH", "IZ2ABC", "IZ2ABE", "IZ2ABG", "IZ2XBD"});

    EXPECT_EQ(Texts(lookup.Find("2ab", k7Ssb)),
              (std::vector<std::string>{"IK2ABX log 0505 worked", "IZ2ABC log 1201 worked", "IZ2ABD log 0130",
                                        "I2ABF history 0303", "IZ2AB history 0707", "IZ2ABB history 0404",
                                        "IZ2ABE history 0202", "IW2ABH master", "IZ2ABG master"}));
    // The typed callsign first; one character away: changed (IZ2ABD, IZ2ABB, IZ2ABE,
    // IZ2XBC), removed (IZ2AB), never from the master list (IZ2ABG, IZ2XBD).
    EXPECT_EQ(
        Texts(lookup.Find(" iz2abc ")),
        (std::vector<std::string>{"IZ2ABC log 1201", "~IZ2ABD log 0130", "~IZ2AB history 0707",
                                  "~IZ2ABB history 0404", "~IZ2ABE history 0202", "~IZ2XBC history 0606"}));
    // I2ABF is IZ2ABF with a character removed, IZ2AB too; in byte order "2" < "Z".
    EXPECT_EQ(
        Texts(lookup.Find("IZ2ABF")),
        (std::vector<std::string>{"~IZ2ABC log 1201", "~IZ2ABD log 0130", "~I2ABF history 0303",
                                  "~IZ2AB history 0707", "~IZ2ABB history 0404", "~IZ2ABE history 0202"}));
    EXPECT_EQ(Texts(lookup.Find("IZ2ABG")).front(), "IZ2ABG master");
    EXPECT_TRUE(lookup.Find("I").empty());
    EXPECT_TRUE(lookup.Find(" 2 ").empty());
    EXPECT_TRUE(lookup.Find("QQ").empty());
    EXPECT_TRUE(lookup.Find("").empty());
}

TEST(PartialCallLookup, ShowsAtMostFortyHoldingTheTextAndFortyOneAway) {
    ContestLog log(LogMode::Qso);
    std::vector<std::string> calls;
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b : {'A', 'B', 'C'}) {
            calls.push_back(std::string("IZ2") + a + b);
            log.Append(Contact(calls.back(), "0101"));
        }
    }
    std::sort(calls.begin(), calls.end());
    std::vector<std::pair<std::string, int>> stations = {{"IZ2", 1}};
    for (char x = 'A'; x <= 'Z'; ++x) {
        stations.push_back({std::string("IZ2M") + x + "A", 2});  // IZ2MA with one added inside
    }
    PartialCallLookup lookup;
    lookup.AttachLog(log);
    lookup.SetHistory(HistoryOf(stations));

    std::vector<KnownCall> rows = lookup.Find("IZ2");
    ASSERT_EQ(rows.size(), 40u);
    EXPECT_EQ(Text(rows[0]), "IZ2 history 0001");
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].call, calls[i - 1]);
    }
    // IZ2MA itself and IZ2MAA (which holds it), then the 27 log callsigns with one
    // character changed (IZ2xA, IZ2Mx), then as many of the other 25 history ones with
    // one added inside as fit.
    std::vector<KnownCall> away = lookup.Find("IZ2MA");
    ASSERT_EQ(away.size(), 42u);
    EXPECT_EQ(Text(away[0]), "IZ2MA log 0101");
    EXPECT_EQ(Text(away[1]), "IZ2MAA history 0002");
    for (size_t i = 2; i < away.size(); ++i) {
        EXPECT_TRUE(away[i].oneOff);
        EXPECT_EQ(away[i].source, i <= 28 ? KnownCallSource::Log : KnownCallSource::History) << i;
    }
    EXPECT_EQ(away[2].call, "IZ2AA");
    EXPECT_EQ(away[28].call, "IZ2ZA");
    EXPECT_EQ(away[29].call, "IZ2MBA");
    EXPECT_EQ(away[41].call, "IZ2MNA");
}

TEST(PartialCallLookup, ListeningLogsGiveBothStationsAndTheSectionEachSent) {
    ContestLog log(LogMode::Listening);
    log.Append(HrdRecord{"10.06.2023", "1400", "14", "CW", "IZ2AAA", "599", "0101", "IZ2BBB"});
    log.Append(HrdRecord{"10.06.2023", "1401", "7", "SSB", "IZ2CCC", "59", "0303", "IZ2AAA"});
    PartialCallLookup lookup;
    lookup.AttachLog(log);
    lookup.SetHistory(HistoryOf({{"IZ2CCC", 909}, {"IZ2BBB", 808}}));
    // IZ2BBB was only heard answering: the history gives its section; it counts as
    // worked only where it was heard calling.
    EXPECT_EQ(Texts(lookup.Find("Z2", BandAndMode{3, 1})),
              (std::vector<std::string>{"IZ2AAA log 0101 worked", "IZ2BBB log 0808", "IZ2CCC log 0303"}));
    EXPECT_EQ(Texts(lookup.Find("Z2", k7Ssb)),
              (std::vector<std::string>{"IZ2AAA log 0101", "IZ2BBB log 0808", "IZ2CCC log 0303 worked"}));
}

namespace {

bool OneAway(std::string_view a, std::string_view b) {
    if (a.size() == b.size()) {
        size_t differ = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            differ += a[i] != b[i];
        }
        return differ == 1;
    }
    if (a.size() + 1 == b.size()) {
        std::swap(a, b);
    }
    if (a.size() != b.size() + 1) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::string(a.substr(0, i)) + std::string(a.substr(i + 1)) == b) {
            return true;
        }
    }
    return false;
}

// The lookup written the slow and plain way: every callsign of every source compared
// with the typed text, the log read row by row.
std::vector<KnownCall> Model(std::string typed, const ContestLog& log,
                             const std::map<std::string, int>& history, const std::set<std::string>& master,
                             BandAndMode on) {
    std::vector<KnownCall> rows;
    ToUpperAscii(typed);
    if (typed.size() < 2) {
        return rows;
    }
    struct Seen {
        std::string section;
        bool worked = false;
    };
    std::map<std::string, Seen> logCalls;
    const bool qso = log.Mode() == LogMode::Qso;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        std::string_view call = log.Field(row, qso ? int{QsoCol::Callsign} : int{ListeningCol::CallingCall});
        std::string_view section = log.Field(row, qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection});
        if (IsHistoryCall(call)) {
            Seen& seen = logCalls[std::string(call)];
            if (seen.section.empty()) {
                seen.section = section;
            }
            seen.worked |=
                BandListIndex(log.Field(row, 3)) == on.band && ModeListIndex(log.Field(row, 4)) == on.mode;
        }
        if (!qso && IsHistoryCall(log.Field(row, ListeningCol::AnsweringCall))) {
            logCalls[std::string(log.Field(row, ListeningCol::AnsweringCall))];
        }
    }
    auto logRow = [&](const std::string& call) {
        KnownCall row{call, KnownCallSource::Log, logCalls[call].section, logCalls[call].worked, false};
        if (row.section.empty() && history.count(call)) {
            row.section = FormatCode(history.at(call));
        }
        return row;
    };
    auto historyRow = [&](const std::string& call) {
        return KnownCall{call, KnownCallSource::History, FormatCode(history.at(call)), false, false};
    };
    if (logCalls.count(typed)) {
        rows.push_back(logRow(typed));
    } else if (history.count(typed)) {
        rows.push_back(historyRow(typed));
    } else if (master.count(typed)) {
        rows.push_back(KnownCall{typed, KnownCallSource::Master, "", false, false});
    }
    for (const auto& [call, seen] : logCalls) {
        if (call != typed && call.find(typed) != std::string::npos && rows.size() < 40) {
            rows.push_back(logRow(call));
        }
    }
    for (const auto& [call, section] : history) {
        if (call != typed && call.find(typed) != std::string::npos && !logCalls.count(call) &&
            rows.size() < 40) {
            rows.push_back(historyRow(call));
        }
    }
    for (const std::string& call : master) {
        if (call != typed && call.find(typed) != std::string::npos && !logCalls.count(call) &&
            !history.count(call) && rows.size() < 40) {
            rows.push_back(KnownCall{call, KnownCallSource::Master, "", false, false});
        }
    }
    size_t away = 0;
    auto addAway = [&](KnownCall row) {
        if (away < 40 && OneAway(row.call, typed) && row.call.find(typed) == std::string::npos) {
            row.oneOff = true;
            rows.push_back(row);
            ++away;
        }
    };
    for (const auto& [call, seen] : logCalls) {
        addAway(logRow(call));
    }
    for (const auto& [call, section] : history) {
        if (!logCalls.count(call)) {
            addAway(historyRow(call));
        }
    }
    return rows;
}

}  // namespace

TEST(PartialCallLookup, FollowsTheLogThroughEveryKindOfChange) {
    std::mt19937 random(5);
    auto pick = [&](std::string_view from) { return from[random() % from.size()]; };
    auto randomCall = [&] {
        if (random() % 25 == 0) {
            return std::string(random() % 2 ? "iz2ab" : "IZ2^B");  // no callsigns: left out
        }
        std::string call = std::string("I") + pick("KZ") + pick("12");
        for (size_t n = 1 + random() % 3; n > 0; --n) {
            call += pick("ABC");
        }
        return call;
    };
    std::map<std::string, int> history;
    std::set<std::string> master;
    for (int i = 0; i < 30; ++i) {
        history[randomCall()] = static_cast<int>(random() % 10000);
        master.insert(randomCall());
    }
    std::erase_if(history, [](const auto& entry) { return !IsHistoryCall(entry.first); });
    std::erase_if(master, [](const std::string& call) { return !IsHistoryCall(call); });
    std::vector<std::pair<std::string, int>> stations(history.begin(), history.end());

    ContestLog log(LogMode::Qso);
    PartialCallLookup lookup;
    lookup.SetHistory(HistoryOf(stations));
    lookup.SetMasterCalls({master.begin(), master.end()});
    lookup.AttachLog(log);

    auto section = [&] {
        return random() % 10 == 0 ? std::string() : FormatCode(static_cast<int>(random() % 20));
    };
    auto band = [&] { return std::string(kBandTexts[random() % 2]); };
    auto mode = [&] { return std::string(kModeTexts[random() % 2]); };
    for (int step = 0; step < 600; ++step) {
        const unsigned what = random() % 100;
        const bool qso = log.Mode() == LogMode::Qso;
        if (what < 60 || log.Empty()) {
            if (qso) {
                log.Append(
                    QsoRecord{"10.06.2023", "1400", band(), mode(), randomCall(), "59", "59", section(), ""});
            } else {
                log.Append(HrdRecord{"10.06.2023", "1400", band(), mode(), randomCall(), "59", section(),
                                     randomCall()});
            }
        } else if (what < 85) {
            const size_t row = random() % log.RowCount();
            if (qso) {
                log.Replace(row, QsoRecord{"10.06.2023", "1400", band(), mode(), randomCall(), "59", "59",
                                           section(), ""});
            } else {
                log.Replace(row, HrdRecord{"10.06.2023", "1400", band(), mode(), randomCall(), "59",
                                           section(), randomCall()});
            }
        } else if (what < 93) {
            std::vector<size_t> rows;
            for (size_t row = 0; row < log.RowCount(); ++row) {
                if (random() % 6 == 0) {
                    rows.push_back(row);
                }
            }
            log.RemoveRows(rows);
        } else if (what < 97) {
            log.SortByDateTime();
        } else if (what < 99) {
            log.Clear();
        } else {
            log.SetMode(qso ? LogMode::Listening : LogMode::Qso);
        }
        for (int probe = 0; probe < 4; ++probe) {
            std::string typed = randomCall();
            if (probe % 2 == 0) {
                const size_t from = random() % typed.size();
                typed = typed.substr(from, 2 + random() % 3);
            }
            const BandAndMode on{static_cast<int>(random() % 2), static_cast<int>(random() % 2)};
            ASSERT_EQ(Texts(lookup.Find(typed, on)), Texts(Model(typed, log, history, master, on)))
                << "step " << step << ", typed " << typed << ", " << log.RowCount() << " rows";
        }
    }
    lookup.DetachLog();
    EXPECT_TRUE(std::none_of(lookup.Find("I").begin(), lookup.Find("I").end(),
                             [](const KnownCall& row) { return row.source == KnownCallSource::Log; }));
}

TEST(MasterCallList, KeepsTheItalianCallsignsOnce) {
    EXPECT_EQ(
        ItalianMasterCalls("# Release\r\n#\r\nI1ABC\r\nDL1ABC\r\nI/DL1ABC\r\nDL/IK2ABC\r\nik2abc\nI1ABC\r\n"
                           "IZ\r\nIZ2-AB\r\nI1ABC/P"),
        (std::vector<std::string>{"I/DL1ABC", "I1ABC", "I1ABC/P", "IK2ABC"}));
    EXPECT_EQ(LoadMasterCalls("/nonexistent/MASTER.SCP"), std::nullopt);
}

TEST(MasterCallList, DebiansListGivesItalianCallsignsAndALookupWithoutItStillWorks) {
    std::optional<std::vector<std::string>> master = LoadMasterCalls(kMasterCallsPath);
    ASSERT_TRUE(master.has_value()) << kMasterCallsPath << " (hamradio-files) is not installed";
    ASSERT_GT(master->size(), 1000u);
    EXPECT_TRUE(std::is_sorted(master->begin(), master->end()));
    EXPECT_TRUE(std::adjacent_find(master->begin(), master->end()) == master->end());
    EXPECT_TRUE(std::all_of(master->begin(), master->end(),
                            [](const std::string& call) { return IsItalianCall(call); }));
    // Every Italian line of the file is there.
    std::string bytes = *ReadFileBytes(kMasterCallsPath);
    size_t italianLines = 0;
    for (size_t at = 0; (at = bytes.find("\nI", at)) != std::string::npos; ++at) {
        ++italianLines;
    }
    EXPECT_EQ(master->size(), italianLines);

    ContestLog log(LogMode::Qso);
    log.Append(Contact("IK2QQQ", "0202"));
    PartialCallLookup lookup;
    lookup.AttachLog(log);
    lookup.SetHistory(HistoryOf({{"IK2QQR", 303}}));
    const std::vector<KnownCall> without = lookup.Find("IK2");
    EXPECT_EQ(Texts(without), (std::vector<std::string>{"IK2QQQ log 0202", "IK2QQR history 0303"}));
    lookup.SetMasterCalls(*master);
    const std::vector<KnownCall> with = lookup.Find("IK2");
    ASSERT_EQ(with.size(), 40u);
    EXPECT_EQ(std::vector<KnownCall>(with.begin(), with.begin() + 2), without);
    for (size_t i = 2; i < with.size(); ++i) {
        EXPECT_EQ(with[i].source, KnownCallSource::Master);
        EXPECT_NE(with[i].call.find("IK2"), std::string::npos);
    }
}
