// Writes a synthetic contest log (the benchmarks' generator) as a log file, to try the
// program and the command-line tool on a log of any size:
//
//   write_synthetic_log ENTRIES qso|swl FILE.trnx [SEED]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "SyntheticLog.h"
#include "sections/SectionTable.h"
#include "util/FileIo.h"

int main(int argc, char** argv) {
    using namespace tarnex;
    if (argc < 4 || argc > 5 || (std::string(argv[2]) != "qso" && std::string(argv[2]) != "swl")) {
        std::fprintf(stderr, "usage: write_synthetic_log ENTRIES qso|swl FILE.trnx [SEED]\n");
        return 2;
    }
    const size_t entries = std::strtoull(argv[1], nullptr, 10);
    const LogMode mode = std::string(argv[2]) == "swl" ? LogMode::Listening : LogMode::Qso;
    auto sections = std::make_unique<SectionTable>();
    bench::SyntheticLog::FillSections(*sections);
    const bench::SyntheticLog log = argc == 5
                                        ? bench::SyntheticLog(entries, std::strtoull(argv[4], nullptr, 10))
                                        : bench::SyntheticLog(entries);
    FileResult written = WriteFileAtomically(argv[3], log.JournalBytes(mode, *sections));
    if (!written) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[3], written.error.c_str());
        return 2;
    }
    return 0;
}
