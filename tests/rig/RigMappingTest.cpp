// Frequency to band, Hamlib's modes to the contest's, the status texts, and the list
// of models for the options.

#include <gtest/gtest.h>
#include <hamlib/rig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

#include "RigTestSupport.h"
#include "log/BandMode.h"
#include "rig/RigMapping.h"
#include "rig/RigModels.h"
#include "rig/RigStatus.h"

using namespace tarnex;
using namespace tarnex::rigtest;

TEST(RigBands, EveryContestBandInclusiveAtBothEdges) {
    struct Edges {
        double low;
        double high;
        const char* band;
    } edges[] = {{1'810'000, 2'000'000, "1,8"},  {3'500'000, 3'800'000, "3,5"},
                 {7'000'000, 7'200'000, "7"},    {14'000'000, 14'350'000, "14"},
                 {21'000'000, 21'450'000, "21"}, {28'000'000, 29'700'000, "28"}};
    for (const Edges& e : edges) {
        const int index = BandListIndex(e.band);
        EXPECT_EQ(BandIndexForFrequency(e.low), index) << e.band;
        EXPECT_EQ(BandIndexForFrequency(e.high), index) << e.band;
        EXPECT_EQ(BandIndexForFrequency((e.low + e.high) / 2), index) << e.band;
        EXPECT_EQ(BandIndexForFrequency(e.low - 1), -1) << e.band;
        EXPECT_EQ(BandIndexForFrequency(e.high + 1), -1) << e.band;
        EXPECT_EQ(BandIndexForFrequency(e.low - 0.5), -1) << e.band;
        EXPECT_EQ(BandIndexForFrequency(e.high + 0.5), -1) << e.band;
    }
    // Bands the contest does not have, the top of 80 m in other regions, nonsense.
    for (double hz : {0.0, -14'025'000.0, 475'000.0, 3'900'000.0, 5'354'000.0, 10'120'000.0, 18'100'000.0,
                      24'900'000.0, 50'150'000.0, 145'000'000.0, 1e12,
                      std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(BandIndexForFrequency(hz), -1) << hz;
    }
}

TEST(RigModes, OnlySidebandsCwAndRttyMapByHamlibsOwnNames) {
    struct Case {
        rmode_t mode;
        const char* expected;  // nullptr: no contest mode
    } cases[] = {{RIG_MODE_USB, "SSB"},      {RIG_MODE_LSB, "SSB"},      {RIG_MODE_CW, "CW"},
                 {RIG_MODE_CWR, "CW"},       {RIG_MODE_RTTY, "RTTY"},    {RIG_MODE_RTTYR, "RTTY"},
                 {RIG_MODE_PKTUSB, nullptr}, {RIG_MODE_PKTLSB, nullptr}, {RIG_MODE_AM, nullptr},
                 {RIG_MODE_FM, nullptr},     {RIG_MODE_NONE, nullptr}};
    std::set<std::string> mapped;
    for (const Case& c : cases) {
        const char* name = rig_strrmode(c.mode);
        ASSERT_NE(name, nullptr);
        const int index = ModeIndexForRadioMode(name);
        EXPECT_EQ(index, c.expected ? ModeListIndex(c.expected) : -1) << name;
        if (c.expected) {
            mapped.insert(name);
        }
    }
    // Every other mode Hamlib names maps to none.
    for (int bit = 0; bit < 64; ++bit) {
        const char* name = rig_strrmode(rmode_t{1} << bit);
        if (name != nullptr && !mapped.count(name)) {
            EXPECT_EQ(ModeIndexForRadioMode(name), -1) << name;
        }
    }
    EXPECT_EQ(ModeIndexForRadioMode("usb"), -1);  // Hamlib's names are upper case
}

TEST(RigStatusTexts, KilohertzInItalianStyleAndTheModeShown) {
    struct Case {
        double hz;
        const char* kilohertz;
    } cases[] = {{14'025'000, "14.025,0"},
                 {7'000'000, "7.000,0"},
                 {1'830'050, "1.830,1"},
                 {14'025'049, "14.025,0"},
                 {999'950, "1.000,0"},
                 {475'000, "475,0"},
                 {50, "0,1"},
                 {0, "0,0"},
                 {-7'000'000, "0,0"},
                 {1'296'200'000, "1.296.200,0"},
                 {std::numeric_limits<double>::quiet_NaN(), "0,0"},
                 {1e300, "0,0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatKilohertz(c.hz), c.kilohertz) << c.hz;
    }

    EXPECT_EQ(RigStatus::Connected({14'025'000, "CW"}, "").Text(), "Radio: 14.025,0 kHz CW");
    EXPECT_EQ(RigStatus::Connected({3'650'000, "LSB"}, "").Text(), "Radio: 3.650,0 kHz SSB");
    EXPECT_EQ(RigStatus::Connected({14'080'000, "PKTUSB"}, "").Text(), "Radio: 14.080,0 kHz PKTUSB");
    EXPECT_EQ(RigStatus::Connected({145'000'000, ""}, "").Text(), "Radio: 145.000,0 kHz");
    RigStatus off = RigStatus::Disconnected("perch\xE9");
    EXPECT_EQ(off.Text(), "Radio: non collegata");
    EXPECT_EQ(off.detail, "perch\xE9");
    RigStatus rtty = RigStatus::Connected({1'840'000, "RTTYR"}, "Hamlib Dummy");
    EXPECT_EQ(rtty.BandText(), "1,8");
    EXPECT_EQ(rtty.ModeText(), "RTTY");
    EXPECT_EQ(RigStatus::Connected({145'000'000, "FM"}, "").BandText(), "");
}

TEST(RigConfigInterval, AHandEditedIntervalStaysWithinReason) {
    struct Case {
        int setting;
        int used;
    } cases[] = {{500, 500}, {100, 100},  {50, 50},         {49, 50},
                 {0, 50},    {-1000, 50}, {60'000, 60'000}, {INT32_MAX, 60'000}};
    for (const Case& c : cases) {
        const RigConfig config{kDummyRadioModel, "", 0, c.setting};
        EXPECT_EQ(config.Interval().count(), c.used) << c.setting;
    }
}

TEST(RigModelList, NoRadioFirstThenHamlibsModelsByMakerAndName) {
    const std::vector<RigModel>& models = RigModels();
    ASSERT_GT(models.size(), 100u);
    EXPECT_EQ(models[0].number, kNoRadioModel);
    EXPECT_EQ(models[0].Label(), "Nessuna radio");
    std::set<int> numbers;
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    for (size_t i = 1; i < models.size(); ++i) {
        EXPECT_TRUE(numbers.insert(models[i].number).second) << models[i].number;
        EXPECT_NE(models[i].number, kNoRadioModel);
        if (i > 1) {
            auto key = [&](const RigModel& m) { return std::make_pair(lower(m.maker), lower(m.name)); };
            EXPECT_LE(key(models[i - 1]), key(models[i])) << models[i].Label();
        }
    }
    EXPECT_EQ(RigModelName(kDummyRadioModel), "Hamlib Dummy");
    EXPECT_EQ(RigModelName(RIG_MODEL_FT991), "Yaesu FT-991");
    EXPECT_EQ(RigModelName(999'999), "Modello 999999");

    std::vector<RigModel> found = FilterRigModels(models, "  yaesu 991 ");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].number, kNoRadioModel);
    EXPECT_EQ(found[1].number, RIG_MODEL_FT991);
    EXPECT_EQ(FilterRigModels(models, "NET RIGCTL")[1].number, kNetworkRadioModel);
    EXPECT_EQ(FilterRigModels(models, std::to_string(RIG_MODEL_FT991)).size(), 2u);
    EXPECT_EQ(FilterRigModels(models, "").size(), models.size());
    EXPECT_EQ(FilterRigModels(models, "nessuna radio zzz").size(), 1u);
}
