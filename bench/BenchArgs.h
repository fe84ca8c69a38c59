#pragma once
// The arguments most benchmarks take: the number of entries, then the mode (0 QSO,
// 1 listening).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "log/LogTypes.h"

namespace tarnex::bench {

inline LogMode ModeArg(const benchmark::State& state) {
    return state.range(1) == 0 ? LogMode::Qso : LogMode::Listening;
}

// A small log and one of 100,000 entries, in both modes.
inline void SizesAndModes(benchmark::internal::Benchmark* b) {
    for (int64_t mode : {0, 1}) {
        for (int64_t entries : {1000, 100000}) {
            b->Args({entries, mode});
        }
    }
}

}  // namespace tarnex::bench
