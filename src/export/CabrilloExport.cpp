#include "export/CabrilloExport.h"

#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "export/ExportBlock.h"
#include "export/ExportFields.h"
#include "export/ExportLine.h"
#include "export/ListeningBandOrder.h"
#include "export/StringExportSink.h"
#include "log/BandMode.h"

namespace tarnex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendLine(std::string& out, std::string_view label, std::string_view value) {
    out.append(label);
    out.append(value);
    out.append(kLineEnd);
}

// " 1800 " for "1,8", " 7000 " for "7", "14000 " for "14".
void AppendFrequency(std::string& out, std::string_view band) {
    if (band.find(',') != std::string_view::npos) {
        out.push_back(' ');
        out.push_back(band.front());
        out.push_back(band.back());
        out.append("00 ");
    } else if (band == "7") {
        out.append(" 7000 ");
    } else {
        out.append(band);
        out.append("000 ");
    }
}

void AppendMode(std::string& out, std::string_view mode) {
    if (mode == "SSB") {
        out.append("PH ");
    } else if (mode == "CW") {
        out.append("CW ");
    } else {
        out.append("RY ");
    }
}

void AppendHeader(std::string& out, const StationSummary& station, const SectionTable& sections,
                  int64_t claimedScore) {
    const std::string& ownName = sections.NameOfText(station.ownSection);
    out.append("START-OF-LOG: 2.0\r\n");
    out.append("CREATED-BY: TARNEX v1.41\r\n");
    out.append("CONTEST: SEZIONI\r\n");
    AppendLine(out, "CALLSIGN: ", station.callsign);
    AppendLine(out, "CATEGORY: ", station.category);
    AppendLine(out, "OPERATORS: ", station.operators);
    AppendLine(out, "CLUB: ", station.ownSection + " " + ownName);
    char score[48];
    std::snprintf(score, sizeof score, "CLAIMED-SCORE: %" PRId64 "\r\n", claimedScore);
    out.append(score);
    AppendLine(out, "NAME: ", station.name);
    for (const std::string* address : {&station.address1, &station.address2, &station.address3}) {
        if (!address->empty()) {
            AppendLine(out, "ADDRESS: ", *address);
        }
    }
    AppendLine(out, "SOAPBOX: Sezione ", station.ownSection + " - " + ownName);
    for (const std::string* comment : {&station.comment1, &station.comment2, &station.comment3}) {
        if (!comment->empty()) {
            AppendLine(out, "SOAPBOX: ", *comment);
        }
    }
}

}  // namespace

namespace {

// A text of one to three bytes as one number (its length in the top byte), so that a
// band or mode text is recognised by one comparison; 0 for a text of any other length.
constexpr uint32_t ShortTextKey(std::string_view text) {
    const size_t n = text.size();
    if (n == 0 || n > 3) {
        return 0;
    }
    return static_cast<uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<uint32_t>(static_cast<unsigned char>(text[n / 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[n - 1])) << 16 |
           static_cast<uint32_t>(n) << 24;
}

// The frequency of each band of the list as a line gives it, band by band.
constexpr char kFrequencies[kBandCount][7] = {" 1800 ", " 3500 ", " 7000 ", "14000 ", "21000 ", "28000 "};
constexpr std::array<uint32_t, kBandCount> kBandKeys = {
    ShortTextKey(kBandTexts[0]), ShortTextKey(kBandTexts[1]), ShortTextKey(kBandTexts[2]),
    ShortTextKey(kBandTexts[3]), ShortTextKey(kBandTexts[4]), ShortTextKey(kBandTexts[5])};
constexpr uint32_t kSsbKey = ShortTextKey("SSB");
constexpr uint32_t kCwKey = ShortTextKey("CW");

// " 1800 " for "1,8", " 7000 " for "7", "14000 " for "14": the bands of the list from a
// table, any other text (only a damaged file holds one) by the rule.
[[gnu::always_inline]] inline void PutFrequency(ExportLine::Cursor& line, std::string_view band) {
    const std::optional<BandCode> code = DecodeBand(band);
    if (code && ShortTextKey(band) == kBandKeys[static_cast<size_t>(code->index)]) {
        line.PutFixed<6>(kFrequencies[code->index]);
    } else if (band.find(',') != std::string_view::npos) {
        line.Put(' ');
        line.Put(band.front());
        line.Put(band.back());
        line.Put("00 ");
    } else if (band == "7") {
        line.Put(" 7000 ");
    } else {
        line.Put(band);
        line.Put("000 ");
    }
}

[[gnu::always_inline]] inline void PutMode(ExportLine::Cursor& line, std::string_view mode) {
    const uint32_t key = ShortTextKey(mode);
    line.PutFixed<3>(key == kSsbKey ? "PH " : key == kCwKey ? "CW " : "RY ");
}

// yyyy-mm-dd of a dd.mm.yyyy date: a date of ten bytes by fixed moves, any other
// (damaged) one piece by piece.
[[gnu::always_inline]] inline void PutDate(ExportLine::Cursor& line, std::string_view date) {
    if (date.size() == 10) {
        char* at = line.At();
        const char* from = date.data();
        std::memcpy(at, from + 6, 4);
        at[4] = '-';
        std::memcpy(at + 5, from + 3, 2);
        at[7] = '-';
        std::memcpy(at + 8, from, 2);
        line.MoveTo(at + 10);
        return;
    }
    line.Put(SliceOf(date, 6, 4));
    line.Put('-');
    line.Put(SliceOf(date, 3, 2));
    line.Put('-');
    line.Put(SliceOf(date, 0, 2));
}

// "QSO: ", frequency, mode, date and time, each followed by its space.
[[gnu::always_inline]] inline void PutLineStart(ExportLine::Cursor& line, std::string_view band,
                                                std::string_view mode, std::string_view date,
                                                std::string_view time) {
    line.PutFixed<5>("QSO: ");
    PutFrequency(line, band);
    PutMode(line, mode);
    PutDate(line, date);
    line.Put(' ');
    line.Put(time);
    line.Put(' ');
}

// What every line of one export shares: in QSO mode the station's part of the sent
// exchange, its callsign padded as the line pads it, its section with the spaces after it.
struct SentPieces {
    std::string callsign;
    std::string section;
};

SentPieces SentPiecesOf(const StationSummary& station, QsoLineFields fields) {
    SentPieces pieces;
    AppendPadded(pieces.callsign, station.callsign, 14);
    if (fields == QsoLineFields::Separated && station.callsign.size() >= 14) {
        pieces.callsign.push_back(' ');
    }
    pieces.section = station.ownSection + "   ";
    return pieces;
}

// The bytes a line of the row may take beyond its fixed ones, for ExportLine::Fits.
size_t LineTextBytes(const ContestLog& log, size_t row, const StationSummary& station) {
    return log.RowSize(row) +
           (log.Mode() == LogMode::Qso ? station.callsign.size() + station.ownSection.size() : 0);
}

// The line the plain way below gives, written at `line` (the caller has made sure that
// it fits: ExportLine::Fits of LineTextBytes).
[[gnu::always_inline]] inline void PutQsoLine(ExportLine::Cursor& line, const ContestLog& log, size_t row,
                                              const SentPieces& sent, QsoLineFields fields) {
    auto padded = [&](std::string_view text, size_t width) {
        line.Padded(text, width);
        if (fields == QsoLineFields::Separated && text.size() >= width) {
            line.Put(' ');
        }
    };
    // Every field is read before the first byte is written: as far as the compiler knows,
    // a byte stored may be one of the log's own, and it would read the row again after
    // each store.
    const std::string_view band = log.Field(row, QsoCol::Band);
    const std::string_view mode = log.Field(row, QsoCol::Mode);
    const std::string_view date = log.Field(row, QsoCol::Date);
    const std::string_view time = log.Field(row, QsoCol::Time);
    if (log.Mode() == LogMode::Qso) {
        const std::string_view rstSent = log.Field(row, QsoCol::RstSent);
        const std::string_view callsign = log.Field(row, QsoCol::Callsign);
        const std::string_view rstReceived = log.Field(row, QsoCol::RstReceived);
        const std::string_view section = log.Field(row, QsoCol::Section);
        const std::string_view ownCallsign = sent.callsign;
        const std::string_view ownSection = sent.section;
        PutLineStart(line, band, mode, date, time);
        line.Put(ownCallsign);
        padded(rstSent, 4);
        line.Put(ownSection);
        padded(callsign, 14);
        padded(rstReceived, 4);
        line.Padded(section, 6);
    } else {
        const std::string_view callingCall = log.Field(row, ListeningCol::CallingCall);
        const std::string_view rst = log.Field(row, ListeningCol::Rst);
        const std::string_view callingSection = log.Field(row, ListeningCol::CallingSection);
        const std::string_view answeringCall = log.Field(row, ListeningCol::AnsweringCall);
        PutLineStart(line, band, mode, date, time);
        padded(callingCall, 14);
        padded(rst, 4);
        line.Put(callingSection);
        line.PutFixed<3>("   ");
        line.Padded(answeringCall, 14);
    }
    line.PutFixed<2>("\r\n");
}

void AppendQsoLinePlainly(std::string& out, const ContestLog& log, size_t row, const StationSummary& station,
                          QsoLineFields fields) {
    const bool qso = log.Mode() == LogMode::Qso;
    // A padded field; in separated lines a text that fills its width still gets one
    // space after it, so that it never runs into the next field.
    auto padded = [&](std::string_view text, size_t width) {
        AppendPadded(out, text, width);
        if (fields == QsoLineFields::Separated && text.size() >= width) {
            out.push_back(' ');
        }
    };
    out.append("QSO: ");
    AppendFrequency(out, log.Field(row, QsoCol::Band));
    AppendMode(out, log.Field(row, QsoCol::Mode));
    AppendRearrangedDate(out, log.Field(row, QsoCol::Date), "-");
    out.push_back(' ');
    out.append(log.Field(row, QsoCol::Time));
    out.push_back(' ');
    if (qso) {
        padded(station.callsign, 14);
        padded(log.Field(row, QsoCol::RstSent), 4);
        out.append(station.ownSection);
        out.append("   ");
        padded(log.Field(row, QsoCol::Callsign), 14);
        padded(log.Field(row, QsoCol::RstReceived), 4);
        AppendPadded(out, log.Field(row, QsoCol::Section), 6);
    } else {
        padded(log.Field(row, ListeningCol::CallingCall), 14);
        padded(log.Field(row, ListeningCol::Rst), 4);
        out.append(log.Field(row, ListeningCol::CallingSection));
        out.append("   ");
        AppendPadded(out, log.Field(row, ListeningCol::AnsweringCall), 14);
    }
    out.append(kLineEnd);
}

// The lines of `count` rows, the i-th being rowAt(i), gathered in blocks.
template <typename RowAt>
void AddQsoLines(ExportSink& out, const ContestLog& log, size_t count, RowAt rowAt,
                 const StationSummary& station, QsoLineFields fields) {
    const SentPieces sent = SentPiecesOf(station, fields);
    ExportBlock block(out);
    ExportLine::Cursor line = block.Start();
    for (size_t i = 0; i < count; ++i) {
        const size_t row = rowAt(i);
        if (!ExportLine::Fits(LineTextBytes(log, row, station))) {
            // A row whose fields a damaged file made very long.
            block.Flush(line);
            line = block.Start();
            std::string plain;
            AppendQsoLinePlainly(plain, log, row, station, fields);
            out.Add(plain);
            continue;
        }
        line = block.Room(line);
        // The bytes of the row eight lines on are asked for now, so that they are near
        // when its line is written (measured: about 4 % off building a file).
        __builtin_prefetch(log.Field(rowAt(i + 8 < count ? i + 8 : i), QsoCol::Date).data());
        PutQsoLine(line, log, row, sent, fields);
    }
    block.Flush(line);
}

}  // namespace

void AppendCabrilloQsoLine(std::string& out, const ContestLog& log, size_t row, const StationSummary& station,
                           QsoLineFields fields) {
    if (!ExportLine::Fits(LineTextBytes(log, row, station))) {
        AppendQsoLinePlainly(out, log, row, station, fields);
        return;
    }
    ExportLine buffer;
    ExportLine::Cursor line = buffer.Start();
    PutQsoLine(line, log, row, SentPiecesOf(station, fields), fields);
    buffer.End(line);
    buffer.AppendTo(out);
}

void AddCabrilloQsoLines(ExportSink& out, const ContestLog& log, const std::vector<size_t>* rows,
                         const StationSummary& station, QsoLineFields fields) {
    if (rows == nullptr) {
        AddQsoLines(
            out, log, log.RowCount(), [](size_t i) { return i; }, station, fields);
    } else {
        AddQsoLines(
            out, log, rows->size(), [rows](size_t i) { return (*rows)[i]; }, station, fields);
    }
}

void AppendCabrilloQsoLines(std::string& out, const ContestLog& log, const std::vector<size_t>* rows,
                            const StationSummary& station, QsoLineFields fields) {
    StringExportSink sink(out);
    AddCabrilloQsoLines(sink, log, rows, station, fields);
}

std::string CabrilloQsoLine(const ContestLog& log, size_t row, const StationSummary& station) {
    std::string out;
    AppendCabrilloQsoLine(out, log, row, station);
    return out;
}

void ExportCabrilloTo(ExportSink& out, const ContestLog& log, const StationSummary& station,
                      const SectionTable& sections, int64_t claimedScore, const CabrilloOptions& options) {
    std::string header;
    AppendHeader(header, station, sections, claimedScore);
    out.Add(header);
    if (UsesListeningBandOrder(log, options)) {
        const std::vector<size_t> rows = ListeningBandOrder(log);
        AddCabrilloQsoLines(out, log, &rows, station);
    } else {
        AddCabrilloQsoLines(out, log, nullptr, station);
    }
    out.Add("END-OF-LOG: \r\n");
}

std::string ExportCabrillo(const ContestLog& log, const StationSummary& station, const SectionTable& sections,
                           int64_t claimedScore, const CabrilloOptions& options) {
    std::string out;
    out.reserve(512 + log.RowCount() * 96);
    StringExportSink sink(out);
    ExportCabrilloTo(sink, log, station, sections, claimedScore, options);
    return out;
}

}  // namespace tarnex
