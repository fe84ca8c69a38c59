#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#ifdef TARNEX_WITH_CHARTS
#include "charts/ChartFile.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TARNEX_WITH_CHARTS
    return tarnex::RunCli(args, std::cout, std::cerr, tarnex::WriteChartFile);
#else
    return tarnex::RunCli(args, std::cout, std::cerr);
#endif
}
