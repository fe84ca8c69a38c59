#include <gtest/gtest.h>

#include <numeric>

#include "ExportTestLogs.h"
#include "export/PrintPagePlan.h"

using namespace tarnex;
using tarnex::testing::MakeListening;
using tarnex::testing::MakeQso;

namespace {

void FillQso(ContestLog& log, size_t entries) {
    for (size_t i = 0; i < entries; ++i) {
        log.Append(
            MakeQso("03.04.2005", "1432", "7", "SSB", "C" + std::to_string(i), "59", "59", "1201", "ALFA"));
    }
}

// Per page of a plan: the rows, and the lines they are on.
struct PageShape {
    size_t firstRow;
    size_t entries;
    int firstLine;
    int lastLine;
    bool operator==(const PageShape&) const = default;
};

std::vector<PageShape> Shape(const PrintPagePlan& plan) {
    std::vector<PageShape> shapes;
    for (size_t page = 0; page < plan.PageCount(); ++page) {
        const auto& entries = plan.Entries(page);
        if (entries.empty()) {
            shapes.push_back({0, 0, -1, -1});
            continue;
        }
        for (size_t i = 1; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].line, entries[i - 1].line + 1) << "page " << page;
        }
        shapes.push_back({entries.front().row, entries.size(), entries.front().line, entries.back().line});
    }
    return shapes;
}

PrintRequest Pages(int first, int last) {
    return {PrintRequest::Range::Pages, first, last, {}};
}

PrintRequest Selection(std::vector<size_t> rows) {
    return {PrintRequest::Range::Selection, 1, 1, std::move(rows)};
}

}  // namespace

TEST(PrintPageCount, FiftyEntriesToAPage) {
    struct Case {
        size_t entries;
        int pages;
    } cases[] = {{0, 0}, {1, 1}, {50, 1}, {51, 2}, {100, 2}, {101, 3}, {120, 3}, {100000, 2000}};
    for (const Case& c : cases) {
        EXPECT_EQ(PrintPageCount(c.entries), c.pages) << c.entries;
    }
}

TEST(PrintPagePlan, AllPagesAndPageRanges) {
    ContestLog log(LogMode::Qso);
    FillQso(log, 120);
    struct Case {
        const char* name;
        PrintRequest request;
        std::vector<PageShape> pages;
    } cases[] = {
        {"all", {}, {{0, 50, 2, 51}, {50, 50, 2, 51}, {100, 20, 2, 21}}},
        {"2 to 2", Pages(2, 2), {{50, 50, 2, 51}}},
        {"3", Pages(3, 3), {{100, 20, 2, 21}}},
        {"1 to 2", Pages(1, 2), {{0, 50, 2, 51}, {50, 50, 2, 51}}},
        {"clamped", Pages(0, 9), {{0, 50, 2, 51}, {50, 50, 2, 51}, {100, 20, 2, 21}}},
        {"backwards", Pages(3, 2), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shape(PrintPagePlan(log, c.request)), c.pages) << c.name;
    }
}

TEST(PrintPagePlan, PageBoundaries) {
    struct Case {
        size_t entries;
        std::vector<PageShape> pages;
    } cases[] = {
        {1, {{0, 1, 2, 2}}},
        {50, {{0, 50, 2, 51}}},
        {51, {{0, 50, 2, 51}, {50, 1, 2, 2}}},
    };
    for (const Case& c : cases) {
        ContestLog log(LogMode::Qso);
        FillQso(log, c.entries);
        EXPECT_EQ(Shape(PrintPagePlan(log, PrintRequest{})), c.pages) << c.entries;
    }
}

TEST(PrintPagePlan, SelectionFillsPagesOfFortyEight) {
    ContestLog log(LogMode::Qso);
    FillQso(log, 120);
    std::vector<size_t> hundred(100);
    std::iota(hundred.begin(), hundred.end(), size_t{10});
    PrintPagePlan plan(log, Selection(hundred));
    EXPECT_EQ(Shape(plan), (std::vector<PageShape>{{10, 48, 2, 49}, {58, 48, 2, 49}, {106, 4, 2, 5}}));

    // Scattered, unordered, repeated and stale rows: printed once each, in log order.
    PrintPagePlan scattered(log, Selection({119, 3, 60, 3, 500}));
    ASSERT_EQ(scattered.PageCount(), 1u);
    EXPECT_EQ(scattered.Entries(0), (std::vector<PrintPagePlan::Placed>{{3, 2}, {60, 3}, {119, 4}}));

    EXPECT_EQ(PrintPagePlan(log, Selection({})).PageCount(), 0u);
    std::vector<size_t> fortyEight(48);
    std::iota(fortyEight.begin(), fortyEight.end(), size_t{0});
    EXPECT_EQ(PrintPagePlan(log, Selection(fortyEight)).PageCount(), 1u);
    fortyEight.push_back(48);
    EXPECT_EQ(PrintPagePlan(log, Selection(fortyEight)).PageCount(), 2u);
}

TEST(PrintPagePlan, EmptyLogPrintsNothing) {
    ContestLog log(LogMode::Qso);
    EXPECT_EQ(PrintPagePlan(log, PrintRequest{}).PageCount(), 0u);
    EXPECT_EQ(PrintPagePlan(log, Pages(1, 1)).PageCount(), 0u);
    EXPECT_EQ(PrintPagePlan(log, Selection({0})).PageCount(), 0u);
}

TEST(PrintPagePlan, QsoLinesHeadingDashesAndFields) {
    ContestLog log(LogMode::Qso);
    log.Append(MakeQso("03.04.2005", "1432", "7", "SSB", "HISCALL", "59", "57", "1201", "ALFA"));
    log.Append(MakeQso("03.04.2005", "1433", "14", "CW", "I1A", "599", "579", "0999", ""));
    PrintPagePlan plan(log, PrintRequest{});
    std::vector<PrintLine> lines = plan.Lines(0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (PrintLine{0,
                                   {{0, "N.Qso"},
                                    {6, "Data"},
                                    {17, "Ora"},
                                    {23, "MHz"},
                                    {27, "Modo"},
                                    {32, "Nominativo"},
                                    {47, "Rst"},
                                    {51, "Rst"},
                                    {55, "Sez."},
                                    {60, "Nome sezione"}}}));
    EXPECT_EQ(lines[1], (PrintLine{1,
                                   {{0, "-----"},
                                    {6, "----------"},
                                    {17, "-----"},
                                    {23, "---"},
                                    {27, "----"},
                                    {32, "--------------"},
                                    {47, "---"},
                                    {51, "---"},
                                    {55, "----"},
                                    {60, "-------------------"}}}));
    EXPECT_EQ(lines[2], (PrintLine{2,
                                   {{0, "    1"},
                                    {6, "03.04.2005"},
                                    {17, "1432"},
                                    {23, "7"},
                                    {27, "SSB"},
                                    {32, "HISCALL"},
                                    {47, "59"},
                                    {51, "57"},
                                    {55, "1201"},
                                    {60, "ALFA"}}}));
    // A section without a name prints nothing at position 60.
    EXPECT_EQ(lines[3].line, 3);
    EXPECT_EQ(lines[3].texts.back(), (PrintText{55, "0999"}));
}

TEST(PrintPagePlan, ListeningLinesRepeatCallsignReportAndSection) {
    ContestLog log(LogMode::Listening);
    log.Append(MakeListening("03.04.2005", "1500", "14", "RTTY", "CALLER", "599", "0101", "ANSWER"));
    std::vector<PrintLine> lines = PrintPagePlan(log, PrintRequest{}).Lines(0);
    ASSERT_EQ(lines.size(), 3u);
    std::vector<PrintText> heading = lines[0].texts;
    ASSERT_EQ(heading.size(), 11u);
    EXPECT_EQ(heading[7], (PrintText{51, "Sez."}));
    EXPECT_EQ(heading[8], (PrintText{56, "Nominativo"}));
    EXPECT_EQ(heading[9], (PrintText{71, "Rst"}));
    EXPECT_EQ(heading[10], (PrintText{75, "Sez."}));
    EXPECT_EQ(lines[1].texts[8], (PrintText{56, "--------------"}));
    EXPECT_EQ(lines[1].texts[10], (PrintText{75, "----"}));
    EXPECT_EQ(lines[2], (PrintLine{2,
                                   {{0, "    1"},
                                    {6, "03.04.2005"},
                                    {17, "1500"},
                                    {23, "14"},
                                    {27, "RTTY"},
                                    {32, "CALLER"},
                                    {47, "599"},
                                    {51, "0101"},
                                    {56, "ANSWER"}}}));
}

TEST(PrintPagePlan, NumbersAreTheRowsOwnOnEveryPage) {
    ContestLog log(LogMode::Qso);
    FillQso(log, 120);
    EXPECT_EQ(PrintPagePlan(log, Pages(3, 3)).Lines(0)[2].texts[0], (PrintText{0, "  101"}));
    EXPECT_EQ(PrintPagePlan(log, Selection({119})).Lines(0)[2].texts[0], (PrintText{0, "  120"}));
}

TEST(PrintMeasures, LineHeightIsFiveQuartersOfTheTextHeight) {
    PrintMeasures measures{10, 13};
    EXPECT_EQ(measures.LineHeight(), 16);
    EXPECT_EQ(measures.X(60), 600);
    EXPECT_EQ(measures.Y(51), 816);
    EXPECT_EQ((PrintMeasures{7, 16}.LineHeight()), 20);
}
