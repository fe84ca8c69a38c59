#pragma once
// "Stampa" (F2): prints the log as a plain table in the printer's own font, 50 entries
// to a page, each page headed by the column names and a line of dashes. The person
// prints all pages, a range of pages, or only the rows selected in the log list.

#include <QObject>
#include <functional>
#include <vector>

#include "export/PrintPagePlan.h"

class QPainter;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace tarnex {

class ContestLog;

// What the print dialog offers.
struct PrintDialogSetup {
    int pageCount = 0;              // pages 1..pageCount, all chosen at first
    bool selectionEnabled = false;  // rows are selected in the log list
};

class LogPrinter : public QObject {
    Q_OBJECT
  public:
    // Shows the print dialog for the printer; true when the person chose to print.
    // The choice (range, pages, printer, output file) is left in the printer.
    using PrintDialogRunner = std::function<bool(QPrinter&, const PrintDialogSetup&, QWidget* parent)>;
    // The rows selected in the log list, any order.
    using SelectionSource = std::function<std::vector<size_t>()>;

    LogPrinter(QWidget& window, const ContestLog& log, SelectionSource selectedRows);
    void SetDialogRunner(PrintDialogRunner runner) { runDialog_ = std::move(runner); }

    // The platform's print dialog.
    static bool RunPrintDialog(QPrinter& printer, const PrintDialogSetup& setup, QWidget* parent);
    static void ConfigurePrintDialog(QPrintDialog& dialog, QPrinter& printer, const PrintDialogSetup& setup);
    // The choice left in the printer by the dialog.
    static PrintRequest RequestFromPrinter(const QPrinter& printer);

    // Prints the planned pages on the printer; the number of pages printed (0 when
    // the printer could not be started).
    static int PrintPages(const ContestLog& log, const PrintPagePlan& plan, QPrinter& printer);
    // Draws one entry at the line counter, with the heading and the dashes first when
    // the counter is 0 (the counter then moves past them). Measures come from the
    // painter's font each time.
    static void PrintLogRow(const ContestLog& log, size_t row, int& lineCounter, QPainter& painter);

  public slots:
    // Nothing for an empty log or a cancelled dialog.
    void PrintLog();

  private:
    QWidget& window_;
    const ContestLog& log_;
    SelectionSource selectedRows_;
    PrintDialogRunner runDialog_;
};

}  // namespace tarnex
