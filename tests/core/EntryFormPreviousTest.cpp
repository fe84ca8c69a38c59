// Previous contacts, the duplicate flag and the two worked grids of the entry form,
// and the callsign-to-rows index that answers the search.

#include <random>

#include "EntryFormFixture.h"
#include "entry/CallsignRows.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

using EntryFormPrevious = EntryFormFixture;

constexpr int kSsb = 0, kCw = 1;
constexpr int k7 = 2, k14 = 3;

TEST_F(EntryFormPrevious, EarlierContactOnAnotherBandFillsTheSectionWithoutDuplicate) {
    Seed("IZ2AAA", "7", "SSB", "5678", "02.06.2007", "0931");
    Start();
    form->OnBandChosen(k14);
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();

    ASSERT_EQ(S().previous.size(), 1u);
    EXPECT_EQ(S().previous[0], (PreviousContact{"02", "0931", "7", "SSB", "59", "57"}));
    EXPECT_EQ(V().previousCall, "IZ2AAA");
    EXPECT_TRUE(Cell(1, kSsb, k7));
    EXPECT_EQ(V().section, "5678");
    EXPECT_EQ(V().sectionName, "ROMA");
    EXPECT_TRUE(Cell(0, kSsb, k7));             // grid 0 shows the section
    EXPECT_TRUE(S().indicators.newMultiplier);  // not yet worked on 14 SSB
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(LitCells(), 2);
    EXPECT_EQ(S().focus, EntryField::Section);
}

TEST_F(EntryFormPrevious, DuplicateIsFlaggedAndEnterDiscardsIt) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    EXPECT_TRUE(S().duplicate);
    EXPECT_TRUE(S().indicators.duplicate);
    EXPECT_EQ(V().section, "");
    EXPECT_EQ(V().sectionName, "");
    EXPECT_FALSE(S().indicators.newMultiplier);
    EXPECT_EQ(S().previous.size(), 1u);

    const int redraws = view.redraws;
    const std::string journal = JournalBytes();
    Enter();
    EXPECT_GT(view.redraws, redraws);
    EXPECT_EQ(Log().RowCount(), 1u);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(V().previousCall, "");
    EXPECT_TRUE(S().previous.empty());
    EXPECT_EQ(LitCells(), 0);
    EXPECT_EQ(S().focus, EntryField::Callsign);
    EXPECT_EQ(JournalBytes(), journal);
}

TEST_F(EntryFormPrevious, ChangingBandAfterADuplicateEvaluatesAgain) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    ASSERT_TRUE(S().duplicate);
    form->OnBandChosen(k14);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(V().section, "5678");
    EXPECT_EQ(V().sectionName, "ROMA");
    EXPECT_TRUE(S().indicators.newMultiplier);
    form->OnModeChosen(kCw);
    EXPECT_EQ(V().rstSent, "599");
    form->OnBandChosen(k7);
    form->OnModeChosen(kSsb);  // back on 7 SSB: a duplicate again
    EXPECT_TRUE(S().duplicate);
    EXPECT_EQ(V().section, "");
}

TEST_F(EntryFormPrevious, ContactsAreListedInLogOrderAndLightTheirCells) {
    Seed("IZ2AAA", "7", "CW", "5678", "01.06.2007", "1000");
    Seed("IZ2BBB", "14", "SSB", "1234");
    Seed("IZ2AAA", "7", "SSB", "5678", "01.06.2007", "0900");
    Start();
    form->OnBandChosen(k14);
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    ASSERT_EQ(S().previous.size(), 2u);
    EXPECT_EQ(S().previous[0].mode, "CW");
    EXPECT_EQ(S().previous[1].mode, "SSB");
    EXPECT_TRUE(Cell(1, kCw, k7));
    EXPECT_TRUE(Cell(1, kSsb, k7));
    EXPECT_EQ(S().previousScrollRequests, 1u);
}

TEST_F(EntryFormPrevious, CallsignIsTrimmedAndUpperCasedBeforeTheSearch) {
    Seed("IZ2XYZ", "14", "SSB", "1234");
    Start();
    Type(EntryField::Callsign, " iz2xyz ");
    Focus(EntryField::RstSent);  // leaving the field evaluates it
    EXPECT_EQ(V().callsign, "IZ2XYZ");
    EXPECT_EQ(S().previous.size(), 1u);
    EXPECT_EQ(V().section, "1234");
}

TEST_F(EntryFormPrevious, MultiplierPictureFollowsBandAndMode) {
    Seed("IZ9ZZZ", "14", "SSB", "5678");
    Start();
    form->OnBandChosen(k14);
    form->OnModeChosen(kCw);
    Focus(EntryField::Section);
    form->OnSectionTyped("5678");
    EXPECT_TRUE(Cell(0, kSsb, k14));
    EXPECT_TRUE(S().indicators.newMultiplier);
    form->OnModeChosen(kSsb);  // the grid is shown again for the new mode
    EXPECT_FALSE(S().indicators.newMultiplier);
}

TEST_F(EntryFormPrevious, TypedSectionIsNeverReplaced) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    form->OnBandChosen(k14);
    Focus(EntryField::Section);
    form->OnSectionTyped("1234");
    Type(EntryField::Callsign, "IZ2AAA");
    form->EvaluateCallsign();
    EXPECT_EQ(V().section, "1234");
    EXPECT_EQ(V().sectionName, "MILANO");
}

TEST_F(EntryFormPrevious, RowsThatDoNotDecodeAreListedButLightNothing) {
    Seed("IZ2AAA", "", "XX", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    EXPECT_EQ(S().previous.size(), 1u);
    for (int mode = 0; mode < 3; ++mode) {
        for (int band = 0; band < 6; ++band) {
            EXPECT_FALSE(Cell(1, mode, band));
        }
    }
}

TEST_F(EntryFormPrevious, InvalidCallsignClearsTheDuplicate) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Focus(EntryField::RstSent);
    ASSERT_TRUE(S().duplicate);
    Focus(EntryField::Callsign);
    Type(EntryField::Callsign, "IZ");
    Focus(EntryField::RstSent);
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_EQ(V().callsign, "");
    EXPECT_EQ(S().previous.size(), 1u);  // the list stays until the next search
}

TEST_F(EntryFormPrevious, LogReplacedSwitchesEverythingOff) {
    Seed("IZ2AAA", "7", "SSB", "5678");
    Start();
    Type(EntryField::Callsign, "IZ2AAA");
    Enter();
    ASSERT_TRUE(S().duplicate);
    session->New();  // not modified: asks nothing; the window passes the news on
    form->OnLogReplaced();
    EXPECT_FALSE(S().duplicate);
    EXPECT_FALSE(S().indicators.duplicate);
    EXPECT_TRUE(S().previous.empty());
    EXPECT_EQ(LitCells(), 0);
}

// The index gives the rows and columns the walk over the log gives, in the same order,
// through appends, edits, deletions, sorts and a change of mode; a column too long to
// be copied next to the row numbers is read from the log.
TEST(CallsignRowsIndex, StaysInStepWithTheLog) {
    ContestLog log;
    CallsignRows index(log);
    // A first row with every field empty has no bytes in the log's store at all.
    log.Append(QsoRecord{});
    std::mt19937 random(7);
    // Enough stations for the table to grow and for stations to vanish in edits.
    std::vector<std::string> calls = {"IZ2AAA", "IZ2BBB", "I1A", "IZ2AAA/P", ""};
    for (int n = 0; n < 60; ++n) {
        calls.push_back("IK" + std::to_string(n) + "Q");
    }
    const std::string longReport(300, '9');
    const char* bands[] = {"7", "3.5", "14", ""};
    const char* modes[] = {"SSB", "CW", "X"};
    auto record = [&](int i) {
        char date[16];
        std::snprintf(date, sizeof date, "%02d.06.2007", 1 + static_cast<int>(random() % 28));
        return QsoRecord{i % 37 == 0 ? "1" : date,
                         std::to_string(1000 + i % 50),
                         bands[random() % 4],
                         modes[random() % 3],
                         calls[random() % calls.size()],
                         i % 23 == 0 ? longReport : "59",
                         std::to_string(random() % 600),
                         std::to_string(1000 + random() % 9000),
                         ""};
    };
    auto walk = [&](std::string_view callsign) {
        std::vector<uint32_t> rows;
        for (size_t row = 0; row < log.RowCount(); ++row) {
            if (log.Field(row, QsoCol::Callsign) == callsign) {
                rows.push_back(static_cast<uint32_t>(row));
            }
        }
        return rows;
    };
    std::vector<CallsignContact> contacts;
    auto sameContacts = [&](std::string_view callsign, const std::vector<uint32_t>& rows) {
        index.ContactsOf(callsign, contacts);
        if (contacts.size() != rows.size()) {
            return false;
        }
        for (size_t n = 0; n < rows.size(); ++n) {
            const CallsignContact& c = contacts[n];
            const uint32_t row = rows[n];
            if (c.row != row || c.day != log.Field(row, QsoCol::Date).substr(0, 2) ||
                c.time != log.Field(row, QsoCol::Time) || c.band != log.Field(row, QsoCol::Band) ||
                c.mode != log.Field(row, QsoCol::Mode) || c.rstSent != log.Field(row, QsoCol::RstSent) ||
                c.rstReceived != log.Field(row, QsoCol::RstReceived) ||
                c.section != log.Field(row, QsoCol::Section)) {
                return false;
            }
        }
        return true;
    };
    auto same = [&] {
        for (const std::string& call : calls) {
            const std::vector<uint32_t> rows = walk(call);
            if (index.RowsOf(call) != rows || !sameContacts(call, rows)) {
                return false;
            }
        }
        return index.RowsOf("IZ9ZZZ").empty() && sameContacts("IZ9ZZZ", {});
    };
    for (int i = 0; i < 200; ++i) {
        log.Append(record(i));
    }
    ASSERT_TRUE(same());
    for (int step = 0; step < 300; ++step) {
        switch (random() % 4) {
            case 0:
                log.Append(record(step));
                break;
            case 1:
                log.Replace(random() % log.RowCount(), record(step));
                break;
            case 2:
                log.RemoveRows({random() % log.RowCount()});
                break;
            case 3:
                if (step % 20 == 0) {
                    log.SortByDateTime();
                }
                break;
        }
        ASSERT_TRUE(same()) << "step " << step;
    }
    log.SetMode(LogMode::Listening);
    log.Append(HrdRecord{"01.06.2007", "1200", "7", "SSB", "IZ2AAA", "59", "1234", "IZ2BBB"});
    EXPECT_TRUE(index.RowsOf("IZ2AAA").empty());
    log.SetMode(LogMode::Qso);
    log.Append(record(0));
    EXPECT_TRUE(same());
}

}  // namespace
