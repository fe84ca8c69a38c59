#include "log/LogFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "log/EntryIdentity.h"
#include "sections/SectionTable.h"
#include "sections/TextLineReader.h"

namespace tarnex {

namespace {

// The fields of an entry line, found in one pass: where each of the first (at most
// ten) "^" lies. Field i is the text between the (i-1)th and the ith "^"; the one
// after the last "^" found runs to the line's end; those after it are missing.
class FieldCuts {
  public:
    static constexpr size_t kMost = 10;

    // `readable`: how many bytes from the line's start may be read (at least its
    // length); the search reads sixteen at a time where it can.
    FieldCuts(std::string_view line, size_t count, size_t readable) : line_(line) {
        const char* const p = line.data();
        const size_t n = line.size();
        size_t pos = 0;
#ifdef __SSE2__
        const __m128i caret = _mm_set1_epi8('^');
        while (pos < n && pos + 16 <= readable && found_ < count) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, caret)));
            if (n - pos < 16) {
                mask &= (1u << (n - pos)) - 1;  // the bytes past the line's end are not its
            }
            while (mask != 0 && found_ < count) {
                at_[found_++] = static_cast<uint32_t>(pos + static_cast<size_t>(__builtin_ctz(mask)));
                mask &= mask - 1;
            }
            pos += 16;
        }
#endif
        for (; pos < n && found_ < count; ++pos) {
            if (p[pos] == '^') {
                at_[found_++] = static_cast<uint32_t>(pos);
            }
        }
    }

    // Filled separator by separator (Add), then given its line (SetLine).
    FieldCuts() = default;
    void Clear() { found_ = 0; }
    size_t Found() const { return found_; }
    void Add(uint32_t at) { at_[found_++] = at; }
    // The first `count` of the separators marked in `marks` (bit i: byte i), each of
    // the kMost places filled, so that the work does not depend on how many there are.
    void TakeMarked(uint64_t marks, size_t count) {
        constexpr uint64_t kLast = uint64_t{1} << 63;  // never a separator's: the line is shorter
        size_t marked = 0;  // counted here: a processor without a population count makes that a call
        for (size_t i = 0; i < kMost; ++i) {
            at_[i] = static_cast<uint32_t>(__builtin_ctzll(marks | kLast));
            marked += marks != 0 ? 1 : 0;
            marks &= marks - 1;
        }
        found_ = std::min(marked, count);
    }
    void SetLine(std::string_view line) { line_ = line; }

    std::string_view operator[](size_t i) const {
        if (i > found_) {
            return {};
        }
        const size_t begin = i == 0 ? 0 : at_[i - 1] + 1;
        const size_t end = i < found_ ? at_[i] : line_.size();
        return std::string_view(line_.data() + begin, end - begin);
    }

  private:
    std::string_view line_;
    std::array<uint32_t, kMost> at_;  // only the first found_ are set
    size_t found_ = 0;
};

}  // namespace

void SplitFields(std::string_view line, std::string_view* fields, size_t count) {
    size_t pos = 0;
    for (size_t i = 0; i < count; ++i) {
        if (pos >= line.size()) {
            fields[i] = {};
            continue;
        }
        size_t caret = line.find('^', pos);
        if (caret == std::string_view::npos) {
            fields[i] = line.substr(pos);
            pos = line.size();
        } else {
            fields[i] = line.substr(pos, caret - pos);
            pos = caret + 1;
        }
    }
}

namespace {

// "14:23" -> "1423": a time longer than four characters keeps its first two and last
// two characters.
std::string_view ShortenTime(std::string_view time, std::array<char, 4>& buffer) {
    if (time.size() <= 4) {
        return time;
    }
    buffer = {time[0], time[1], time[time.size() - 2], time[time.size() - 1]};
    return std::string_view(buffer.data(), buffer.size());
}

// The field after the entry's own fields: a network log's entry identity. Anything
// else there is ignored, as any field after the last expected one.
std::string_view IdentityField(std::string_view field) {
    return field.empty() || !EntryIdentity::Parse(field) ? std::string_view() : field;
}

// The line's fields go straight into the log's row, without a record in between.
// `source`: bytes the line's fields lie in, which the row's copying may read in moves
// of sixteen.
void AppendCutEntry(const FieldCuts& f, std::string_view source, const SectionTable& sections, ContestLog& log) {
    std::array<char, 4> time;
    if (log.Mode() == LogMode::Qso) {
        // f[6] is the own section sent, a value of the whole log.
        const std::string_view section = f[8];
        const std::array<std::string_view, 9> columns = {
            f[0],    ShortenTime(f[1], time),     f[2], f[3], f[4], f[5], f[7],
            section, sections.NameOfText(section)};
        log.AppendLoaded(columns, IdentityField(f[9]), source);
    } else {
        const std::array<std::string_view, 8> columns = {
            f[0], ShortenTime(f[1], time), f[2], f[3], f[4], f[5], f[6], f[7]};
        log.AppendLoaded(columns, IdentityField(f[8]), source);
    }
}

// The fields an entry line holds: ten in QSO mode (the last one a network entry's
// identity), nine in listening mode.
size_t FieldsOf(const ContestLog& log) {
    return log.Mode() == LogMode::Qso ? 10 : 9;
}

// `readable`: how many bytes from the line's start may be read, all of them in `source`.
void AppendEntry(std::string_view line, size_t readable, std::string_view source, const SectionTable& sections,
                 ContestLog& log) {
    AppendCutEntry(FieldCuts(line, FieldsOf(log), readable), source, sections, log);
}

size_t CountLineFeeds(std::string_view bytes) {
    size_t count = 0;
    size_t pos = 0;
#ifdef __SSE2__
    // Each byte lane counts its LFs (0 - (-1) per match) for up to 255 blocks, then the
    // lanes are summed.
    const __m128i lf = _mm_set1_epi8('\n');
    while (pos + 16 <= bytes.size()) {
        __m128i lanes = _mm_setzero_si128();
        for (int block = 0; block < 255 && pos + 16 <= bytes.size(); ++block, pos += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + pos));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(chunk, lf));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; pos < bytes.size(); ++pos) {
        count += bytes[pos] == '\n' ? 1 : 0;
    }
    return count;
}

// The next line as the line reader would give it, when it is a plain one: an LF ahead,
// no CR but one right before the LF, and at most kLogLineLimit characters (a line one
// longer is cut by the reader before its line end). The line is then a piece of the
// bytes themselves and the source moves past its LF; otherwise nothing moves.
bool NextPlainLine(TextSource& source, std::string_view& line) {
    const std::string_view rest = source.Rest();
    const size_t scan = std::min(rest.size(), kLogLineLimit + 2);  // the characters, a CR, the LF
    const void* lf = std::memchr(rest.data(), '\n', scan);
    if (lf == nullptr) {
        return false;
    }
    size_t length = static_cast<size_t>(static_cast<const char*>(lf) - rest.data());
    const size_t stretch = length;
    if (length > 0 && rest[length - 1] == '\r') {
        --length;
    }
    if (length > kLogLineLimit || std::memchr(rest.data(), '\r', length) != nullptr) {
        return false;
    }
    line = rest.substr(0, length);
    source.Skip(stretch + 1);
    return true;
}

#ifdef __SSE2__
// Bytes a plain line's search reads from the line's start: the characters, a CR and the
// LF, in moves of sixteen.
constexpr size_t kPlainScan = (kLogLineLimit + 2 + 15) / 16 * 16;

// NextPlainLine and the line's separators in one pass over its bytes, sixteen at a time
// (kPlainScan of them must be readable): false, with nothing moved, when the next line
// is not a plain one.
bool NextPlainLineCut(TextSource& source, size_t count, FieldCuts& cuts) {
    const char* const p = source.Rest().data();
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i caret = _mm_set1_epi8('^');
    // Most lines end within their first 64 bytes: those are looked at as one.
    uint64_t lf64 = 0;
    uint64_t cr64 = 0;
    uint64_t caret64 = 0;
    for (size_t pos = 0; pos < 64; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
        lf64 |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)))} << pos;
        cr64 |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)))} << pos;
        caret64 |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, caret)))} << pos;
    }
    if (lf64 != 0) {
        const size_t end = static_cast<size_t>(__builtin_ctzll(lf64));  // where the LF lies, under the limit
        cr64 &= (uint64_t{1} << end) - 1;
        size_t length = end;
        if (end > 0 && ((cr64 >> (end - 1)) & 1) != 0) {
            --length;
            cr64 &= ~(uint64_t{1} << (end - 1));
        }
        if (cr64 != 0) {
            return false;
        }
        cuts.TakeMarked(caret64 & ((uint64_t{1} << length) - 1), count);
        cuts.SetLine(std::string_view(p, length));
        source.Skip(end + 1);
        return true;
    }
    bool crEndsChunk = false;  // a CR as the last byte of the chunk before, allowed right before the LF
    cuts.Clear();
    for (size_t pos = 0; pos < kLogLineLimit + 2; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
        const unsigned lfMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        unsigned crMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        unsigned caretMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, caret)));
        size_t length = 0;
        if (lfMask != 0) {
            const unsigned at = static_cast<unsigned>(__builtin_ctz(lfMask));
            const size_t end = pos + at;  // where the LF lies
            if (end > kLogLineLimit + 1) {
                return false;
            }
            crMask &= (1u << at) - 1;
            const bool crBefore = at == 0 ? crEndsChunk : (crMask >> (at - 1)) != 0;
            if (at > 0) {
                crMask &= ~(1u << (at - 1));
            } else if (crEndsChunk) {
                crEndsChunk = false;
            }
            length = crBefore ? end - 1 : end;
            if (crMask != 0 || crEndsChunk || length > kLogLineLimit) {
                return false;
            }
            // The separators before the line's end (a CR before the LF is none).
            caretMask &= length >= pos ? (1u << (length - pos)) - 1 : 0u;
        } else if ((crMask & 0x7FFFu) != 0 || crEndsChunk) {
            return false;
        } else {
            crEndsChunk = crMask != 0;
        }
        while (caretMask != 0 && cuts.Found() < count) {
            cuts.Add(static_cast<uint32_t>(pos + static_cast<size_t>(__builtin_ctz(caretMask))));
            caretMask &= caretMask - 1;
        }
        if (lfMask != 0) {
            cuts.SetLine(std::string_view(p, length));
            source.Skip(pos + static_cast<size_t>(__builtin_ctz(lfMask)) + 1);
            return true;
        }
    }
    return false;
}
#endif

}  // namespace

LogFileInfo ReadLogBytes(std::string_view bytes, const SectionTable& sections, ContestLog& log,
                         StationSummary& station) {
    LogFileInfo info;
    TextSource source(bytes);
    TextLine line;
    ReadTextLine(source, kLogLineLimit, line);
    if (line.text.compare(0, 6, "trnx14") == 0) {
        info.hasHeader = true;
        size_t hrd = line.text.find("hrd", 7);
        info.mode = hrd != std::string::npos ? LogMode::Listening : LogMode::Qso;
        std::array<std::string*, 11> values = {&station.callsign,  &station.ownSection, &station.category,
                                               &station.operators, &station.name,       &station.address1,
                                               &station.address2,  &station.address3,   &station.comment1,
                                               &station.comment2,  &station.comment3};
        for (std::string* value : values) {
            *value = ReadTextLine(source, kLogLineLimit).text;
        }
        ReadTextLine(source, kLogLineLimit, line);
    }
    log.SetMode(info.mode);
    // The line just read and one more for every LF after it (a line longer than the
    // reader takes only adds a row here and there).
    log.StartLoad(1 + CountLineFeeds(source.Rest()));
    if (line.endOfFile) {
        log.FinishLoad();
        return info;
    }
    AppendEntry(line.text, line.text.size(), line.text, sections, log);
    ++info.entries;
    // The entry lines are cut where they lie in the file's bytes. A line the line
    // reader would treat otherwise (a CR inside it, more characters than it takes, the
    // last line without its LF) is left to the line reader.
    const size_t fields = FieldsOf(log);
#ifdef __SSE2__
    FieldCuts cuts;
#endif
    for (;;) {
        std::string_view plain;
#ifdef __SSE2__
        if (source.Rest().size() >= kPlainScan) {
            if (NextPlainLineCut(source, fields, cuts)) {
                AppendCutEntry(cuts, bytes, sections, log);
                ++info.entries;
                continue;
            }
        }
#endif
        if (NextPlainLine(source, plain)) {
            // The file's bytes go on after the line: the search for "^" may read them.
            AppendEntry(plain, static_cast<size_t>(bytes.data() + bytes.size() - plain.data()), bytes, sections,
                        log);
        } else {
            ReadTextLine(source, kLogLineLimit, line);
            if (line.endOfFile) {
                break;
            }
            AppendEntry(line.text, line.text.size(), line.text, sections, log);
        }
        ++info.entries;
    }
    log.FinishLoad();
    return info;
}

namespace {

// The reader ends a line after kLogLineLimit + 1 characters whether or not a line end
// follows, and a line end right there would read as one more, empty, line. So a line
// of exactly that length is written without its line end: read back, it ends in the
// same place and the next line starts where it should. This keeps what a first read
// made of an over-long line (a row or a header value cut at the limit) the same
// through every later write and read.
void EndLine(std::string& bytes, size_t lineStart) {
    if (bytes.size() - lineStart != kLogLineLimit + 1) {
        bytes += "\r\n";
    }
}

}  // namespace

std::string LogHeaderBytes(LogMode mode, const StationSummary& station) {
    std::string bytes;
    auto add = [&](std::string_view value) {
        size_t start = bytes.size();
        bytes += value;
        EndLine(bytes, start);
    };
    add(mode == LogMode::Listening ? kListeningHeader : kQsoHeader);
    add(station.callsign);
    add(station.ownSection);
    add(mode == LogMode::Listening ? std::string_view("SWL") : std::string_view(station.category));
    add(station.operators);
    add(station.name);
    add(station.address1);
    add(station.address2);
    add(station.address3);
    add(station.comment1);
    add(station.comment2);
    add(station.comment3);
    return bytes;
}

namespace {
void AddField(std::string& line, std::string_view field) {
    line += field;
    line += '^';
}

// The own section goes into every QSO line, where the reader drops it. A header read
// from a damaged or foreign file can hold any text there: a "^" in it would shift the
// fields of every line written, a long text would make every line longer than the
// reader takes. So the field holds only what a section code can: the first four
// characters that are not "^", CR or LF.
void AddOwnSectionField(std::string& line, std::string_view ownSection) {
    size_t kept = 0;
    for (char c : ownSection) {
        if (kept == 4) {
            break;
        }
        if (c != '^' && c != '\r' && c != '\n') {
            line += c;
            ++kept;
        }
    }
    line += '^';
}
}  // namespace

std::string QsoLine(const QsoRecord& r, std::string_view ownSection) {
    std::string line;
    line.reserve(64);
    for (const std::string* f : {&r.date, &r.time, &r.band, &r.mode, &r.callsign, &r.rstSent}) {
        AddField(line, *f);
    }
    AddOwnSectionField(line, ownSection);
    AddField(line, r.rstReceived);
    AddField(line, r.section);
    line += "\r\n";
    return line;
}

std::string ListeningLine(const HrdRecord& r) {
    std::string line;
    line.reserve(64);
    for (const std::string* f :
         {&r.date, &r.time, &r.band, &r.mode, &r.callingCall, &r.rst, &r.callingSection, &r.answeringCall}) {
        AddField(line, *f);
    }
    line += "\r\n";
    return line;
}

namespace {

void AddRowFields(std::string& line, const ContestLog& log, size_t row, std::string_view ownSection) {
    if (log.Mode() == LogMode::Qso) {
        for (int column : {1, 2, 3, 4, 5, 6}) {
            AddField(line, log.Field(row, column));
        }
        AddOwnSectionField(line, ownSection);
        AddField(line, log.Field(row, QsoCol::RstReceived));
        AddField(line, log.Field(row, QsoCol::Section));
    } else {
        for (int column = 1; column <= 8; ++column) {
            AddField(line, log.Field(row, column));
        }
    }
}

void DropTrailingSeparators(std::string& line, size_t lineStart) {
    while (line.size() > lineStart && line.back() == '^') {
        line.pop_back();
    }
}

}  // namespace

void AppendEntryLine(std::string& bytes, const ContestLog& log, size_t row, std::string_view ownSection) {
    const size_t start = bytes.size();
    AddRowFields(bytes, log, row, ownSection);
    const std::string_view identity = log.Identity(row);
    if (bytes.size() - start > kLogLineLimit + 1) {
        // Only a row that a read cut out of an over-long line gets here (what the forms
        // and the edit dialogs take always fits). It holds at most the characters the
        // reader took, so its shortest form fits: no separators after the last field
        // that holds something ("missing fields are empty"), and in QSO mode no own
        // section, which the reader drops anyway.
        DropTrailingSeparators(bytes, start);
        if (bytes.size() - start > kLogLineLimit + 1 && log.Mode() == LogMode::Qso) {
            bytes.resize(start);
            AddRowFields(bytes, log, row, {});
            DropTrailingSeparators(bytes, start);
        }
    } else if (!identity.empty() && bytes.size() - start + identity.size() + 1 <= kLogLineLimit + 1) {
        // A network log's entry carries its identity in one more field, which readers
        // that expect only the entry's own fields ignore. (A network entry always fits
        // with it; a row cut out of an over-long line never has one.)
        AddField(bytes, identity);
    }
    EndLine(bytes, start);
}

std::string EntryLine(const ContestLog& log, size_t row, std::string_view ownSection) {
    std::string line;
    line.reserve(64);
    AppendEntryLine(line, log, row, ownSection);
    return line;
}

std::string LogFileBytes(const ContestLog& log, const StationSummary& station) {
    std::string bytes = LogHeaderBytes(log.Mode(), station);
    bytes.reserve(bytes.size() + log.RowCount() * 56);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        AppendEntryLine(bytes, log, row, station.ownSection);
    }
    return bytes;
}

}  // namespace tarnex
