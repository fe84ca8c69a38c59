#include "rig/RigPoller.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

#include "rig/HamlibRadio.h"

namespace tarnex {

namespace {

// How long the destructor lets the last run close its radio.
constexpr std::chrono::milliseconds kClosingGrace{500};

}  // namespace

// The stop and end flags of every run of one poller, under one lock, so that a
// run can wait for its own stop and for the end of earlier runs at once.
struct RigPoller::Board {
    std::mutex mutex;
    std::condition_variable changed;
};

struct RigPoller::Run {
    RigConfig config;
    uint64_t mailboxRun = 0;
    // Under Board::mutex.
    bool stopping = false;
    bool finished = false;
    // Earlier runs on the same port still closing their radio.
    std::vector<std::shared_ptr<Run>> predecessors;
};

RigPoller::RigPoller(RadioFactory factory, RigRetryPauses pauses)
    : factory_(std::move(factory)),
      pauses_(pauses),
      mailbox_(std::make_shared<RigMailbox>()),
      board_(std::make_shared<Board>()) {
    if (!factory_) {
        factory_ = [](const RigConfig& config) { return std::make_unique<HamlibRadio>(config); };
    }
    mailbox_->BeginRun(RigStatus::Disconnected("Nessuna radio scelta nelle opzioni"));
}

RigPoller::~RigPoller() {
    mailbox_->SetNotify({});
    Retire();
    {
        std::unique_lock<std::mutex> lock(board_->mutex);
        board_->changed.wait_for(lock, kClosingGrace, [this] {
            return std::all_of(retired_.begin(), retired_.end(),
                               [](const Retired& r) { return r.run->finished; });
        });
    }
    JoinFinished();
    for (Retired& r : retired_) {
        r.thread.detach();  // it holds what it uses and ends after its call to the radio
    }
}

void RigPoller::SetNotify(RigMailbox::Notify notify) {
    mailbox_->SetNotify(std::move(notify));
}

void RigPoller::Retire() {
    if (!current_) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(board_->mutex);
        current_->stopping = true;
    }
    board_->changed.notify_all();
    retired_.push_back({std::move(current_), std::move(currentThread_)});
    current_.reset();
}

void RigPoller::JoinFinished() {
    std::vector<Retired> finished;
    {
        std::lock_guard<std::mutex> lock(board_->mutex);
        auto still = std::partition(retired_.begin(), retired_.end(),
                                    [](const Retired& r) { return !r.run->finished; });
        std::move(still, retired_.end(), std::back_inserter(finished));
        retired_.erase(still, retired_.end());
    }
    for (Retired& r : finished) {
        r.thread.join();  // the run has ended: only its thread's return is left
    }
}

void RigPoller::Stop() {
    Retire();
    JoinFinished();
    mailbox_->BeginRun(RigStatus::Disconnected("Lettura della radio fermata"));
}

void RigPoller::Start(const RigConfig& config) {
    Retire();
    JoinFinished();
    config_ = config;
    if (config.model == kNoRadioModel) {
        mailbox_->BeginRun(RigStatus::Disconnected("Nessuna radio scelta nelle opzioni"));
        return;
    }
    auto run = std::make_shared<Run>();
    run->config = config;
    {
        std::lock_guard<std::mutex> lock(board_->mutex);
        for (const Retired& r : retired_) {
            if (!r.run->finished && r.run->config.port == config.port) {
                run->predecessors.push_back(r.run);
            }
        }
    }
    run->mailboxRun = mailbox_->BeginRun(RigStatus::Disconnected("Collegamento con la radio in corso"));
    current_ = run;
    currentThread_ = std::thread(Work, run, board_, mailbox_, factory_, pauses_);
}

int RigPoller::LingeringRuns() {
    JoinFinished();
    std::lock_guard<std::mutex> lock(board_->mutex);
    return static_cast<int>(retired_.size());
}

void RigPoller::Work(std::shared_ptr<Run> run, std::shared_ptr<Board> board,
                     std::shared_ptr<RigMailbox> mailbox, RadioFactory factory, RigRetryPauses pauses) {
    auto post = [&](const RigStatus& status) { mailbox->Post(run->mailboxRun, status); };
    auto stopping = [&] {
        std::lock_guard<std::mutex> lock(board->mutex);
        return run->stopping;
    };
    // False when stopped before the time was up.
    auto sleep = [&](std::chrono::milliseconds time) {
        std::unique_lock<std::mutex> lock(board->mutex);
        return !board->changed.wait_for(lock, time, [&] { return run->stopping; });
    };

    {
        std::unique_lock<std::mutex> lock(board->mutex);
        auto predecessorsDone = [&] {
            return std::all_of(run->predecessors.begin(), run->predecessors.end(),
                               [](const std::shared_ptr<Run>& p) { return p->finished; });
        };
        if (!predecessorsDone()) {
            lock.unlock();
            post(RigStatus::Disconnected("Chiusura del collegamento precedente con la radio in corso"));
            lock.lock();
            board->changed.wait(lock, [&] { return run->stopping || predecessorsDone(); });
        }
        run->predecessors.clear();
    }

    std::chrono::milliseconds pause = pauses.first;
    while (!stopping()) {
        std::unique_ptr<Radio> radio = factory(run->config);
        RadioResult result = radio ? radio->Open() : RadioResult::Failed("Radio non disponibile");
        if (result.ok) {
            RadioSample sample;
            while (!stopping() && (result = radio->Read(sample)).ok) {
                post(RigStatus::Connected(sample, radio->Describe()));
                pause = pauses.first;
                if (!sleep(run->config.Interval())) {
                    break;
                }
            }
        }
        if (radio) {
            radio->Close();
            radio.reset();
        }
        if (!result.ok) {
            post(RigStatus::Disconnected(result.reason));
        }
        if (!sleep(pause)) {
            break;
        }
        pause = std::min(pause * 2, pauses.longest);
    }

    {
        std::lock_guard<std::mutex> lock(board->mutex);
        run->finished = true;
    }
    board->changed.notify_all();
}

}  // namespace tarnex
