#pragma once
// A radio as the poller sees it: opened, read (frequency and mode) and closed, all
// on the poller's own thread. A call may take as long as the radio's time-out.

#include <string>
#include <utility>

namespace tarnex {

struct RadioSample {
    double frequencyHz = 0;
    // Hamlib's name of the mode ("USB", "CW", "PKTUSB", ...); empty when the radio
    // gave none.
    std::string mode;
};

struct RadioResult {
    bool ok = true;
    // Why not, in Italian, for the operator (Windows-1252 bytes).
    std::string reason;

    static RadioResult Failed(std::string why) { return {false, std::move(why)}; }
};

class Radio {
  public:
    virtual ~Radio() = default;
    virtual RadioResult Open() = 0;
    virtual RadioResult Read(RadioSample& sample) = 0;
    // Closing a radio that is not open does nothing.
    virtual void Close() = 0;
    // Which radio, for the operator: "Yaesu FT-991 su /dev/ttyUSB0".
    virtual std::string Describe() const = 0;
};

}  // namespace tarnex
