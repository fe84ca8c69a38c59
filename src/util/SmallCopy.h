#pragma once
// Copying a few bytes where a call to memcpy would cost more than the copy: the log's
// fields and the export lines are mostly a handful of characters.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnex {

// Copies n bytes (the ranges do not overlap). Up to sixteen bytes take two moves of
// fixed size, overlapping when the text is shorter; more go to memcpy.
inline void CopySmall(char* to, const char* from, size_t n) {
    if (n >= 8 && n <= 16) {
        uint64_t head = 0;
        uint64_t tail = 0;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4 && n < 8) {
        uint32_t head = 0;
        uint32_t tail = 0;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n > 0 && n < 4) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    } else if (n > 16) {
        std::memcpy(to, from, n);
    }
}

}  // namespace tarnex
