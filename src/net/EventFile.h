#pragma once
// A file of events kept by one position: the local copy of the server's stream (each
// event with its sequence number in the stream) and the outbox (this position's own
// events that have not come back from the stream yet, sequence 0). Records are
// appended and flushed to disk one batch at a time; the outbox is replaced whole
// (temporary file and rename) when events leave it.
//
// Bytes: the line "TARNEX RETE 1" and then, per event, the line "<sequence> <length>"
// followed by the event's bytes and CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/FileIo.h"

namespace tarnex {

struct StoredEvent {
    uint64_t sequence = 0;
    std::string bytes;
    bool operator==(const StoredEvent&) const = default;
};

class EventFile {
  public:
    explicit EventFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    struct Loaded {
        std::vector<StoredEvent> events;
        bool repaired = false;  // a torn last record was cut off
    };
    // Reads every whole record. A missing file is created empty. A record cut short
    // (a crash in the middle of an append) and anything after it is dropped and the
    // file written again without it. nullopt when the file cannot be read, is not
    // such a file, or cannot be created or repaired.
    std::optional<Loaded> Load(std::string* error = nullptr);

    FileResult Append(const std::vector<StoredEvent>& events);
    FileResult Rewrite(const std::vector<StoredEvent>& events);

    static std::string Bytes(const std::vector<StoredEvent>& events);
    // The whole records of a file's bytes; `whole` is how many bytes they take (the
    // rest is a torn record). nullopt when the bytes are not such a file.
    static std::optional<std::vector<StoredEvent>> Parse(std::string_view bytes, size_t& whole);

  private:
    std::string path_;
};

}  // namespace tarnex
