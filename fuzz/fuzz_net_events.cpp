// The network's readers of outside bytes: an event as it comes from the server, and
// the files of events a position keeps (the local copy of the stream, the outbox).
// The input is read as the records of such a file; every record's bytes as an event.
// What reads must write back to the same bytes; the events that parse, applied in
// order by one position and, with some of them first shown as its own pending ones,
// by another, must end in the same log.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "net/EventFile.h"
#include "net/MergeCore.h"

using namespace tarnex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    if (std::optional<NetEvent> event = DecodeNetEvent(input)) {
        FUZZ_CHECK(EncodeNetEvent(*event) == input);
    }

    const std::string file = EventFile::Bytes({}) + std::string(input);
    size_t whole = 0;
    std::optional<std::vector<StoredEvent>> records = EventFile::Parse(file, whole);
    FUZZ_CHECK(records.has_value());
    FUZZ_CHECK(whole <= file.size());
    FUZZ_CHECK(EventFile::Bytes(*records) == file.substr(0, whole));

    MergeCore stream;
    MergeCore position;
    std::vector<NetEvent> events;
    for (const StoredEvent& record : *records) {
        std::optional<NetEvent> event = DecodeNetEvent(record.bytes);
        if (!event) {
            continue;
        }
        FUZZ_CHECK(EncodeNetEvent(*event) == record.bytes);
        events.push_back(*event);
        stream.ApplyConfirmed(*event);
        // An odd sequence number: the position made it and shows it before it comes back.
        if (record.sequence % 2 == 1) {
            position.AddPending(*event);
        }
    }
    for (const NetEvent& event : events) {
        position.ApplyConfirmed(event);
    }
    FUZZ_CHECK(position.Pending().empty());
    const SharedLogView expected = stream.View();
    const SharedLogView shown = position.View();
    FUZZ_CHECK(shown.mode == expected.mode);
    FUZZ_CHECK(shown.summary == expected.summary);
    FUZZ_CHECK(shown.rows.size() == expected.rows.size());
    for (size_t i = 0; i < expected.rows.size(); ++i) {
        FUZZ_CHECK(shown.rows[i].identity == expected.rows[i].identity);
        FUZZ_CHECK(shown.rows[i].fields == expected.rows[i].fields);
        FUZZ_CHECK(EntryIdentity::Parse(expected.rows[i].identity).has_value());
        for (const std::string& field : expected.rows[i].fields) {
            FUZZ_CHECK(field.find_first_of("^\r\n") == std::string::npos);
        }
    }
    return 0;
}
