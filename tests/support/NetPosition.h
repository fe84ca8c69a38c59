#pragma once
// One position of a shared log as the window program runs it, for tests and
// benchmarks: settings, sections, prompts, the log session over its own folder, and
// the network session on top. The test's thread is the window's thread: it waits for
// the network's notify and polls.

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "ScriptedPrompts.h"
#include "app/LogSession.h"
#include "app/Settings.h"
#include "log/LogFile.h"
#include "net/NetSession.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

namespace tarnex::testing {

// A scratch folder for network tests: in memory (/dev/shm) when the machine has it,
// since these tests write and flush many small files and test the logic, not the disk.
class NetScratch {
  public:
    explicit NetScratch(bool onDisk = false) {
        std::string base = std::filesystem::temp_directory_path().string();
        if (!onDisk && std::filesystem::is_directory("/dev/shm")) {
            base = "/dev/shm";
        }
        std::string pattern = base + "/tarnex-net-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    // TARNEX_KEEP_SCRATCH=1 keeps the folder (the servers' logs, the positions'
    // files) for a look after a failure.
    ~NetScratch() {
        const char* keep = std::getenv("TARNEX_KEEP_SCRATCH");
        if (keep != nullptr && *keep == '1') {
            std::fprintf(stderr, "scratch kept: %s\n", path_.c_str());
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    NetScratch(const NetScratch&) = delete;
    NetScratch& operator=(const NetScratch&) = delete;
    std::string Folder() const { return path_ + "/"; }
    std::string Sub(const std::string& name) const {
        std::filesystem::create_directories(path_ + "/" + name);
        return path_ + "/" + name + "/";
    }

  private:
    std::string path_;
};

class NetPosition {
    std::string folder_;

  public:
    explicit NetPosition(std::string folder, LogMode mode = LogMode::Qso)
        : folder_(std::move(folder)), settings(store), sections(std::make_unique<SectionTable>()) {
        settings.Load();
        StationSummary station = settings.station;
        station.callsign = "IK1XYZ";
        station.ownSection = "0130";
        station.category = mode == LogMode::Listening ? "SWL" : "MULTI-ONE";
        station.name = "Stazione";
        settings.SetStation(station);
        settings.logMode = mode;
        sections->SetName(1234, "ALFA");
        sections->SetName(5678, "BETA");
        session = std::make_unique<LogSession>(settings, *sections, prompts, folder_);
        session->LoadJournal();
        net = std::make_unique<NetSession>(*session);
    }
    ~NetPosition() { net.reset(); }

    bool Start(const std::string& servers, const std::string& log, const std::string& position) {
        settings.SetNet(servers, log, position);
        return net->Start(*NetConfig::FromSettings(settings), [this] {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                notified_ = true;
            }
            wake_.notify_all();
        });
    }

    // As the entry form adds a contact: the row, then the journal (and the network).
    void AddQso(const std::string& call, const std::string& time = "1200",
                const std::string& section = "1234") {
        QsoRecord record{
            "12.06.2021", time, "14", "CW", call, "599", "599", section, sections->NameOfText(section)};
        session->Log().AppendWithoutIndexes(record);
        session->JournalAppend(QsoLine(record, settings.station.ownSection));
    }

    // Waits for the network's notify (at most `wait`) and polls.
    NetPollResult PollFor(std::chrono::milliseconds wait) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, wait, [&] { return notified_; });
            notified_ = false;
        }
        return net->Poll();
    }
    // Polls until `done` holds or the time is up; returns `done()`.
    template <typename F>
    bool PollUntil(F&& done, std::chrono::milliseconds limit = std::chrono::milliseconds(20000)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= end) {
                return false;
            }
            PollFor(std::chrono::milliseconds(20));
        }
        return true;
    }

    std::string Journal() const {
        std::optional<std::string> bytes = ReadFileBytes(folder_ + "_ult.trnx");
        return bytes ? *bytes : std::string();
    }
    const std::string& Folder() const { return folder_; }
    ContestLog& Log() { return session->Log(); }

    MemorySettingsStore store;
    Settings settings;
    std::unique_ptr<SectionTable> sections;
    ScriptedPrompts prompts;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<NetSession> net;

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool notified_ = false;
};

}  // namespace tarnex::testing
