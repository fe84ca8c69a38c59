#include "app/LogEditCommands.h"

#include <algorithm>

#include "app/LogSession.h"
#include "sections/SectionTable.h"

namespace tarnex {

namespace {
// Ascending, without repeats, and only rows that exist.
std::vector<size_t> Normalised(std::vector<size_t> rows, size_t rowCount) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::lower_bound(rows.begin(), rows.end(), rowCount), rows.end());
    return rows;
}
}  // namespace

size_t LogEditCommands::Edit(const std::vector<size_t>& selectedRows, const RowEditor& editor) {
    ContestLog& log = session_.Log();
    size_t changed = 0;
    for (size_t row : Normalised(selectedRows, log.RowCount())) {
        if (log.Mode() == LogMode::Qso) {
            if (!editor.editQso) {
                return changed;
            }
            std::optional<QsoRecord> edited = editor.editQso(log.Qso(row));
            if (!edited) {
                continue;
            }
            edited->sectionName = session_.Sections().NameOfText(edited->section);
            log.Replace(row, *edited);
            session_.EntryEdited(row);
        } else {
            if (!editor.editListening) {
                return changed;
            }
            std::optional<HrdRecord> edited = editor.editListening(log.Listening(row));
            if (!edited) {
                continue;
            }
            log.Replace(row, *edited);
            session_.EntryEdited(row);
        }
        ++changed;
        AfterChange();
    }
    return changed;
}

bool LogEditCommands::Delete(const std::vector<size_t>& selectedRows) {
    std::vector<size_t> rows = Normalised(selectedRows, session_.Log().RowCount());
    if (rows.empty() || !ConfirmDelete(rows.size())) {
        return false;
    }
    DeleteConfirmed(rows);
    return true;
}

bool LogEditCommands::ConfirmDelete(size_t count) {
    return session_.Prompts().AskYesNo(DeleteQuestion(count), "Richiesta di conferma");
}

void LogEditCommands::DeleteConfirmed(const std::vector<size_t>& selectedRows) {
    std::vector<size_t> rows = Normalised(selectedRows, session_.Log().RowCount());
    if (rows.empty()) {
        return;
    }
    session_.EntriesDeleting(rows);
    session_.Log().RemoveRows(rows);
    AfterChange();
}

void LogEditCommands::SortByDateTime() {
    session_.Log().SortByDateTime();
    session_.EntriesSorted();
}

std::string LogEditCommands::DeleteQuestion(size_t count) {
    return "Hai scelto di cancellare " + std::to_string(count) +
           " QSO del log.\nDopo la cancellazione non sar\xE0 pi\xF9 possibile recuperarli.\n\nVuoi "
           "procedere?";
}

void LogEditCommands::AfterChange() {
    session_.RewriteJournal();
    session_.Log().RebuildIndexes();
    session_.MarkModified();
}

}  // namespace tarnex
