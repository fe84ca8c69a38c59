#include "log/EntryIdentity.h"

namespace tarnex {

namespace {
bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}
}  // namespace

bool IsPositionName(std::string_view name) {
    if (name.empty() || name.size() > kPositionNameLimit) {
        return false;
    }
    for (char c : name) {
        if (!IsNameCharacter(c)) {
            return false;
        }
    }
    return true;
}

std::string EntryIdentity::Text() const {
    return position + "#" + std::to_string(number);
}

std::optional<EntryIdentity> EntryIdentity::Parse(std::string_view text) {
    size_t hash = text.find('#');
    if (hash == std::string_view::npos || !IsPositionName(text.substr(0, hash))) {
        return std::nullopt;
    }
    std::string_view digits = text.substr(hash + 1);
    if (digits.empty() || digits.size() > 19 || digits[0] == '0') {
        return std::nullopt;
    }
    uint64_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > static_cast<uint64_t>(INT64_MAX)) {
        return std::nullopt;
    }
    return EntryIdentity{std::string(text.substr(0, hash)), number};
}

std::string_view PositionOfIdentity(std::string_view text) {
    size_t hash = text.find('#');
    return hash == std::string_view::npos ? std::string_view() : text.substr(0, hash);
}

}  // namespace tarnex
