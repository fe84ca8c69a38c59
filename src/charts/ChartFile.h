#pragma once
// Writes the chart of the operating to a picture file without a window: PNG for a
// web page or a message, SVG for a vector picture. The interface is plain C++ so that
// the command-line tool's dispatcher needs no Qt; the drawing starts an offscreen
// Qt application of its own when the program has none.

#include <string>

#include "score/HourlyActivity.h"

namespace tarnex {

// The picture's size in pixels (the SVG's view box too).
constexpr int kChartFileWidth = 1280;
constexpr int kChartFileHeight = 720;

// True for a path ending in ".png" or ".svg" (any case).
bool IsChartFileName(const std::string& path);

// Draws the chart and replaces `path` with it atomically (a temporary file in the
// same folder, renamed). Returns an empty text when written, else what failed; no
// file is left behind then.
std::string WriteChartFile(const HourlyActivity& activity, const std::string& path);

}  // namespace tarnex
