#include "BenchSupport.h"

#include <malloc.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tarnex::bench {

BenchFolder::BenchFolder(const std::string& tag, const std::string& chosenBase) {
    std::string base = chosenBase;
    const char* chosen = std::getenv("TARNEX_BENCH_DIR");
    if (base.empty() && chosen != nullptr && *chosen != '\0') {
        base = chosen;
    }
    if (base.empty()) {
        base = std::filesystem::temp_directory_path().string();
    }
    std::string pattern = base + "/tarnex-bench-" + tag + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern + "/";
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

size_t HeapInUse() {
    struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

size_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            size_t kilobytes = 0;
            fields >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

}  // namespace tarnex::bench
