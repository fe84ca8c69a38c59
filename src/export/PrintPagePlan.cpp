#include "export/PrintPagePlan.h"

#include <algorithm>
#include <array>

namespace tarnex {

namespace {

struct PrintColumn {
    int position;
    const char* heading;
    const char* dashes;
    int column;  // log column drawn on the entry lines, -1 for none
};

constexpr std::array<PrintColumn, 10> kQsoColumns = {{
    {0, "N.Qso", "-----", QsoCol::Number},
    {6, "Data", "----------", QsoCol::Date},
    {17, "Ora", "-----", QsoCol::Time},
    {23, "MHz", "---", QsoCol::Band},
    {27, "Modo", "----", QsoCol::Mode},
    {32, "Nominativo", "--------------", QsoCol::Callsign},
    {47, "Rst", "---", QsoCol::RstSent},
    {51, "Rst", "---", QsoCol::RstReceived},
    {55, "Sez.", "----", QsoCol::Section},
    {60, "Nome sezione", "-------------------", QsoCol::SectionName},
}};

// A heard entry has no second report or section: those two columns stay empty.
constexpr std::array<PrintColumn, 11> kListeningColumns = {{
    {0, "N.Qso", "-----", ListeningCol::Number},
    {6, "Data", "----------", ListeningCol::Date},
    {17, "Ora", "-----", ListeningCol::Time},
    {23, "MHz", "---", ListeningCol::Band},
    {27, "Modo", "----", ListeningCol::Mode},
    {32, "Nominativo", "--------------", ListeningCol::CallingCall},
    {47, "Rst", "---", ListeningCol::Rst},
    {51, "Sez.", "----", ListeningCol::CallingSection},
    {56, "Nominativo", "--------------", ListeningCol::AnsweringCall},
    {71, "Rst", "---", -1},
    {75, "Sez.", "----", -1},
}};

template <typename F>
void ForEachColumn(LogMode mode, F&& f) {
    if (mode == LogMode::Qso) {
        std::for_each(kQsoColumns.begin(), kQsoColumns.end(), f);
    } else {
        std::for_each(kListeningColumns.begin(), kListeningColumns.end(), f);
    }
}

constexpr int kHeadingLines = 2;  // the heading and the dashes

}  // namespace

int PrintPageCount(size_t entries, int entriesPerPage) {
    if (entries == 0 || entriesPerPage <= 0) {
        return 0;
    }
    return static_cast<int>((entries - 1) / static_cast<size_t>(entriesPerPage) + 1);
}

std::vector<PrintText> PrintHeadingTexts(LogMode mode) {
    std::vector<PrintText> texts;
    ForEachColumn(mode, [&](const PrintColumn& c) { texts.push_back({c.position, c.heading}); });
    return texts;
}

std::vector<PrintText> PrintDashTexts(LogMode mode) {
    std::vector<PrintText> texts;
    ForEachColumn(mode, [&](const PrintColumn& c) { texts.push_back({c.position, c.dashes}); });
    return texts;
}

std::vector<PrintText> PrintEntryTexts(const ContestLog& log, size_t row) {
    std::vector<PrintText> texts;
    ForEachColumn(log.Mode(), [&](const PrintColumn& c) {
        if (c.column < 0) {
            return;
        }
        std::string text = log.Text(row, c.column);
        if (!text.empty()) {
            texts.push_back({c.position, std::move(text)});
        }
    });
    return texts;
}

PrintPagePlan::PrintPagePlan(const ContestLog& log, const PrintRequest& request, int entriesPerPage)
    : log_(log) {
    // A page must have room for the heading, the dashes and one entry.
    const size_t perPage = static_cast<size_t>(std::max(entriesPerPage, kHeadingLines + 1));
    const size_t rows = log.RowCount();
    if (rows == 0) {
        return;
    }
    if (request.range == PrintRequest::Range::Selection) {
        std::vector<size_t> selected;
        for (size_t row : request.selectedRows) {
            if (row < rows) {
                selected.push_back(row);
            }
        }
        std::sort(selected.begin(), selected.end());
        selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
        // The line counter runs over the heading lines too: a page ends when it reaches
        // the page size, so a page holds the page size less two entries.
        size_t counter = 0;
        for (size_t row : selected) {
            if (counter == 0) {
                pages_.emplace_back();
                counter = kHeadingLines;
            }
            pages_.back().push_back({row, static_cast<int>(counter)});
            if (++counter == perPage) {
                counter = 0;
            }
        }
        return;
    }
    const int pageCount = PrintPageCount(rows, static_cast<int>(perPage));
    int first = 1;
    int last = pageCount;
    if (request.range == PrintRequest::Range::Pages) {
        first = std::max(request.firstPage, 1);
        last = std::min(request.lastPage, pageCount);
    }
    for (int page = first; page <= last; ++page) {
        std::vector<Placed>& placed = pages_.emplace_back();
        const size_t begin = static_cast<size_t>(page - 1) * perPage;
        const size_t end = std::min(begin + perPage, rows);
        for (size_t row = begin; row < end; ++row) {
            placed.push_back({row, static_cast<int>(kHeadingLines + (row - begin))});
        }
    }
}

std::vector<PrintLine> PrintPagePlan::Lines(size_t page) const {
    const std::vector<Placed>& placed = Entries(page);
    std::vector<PrintLine> lines;
    lines.reserve(placed.size() + kHeadingLines);
    lines.push_back({0, PrintHeadingTexts(log_.Mode())});
    lines.push_back({1, PrintDashTexts(log_.Mode())});
    for (const Placed& entry : placed) {
        lines.push_back({entry.line, PrintEntryTexts(log_, entry.row)});
    }
    return lines;
}

}  // namespace tarnex
