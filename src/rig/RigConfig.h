#pragma once
// Which radio to talk to and how: the four radio settings of the options, and the
// pauses between attempts to reach a radio that does not answer.

#include <chrono>
#include <string>

namespace tarnex {

// Hamlib's model numbers that the program names.
inline constexpr int kNoRadioModel = 0;
inline constexpr int kDummyRadioModel = 1;    // Hamlib's radio in memory, for trying things out
inline constexpr int kNetworkRadioModel = 2;  // a radio shared by rigctld, port "host:port"

inline constexpr int kDefaultPollIntervalMs = 500;
inline constexpr int kShortestPollIntervalMs = 50;
inline constexpr int kLongestPollIntervalMs = 60'000;

struct RigConfig {
    int model = kNoRadioModel;
    // A serial device ("/dev/ttyUSB0") or, for the network model, "host:port"; empty
    // for the model's own default.
    std::string port;
    // Serial speed in baud; 0 leaves the model's own default.
    int speed = 0;
    int intervalMs = kDefaultPollIntervalMs;

    // The interval brought into the range the poller works with.
    std::chrono::milliseconds Interval() const;

    bool operator==(const RigConfig&) const = default;
};

// After a failed attempt the poller waits `first`, then twice as long at every
// further failure, never longer than `longest`; a good reading starts again at
// `first`.
struct RigRetryPauses {
    std::chrono::milliseconds first{1000};
    std::chrono::milliseconds longest{30'000};
};

}  // namespace tarnex
