// The poller on a radio shared by a real rigctld (Hamlib's dummy radio behind it) on
// the loopback address: another program moves the radio, rigctld dies and comes
// back.

#include <gtest/gtest.h>

#include <memory>

#include "RigTestSupport.h"
#include "log/BandMode.h"
#include "rig/RigPoller.h"

using namespace tarnex;
using namespace tarnex::rigtest;

TEST(RigOverRigctld, FollowsTheRadioLosesItWhenRigctldDiesAndFindsItAgain) {
    const int port = FreeLoopbackPort();
    const std::string where = "127.0.0.1:" + std::to_string(port);
    auto daemon = std::make_unique<Rigctld>(port);
    ASSERT_TRUE(daemon->Ready()) << "rigctld (libhamlib-utils) did not start on " << where;

    auto log = std::make_shared<ObservedRadio::Log>();
    RigPoller poller(ObservedRadio::Factory(log), QuickPauses());

    // A wrong port first; the right one applies at once.
    poller.Start(RigConfig{kNetworkRadioModel, "127.0.0.1:" + std::to_string(FreeLoopbackPort()), 0, 50});
    ASSERT_TRUE(DrainUntil(poller, [](const RigUpdate& u) {
        return u.status.detail.find("apertura non riuscita") != std::string::npos;
    }));
    poller.Start(RigConfig{kNetworkRadioModel, where, 0, 50});
    ASSERT_TRUE(DrainUntil(poller, [](const RigUpdate& u) { return u.status.connected; }));
    EXPECT_EQ(poller.Status().detail, "Hamlib NET rigctl su " + where);

    // Another program moves the radio: the poller sees it within two polls.
    struct Step {
        std::vector<std::string> rigctl;
        double hz;
        const char* band;
        const char* mode;
        const char* text;
    } steps[] = {
        {{"F", "14025000", "M", "CW", "0"}, 14'025'000, "14", "CW", "Radio: 14.025,0 kHz CW"},
        {{"F", "7050000", "M", "LSB", "0"}, 7'050'000, "7", "SSB", "Radio: 7.050,0 kHz SSB"},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(Rigctl(port, s.rigctl));
        const int readsBefore = log->Reads();
        ASSERT_TRUE(DrainUntilMoved(poller, BandListIndex(s.band), ModeListIndex(s.mode))) << s.text;
        EXPECT_EQ(poller.Status().Text(), s.text);
        const int firstRead = log->FirstReadOn(s.hz);
        EXPECT_GT(firstRead, 0);
        EXPECT_LE(firstRead, readsBefore + 2) << s.text;
    }

    // rigctld dies: disconnected with the reason, and the window's side keeps
    // draining meanwhile.
    daemon->Kill();
    std::vector<RigUpdate> seen;
    ASSERT_TRUE(DrainUntil(
        poller, [](const RigUpdate& u) { return !u.status.connected; }, &seen));
    EXPECT_EQ(seen.back().status.Text(), "Radio: non collegata");
    EXPECT_NE(seen.back().status.detail.find("Hamlib NET rigctl su " + where + ": "), std::string::npos)
        << seen.back().status.detail;

    // It comes back on the same port: the poller reconnects by itself.
    daemon = std::make_unique<Rigctld>(port);
    ASSERT_TRUE(daemon->Ready());
    ASSERT_TRUE(DrainUntil(poller, [](const RigUpdate& u) { return u.status.connected; }));
    ASSERT_TRUE(Rigctl(port, {"F", "21030000", "M", "RTTY", "0"}));
    ASSERT_TRUE(DrainUntilMoved(poller, BandListIndex("21"), ModeListIndex("RTTY")));
    EXPECT_EQ(poller.Status().Text(), "Radio: 21.030,0 kHz RTTY");

    poller.Stop();
    EXPECT_TRUE(WaitUntil([&] { return poller.LingeringRuns() == 0; }));
}
