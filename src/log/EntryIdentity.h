#pragma once
// The identity of an entry of a network log: the name of the position (computer) that
// logged it and that position's own sequence number, written "NAME#NUMBER". It never
// changes, whatever is edited or re-ordered; entries of a single-computer log have none.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnex {

// A position name: 1 to 12 letters, digits, "-" or "_".
constexpr size_t kPositionNameLimit = 12;
bool IsPositionName(std::string_view name);

struct EntryIdentity {
    std::string position;
    uint64_t number = 0;  // 1 and up

    // "NAME#NUMBER", the number in decimal without leading zeros.
    std::string Text() const;
    // Only the canonical text is taken: a position name, "#", a number from 1 to
    // 2^63 - 1 without leading zeros. So equal identities always have equal texts.
    static std::optional<EntryIdentity> Parse(std::string_view text);

    bool operator==(const EntryIdentity&) const = default;
};

// The position part of an identity text ("RUN#12" -> "RUN"); empty when there is none.
std::string_view PositionOfIdentity(std::string_view text);

}  // namespace tarnex
