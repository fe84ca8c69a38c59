#include "ui/SendingCheckController.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>

#include "app/ExportCommands.h"
#include "ui/CLogFindingsDlg.h"
#include "ui/CTarnexDlg.h"

namespace tarnex {

SendingCheckController::SendingCheckController(CTarnexDlg& window, ExportCommands& exports)
    : QObject(&window), window_(window) {
    exports.SetFindingsReview([this](const std::vector<LogFinding>& findings,
                                     const std::function<std::vector<LogFinding>()>& recheck) {
        return Review(findings, recheck);
    });
}

bool SendingCheckController::Review(const std::vector<LogFinding>& findings,
                                    const std::function<std::vector<LogFinding>()>& recheck) {
    CLogFindingsDlg dialog(findings, &window_);
    // After a correction the list shows what is left; a log with nothing left goes
    // on as a clean one would.
    auto showWhatIsLeft = [&] {
        const std::vector<LogFinding> left = recheck();
        if (left.empty()) {
            dialog.accept();
        } else {
            dialog.SetFindings(left);
        }
    };
    connect(&dialog, &CLogFindingsDlg::rowChosen, &dialog, [&](int row) {
        EditRow(static_cast<size_t>(row));
        showWhatIsLeft();
    });
    connect(&dialog, &CLogFindingsDlg::stationChosen, &dialog, [&] {
        window_.action(MenuCommand::StationSummary)->trigger();
        showWhatIsLeft();
    });
    return dialog.exec() == QDialog::Accepted;
}

void SendingCheckController::EditRow(size_t row) {
    QTableView* list = window_.logList();
    const QModelIndex index = list->model()->index(static_cast<int>(row), 0);
    if (!index.isValid()) {
        return;
    }
    list->selectionModel()->setCurrentIndex(index,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
    window_.action(MenuCommand::EditEntries)->trigger();
}

}  // namespace tarnex
