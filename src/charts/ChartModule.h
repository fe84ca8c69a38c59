#pragma once
// The entry point of the chart module (tarnex-charts.so): draws the chart into a
// .png or .svg file as WriteChartFile does and puts what failed into `error` (empty
// when written).

#include <string>

#include "score/HourlyActivity.h"

inline constexpr const char* kChartModuleFileName = "tarnex-charts.so";
inline constexpr const char* kChartModuleEntry = "tarnex_write_chart_file";

extern "C" {
using TarnexWriteChartFile = void (*)(const tarnex::HourlyActivity* activity, const char* path,
                                      std::string* error);
}
