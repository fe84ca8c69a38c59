#pragma once
// Correcting, removing and re-ordering entries already in the log: the commands
// "Modifica", "Elimina" and "Riordina per data ed ora". Each edited row goes through
// an editor supplied by the caller (the edit dialog in the window program).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "log/LogTypes.h"

namespace tarnex {

class LogSession;

// Shows one row in the edit dialog of the log's mode; the accepted values, or
// nullopt when the person cancelled.
struct RowEditor {
    std::function<std::optional<QsoRecord>(const QsoRecord&)> editQso;
    std::function<std::optional<HrdRecord>(const HrdRecord&)> editListening;
};

class LogEditCommands {
  public:
    explicit LogEditCommands(LogSession& session) : session_(session) {}

    // Walks the selected rows from first to last and shows each one in the editor.
    // Every accepted row is written back (in QSO mode with its section name looked up
    // again), the journal is rewritten, the indexes rebuilt and the log marked
    // modified. Cancelling one row goes on with the next. Returns the rows changed.
    size_t Edit(const std::vector<size_t>& selectedRows, const RowEditor& editor);

    // Asks before deleting the selected rows; on Yes removes them, rewrites the
    // journal, rebuilds the indexes and marks the log modified. Returns true when
    // rows were deleted.
    bool Delete(const std::vector<size_t>& selectedRows);
    // The two halves of Delete, for a window that shows a wait cursor in between: the
    // question for a number of rows (true for Yes), then the removal itself.
    bool ConfirmDelete(size_t count);
    void DeleteConfirmed(const std::vector<size_t>& selectedRows);

    // Orders the rows by date and time. The journal, the indexes and the modified flag
    // are left as they are: the new order reaches the journal at its next rewrite.
    void SortByDateTime();

    // The question asked before deleting count rows.
    static std::string DeleteQuestion(size_t count);

  private:
    void AfterChange();

    LogSession& session_;
};

}  // namespace tarnex
