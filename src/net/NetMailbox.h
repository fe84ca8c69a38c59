#pragma once
// What the network threads hand to the window's thread: events read from the stream
// and news of the link. The network threads post; the window's thread takes
// everything at once. The notify callback is called (from the posting thread) when the
// mailbox goes from empty to not empty: the window turns it into a queued call of its
// own that takes the mail.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tarnex {

struct NetMail {
    enum Kind {
        Event,     // `sequence`, `bytes`: an event of the stream
        Link,      // `online`, `positions`, `problem`: the state of the link
        CaughtUp,  // `sequence`: the stream's last sequence when the reading started
        Wake,      // nothing: only the notify
    } kind = Wake;
    uint64_t sequence = 0;
    std::string bytes;
    bool online = false;
    int positions = 0;
    std::string problem;
};

class NetMailbox {
  public:
    explicit NetMailbox(std::function<void()> notify) : notify_(std::move(notify)) {}

    void Post(NetMail mail);
    std::vector<NetMail> Take();
    // Stops calling notify (before the window goes away).
    void Silence();

  private:
    std::mutex mutex_;
    std::vector<NetMail> mail_;
    std::function<void()> notify_;
    std::mutex notifyMutex_;
};

}  // namespace tarnex
