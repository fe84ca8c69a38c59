#pragma once
// What a radio's frequency and mode mean for the contest: the band text of the
// amateur band that holds the frequency, and the contest mode of the radio's mode.

#include <string>
#include <string_view>

namespace tarnex {

// The index into kBandTexts of the contest band that holds the frequency (in Hz);
// -1 outside every contest band.
int BandIndexForFrequency(double frequencyHz);

// The index into kModeTexts of the radio's mode, by Hamlib's name for it ("USB",
// "CWR", ...); -1 for a mode the contest does not have.
int ModeIndexForRadioMode(std::string_view radioMode);

// "14.025,0": kilohertz rounded to a tenth, thousands by "." and the decimal ",".
std::string FormatKilohertz(double frequencyHz);

}  // namespace tarnex
