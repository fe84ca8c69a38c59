// The chart files as a module that the command-line tool loads only for its chart
// command: the tool's other commands start without the drawing libraries, whose
// loading alone costs more processor time than scoring a large log.

#include <string>

#include "charts/ChartFile.h"
#include "charts/ChartModule.h"

extern "C" __attribute__((visibility("default"))) void tarnex_write_chart_file(
    const tarnex::HourlyActivity* activity, const char* path, std::string* error) {
    *error = tarnex::WriteChartFile(*activity, path);
}
