#pragma once
// Where the poller's thread leaves what it read and the window's thread picks it up.
// Only news is told: a change of the status text or of its hover text, or the radio
// moving to another contest band or mode. The window's hook is called when news
// arrives and none was waiting; the window then drains the box on its own thread.
// Neither side ever waits for the radio: the lock is held only to copy a status.

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

#include "rig/RigStatus.h"

namespace tarnex {

struct RigUpdate {
    RigStatus status;  // the latest
    // The contest band (index into kBandTexts) and mode (into kModeTexts) the radio
    // moved to since the last drain; -1 when it did not. Leaving the contest bands
    // or modes is no move: the form keeps what it has.
    int newBand = -1;
    int newMode = -1;
};

class RigMailbox {
  public:
    using Notify = std::function<void()>;

    // The hook, called on the poller's thread: it must only arrange for Drain to run
    // on the window's thread (a queued call). Once SetNotify returns, the previous
    // hook is never called again, so the window clears it before it goes.
    void SetNotify(Notify notify);

    // A new run of the poller: the posts of earlier runs are dropped from now on, and
    // the first reading of the new run tells its band and mode. Returns the run's
    // number for its posts.
    uint64_t BeginRun(const RigStatus& status);

    // The poller's thread leaves a status (a reading or a disconnection).
    void Post(uint64_t run, const RigStatus& status);

    // The news since the last drain; nullopt when there is none.
    std::optional<RigUpdate> Drain();

    // The latest status, news or not.
    RigStatus Latest() const;

  private:
    // With mutex_ held: takes the status, true when it is news.
    bool Take(const RigStatus& status);
    void Tell();

    mutable std::mutex mutex_;
    uint64_t run_ = 0;
    RigStatus latest_;
    // The band and mode of the last reading of this connection, -1 before one.
    int lastBand_ = -1;
    int lastMode_ = -1;
    bool pending_ = false;
    int pendingBand_ = -1;
    int pendingMode_ = -1;

    std::mutex notifyMutex_;
    Notify notify_;
};

}  // namespace tarnex
