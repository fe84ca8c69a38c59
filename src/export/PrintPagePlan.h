#pragma once
// What the printed log looks like, without a printer: which entry goes on which page
// and line, and every text with its character position. The window draws the plan
// with the printer's font: a text at position p lies at x = p * w and line k at
// y = k * line height, w and h being the width and height of "X" (PrintMeasures).
//
// Every page starts with a heading line (line 0) and a line of dashes (line 1).
// All pages and page ranges put entries (p - 1) * 50 .. p * 50 - 1 on lines 2 to 51 of
// page p; a selection fills pages with 48 selected entries each, on lines 2 to 49.

#include <cstddef>
#include <string>
#include <vector>

#include "log/ContestLog.h"

namespace tarnex {

inline constexpr int kPrintEntriesPerPage = 50;

// Measures taken from the printer's font.
struct PrintMeasures {
    int charWidth = 0;   // w: width of "X"
    int charHeight = 0;  // h: height of "X"
    int LineHeight() const { return charHeight * 5 / 4; }
    int X(int position) const { return position * charWidth; }
    int Y(int line) const { return line * LineHeight(); }
};

// One text drawn left-aligned at a character position, never clipped.
struct PrintText {
    int position = 0;
    std::string text;
    bool operator==(const PrintText&) const = default;
};

struct PrintLine {
    int line = 0;                  // 0 at the top of the page
    std::vector<PrintText> texts;  // empty fields are left out: they draw nothing
    bool operator==(const PrintLine&) const = default;
};

// The choice made in the print dialog.
struct PrintRequest {
    enum class Range { AllPages, Pages, Selection };
    Range range = Range::AllPages;
    int firstPage = 1;  // Pages: 1-based, inclusive; clamped to the log's pages
    int lastPage = 1;
    std::vector<size_t> selectedRows;  // Selection: the selected rows, any order
};

// Pages of a log for the page count and the page ranges: (entries - 1) / 50 + 1, and 0
// for an empty log.
int PrintPageCount(size_t entries, int entriesPerPage = kPrintEntriesPerPage);

// The heading and the dashes of the log mode.
std::vector<PrintText> PrintHeadingTexts(LogMode mode);
std::vector<PrintText> PrintDashTexts(LogMode mode);
// The fields of one row at their positions ("%5d" number first).
std::vector<PrintText> PrintEntryTexts(const ContestLog& log, size_t row);

class PrintPagePlan {
  public:
    // One entry placed on a page.
    struct Placed {
        size_t row = 0;
        int line = 0;
        bool operator==(const Placed&) const = default;
    };

    // Plans the request for the log as it is now; an empty log, an empty selection or
    // an empty page range give no pages (nothing is printed).
    PrintPagePlan(const ContestLog& log, const PrintRequest& request,
                  int entriesPerPage = kPrintEntriesPerPage);

    size_t PageCount() const { return pages_.size(); }
    // The entries of a page (0-based index into this plan), in printing order.
    const std::vector<Placed>& Entries(size_t page) const { return pages_.at(page); }
    // Every line of a page with its texts: heading, dashes, then the entries.
    std::vector<PrintLine> Lines(size_t page) const;

  private:
    const ContestLog& log_;
    std::vector<std::vector<Placed>> pages_;
};

}  // namespace tarnex
