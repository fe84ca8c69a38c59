// The merge of the server's stream with a position's own events, without a network:
// random histories of several positions adding, editing, deleting, sorting and
// changing the summary, published in random interleavings (with re-sent events) and
// delivered in random chunks.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/Settings.h"
#include "log/ContestLog.h"
#include "net/MergeCore.h"

using namespace tarnex;

namespace {

StationSummary Summary(std::string ownSection, std::string category) {
    StationSummary station;
    station.callsign = "IK1XYZ";
    station.ownSection = std::move(ownSection);
    station.category = std::move(category);
    station.name = "Nome";
    return station;
}

// What a position shows, kept up to date the way the window keeps its log: local
// events applied directly, stream events through the changes the core reports.
struct Shown {
    std::optional<LogMode> mode;
    std::optional<StationSummary> summary;
    std::vector<SharedRow> rows;

    void Take(const SharedLogView& view) {
        mode = view.mode;
        summary = view.summary;
        rows = view.rows;
    }
    size_t RowOf(const std::string& identity) const {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].identity == identity) {
                return i;
            }
        }
        ADD_FAILURE() << "no row " << identity;
        return 0;
    }
    void Follow(const std::vector<ViewChange>& changes, const MergeCore& core) {
        for (const ViewChange& change : changes) {
            switch (change.kind) {
                case ViewChange::Insert:
                    ASSERT_LE(change.at, rows.size());
                    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(change.at), change.row);
                    break;
                case ViewChange::Update:
                    rows[RowOf(change.row.identity)].fields = change.row.fields;
                    break;
                case ViewChange::Remove:
                    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(RowOf(change.row.identity)));
                    break;
                case ViewChange::Summary:
                    summary = core.ShownSummary();
                    break;
                case ViewChange::Reset:
                    Take(core.View());
                    break;
            }
        }
    }
};

bool SameView(const Shown& shown, const SharedLogView& view) {
    if (shown.rows.size() != view.rows.size() || shown.summary != view.summary) {
        return false;
    }
    for (size_t i = 0; i < view.rows.size(); ++i) {
        if (shown.rows[i].identity != view.rows[i].identity || shown.rows[i].fields != view.rows[i].fields) {
            return false;
        }
    }
    return true;
}

std::string Describe(const SharedLogView& view) {
    std::string text;
    for (const SharedRow& row : view.rows) {
        text += row.identity + " " + row.fields[0] + " " + row.fields[1] + " " + row.fields[4] + "\n";
    }
    return text;
}

struct Position {
    std::string name;
    MergeCore core;
    Shown shown;
    uint64_t next = 1;
    size_t published = 0;  // own events handed to the server so far (index into `made`)
    std::vector<NetEvent> made;
    size_t cursor = 0;  // stream events delivered so far
};

class History {
  public:
    History(uint32_t seed, int positions) : random_(seed) {
        for (int i = 0; i < positions; ++i) {
            positions_.push_back(std::make_unique<Position>());
            positions_.back()->name = std::string("P") + static_cast<char>('A' + i);
        }
    }

    void Run(int steps) {
        for (int step = 0; step < steps; ++step) {
            Position& p = *positions_[Pick(positions_.size())];
            int roll = static_cast<int>(Pick(100));
            if (roll < 35) {
                Make(p);
            } else if (roll < 60) {
                Publish(p, false);
            } else if (roll < 65) {
                Publish(p, true);  // the server stores some again (a re-send after its window)
            } else {
                Deliver(p, 1 + Pick(6));
            }
            if (Pick(10) == 0) {
                ASSERT_TRUE(SameView(p.shown, p.core.View())) << "step " << step << " at " << p.name << "\n"
                                                              << Describe(p.core.View());
            }
        }
        // Everyone sends all and reads all: pending events are acknowledged.
        for (auto& p : positions_) {
            Publish(*p, false);
        }
        for (auto& p : positions_) {
            Deliver(*p, stream_.size());
            ASSERT_TRUE(p->core.Pending().empty());
            ASSERT_TRUE(SameView(p->shown, p->core.View())) << p->name;
        }
    }

    const std::vector<NetEvent>& Stream() const { return stream_; }
    std::vector<std::unique_ptr<Position>>& Positions() { return positions_; }
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

  private:
    std::array<std::string, 8> RandomFields(LogMode mode) {
        static const char* const kTimes[] = {"0900", "1200", "1200", "1530", "2359", "12:0"};
        static const char* const kDates[] = {"12.06.2021", "13.06.2021", "01.07.2021", "30.06.2021", "xx"};
        std::string call = "I" + std::to_string(Pick(10)) + static_cast<char>('A' + Pick(26)) + "AA";
        if (mode == LogMode::Qso) {
            return {kDates[Pick(5)],
                    kTimes[Pick(6)],
                    "14",
                    "CW",
                    call,
                    "599",
                    "5" + std::to_string(Pick(10)) + "9",
                    std::to_string(1000 + Pick(9000))};
        }
        return {kDates[Pick(5)], kTimes[Pick(6)], "7", "SSB", call, "59", std::to_string(1000 + Pick(9000)),
                "I1ZZZ"};
    }

    void Make(Position& p) {
        LogMode mode = p.core.ShownMode().value_or(LogMode::Qso);
        int roll = static_cast<int>(Pick(100));
        NetEvent event;
        if (roll < 60 || p.shown.rows.empty()) {
            event = NetEvent::MakeAdd(p.name, p.next++, mode, RandomFields(mode));
            ASSERT_TRUE(p.core.AddPending(event));
            p.shown.rows.push_back({event.entry.Text(), event.fields});
            if (!p.shown.mode) {
                p.shown.mode = mode;
            }
        } else if (roll < 82) {
            size_t row = Pick(p.shown.rows.size());
            event = NetEvent::MakeEdit(p.name, p.next++, *EntryIdentity::Parse(p.shown.rows[row].identity),
                                       mode, RandomFields(mode));
            ASSERT_TRUE(p.core.AddPending(event));
            p.shown.rows[row].fields = event.fields;
        } else if (roll < 93) {
            size_t row = Pick(p.shown.rows.size());
            event = NetEvent::MakeDelete(p.name, p.next++, *EntryIdentity::Parse(p.shown.rows[row].identity));
            ASSERT_TRUE(p.core.AddPending(event));
            p.shown.rows.erase(p.shown.rows.begin() + static_cast<std::ptrdiff_t>(row));
        } else if (roll < 96) {
            event = NetEvent::MakeSort(p.name, p.next++);
            ASSERT_TRUE(p.core.AddPending(event));
            p.shown.Take(p.core.View());  // a sort shows the whole log again
        } else {
            StationSummary station = Summary(std::to_string(1000 + Pick(9000)), "MULTI-ONE");
            // Rarely the category of the other mode, which empties the log.
            if (Pick(8) == 0) {
                station.category = mode == LogMode::Qso ? "SWL" : "MULTI-ONE";
            }
            event = NetEvent::MakeSummary(p.name, p.next++, station);
            ASSERT_TRUE(p.core.AddPending(event));
            if (LogModeForCategory(station.category) != mode) {
                p.shown.rows.clear();
            }
            p.shown.summary = station;
            p.shown.mode = LogModeForCategory(station.category);
        }
        p.made.push_back(event);
    }

    void Publish(Position& p, bool again) {
        if (again) {
            if (p.published > 0) {
                stream_.push_back(p.made[Pick(p.published)]);
            }
            return;
        }
        while (p.published < p.made.size()) {
            stream_.push_back(p.made[p.published++]);
        }
    }

    void Deliver(Position& p, size_t count) {
        for (size_t i = 0; i < count && p.cursor < stream_.size(); ++i) {
            p.shown.Follow(p.core.ApplyConfirmed(stream_[p.cursor++]), p.core);
        }
    }

    std::mt19937 random_;
    std::vector<std::unique_ptr<Position>> positions_;
    std::vector<NetEvent> stream_;
};

SharedLogView Replay(const std::vector<NetEvent>& stream) {
    MergeCore core;
    for (const NetEvent& event : stream) {
        core.ApplyConfirmed(event);
    }
    return core.View();
}

bool SameLog(const SharedLogView& a, const SharedLogView& b) {
    Shown shown;
    shown.Take(a);
    return a.mode == b.mode && SameView(shown, b);
}

}  // namespace

TEST(MergeCore, EveryPositionEndsWithTheLogTheStreamMakes) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        History history(seed, 2 + static_cast<int>(seed % 3));
        history.Run(400);
        if (HasFatalFailure()) {
            FAIL() << "seed " << seed;
        }
        const SharedLogView expected = Replay(history.Stream());
        for (auto& p : history.Positions()) {
            ASSERT_TRUE(SameLog(p->core.View(), expected)) << "seed " << seed << " position " << p->name;
        }
        // The same stream with every event sent again right after it, and delivered in
        // one piece: re-sent events change nothing.
        std::vector<NetEvent> doubled;
        for (const NetEvent& event : history.Stream()) {
            doubled.push_back(event);
            doubled.push_back(event);
        }
        ASSERT_TRUE(SameLog(Replay(doubled), expected)) << "seed " << seed;
    }
}

TEST(MergeCore, ConcurrentEditsOfOneEntryEndAsTheLaterInTheStream) {
    const std::array<std::string, 8> base = {"12.06.2021", "1200", "14", "CW", "I1AAA", "599", "599", "1234"};
    std::array<std::string, 8> fromB = base;
    fromB[4] = "I1BBB";
    std::array<std::string, 8> fromC = base;
    fromC[4] = "I1CCC";
    const NetEvent add = NetEvent::MakeAdd("A", 1, LogMode::Qso, base);
    const NetEvent editB = NetEvent::MakeEdit("B", 1, {"A", 1}, LogMode::Qso, fromB);
    const NetEvent editC = NetEvent::MakeEdit("C", 1, {"A", 1}, LogMode::Qso, fromC);

    // B and C each show their own edit on top until the stream says otherwise.
    MergeCore b;
    MergeCore c;
    Shown shownB;
    Shown shownC;
    shownB.Follow(b.ApplyConfirmed(add), b);
    shownC.Follow(c.ApplyConfirmed(add), c);
    ASSERT_TRUE(b.AddPending(editB));
    ASSERT_TRUE(c.AddPending(editC));
    EXPECT_EQ(b.View().rows[0].fields[4], "I1BBB");
    EXPECT_EQ(c.View().rows[0].fields[4], "I1CCC");
    // The stream stores B's edit, then C's.
    shownB.Follow(b.ApplyConfirmed(editB), b);
    shownC.Follow(c.ApplyConfirmed(editB), c);
    EXPECT_EQ(c.View().rows[0].fields[4], "I1CCC") << "C's own edit stays on top while it is pending";
    shownB.Follow(b.ApplyConfirmed(editC), b);
    shownC.Follow(c.ApplyConfirmed(editC), c);
    for (const Shown* shown : {&shownB, &shownC}) {
        ASSERT_EQ(shown->rows.size(), 1u);
        EXPECT_EQ(shown->rows[0].fields[4], "I1CCC");
    }
    EXPECT_TRUE(b.Pending().empty());
    EXPECT_TRUE(c.Pending().empty());
}

TEST(MergeCore, ChangesOfAnEntryNotYetKnownWaitForItOrCancelIt) {
    const std::array<std::string, 8> base = {"12.06.2021", "1200", "14", "CW", "I1AAA", "599", "599", "1234"};
    std::array<std::string, 8> edited = base;
    edited[1] = "1201";
    struct Case {
        std::vector<NetEvent> stream;
        size_t rows;
        std::string time;
    } cases[] = {
        // An edit stored before the add it corrects (a re-sent add): applied after it.
        {{NetEvent::MakeEdit("A", 2, {"A", 1}, LogMode::Qso, edited),
          NetEvent::MakeAdd("A", 1, LogMode::Qso, base)},
         1,
         "1201"},
        // A delete stored before the add: the add adds nothing, and stays so.
        {{NetEvent::MakeDelete("A", 2, {"A", 1}), NetEvent::MakeAdd("A", 1, LogMode::Qso, base),
          NetEvent::MakeEdit("B", 1, {"A", 1}, LogMode::Qso, edited)},
         0,
         ""},
        // An older edit of the same author stored after a newer one is skipped.
        {{NetEvent::MakeAdd("A", 1, LogMode::Qso, base),
          NetEvent::MakeEdit("A", 3, {"A", 1}, LogMode::Qso, edited),
          NetEvent::MakeEdit("A", 2, {"A", 1}, LogMode::Qso, base)},
         1,
         "1201"},
        // An entry of the other kind of record, and an edit into the other kind, change nothing.
        {{NetEvent::MakeAdd("A", 1, LogMode::Qso, base), NetEvent::MakeAdd("B", 1, LogMode::Listening, base),
          NetEvent::MakeEdit("B", 2, {"A", 1}, LogMode::Listening, edited)},
         1,
         "1200"},
        // A summary of the other mode empties the log; the old entry stays gone.
        {{NetEvent::MakeAdd("A", 1, LogMode::Qso, base),
          NetEvent::MakeSummary("B", 1, Summary("1234", "SWL")),
          NetEvent::MakeEdit("A", 2, {"A", 1}, LogMode::Listening, edited),
          NetEvent::MakeSummary("B", 2, Summary("1234", "MULTI-ONE"))},
         0,
         ""},
    };
    for (const Case& c : cases) {
        SharedLogView view = Replay(c.stream);
        ASSERT_EQ(view.rows.size(), c.rows);
        if (c.rows == 1) {
            EXPECT_EQ(view.rows[0].fields[1], c.time);
        }
    }
}

TEST(MergeCore, SortOrdersAsTheSingleComputerSortDoes) {
    std::mt19937 random(7);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    static const char* const kDates[] = {"12.06.2021", "13.06.2021", "01.07.2021", "30.06.2020",
                                         "x",          "",           "3.6.2021"};
    static const char* const kTimes[] = {"0900", "1200", "120", "12000", "", "1", "0959"};
    for (int round = 0; round < 20; ++round) {
        MergeCore core;
        ContestLog log;
        for (uint64_t n = 1; n <= 200; ++n) {
            std::array<std::string, 8> fields = {kDates[pick(7)], kTimes[pick(7)], "14",  "CW",
                                                 "I1AAA",         "599",           "599", "1234"};
            core.ApplyConfirmed(NetEvent::MakeAdd("A", n, LogMode::Qso, fields));
            std::array<std::string_view, 8> columns;
            std::copy(fields.begin(), fields.end(), columns.begin());
            log.AppendFields(columns, "A#" + std::to_string(n));
        }
        core.ApplyConfirmed(NetEvent::MakeSort("B", 1));
        log.SortByDateTime();
        SharedLogView view = core.View();
        ASSERT_EQ(view.rows.size(), log.RowCount());
        for (size_t row = 0; row < log.RowCount(); ++row) {
            ASSERT_EQ(view.rows[row].identity, log.Identity(row)) << "round " << round << " row " << row;
        }
    }
}

TEST(NetEventBytes, ReadBackAsWrittenAndNothingElseIsAnEvent) {
    const std::array<std::string, 8> fields = {"12.06.2021", "1200", "14",  "CW",
                                               "I1AAA",      "599",  "599", "1234"};
    StationSummary station{"IK1XYZ", "0130", "MULTI-ONE", "IK1A IK1B", "Mario", "Via \xC8 1",
                           "",       "",     "",          "",          ""};
    const std::vector<NetEvent> events = {
        NetEvent::MakeAdd("RUN", 1718000000001, LogMode::Qso, fields),
        NetEvent::MakeEdit("MULT", 7, {"RUN", 1718000000001}, LogMode::Listening, fields),
        NetEvent::MakeDelete("RUN", 9, {"MULT", 3}),
        NetEvent::MakeSummary("RUN", 10, station),
        NetEvent::MakeSort("MULT", 11),
    };
    for (const NetEvent& event : events) {
        const std::string bytes = EncodeNetEvent(event);
        std::optional<NetEvent> read = DecodeNetEvent(bytes);
        ASSERT_TRUE(read.has_value()) << bytes;
        EXPECT_EQ(*read, event);
        // Random damage: what still reads is an event that writes back to the same
        // bytes (one way of writing each event), never a different reading of them.
        std::mt19937 random(static_cast<uint32_t>(bytes.size()));
        for (int round = 0; round < 2000; ++round) {
            std::string damaged = bytes;
            size_t at = random() % damaged.size();
            switch (random() % 3) {
                case 0:
                    damaged[at] = static_cast<char>(random());
                    break;
                case 1:
                    damaged.erase(at, 1 + random() % 3);
                    break;
                default:
                    damaged.insert(at, 1, static_cast<char>(random()));
            }
            if (std::optional<NetEvent> maybe = DecodeNetEvent(damaged)) {
                EXPECT_EQ(EncodeNetEvent(*maybe), damaged);
            }
        }
    }
    // Fields that would break a journal line, and an add that is not its own entry.
    std::array<std::string, 8> caret = fields;
    caret[4] = "I1^AA";
    std::array<std::string, 8> longCall = fields;
    longCall[4] = std::string(70, 'A');
    StationSummary twoLines = station;
    twoLines.name = "Mario\r\nRossi";
    NetEvent notItsOwn = NetEvent::MakeAdd("RUN", 1, LogMode::Qso, fields);
    notItsOwn.entry = {"RUN", 2};
    for (const NetEvent& bad : {NetEvent::MakeAdd("RUN", 1, LogMode::Qso, caret),
                                NetEvent::MakeAdd("RUN", 1, LogMode::Qso, longCall),
                                NetEvent::MakeSummary("RUN", 2, twoLines), notItsOwn}) {
        EXPECT_FALSE(DecodeNetEvent(EncodeNetEvent(bad)).has_value());
        MergeCore core;
        EXPECT_FALSE(core.AddPending(bad));
    }
    for (std::string_view garbage : {"", "TXE1", "TXE2O3:RUN,1:1,", "TXE1O3:RUN,01:1,", "TXE1O3:RUN,1:1,x",
                                     "TXE1O3:RUN,1:0,", "TXE1X3:RUN,1:1,", "\x16\x03\x01\x02\x00"}) {
        EXPECT_FALSE(DecodeNetEvent(garbage).has_value()) << garbage;
    }
    EXPECT_TRUE(DecodeNetEvent("TXE1O3:RUN,1:1,").has_value());
}
