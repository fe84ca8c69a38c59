#pragma once
// The link of one position to the NATS server (or cluster) that holds the shared log:
// one thread of its own connects (and connects again, by itself, to any server of the
// list), checks that the log exists, claims the position's name, reads the log's
// stream from the first event not yet applied, sends this position's events in their
// order (one at a time, each under its message id, until the server has stored it),
// and says every two seconds that the position is online. Nothing here blocks the
// caller: what the link learns goes into the mailbox.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/NetMailbox.h"

namespace tarnex {

struct NetOutgoing {
    std::string subject;
    std::string messageId;
    std::string bytes;
};

class NetLink {
  public:
    struct Config {
        std::vector<std::string> servers;
        std::string log;
        std::string position;
        std::string token;        // this computer's own mark on the position's name
        uint64_t startAfter = 0;  // the last stream sequence already applied
    };

    NetLink(Config config, std::shared_ptr<NetMailbox> mailbox);
    ~NetLink();
    NetLink(const NetLink&) = delete;
    NetLink& operator=(const NetLink&) = delete;

    // Starts the thread with the events still to send, in order.
    void Start(std::vector<NetOutgoing> queued);
    // One more event to send after the others.
    void Send(NetOutgoing item);
    // Frees the position's name, closes the connection and ends the thread. Waits
    // three seconds at most: a thread still stuck in a connection attempt then ends by
    // itself.
    void Stop();

    struct Impl;

  private:
    std::shared_ptr<Impl> impl_;
};

}  // namespace tarnex
