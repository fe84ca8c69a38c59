// The automatic date and time of the entry form and the band-change tips.

#include "EntryFormFixture.h"

using namespace tarnex;
using namespace tarnex::testing;

namespace {

using EntryFormClock = EntryFormFixture;

const char* const kTip160 =
    "Dalle ore 00:00 alle ore 00:59 locali\nsi consiglia di operare sulla banda dei 160 metri!\n(non in "
    "RTTY)";
const char* const kTip10 =
    "Ad ogni ora piena\nsi consiglia di operare sulla banda dei 10 metri\nper almeno 5 minuti!";
const char* const kTip15 =
    "Al primo quarto d'ora\nsi consiglia di operare sulla banda dei 15 metri\nper almeno 5 minuti!";
const char* const kTip20 =
    "Alla mezz'ora\nsi consiglia di operare sulla banda dei 20 metri\nper almeno 5 minuti!";

TEST(EntryClockTips, FollowTheLocalHourAndTheComputersZone) {
    struct Case {
        int localHour;
        int minute;
        bool pcShowsUtc;
        const char* tip;  // nullptr: none
    } cases[] = {
        {0, 0, false, kTip160},  {0, 15, false, nullptr}, {0, 30, false, nullptr},  {1, 0, false, kTip10},
        {13, 15, false, kTip15}, {13, 30, false, kTip20}, {13, 45, false, nullptr}, {13, 1, false, nullptr},
        {22, 0, true, kTip160},  {22, 15, true, nullptr}, {22, 30, true, nullptr},  {0, 0, true, kTip10},
        {0, 15, true, kTip15},   {22, 0, false, kTip10},  {23, 59, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.localHour) + ":" + std::to_string(c.minute) +
                     (c.pcShowsUtc ? " utc" : ""));
        ClockNow now;
        now.local = {2007, 6, 1, c.localHour, c.minute, 0};
        now.utc = {2007, 6, 1, (c.localHour + 22) % 24, c.minute, 0};
        std::optional<std::string> tip = BandChangeTip(now, c.pcShowsUtc);
        if (c.tip == nullptr) {
            EXPECT_FALSE(tip.has_value());
        } else {
            ASSERT_TRUE(tip.has_value());
            EXPECT_EQ(*tip, c.tip);
        }
    }
}

TEST(EntryClockFormat, DateTimeAndInterval) {
    ClockTime t{2007, 6, 1, 9, 5, 37};
    EXPECT_EQ(FormatClockDate(t), "01.06.2007");
    EXPECT_EQ(FormatClockTime(t), "0905");
    EXPECT_EQ(NextMinuteInterval(t), 23000);
    t.second = 0;
    EXPECT_EQ(NextMinuteInterval(t), 60000);
    t.second = 59;
    EXPECT_EQ(NextMinuteInterval(t), 1000);
}

TEST_F(EntryFormClock, StartOnUtcComputerThenTheNextTick) {
    Start(At(10, 14, 37));
    form->OnPcShowsUtcClicked(true, At(10, 14, 37));
    EXPECT_EQ(V().time, "1014");
    EXPECT_EQ(S().clockIntervalMs, 23000);
    EXPECT_TRUE(prompts.records.empty());

    form->OnClockTick(At(10, 15, 0));
    EXPECT_EQ(V().time, "1015");
    EXPECT_EQ(S().clockIntervalMs, 60000);
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, kTip15);
    EXPECT_EQ(prompts.records[0].title, "Consiglio");
    EXPECT_EQ(prompts.records[0].icon, MessageIcon::Information);
}

TEST_F(EntryFormClock, LocalComputerShowsUtcInTheFieldAndTipsByLocalTime) {
    // Local time two hours ahead of UTC.
    Start(At(21, 59, 50, 2));
    EXPECT_EQ(V().time, "2159");
    form->OnClockTick(At(22, 0, 0, 2));  // local 00:00
    EXPECT_EQ(V().time, "2200");
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, kTip160);
    form->OnClockTick(At(22, 15, 0, 2));
    form->OnClockTick(At(22, 30, 0, 2));
    EXPECT_EQ(prompts.records.size(), 1u);
    form->OnClockTick(At(23, 0, 0, 2));  // local 01:00
    ASSERT_EQ(prompts.records.size(), 2u);
    EXPECT_EQ(prompts.records[1].text, kTip10);
}

TEST_F(EntryFormClock, DateIsRewrittenAtMidnightOnly) {
    Start(At(23, 58, 0));
    EXPECT_EQ(V().date, "01.06.2007");
    Type(EntryField::Date, "31.05.2007");  // a full date stays at ordinary ticks
    form->OnClockTick(At(23, 59, 0));
    EXPECT_EQ(V().date, "31.05.2007");
    form->OnClockTick(At(0, 0, 0, 0, 2));
    EXPECT_EQ(V().time, "0000");
    EXPECT_EQ(V().date, "02.06.2007");

    Type(EntryField::Date, "2.6.07");  // not a full date: rewritten
    form->OnClockTick(At(0, 1, 0, 0, 2));
    EXPECT_EQ(V().date, "02.06.2007");
}

TEST_F(EntryFormClock, NoTipsWhileTheyAreSwitchedOff) {
    settings.tips = false;
    Start(At(12, 59, 0));
    form->OnClockTick(At(13, 0, 0));
    form->OnClockTick(At(13, 15, 0));
    EXPECT_EQ(V().time, "1315");
    EXPECT_TRUE(prompts.records.empty());
}

TEST_F(EntryFormClock, SwitchingTheAutomaticClockOffAndOn) {
    Start(At(12, 10, 0));
    form->OnAutoClockClicked(false, At(12, 11, 20));
    EXPECT_FALSE(S().clockRunning);
    EXPECT_FALSE(V().autoClock);
    EXPECT_EQ(S().focus, EntryField::Date);
    EXPECT_EQ(V().time, "1210");  // left for the operator to change
    form->OnClockTick(At(12, 12, 0));
    EXPECT_EQ(V().time, "1210");

    Type(EntryField::Date, "05.05.2005");
    form->OnAutoClockClicked(true, At(12, 30, 20));  // forced: date rewritten, tip due
    EXPECT_TRUE(S().clockRunning);
    EXPECT_EQ(V().date, "01.06.2007");
    EXPECT_EQ(V().time, "1230");
    EXPECT_EQ(S().clockIntervalMs, 40000);
    EXPECT_EQ(S().focus, EntryField::Callsign);
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, kTip20);
}

TEST_F(EntryFormClock, StartUpInATipMinuteShowsTheTip) {
    Start(At(9, 0, 5));
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].text, kTip10);
}

}  // namespace
