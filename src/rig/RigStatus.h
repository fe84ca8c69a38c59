#pragma once
// What the program knows of the radio: connected or not, and when connected what it
// reads (frequency, band, mode); with the texts the main window shows.

#include <string>

#include "rig/Radio.h"

namespace tarnex {

struct RigStatus {
    bool connected = false;
    double frequencyHz = 0;
    int band = -1;  // index into kBandTexts; -1 outside the contest bands
    int mode = -1;  // index into kModeTexts; -1 for a mode the contest does not have
    // Hamlib's name of the radio's mode ("PKTUSB"); empty when it gave none.
    std::string radioMode;
    // For the hover text: which radio when connected, why not when not.
    std::string detail;

    static RigStatus Connected(const RadioSample& sample, std::string which);
    static RigStatus Disconnected(std::string why);

    // "" when none.
    std::string BandText() const;
    std::string ModeText() const;

    // "Radio: 14.025,0 kHz CW" when connected, "Radio: non collegata" when not. The
    // mode is the contest's name for it, else the radio's own ("FM"), so that the
    // operator sees why the mode did not follow the radio.
    std::string Text() const;
};

}  // namespace tarnex
