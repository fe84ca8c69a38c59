#pragma once
// Reads the radio at every interval on a thread of its own and leaves what it reads
// in a mailbox for the window's thread. A radio that cannot be opened or stops
// answering shows as disconnected with the reason; the poller tries again after a
// pause that doubles at every failure (up to a limit) and reconnects by itself.
//
// Start and Stop return at once, whatever the radio is doing: a thread caught in a
// call to the radio finishes it in the background (at most the radio's time-out),
// closes the radio and ends. A new run on the same port waits for that first, on
// its own thread, so two runs never talk to one radio at the same time.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "rig/Radio.h"
#include "rig/RigConfig.h"
#include "rig/RigMailbox.h"

namespace tarnex {

class RigPoller {
  public:
    using RadioFactory = std::function<std::unique_ptr<Radio>(const RigConfig&)>;

    // Without a factory the radios are Hamlib's. The factory is called on the
    // poller's threads.
    explicit RigPoller(RadioFactory factory = {}, RigRetryPauses pauses = {});
    // Stops, gives the last run a moment to close its radio, and leaves a run still
    // caught in a call to the radio to end by itself.
    ~RigPoller();
    RigPoller(const RigPoller&) = delete;
    RigPoller& operator=(const RigPoller&) = delete;

    // See RigMailbox::SetNotify.
    void SetNotify(RigMailbox::Notify notify);

    // Stops what runs and starts reading the radio of `config` (model 0: none).
    // Changed settings apply by calling it again.
    void Start(const RigConfig& config);
    void Stop();
    const RigConfig& Config() const { return config_; }

    // On the window's thread.
    std::optional<RigUpdate> Drain() { return mailbox_->Drain(); }
    RigStatus Status() const { return mailbox_->Latest(); }

    // Runs stopped but still finishing a call to their radio.
    int LingeringRuns();

  private:
    struct Board;
    struct Run;
    static void Work(std::shared_ptr<Run> run, std::shared_ptr<Board> board,
                     std::shared_ptr<RigMailbox> mailbox, RadioFactory factory, RigRetryPauses pauses);
    void Retire();
    void JoinFinished();

    RadioFactory factory_;
    RigRetryPauses pauses_;
    RigConfig config_;
    std::shared_ptr<RigMailbox> mailbox_;
    std::shared_ptr<Board> board_;
    std::shared_ptr<Run> current_;
    std::thread currentThread_;
    struct Retired {
        std::shared_ptr<Run> run;
        std::thread thread;
    };
    std::vector<Retired> retired_;
};

}  // namespace tarnex
