#include "rig/RigMailbox.h"

#include <utility>

namespace tarnex {

void RigMailbox::SetNotify(Notify notify) {
    std::lock_guard<std::mutex> lock(notifyMutex_);
    notify_ = std::move(notify);
}

uint64_t RigMailbox::BeginRun(const RigStatus& status) {
    bool news = false;
    uint64_t run = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        run = ++run_;
        lastBand_ = -1;
        lastMode_ = -1;
        pendingBand_ = -1;
        pendingMode_ = -1;
        news = Take(status);
    }
    if (news) {
        Tell();
    }
    return run;
}

void RigMailbox::Post(uint64_t run, const RigStatus& status) {
    bool news = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (run != run_) {
            return;
        }
        news = Take(status);
    }
    if (news) {
        Tell();
    }
}

bool RigMailbox::Take(const RigStatus& status) {
    bool news = status.connected != latest_.connected || status.detail != latest_.detail ||
                (status.connected && status.Text() != latest_.Text());
    if (status.connected) {
        if (status.band != lastBand_) {
            lastBand_ = status.band;
            if (status.band >= 0) {
                pendingBand_ = status.band;
                news = true;
            }
        }
        if (status.mode != lastMode_) {
            lastMode_ = status.mode;
            if (status.mode >= 0) {
                pendingMode_ = status.mode;
                news = true;
            }
        }
    } else {
        // The next connection's first reading tells its band and mode again.
        lastBand_ = -1;
        lastMode_ = -1;
    }
    latest_ = status;
    if (!news || pending_) {
        return false;  // nothing new, or the window has yet to drain the last news
    }
    pending_ = true;
    return true;
}

void RigMailbox::Tell() {
    std::lock_guard<std::mutex> lock(notifyMutex_);
    if (notify_) {
        notify_();
    }
}

std::optional<RigUpdate> RigMailbox::Drain() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!pending_) {
        return std::nullopt;
    }
    pending_ = false;
    RigUpdate update{latest_, pendingBand_, pendingMode_};
    pendingBand_ = -1;
    pendingMode_ = -1;
    return update;
}

RigStatus RigMailbox::Latest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return latest_;
}

}  // namespace tarnex
