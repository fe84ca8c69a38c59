// The journal as the window program meets it: any bytes as "_ult.trnx" loaded by the
// log session when the window opens, the same bytes opened as a log file, the entry
// form evaluating the callsigns the log holds, and the journal rewritten and read
// again.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "entry/EntryForm.h"
#include "entry/ListeningEntry.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

using namespace tarnex;

namespace {

class Prompts : public UserPrompts {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override { ++messages; }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return file; }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return file; }
    int messages = 0;
    std::optional<std::string> file;
};

bool SameRows(const ContestLog& a, const ContestLog& b) {
    if (a.Mode() != b.Mode() || a.RowCount() != b.RowCount()) {
        return false;
    }
    for (size_t row = 0; row < a.RowCount(); ++row) {
        for (int column = 1; column < a.ColumnCount(); ++column) {
            if (a.Field(row, column) != b.Field(row, column)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::ScratchFolder folder;
    static SectionTable* sections = [] {
        auto* t = new SectionTable;
        t->SetName(130, "BARI");
        t->SetName(1234, "MILANO");
        t->SetName(5678, "ROMA");
        return t;
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    folder.Empty();
    fuzz::PutFile(folder.Path() + "_ult.trnx", bytes);
    fuzz::PutFile(folder.Path() + "aperto.trnx", bytes);

    // The rows the bytes hold, read directly.
    ContestLog direct;
    StationSummary directStation;
    ReadLogBytes(bytes, *sections, direct, directStation);

    MemorySettingsStore store;
    Settings settings(store);
    settings.Load();
    Prompts prompts;
    LogSession session(settings, *sections, prompts, folder.Path());
    FUZZ_CHECK(session.LoadJournal());
    FUZZ_CHECK(prompts.messages == 0);
    FUZZ_CHECK(SameRows(session.Log(), direct));

    {
        ListeningEntry listening;
        EntryForm form(session);
        form.SetListeningHandler(&listening);
        form.Open(ClockNow{{2007, 6, 2, 14, 23, 10}, {2007, 6, 2, 16, 23, 10}});
        const ContestLog& log = session.Log();
        for (size_t row = 0; row < log.RowCount() && row < 16; ++row) {
            form.OnFocusChanged(EntryField::Callsign);
            form.SetText(EntryField::Callsign, std::string(log.Field(row, 5)));
            form.EvaluateCallsign();
            if (log.Mode() == LogMode::Listening) {
                form.OnFocusChanged(EntryField::Callsign2);
                form.SetText(EntryField::Callsign2, std::string(log.Field(row, ListeningCol::AnsweringCall)));
                form.OnFocusChanged(EntryField::Section2);  // leaving callsign 2 evaluates it
            }
            form.OnClear();
        }
    }

    // Rewritten and loaded again in a new run of the program: the same rows, unless a
    // line the program writes is too long to be read back whole.
    FUZZ_CHECK(session.RewriteJournal());
    std::optional<std::string> journal = ReadFileBytes(session.JournalPath());
    FUZZ_CHECK(journal.has_value());
    FUZZ_CHECK(*journal == LogFileBytes(session.Log(), settings.station));

    // Opened as a log file: the journal becomes a copy of it, the rows those it holds.
    prompts.file = folder.Path() + "aperto.trnx";
    session.Log().SetModified(false);
    settings.modified = false;
    session.Open();
    FUZZ_CHECK(prompts.messages == 0);
    FUZZ_CHECK(SameRows(session.Log(), direct));
    FUZZ_CHECK(ReadFileBytes(session.JournalPath()) == std::string(bytes));
    return 0;
}
