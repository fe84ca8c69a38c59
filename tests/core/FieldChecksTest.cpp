#include <gtest/gtest.h>

#include "rules/FieldChecks.h"
#include "sections/SectionTable.h"

using namespace tarnex;

TEST(FieldChecksCallsign, AcceptsAndRefusesAndUpperCases) {
    struct Case {
        const char* text;
        bool valid;
        const char* after;  // the text after the check
    } cases[] = {
        {"I1A", true, "I1A"},
        {"IZ2AAA/P", true, "IZ2AAA/P"},
        {"I/1A", true, "I/1A"},
        {"I1/", true, "I1/"},
        {"iz2aaa", true, "IZ2AAA"},
        {"IZ2", false, "IZ2"},
        {"IQ", false, "IQ"},
        {"IQA", false, "IQA"},
        {"K1ABC", false, "K1ABC"},
        {"k1abc", false, "K1ABC"},  // upper-cased although refused
        {"IZ2 AB", false, "IZ2 AB"},
        {"IZ2-AB", false, "IZ2-AB"},
        {"iz2^ab", false, "IZ2^AB"},
        {"IZ2\xC8"
         "AB",
         false,
         "IZ2\xC8"
         "AB"},
        {"I12", false, "I12"},
        {"IZ2ABCDEFGHIJK", true, "IZ2ABCDEFGHIJK"},     // 14 characters
        {"iz2abcdefghijkl", false, "iz2abcdefghijkl"},  // 15: refused, case kept
        {"i1", false, "i1"},                            // 2: refused, case kept
        {"", false, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(CheckCallsign(text), c.valid) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(FieldChecksDigits, IsAllDigits) {
    EXPECT_TRUE(IsAllDigits("0"));
    EXPECT_TRUE(IsAllDigits("0123"));
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("12a4"));
    EXPECT_FALSE(IsAllDigits(" 123"));
    EXPECT_FALSE(IsAllDigits("-1"));
}

TEST(FieldChecksDate, EntryFormAndDialogRanges) {
    struct Case {
        const char* text;
        bool entry;   // from 2005, no upper year
        bool dialog;  // 1920 to 2099
    } cases[] = {
        {"29.02.2005", true, true},  // no leap-year rule
        {"29.02.2006", true, true},
        {"30.02.2005", false, false},
        {"31.04.2005", false, false},
        {"30.04.2005", true, true},
        {"31.12.2005", true, true},
        {"31.01.2005", true, true},
        {"00.05.2005", false, false},
        {"15.13.2005", false, false},
        {"15.00.2005", false, false},
        {"1.5.2005", false, false},
        {"15.05.2004", false, true},
        {"15.05.2100", true, false},
        {"01.01.1920", false, true},
        {"31.12.1919", false, false},
        {"31.12.2099", true, true},
        {"15/05/2005", false, false},
        {"15.05.20055", false, false},
        {"", false, false},
        // Parts that are not digits are refused: their text would reach the file.
        {"1^.05.2005", false, false},
        {"1a.05.2005", false, false},
        {"15.0 .2005", false, false},
        {" 5.05.2005", false, false},
        {"15.05.2o05", false, false},
        {"+1.05.2005", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckDate(c.text, kEntryLowestYear), c.entry) << c.text;
        EXPECT_EQ(CheckDate(c.text, kDialogLowestYear, kDialogHighestYear), c.dialog) << c.text;
    }
}

TEST(FieldChecksTime, EntryFormJoinsFiveCharacters) {
    struct Case {
        const char* text;
        bool valid;
        const char* after;
    } cases[] = {
        {"14:05", true, "1405"}, {"14.05", true, "1405"},  {"1405", true, "1405"},
        {"0000", true, "0000"},  {"2359", true, "2359"},   {"2400", false, "2400"},
        {"1260", false, "1260"}, {"123", false, "123"},    {"", false, ""},
        {"12345", true, "1245"}, {"24:00", false, "2400"}, {"0a00", false, "0a00"},
        {"1:05", false, "1:05"}, {"1^05", false, "1^05"},  {"123456", false, "123456"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(CheckEntryTime(text), c.valid) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(FieldChecksTime, DialogTakesOnlyFourDigits) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"0000", true},  {"2359", true},  {"1405", true}, {"14:05", false}, {"2400", false},
                 {"1260", false}, {"123", false},  {"", false},    {" 905", false},  {"+905", false},
                 {"9:05", false}, {"0a05", false}, {"12^5", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(CheckDialogTime(c.text), c.valid) << c.text;
    }
}

TEST(FieldChecksReport, RangesAndLengthsByMode) {
    struct Case {
        const char* report;
        const char* mode;
        bool valid;
    } cases[] = {
        {"59", "SSB", true},
        {"30", "SSB", true},
        {"29", "SSB", false},
        {"60", "SSB", false},
        {"599", "SSB", false},
        {"599", "CW", true},
        {"301", "CW", true},
        {"300", "CW", false},
        {"59", "CW", false},
        {"600", "CW", false},
        {"599", "RTTY", true},
        {"301", "RTTY", true},
        {"600", "RTTY", false},
        {"", "SSB", false},
        {"", "CW", false},
        // Only "SSB" exactly is SSB: another text takes the three-digit range.
        {"59", "ssb", false},
        {"579", "FM", true},
        // A report must be written as it reads back: exact length, digits only.
        {"059", "SSB", false},
        {"0599", "CW", false},
        {"0000059", "SSB", false},
        {"5a", "SSB", false},
        {" 59", "CW", false},
        {"+59", "CW", false},
        {"57^", "CW", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckReport(c.report, c.mode), c.valid) << c.report << " " << c.mode;
    }
}

namespace {
SectionTable SampleSections() {
    SectionTable table;
    table.SetName(123, "ALFA");
    table.SetName(1201, "BETA");
    table.SetName(0, "ZERO");
    return table;
}
}  // namespace

TEST(FieldChecksSection, EntryFormNeedsFourCharactersAndAKnownCode) {
    SectionTable table = SampleSections();
    EXPECT_TRUE(CheckEntrySection("1201", table));
    EXPECT_TRUE(CheckEntrySection("0123", table));
    EXPECT_TRUE(CheckEntrySection("0000", table));
    EXPECT_FALSE(CheckEntrySection("123", table));  // known value, but three characters
    EXPECT_FALSE(CheckEntrySection("1202", table));
    EXPECT_FALSE(CheckEntrySection("", table));
    EXPECT_FALSE(CheckEntrySection("01201", table));
}

TEST(FieldChecksSection, DialogsLookUpTheNumericValue) {
    SectionTable table = SampleSections();
    struct Case {
        const char* code;
        DialogSection verdict;
    } cases[] = {
        {"123", DialogSection::Known},
        {"0123", DialogSection::Known},
        {"1201", DialogSection::Known},
        {"1202", DialogSection::Unknown},
        {"01201", DialogSection::Known},
        {"12010", DialogSection::Unknown},
        {"99999", DialogSection::Unknown},
        {"9999999999", DialogSection::Unknown},
        {"", DialogSection::Known},               // value 0: the section 0000
        {"00000000001", DialogSection::Refused},  // longer than a log line allows
        {"12^4", DialogSection::Refused},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckDialogSection(c.code, table), c.verdict) << c.code;
    }
    SectionTable empty;
    EXPECT_EQ(CheckDialogSection("", empty), DialogSection::Unknown);
}

TEST(FieldChecksSection, OwnSectionVerdicts) {
    SectionTable table = SampleSections();
    EXPECT_EQ(CheckOwnSection("1201", table), OwnSectionVerdict::Accepted);
    EXPECT_EQ(CheckOwnSection("0000", table), OwnSectionVerdict::Accepted);
    EXPECT_EQ(CheckOwnSection("1202", table), OwnSectionVerdict::Unknown);
    EXPECT_EQ(CheckOwnSection("12a4", table), OwnSectionVerdict::Discarded);
    EXPECT_EQ(CheckOwnSection("123", table), OwnSectionVerdict::Discarded);
    EXPECT_EQ(CheckOwnSection("", table), OwnSectionVerdict::Discarded);
    EXPECT_EQ(CheckOwnSection("01201", table), OwnSectionVerdict::Discarded);
    EXPECT_STREQ(kSectionErrorText, "Codice Sezione errato!");
}
