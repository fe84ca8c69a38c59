#include <gtest/gtest.h>

#include "log/BandMode.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"

using namespace tarnex;

TEST(BandCode, DecodesByFirstOneOrTwoCharacters) {
    struct Case {
        const char* text;
        int index;
    } cases[] = {{"1,8", 0}, {"3,5", 1}, {"7", 2}, {"14", 3}, {"21", 4}, {"28", 5}, {"10", 0}, {"2", 5}, {"1", 0}};
    for (const Case& c : cases) {
        auto band = DecodeBand(c.text);
        ASSERT_TRUE(band.has_value()) << c.text;
        EXPECT_EQ(band->index, c.index) << c.text;
        EXPECT_EQ(band->bit, 1 << c.index) << c.text;
    }
    EXPECT_FALSE(DecodeBand("").has_value());
    EXPECT_FALSE(DecodeBand("50").has_value());
    EXPECT_EQ(DecodeMode("RTTY"), 2);
    EXPECT_EQ(DecodeMode("SSB"), 0);
    EXPECT_EQ(DecodeMode("CW"), 1);
    EXPECT_EQ(DecodeMode(""), -1);
    EXPECT_EQ(DecodeMode("ssb"), -1);
}
