// The poller on Hamlib's dummy radio in this process, on settings that name no
// radio that can answer, and on a radio caught in a call that does not return.

#include <gtest/gtest.h>
#include <hamlib/rig.h>

#include <atomic>

#include "RigTestSupport.h"
#include "log/BandMode.h"
#include "rig/HamlibRadio.h"
#include "rig/RigPoller.h"

using namespace tarnex;
using namespace tarnex::rigtest;

TEST(RigDummyRadio, ReadingsOfHamlibsDummyMapToTheContestsBandsAndModes) {
    HamlibRadio radio(RigConfig{kDummyRadioModel, "", 0, 500});
    ASSERT_TRUE(radio.Open().ok);
    EXPECT_EQ(radio.Describe(), "Hamlib Dummy");
    struct Case {
        double hz;
        const char* mode;
        const char* band;   // "" none
        const char* shown;  // the status text
    } cases[] = {
        {1'810'000, "LSB", "1,8", "Radio: 1.810,0 kHz SSB"},
        {1'838'000, "RTTY", "1,8", "Radio: 1.838,0 kHz RTTY"},  // the form moves RTTY off 1,8
        {3'800'000, "RTTYR", "3,5", "Radio: 3.800,0 kHz RTTY"},
        {7'000'000, "CWR", "7", "Radio: 7.000,0 kHz CW"},
        {7'200'100, "LSB", "", "Radio: 7.200,1 kHz SSB"},
        {14'350'000, "USB", "14", "Radio: 14.350,0 kHz SSB"},
        {21'080'000, "PKTUSB", "21", "Radio: 21.080,0 kHz PKTUSB"},
        {29'600'000, "FM", "28", "Radio: 29.600,0 kHz FM"},
        {29'700'100, "AM", "", "Radio: 29.700,1 kHz AM"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(radio.Tune(c.hz, c.mode).ok) << c.hz;
        RadioSample sample;
        ASSERT_TRUE(radio.Read(sample).ok);
        EXPECT_EQ(sample.mode, c.mode);
        RigStatus status = RigStatus::Connected(sample, radio.Describe());
        EXPECT_EQ(status.BandText(), c.band) << c.hz;
        EXPECT_EQ(status.Text(), c.shown);
    }
    radio.Close();
    RadioSample sample;
    EXPECT_FALSE(radio.Read(sample).ok);
}

TEST(RigPoller, FollowsTheDummyRadioTellingOnlyMovesOfBandAndMode) {
    auto log = std::make_shared<ObservedRadio::Log>();
    RigPoller poller(ObservedRadio::Factory(log), QuickPauses());
    std::atomic<int> notified{0};
    poller.SetNotify([&] { ++notified; });
    EXPECT_EQ(poller.Status().detail, "Nessuna radio scelta nelle opzioni");
    poller.Start(RigConfig{kDummyRadioModel, "", 0, 50});
    EXPECT_EQ(poller.Config().model, kDummyRadioModel);

    // The dummy wakes up on 145 MHz FM: connected, nothing for the form.
    std::vector<RigUpdate> seen;
    ASSERT_TRUE(DrainUntil(
        poller, [](const RigUpdate& u) { return u.status.connected; }, &seen));
    EXPECT_EQ(seen.back().status.Text(), "Radio: 145.000,0 kHz FM");
    EXPECT_EQ(seen.back().status.detail, "Hamlib Dummy");
    EXPECT_EQ(seen.back().newBand, -1);
    EXPECT_EQ(seen.back().newMode, -1);

    struct Move {
        double hz;
        const char* mode;
        const char* text;
        int newBand;
        int newMode;
    } moves[] = {
        {14'025'000, "CW", "Radio: 14.025,0 kHz CW", BandListIndex("14"), ModeListIndex("CW")},
        {14'030'000, "CW", "Radio: 14.030,0 kHz CW", -1, -1},
        {21'030'000, "CW", "Radio: 21.030,0 kHz CW", BandListIndex("21"), -1},
        {21'300'000, "USB", "Radio: 21.300,0 kHz SSB", -1, ModeListIndex("SSB")},
        {24'940'000, "USB", "Radio: 24.940,0 kHz SSB", -1, -1},
    };
    for (const Move& m : moves) {
        log->Move(m.hz, m.mode);
        seen.clear();
        ASSERT_TRUE(DrainUntil(
            poller, [&](const RigUpdate& u) { return u.status.Text() == m.text; }, &seen))
            << m.text;
        Moves told;
        for (const RigUpdate& u : seen) {
            told.Add(u);
        }
        EXPECT_EQ(told.band, m.newBand) << m.text;
        EXPECT_EQ(told.mode, m.newMode) << m.text;
    }
    EXPECT_GE(notified.load(), 6);
    // Readings that change nothing are not news.
    const int reads = log->Reads();
    ASSERT_TRUE(WaitUntil([&] { return log->Reads() >= reads + 5; }));
    EXPECT_FALSE(poller.Drain().has_value());

    // New settings apply at once: a new run on the new interval, with a fresh radio.
    poller.Start(RigConfig{kDummyRadioModel, "", 0, 100});
    ASSERT_TRUE(DrainUntil(poller, [](const RigUpdate& u) { return u.status.connected; }));
    EXPECT_EQ(poller.Status().Text(), "Radio: 145.000,0 kHz FM");

    poller.Stop();
    EXPECT_EQ(poller.Status().Text(), "Radio: non collegata");
    EXPECT_EQ(poller.Status().detail, "Lettura della radio fermata");
    EXPECT_TRUE(WaitUntil([&] { return poller.LingeringRuns() == 0; }));
    const int readsAfterStop = log->Reads();
    poller.Start(RigConfig{kNoRadioModel, "", 0, 50});
    EXPECT_EQ(poller.Status().detail, "Nessuna radio scelta nelle opzioni");
    EXPECT_EQ(poller.LingeringRuns(), 0);
    EXPECT_EQ(log->Reads(), readsAfterStop);
}

TEST(RigPoller, SettingsThatReachNoRadioShowWhyAndKeepTrying) {
    const int refused = FreeLoopbackPort();
    // Made field by field: GCC 12 at -O3 takes the braced form for an uninitialized use.
    auto config = [](int model, std::string port, int speed) {
        RigConfig c;
        c.model = model;
        c.port = std::move(port);
        c.speed = speed;
        c.intervalMs = 50;
        return c;
    };
    struct Case {
        RigConfig config;
        std::string why;
        // Hamlib spends seconds on every attempt to open a missing serial device: that
        // case is not waited for twice.
        bool quickToFail;
    };
    const std::vector<Case> cases = {
        {config(999'999, "", 0), "Modello di radio sconosciuto: 999999", true},
        {config(-5, "", 0), "Modello di radio sconosciuto: -5", true},
        {config(kNetworkRadioModel, "127.0.0.1:" + std::to_string(refused), 0),
         "Hamlib NET rigctl su 127.0.0.1:" + std::to_string(refused) +
             ": apertura non riuscita (errore di comunicazione sulla porta)",
         true},
        {config(RIG_MODEL_FT991, "/dev/tarnex-nessuna-porta", 4800),
         "Yaesu FT-991 su /dev/tarnex-nessuna-porta: apertura non riuscita (errore di comunicazione sulla "
         "porta)",
         false},
    };
    for (const Case& c : cases) {
        std::atomic<int> opens{0};
        RigPoller poller(
            [&](const RigConfig& config) {
                ++opens;
                return std::make_unique<HamlibRadio>(config);
            },
            c.quickToFail ? QuickPauses() : RigRetryPauses{60s, 60s});
        poller.Start(c.config);
        std::vector<RigUpdate> seen;
        ASSERT_TRUE(DrainUntil(
            poller, [&](const RigUpdate& u) { return u.status.detail == c.why; }, &seen))
            << c.why << "\nlast: " << (seen.empty() ? "" : seen.back().status.detail);
        EXPECT_EQ(seen.back().status.Text(), "Radio: non collegata");
        for (const RigUpdate& u : seen) {
            EXPECT_FALSE(u.status.connected);
        }
        if (c.quickToFail) {
            EXPECT_TRUE(WaitUntil([&] { return opens >= 3; })) << c.why;  // it tries again by itself
        }
        poller.Stop();
        EXPECT_TRUE(WaitUntil([&] { return poller.LingeringRuns() == 0; })) << c.why;
    }
}

TEST(RigPoller, StopAndRestartNeverWaitForARadioCaughtInACall) {
    SilentServer server;
    RigPoller poller({}, QuickPauses());
    const RigConfig config{kNetworkRadioModel, "127.0.0.1:" + std::to_string(server.Port()), 0, 50};
    poller.Start(config);
    ASSERT_TRUE(WaitUntil([&] { return server.Accepted() == 1; }));

    // Hamlib now waits seconds for an answer that never comes; stopping does not.
    poller.Stop();
    EXPECT_EQ(poller.LingeringRuns(), 1);
    std::optional<RigUpdate> update = poller.Drain();
    ASSERT_TRUE(update);
    EXPECT_EQ(update->status.detail, "Lettura della radio fermata");

    // A new run on the same port waits for the old one to let go of it.
    poller.Start(config);
    ASSERT_TRUE(DrainUntil(poller, [](const RigUpdate& u) {
        return u.status.detail == "Chiusura del collegamento precedente con la radio in corso";
    }));
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_EQ(poller.LingeringRuns(), 1);

    // The old call ends when the other side hangs up; then the new run connects.
    server.HangUp();
    EXPECT_TRUE(WaitUntil([&] { return poller.LingeringRuns() == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return server.Accepted() >= 1; }));

    poller.Stop();
    server.HangUp();
    EXPECT_TRUE(WaitUntil([&] { return poller.LingeringRuns() == 0; }));
}
