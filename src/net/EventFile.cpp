#include "net/EventFile.h"

#include <charconv>

namespace tarnex {

namespace {

constexpr std::string_view kHeader = "TARNEX RETE 1\r\n";

void AddRecord(std::string& out, const StoredEvent& event) {
    out += std::to_string(event.sequence);
    out += ' ';
    out += std::to_string(event.bytes.size());
    out += "\r\n";
    out += event.bytes;
    out += "\r\n";
}

// Decimal digits as the writer puts them: no sign, no leading zero.
bool ParseNumber(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string EventFile::Bytes(const std::vector<StoredEvent>& events) {
    std::string out(kHeader);
    for (const StoredEvent& event : events) {
        AddRecord(out, event);
    }
    return out;
}

std::optional<EventFile::Loaded> EventFile::Load(std::string* error) {
    if (!FileExists(path_)) {
        FileResult created = WriteFileAtomically(path_, kHeader);
        if (!created) {
            if (error != nullptr) {
                *error = created.error;
            }
            return std::nullopt;
        }
        return Loaded{};
    }
    std::optional<std::string> bytes = ReadFileBytes(path_, error);
    if (!bytes) {
        return std::nullopt;
    }
    size_t whole = 0;
    std::optional<std::vector<StoredEvent>> events = Parse(*bytes, whole);
    if (!events) {
        if (error != nullptr) {
            *error = path_ + ": not an event file";
        }
        return std::nullopt;
    }
    Loaded loaded;
    loaded.events = std::move(*events);
    if (whole < bytes->size()) {
        loaded.repaired = true;
        FileResult rewritten = Rewrite(loaded.events);
        if (!rewritten) {
            if (error != nullptr) {
                *error = rewritten.error;
            }
            return std::nullopt;
        }
    }
    return loaded;
}

std::optional<std::vector<StoredEvent>> EventFile::Parse(std::string_view bytes, size_t& whole) {
    if (bytes.substr(0, kHeader.size()) != kHeader) {
        return std::nullopt;
    }
    std::string_view rest = bytes.substr(kHeader.size());
    std::vector<StoredEvent> events;
    while (!rest.empty()) {
        size_t lineEnd = rest.find("\r\n");
        size_t space = rest.find(' ');
        uint64_t sequence = 0;
        uint64_t length = 0;
        if (lineEnd == std::string_view::npos || space > lineEnd ||
            !ParseNumber(rest.substr(0, space), sequence) ||
            !ParseNumber(rest.substr(space + 1, lineEnd - space - 1), length)) {
            break;
        }
        std::string_view body = rest.substr(lineEnd + 2);
        if (body.size() < 2 || length > body.size() - 2 || body.substr(length, 2) != "\r\n") {
            break;
        }
        events.push_back({sequence, std::string(body.substr(0, length))});
        rest = body.substr(length + 2);
    }
    whole = bytes.size() - rest.size();
    return events;
}

FileResult EventFile::Append(const std::vector<StoredEvent>& events) {
    std::string out;
    for (const StoredEvent& event : events) {
        AddRecord(out, event);
    }
    if (out.empty()) {
        FileResult ok;
        ok.ok = true;
        return ok;
    }
    return AppendToFile(path_, out);
}

FileResult EventFile::Rewrite(const std::vector<StoredEvent>& events) {
    return WriteFileAtomically(path_, Bytes(events));
}

}  // namespace tarnex
