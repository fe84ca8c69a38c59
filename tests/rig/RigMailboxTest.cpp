// The hand-over from the poller's thread to the window's: what is news, what is
// told of band and mode, and when the window's hook is called.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "log/BandMode.h"
#include "rig/RigMailbox.h"

using namespace tarnex;

namespace {

RigStatus On(double hz, const char* mode) {
    return RigStatus::Connected({hz, mode}, "Hamlib Dummy");
}

}  // namespace

TEST(RigMailbox, TellsOnlyNewsAndOnlyMovesBetweenContestBandsAndModes) {
    const int b14 = BandListIndex("14"), b21 = BandListIndex("21");
    const int ssb = ModeListIndex("SSB"), cw = ModeListIndex("CW");
    struct Step {
        const char* what;
        RigStatus posted;
        bool news;
        int newBand;
        int newMode;
        const char* text;
    } steps[] = {
        {"first reading outside the bands", On(145'000'000, "FM"), true, -1, -1, "Radio: 145.000,0 kHz FM"},
        {"the same again", On(145'000'000, "FM"), false, -1, -1, nullptr},
        {"into 20 m CW", On(14'025'000, "CW"), true, b14, cw, "Radio: 14.025,0 kHz CW"},
        {"less than a tenth of a kHz", On(14'025'040, "CW"), false, -1, -1, nullptr},
        {"tuning within the band", On(14'030'000, "CW"), true, -1, -1, "Radio: 14.030,0 kHz CW"},
        {"CW reverse is still CW", On(14'030'000, "CWR"), false, -1, -1, nullptr},
        {"band only", On(21'030'000, "CW"), true, b21, -1, "Radio: 21.030,0 kHz CW"},
        {"mode only", On(21'300'000, "USB"), true, -1, ssb, "Radio: 21.300,0 kHz SSB"},
        {"out of the bands: nothing to apply", On(18'100'000, "USB"), true, -1, -1,
         "Radio: 18.100,0 kHz SSB"},
        {"back into the same band is a move", On(21'300'000, "USB"), true, b21, -1,
         "Radio: 21.300,0 kHz SSB"},
        {"data mode: nothing to apply", On(21'080'000, "PKTUSB"), true, -1, -1, "Radio: 21.080,0 kHz PKTUSB"},
        {"back to the sideband is a move", On(21'300'000, "USB"), true, -1, ssb, "Radio: 21.300,0 kHz SSB"},
        {"lost", RigStatus::Disconnected("rotta"), true, -1, -1, "Radio: non collegata"},
        {"lost for the same reason", RigStatus::Disconnected("rotta"), false, -1, -1, nullptr},
        {"another reason", RigStatus::Disconnected("spenta"), true, -1, -1, "Radio: non collegata"},
        {"back on where it was: told again", On(21'300'000, "USB"), true, b21, ssb,
         "Radio: 21.300,0 kHz SSB"},
    };
    RigMailbox box;
    std::atomic<int> told{0};
    box.SetNotify([&] { ++told; });
    const uint64_t run = box.BeginRun(RigStatus::Disconnected("Collegamento con la radio in corso"));
    ASSERT_TRUE(box.Drain().has_value());
    told = 0;
    for (const Step& s : steps) {
        box.Post(run, s.posted);
        std::optional<RigUpdate> update = box.Drain();
        ASSERT_EQ(update.has_value(), s.news) << s.what;
        EXPECT_EQ(told.exchange(0), s.news ? 1 : 0) << s.what;
        if (update) {
            EXPECT_EQ(update->newBand, s.newBand) << s.what;
            EXPECT_EQ(update->newMode, s.newMode) << s.what;
            EXPECT_EQ(update->status.Text(), s.text) << s.what;
            EXPECT_EQ(update->status.detail, s.posted.detail) << s.what;
        }
    }
}

TEST(RigMailbox, NewsPilesUpUntilDrainedWithOneCallOfTheHook) {
    RigMailbox box;
    int told = 0;
    box.SetNotify([&] { ++told; });
    const uint64_t run = box.BeginRun(RigStatus::Disconnected("x"));
    box.Drain();
    told = 0;
    box.Post(run, On(7'050'000, "LSB"));
    box.Post(run, On(14'200'000, "LSB"));
    box.Post(run, On(14'025'000, "CW"));
    box.Post(run, On(10'120'000, "CW"));  // out of the bands last: the move to 14 stands
    EXPECT_EQ(told, 1);
    std::optional<RigUpdate> update = box.Drain();
    ASSERT_TRUE(update);
    EXPECT_EQ(update->newBand, BandListIndex("14"));
    EXPECT_EQ(update->newMode, ModeListIndex("CW"));
    EXPECT_EQ(update->status.Text(), "Radio: 10.120,0 kHz CW");
    EXPECT_FALSE(box.Drain());

    // A new run: the old run's posts are dropped, its pending moves forgotten.
    box.Post(run, On(28'500'000, "USB"));
    const uint64_t next = box.BeginRun(RigStatus::Disconnected("Collegamento con la radio in corso"));
    box.Post(run, On(3'700'000, "LSB"));
    update = box.Drain();
    ASSERT_TRUE(update);
    EXPECT_EQ(update->newBand, -1);
    EXPECT_EQ(update->status.Text(), "Radio: non collegata");
    EXPECT_EQ(box.Latest().detail, "Collegamento con la radio in corso");
    box.Post(next, On(3'700'000, "LSB"));
    EXPECT_EQ(box.Drain()->newBand, BandListIndex("3,5"));

    // After the hook is cleared it is never called again.
    box.SetNotify({});
    told = 0;
    box.Post(next, On(7'050'000, "CW"));
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(box.Drain());
}

TEST(RigMailbox, ConcurrentPostsAndDrainsEndOnTheLastWord) {
    RigMailbox box;
    std::atomic<int> told{0};
    box.SetNotify([&] { ++told; });
    const uint64_t run = box.BeginRun(RigStatus::Disconnected("x"));
    constexpr int kPosts = 20000;
    std::atomic<bool> done{false};
    std::thread poster([&] {
        for (int i = 0; i < kPosts; ++i) {
            box.Post(run, On(i % 2 ? 14'025'000 : 7'025'000, i % 3 ? "CW" : "USB"));
        }
        box.Post(run, On(28'025'000, "RTTY"));
        done = true;
    });
    int drained = 0;
    RigStatus last;
    for (bool finished = false; !finished;) {
        finished = done.load();
        while (std::optional<RigUpdate> update = box.Drain()) {
            ++drained;
            last = update->status;
        }
    }
    poster.join();
    EXPECT_EQ(last.Text(), "Radio: 28.025,0 kHz RTTY");
    // Each drain that found news had its own call of the hook, and no call was spent
    // on nothing.
    EXPECT_EQ(told.load(), drained);
}
