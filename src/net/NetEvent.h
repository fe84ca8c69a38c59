#pragma once
// A change of the shared log as it travels between positions: adding, editing or
// deleting an entry, a new station summary, or "Riordina per data ed ora". Each event
// is made by one position and numbered by it; the number is also the message id that
// lets the server store a re-sent event once.
//
// The bytes: "TXE" + version "1" + kind letter, then netstrings ("<length>:<bytes>,"):
//   A, E (add, edit):  author, number, entry identity, mode "Q" or "H", columns 1..8
//   D (delete):        author, number, entry identity
//   S (summary):       author, number, the eleven station values in header order
//   O (sort):          author, number
// An add's identity is its own author and number. Nothing else is accepted: a field
// that would break a journal line ("^", CR, LF, a line longer than the reader takes)
// makes the whole event one that does not parse.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "log/EntryIdentity.h"
#include "log/LogTypes.h"
#include "log/StationSummary.h"

namespace tarnex {

enum class NetEventKind : char { Add = 'A', Edit = 'E', Delete = 'D', Summary = 'S', Sort = 'O' };

struct NetEvent {
    NetEventKind kind = NetEventKind::Add;
    std::string author;                 // the position that made the change
    uint64_t number = 0;                // that position's own sequence number for it
    EntryIdentity entry;                // add, edit, delete
    LogMode mode = LogMode::Qso;        // add, edit: the kind of record
    std::array<std::string, 8> fields;  // add, edit: columns 1..8 of the row
    StationSummary station;             // summary

    bool TargetsEntry() const {
        return kind == NetEventKind::Add || kind == NetEventKind::Edit || kind == NetEventKind::Delete;
    }
    bool operator==(const NetEvent&) const = default;

    static NetEvent MakeAdd(const std::string& author, uint64_t number, LogMode mode,
                            const std::array<std::string, 8>& fields);
    static NetEvent MakeEdit(const std::string& author, uint64_t number, const EntryIdentity& entry,
                             LogMode mode, const std::array<std::string, 8>& fields);
    static NetEvent MakeDelete(const std::string& author, uint64_t number, const EntryIdentity& entry);
    static NetEvent MakeSummary(const std::string& author, uint64_t number, const StationSummary& station);
    static NetEvent MakeSort(const std::string& author, uint64_t number);
};

std::string EncodeNetEvent(const NetEvent& event);
// nullopt for anything that is not an event this version writes.
std::optional<NetEvent> DecodeNetEvent(std::string_view bytes);

// The message id under which the server de-duplicates the event: "AUTHOR.NUMBER".
std::string NetMessageId(const NetEvent& event);

// Columns 1..8 of a record, and back.
std::array<std::string, 8> FieldsOf(const QsoRecord& record);
std::array<std::string, 8> FieldsOf(const HrdRecord& record);

}  // namespace tarnex
