#pragma once
// A shared log on its server, seen from outside any position: making it (the stream
// that holds its events and the bucket of its positions' names) and reading it whole.
// These calls wait for the server (within their time limit): for the command line and
// for tests, not for the window.

#include <cstdint>
#include <string>
#include <vector>

#include "net/MergeCore.h"

namespace tarnex {

struct SharedLogAnswer {
    bool ok = false;
    std::string error;  // in English, for the command line
};

// Makes the log's stream (file storage, de-duplication window of a whole contest,
// no deletes or purges) and its presence bucket, both with `replicas` copies (3 on a
// cluster of three servers). A log that exists already is left as it is. Tries again
// while a cluster is still electing its leader, up to `waitMillis`.
SharedLogAnswer CreateSharedLog(const std::vector<std::string>& servers, const std::string& log, int replicas,
                                int64_t waitMillis = 10000);

struct SharedLogContents {
    SharedLogAnswer answer;
    MergeCore core;  // every event of the stream applied
    uint64_t lastSequence = 0;
    uint64_t adds = 0;       // add events among them
    uint64_t badEvents = 0;  // events that do not parse, applied as nothing
};

// Reads every event the stream holds now.
SharedLogContents ReadSharedLog(const std::vector<std::string>& servers, const std::string& log,
                                int64_t waitMillis = 10000);

}  // namespace tarnex
