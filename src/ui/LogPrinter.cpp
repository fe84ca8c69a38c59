#include "ui/LogPrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "log/ContestLog.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// Texts of one line, each left-aligned at its character position, never clipped.
// The line's top is at its y; the text stands on the font's baseline below it.
void DrawLine(QPainter& painter, const PrintMeasures& measures, int ascent, int line,
              const std::vector<PrintText>& texts) {
    const int baseline = measures.Y(line) + ascent;
    for (const PrintText& text : texts) {
        painter.drawText(QPoint(measures.X(text.position), baseline), TextCodec::ToQString(text.text));
    }
}

}  // namespace

LogPrinter::LogPrinter(QWidget& window, const ContestLog& log, SelectionSource selectedRows)
    : QObject(&window),
      window_(window),
      log_(log),
      selectedRows_(std::move(selectedRows)),
      runDialog_(&LogPrinter::RunPrintDialog) {}

void LogPrinter::ConfigurePrintDialog(QPrintDialog& dialog, QPrinter& printer,
                                      const PrintDialogSetup& setup) {
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    dialog.setMinMax(1, setup.pageCount);
    dialog.setFromTo(1, setup.pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, setup.selectionEnabled);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Kept: on this platform printing to a PDF file is chosen as a printer of the
    // dialog, and many people print no other way.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
}

bool LogPrinter::RunPrintDialog(QPrinter& printer, const PrintDialogSetup& setup, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    ConfigurePrintDialog(dialog, printer, setup);
    return dialog.exec() == QDialog::Accepted;
}

PrintRequest LogPrinter::RequestFromPrinter(const QPrinter& printer) {
    PrintRequest request;
    switch (printer.printRange()) {
        case QPrinter::PageRange:
            request.range = PrintRequest::Range::Pages;
            request.firstPage = printer.fromPage();
            request.lastPage = printer.toPage();
            break;
        case QPrinter::Selection:
            request.range = PrintRequest::Range::Selection;
            break;
        case QPrinter::AllPages:
        case QPrinter::CurrentPage:
            request.range = PrintRequest::Range::AllPages;
            break;
    }
    // A page range of 0 to 0 is the printer's way of saying "all pages".
    if (request.range == PrintRequest::Range::Pages && printer.fromPage() == 0 && printer.toPage() == 0) {
        request.range = PrintRequest::Range::AllPages;
    }
    return request;
}

void LogPrinter::PrintLogRow(const ContestLog& log, size_t row, int& lineCounter, QPainter& painter) {
    const QFontMetrics metrics = painter.fontMetrics();
    const PrintMeasures measures{metrics.horizontalAdvance(QLatin1Char('X')), metrics.height()};
    if (lineCounter == 0) {
        DrawLine(painter, measures, metrics.ascent(), lineCounter++, PrintHeadingTexts(log.Mode()));
        DrawLine(painter, measures, metrics.ascent(), lineCounter++, PrintDashTexts(log.Mode()));
    }
    DrawLine(painter, measures, metrics.ascent(), lineCounter, PrintEntryTexts(log, row));
}

int LogPrinter::PrintPages(const ContestLog& log, const PrintPagePlan& plan, QPrinter& printer) {
    if (plan.PageCount() == 0) {
        return 0;
    }
    printer.setDocName(QString());
    QPainter painter;
    // A printer that cannot start reports through the platform's own print handling.
    if (!painter.begin(&printer)) {
        return 0;
    }
    for (size_t page = 0; page < plan.PageCount(); ++page) {
        if (page > 0) {
            printer.newPage();
        }
        int lineCounter = 0;
        for (const PrintPagePlan::Placed& entry : plan.Entries(page)) {
            // The first entry brings the heading; the others sit on their planned line.
            if (lineCounter != 0) {
                lineCounter = entry.line;
            }
            PrintLogRow(log, entry.row, lineCounter, painter);
            ++lineCounter;
        }
    }
    painter.end();
    return static_cast<int>(plan.PageCount());
}

void LogPrinter::PrintLog() {
    if (log_.Empty()) {
        return;
    }
    const std::vector<size_t> selected = selectedRows_ ? selectedRows_() : std::vector<size_t>{};
    PrintDialogSetup setup;
    setup.pageCount = PrintPageCount(log_.RowCount());
    setup.selectionEnabled = !selected.empty();
    QPrinter printer(QPrinter::HighResolution);
    if (!runDialog_(printer, setup, &window_)) {
        return;
    }
    PrintRequest request = RequestFromPrinter(printer);
    if (request.range == PrintRequest::Range::Selection) {
        request.selectedRows = selected;
    }
    PrintPages(log_, PrintPagePlan(log_, request), printer);
}

}  // namespace tarnex
