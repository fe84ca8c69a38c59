#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#ifdef TARNEX_WITH_CHARTS
#include <dlfcn.h>

#include "charts/ChartModule.h"
#include "cli/CliInput.h"
#endif

#ifdef TARNEX_WITH_CHARTS
namespace {

// The chart command loads the drawing module, next to the program in its build folder
// or in the installed program's library folder (a path from the program's folder), when
// it is first needed.
std::string WriteChartThroughModule(const tarnex::HourlyActivity& activity, const std::string& path) {
    static TarnexWriteChartFile write = nullptr;
    std::string failures;
    for (const std::string& candidate : {tarnex::ExecutableFolder() + kChartModuleFileName,
                                         tarnex::ExecutableFolder() + TARNEX_CHART_MODULE_INSTALLED}) {
        if (write != nullptr) {
            break;
        }
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* why = dlerror();
            failures += failures.empty() ? "" : "; ";
            failures += why != nullptr ? why : candidate;
            continue;
        }
        write = reinterpret_cast<TarnexWriteChartFile>(dlsym(module, kChartModuleEntry));
    }
    if (write == nullptr) {
        return "cannot load the chart drawing module: " + failures;
    }
    std::string error;
    write(&activity, path.c_str(), &error);
    return error;
}

}  // namespace
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TARNEX_WITH_CHARTS
    return tarnex::RunCli(args, std::cout, std::cerr, WriteChartThroughModule);
#else
    return tarnex::RunCli(args, std::cout, std::cerr);
#endif
}
