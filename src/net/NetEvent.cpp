#include "net/NetEvent.h"

#include <charconv>

#include "log/LogFile.h"

namespace tarnex {

namespace {

constexpr std::string_view kMagic = "TXE1";
// The longest header value: a header line the reader takes whole.
constexpr size_t kValueLimit = kLogLineLimit;

void PutNetstring(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
    out += ',';
}

class Reader {
  public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    std::optional<std::string_view> Next() {
        size_t colon = rest_.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon > 6) {
            return std::nullopt;
        }
        size_t length = 0;
        auto [end, error] = std::from_chars(rest_.data(), rest_.data() + colon, length);
        if (error != std::errc() || end != rest_.data() + colon || (colon > 1 && rest_[0] == '0')) {
            return std::nullopt;
        }
        if (rest_.size() - colon - 1 < length + 1 || rest_[colon + 1 + length] != ',') {
            return std::nullopt;
        }
        std::string_view text = rest_.substr(colon + 1, length);
        rest_.remove_prefix(colon + 2 + length);
        return text;
    }
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

bool IsCleanField(std::string_view text, size_t limit) {
    return text.size() <= limit && text.find_first_of("^\r\n") == std::string_view::npos;
}

bool IsCleanValue(std::string_view text) {
    return text.size() <= kValueLimit && text.find_first_of("\r\n") == std::string_view::npos;
}

// The number part of an identity, by the same rule.
std::optional<uint64_t> ParseNumber(std::string_view digits) {
    std::optional<EntryIdentity> probe = EntryIdentity::Parse("X#" + std::string(digits));
    if (!probe) {
        return std::nullopt;
    }
    return probe->number;
}

// The journal line of the entry, with its identity, must be one line for the reader:
// the fields, at most four characters of own section in a QSO line, the identity and
// a "^" after each.
bool FitsOneLine(const NetEvent& event) {
    size_t length = event.entry.Text().size() + 1;
    for (const std::string& field : event.fields) {
        length += field.size() + 1;
    }
    if (event.mode == LogMode::Qso) {
        length += 5;
    }
    return length <= kLogLineLimit;
}

}  // namespace

NetEvent NetEvent::MakeAdd(const std::string& author, uint64_t number, LogMode mode,
                           const std::array<std::string, 8>& fields) {
    NetEvent e;
    e.kind = NetEventKind::Add;
    e.author = author;
    e.number = number;
    e.entry = {author, number};
    e.mode = mode;
    e.fields = fields;
    return e;
}

NetEvent NetEvent::MakeEdit(const std::string& author, uint64_t number, const EntryIdentity& entry,
                            LogMode mode, const std::array<std::string, 8>& fields) {
    NetEvent e = MakeAdd(author, number, mode, fields);
    e.kind = NetEventKind::Edit;
    e.entry = entry;
    return e;
}

NetEvent NetEvent::MakeDelete(const std::string& author, uint64_t number, const EntryIdentity& entry) {
    NetEvent e;
    e.kind = NetEventKind::Delete;
    e.author = author;
    e.number = number;
    e.entry = entry;
    return e;
}

NetEvent NetEvent::MakeSummary(const std::string& author, uint64_t number, const StationSummary& station) {
    NetEvent e;
    e.kind = NetEventKind::Summary;
    e.author = author;
    e.number = number;
    e.station = station;
    return e;
}

NetEvent NetEvent::MakeSort(const std::string& author, uint64_t number) {
    NetEvent e;
    e.kind = NetEventKind::Sort;
    e.author = author;
    e.number = number;
    return e;
}

namespace {
std::array<std::string*, 11> StationValues(StationSummary& s) {
    return {&s.callsign, &s.ownSection, &s.category, &s.operators, &s.name,    &s.address1,
            &s.address2, &s.address3,   &s.comment1, &s.comment2,  &s.comment3};
}
}  // namespace

std::string EncodeNetEvent(const NetEvent& event) {
    std::string out(kMagic);
    out += static_cast<char>(event.kind);
    PutNetstring(out, event.author);
    PutNetstring(out, std::to_string(event.number));
    switch (event.kind) {
        case NetEventKind::Add:
        case NetEventKind::Edit:
            PutNetstring(out, event.entry.Text());
            PutNetstring(out, event.mode == LogMode::Qso ? "Q" : "H");
            for (const std::string& field : event.fields) {
                PutNetstring(out, field);
            }
            break;
        case NetEventKind::Delete:
            PutNetstring(out, event.entry.Text());
            break;
        case NetEventKind::Summary: {
            StationSummary station = event.station;
            for (const std::string* value : StationValues(station)) {
                PutNetstring(out, *value);
            }
            break;
        }
        case NetEventKind::Sort:
            break;
    }
    return out;
}

std::optional<NetEvent> DecodeNetEvent(std::string_view bytes) {
    if (bytes.size() < kMagic.size() + 1 || bytes.substr(0, kMagic.size()) != kMagic) {
        return std::nullopt;
    }
    NetEvent event;
    const char kind = bytes[kMagic.size()];
    if (kind != 'A' && kind != 'E' && kind != 'D' && kind != 'S' && kind != 'O') {
        return std::nullopt;
    }
    event.kind = static_cast<NetEventKind>(kind);
    Reader reader(bytes.substr(kMagic.size() + 1));
    std::optional<std::string_view> author = reader.Next();
    std::optional<std::string_view> number = reader.Next();
    if (!author || !number || !IsPositionName(*author)) {
        return std::nullopt;
    }
    std::optional<uint64_t> value = ParseNumber(*number);
    if (!value) {
        return std::nullopt;
    }
    event.author = std::string(*author);
    event.number = *value;
    if (event.TargetsEntry()) {
        std::optional<std::string_view> entry = reader.Next();
        std::optional<EntryIdentity> identity = entry ? EntryIdentity::Parse(*entry) : std::nullopt;
        if (!identity) {
            return std::nullopt;
        }
        event.entry = *identity;
        if (event.kind == NetEventKind::Add && !(event.entry == EntryIdentity{event.author, event.number})) {
            return std::nullopt;
        }
    }
    if (event.kind == NetEventKind::Add || event.kind == NetEventKind::Edit) {
        std::optional<std::string_view> mode = reader.Next();
        if (!mode || (*mode != "Q" && *mode != "H")) {
            return std::nullopt;
        }
        event.mode = *mode == "Q" ? LogMode::Qso : LogMode::Listening;
        for (std::string& field : event.fields) {
            std::optional<std::string_view> text = reader.Next();
            if (!text || !IsCleanField(*text, kLogLineLimit)) {
                return std::nullopt;
            }
            field = std::string(*text);
        }
        if (!FitsOneLine(event)) {
            return std::nullopt;
        }
    } else if (event.kind == NetEventKind::Summary) {
        for (std::string* target : StationValues(event.station)) {
            std::optional<std::string_view> text = reader.Next();
            if (!text || !IsCleanValue(*text)) {
                return std::nullopt;
            }
            *target = std::string(*text);
        }
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    return event;
}

std::string NetMessageId(const NetEvent& event) {
    return event.author + "." + std::to_string(event.number);
}

std::array<std::string, 8> FieldsOf(const QsoRecord& r) {
    return {r.date, r.time, r.band, r.mode, r.callsign, r.rstSent, r.rstReceived, r.section};
}

std::array<std::string, 8> FieldsOf(const HrdRecord& r) {
    return {r.date, r.time, r.band, r.mode, r.callingCall, r.rst, r.callingSection, r.answeringCall};
}

}  // namespace tarnex
