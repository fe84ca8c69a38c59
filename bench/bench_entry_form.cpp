// The entry form's work on a log of 100,000 contacts: leaving the callsign field,
// choosing a band or a mode, and adding a contact (journal line included). The log
// and its journal live in a scratch folder (TARNEX_BENCH_DIR, else /dev/shm when
// present, else the temporary folder).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/LogSession.h"
#include "app/Settings.h"
#include "base/SettingsStore.h"
#include "base/UserPrompts.h"
#include "entry/EntryForm.h"
#include "log/BandMode.h"
#include "log/LogFile.h"
#include "sections/SectionTable.h"

using namespace tarnex;

namespace {

constexpr int kRows = 100000;

class SilentPrompts : public UserPrompts {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return std::nullopt; }
};

std::string ScratchFolder() {
    std::string base;
    if (const char* chosen = std::getenv("TARNEX_BENCH_DIR")) {
        base = chosen;
    } else if (std::filesystem::is_directory("/dev/shm")) {
        base = "/dev/shm";
    } else {
        base = std::filesystem::temp_directory_path().string();
    }
    std::string pattern = base + "/bench-entry-XXXXXX";
    return mkdtemp(pattern.data());
}

// Callsign number i: about 20,000 different stations, five contacts each.
std::string Callsign(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "IZ%d%c%c%c", i % 10, 'A' + (i / 10) % 26, 'A' + (i / 260) % 26,
                  'A' + (i / 6760) % 26);
    return text;
}

// A session over a journal of kRows contacts, with the entry form opened on it.
struct Bench {
    Bench() : settings(store) {
        folder = ScratchFolder();
        for (int code = 0; code < 10000; code += 7) {
            sections.SetName(code, "SEZIONE");
        }
        settings.Load();
        settings.SetOwnSection("0007");
        settings.tips = false;
        std::string bytes = LogHeaderBytes(LogMode::Qso, settings.station);
        for (int i = 0; i < kRows; ++i) {
            const int mode = i % 3;
            char section[8];
            std::snprintf(section, sizeof section, "%04d", (i * 7) % 10000);
            QsoRecord r{"02.06.2007",
                        "1423",
                        std::string(kBandTexts[(i / 3) % 6 == 0 && mode == 2 ? 1 : (i / 3) % 6]),
                        std::string(kModeTexts[mode]),
                        Callsign(i % 20000),
                        mode == 0 ? "59" : "599",
                        mode == 0 ? "57" : "579",
                        section,
                        ""};
            bytes += QsoLine(r, "0007");
        }
        std::ofstream(folder + "/_ult.trnx", std::ios::binary) << bytes;
        session = std::make_unique<LogSession>(settings, sections, prompts, folder);
        session->LoadJournal();
        form = std::make_unique<EntryForm>(*session);
        form->Open(ClockNow{{2007, 6, 2, 14, 23, 10}, {2007, 6, 2, 16, 23, 10}});
    }
    ~Bench() {
        form.reset();
        session.reset();
        std::filesystem::remove_all(folder);
    }

    MemorySettingsStore store;
    Settings settings;
    SectionTable sections;
    SilentPrompts prompts;
    std::string folder;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<EntryForm> form;
};

void BM_LeaveCallsignField(benchmark::State& state) {
    Bench bench;
    int i = 0;
    for (auto _ : state) {
        bench.form->OnFocusChanged(EntryField::Callsign);
        bench.form->SetText(EntryField::Callsign, Callsign(i++ % 20000));
        bench.form->OnFocusChanged(EntryField::RstSent);
        benchmark::DoNotOptimize(bench.form->State().previous.size());
    }
}
BENCHMARK(BM_LeaveCallsignField)->Unit(benchmark::kMicrosecond);

void BM_ChooseBand(benchmark::State& state) {
    Bench bench;
    bench.form->SetText(EntryField::Callsign, Callsign(1234));
    bench.form->OnFocusChanged(EntryField::Band);
    int band = 0;
    for (auto _ : state) {
        bench.form->OnBandChosen(band++ % kBandCount);
        benchmark::DoNotOptimize(bench.form->State().duplicate);
    }
}
BENCHMARK(BM_ChooseBand)->Unit(benchmark::kMicrosecond);

void BM_ChooseMode(benchmark::State& state) {
    Bench bench;
    bench.form->SetText(EntryField::Callsign, Callsign(4321));
    bench.form->OnFocusChanged(EntryField::Mode);
    int mode = 0;
    for (auto _ : state) {
        bench.form->OnModeChosen(mode++ % kModeCount);
        benchmark::DoNotOptimize(bench.form->State().duplicate);
    }
}
BENCHMARK(BM_ChooseMode)->Unit(benchmark::kMicrosecond);

// Callsign, Enter, section, Enter: the contact is checked, added to the log, its line
// appended (and flushed) to the journal, and the form cleared.
void BM_AddContact(benchmark::State& state) {
    Bench bench;
    int i = 0;
    for (auto _ : state) {
        // A station not in the log yet, so that no contact is a duplicate.
        bench.form->SetText(EntryField::Callsign,
                            "I" + std::to_string(i % 10) + "NEW" + Callsign(i).substr(3));
        ++i;
        bench.form->OnEnter();
        bench.form->OnSectionTyped("0014");
        bench.form->OnEnter();
    }
    if (bench.session->Log().RowCount() != static_cast<size_t>(kRows) + static_cast<size_t>(i)) {
        state.SkipWithError("a contact was not added");
    }
}
BENCHMARK(BM_AddContact)->Unit(benchmark::kMicrosecond);

}  // namespace
