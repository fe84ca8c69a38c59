#include "export/CabrilloExport.h"

#include <cinttypes>
#include <cstdio>
#include <string_view>

#include "export/ExportFields.h"
#include "export/ExportLine.h"
#include "export/ListeningBandOrder.h"

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

void PutFrequency(ExportLine::Cursor& line, std::string_view band) {
    if (band.find(',') != std::string_view::npos) {
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

void PutMode(ExportLine::Cursor& line, std::string_view mode) {
    line.Put(mode == "SSB"  ? std::string_view("PH ")
             : mode == "CW" ? std::string_view("CW ")
                            : std::string_view("RY "));
}

// The line the plain way below gives, built in a line buffer when it fits (always, but
// for a row whose fields a damaged file made very long).
bool PutQsoLine(ExportLine& buffer, const ContestLog& log, size_t row, const StationSummary& station,
                QsoLineFields fields) {
    const bool qso = log.Mode() == LogMode::Qso;
    if (!ExportLine::Fits(log.RowSize(row) +
                          (qso ? station.callsign.size() + station.ownSection.size() : 0))) {
        return false;
    }
    ExportLine::Cursor line = buffer.Start();
    auto padded = [&](std::string_view text, size_t width) {
        line.Padded(text, width);
        if (fields == QsoLineFields::Separated && text.size() >= width) {
            line.Put(' ');
        }
    };
    line.Put("QSO: ");
    PutFrequency(line, log.Field(row, QsoCol::Band));
    PutMode(line, log.Field(row, QsoCol::Mode));
    const std::string_view date = log.Field(row, QsoCol::Date);
    line.Put(SliceOf(date, 6, 4));
    line.Put('-');
    line.Put(SliceOf(date, 3, 2));
    line.Put('-');
    line.Put(SliceOf(date, 0, 2));
    line.Put(' ');
    line.Put(log.Field(row, QsoCol::Time));
    line.Put(' ');
    if (qso) {
        padded(station.callsign, 14);
        padded(log.Field(row, QsoCol::RstSent), 4);
        line.Put(station.ownSection);
        line.Put("   ");
        padded(log.Field(row, QsoCol::Callsign), 14);
        padded(log.Field(row, QsoCol::RstReceived), 4);
        line.Padded(log.Field(row, QsoCol::Section), 6);
    } else {
        padded(log.Field(row, ListeningCol::CallingCall), 14);
        padded(log.Field(row, ListeningCol::Rst), 4);
        line.Put(log.Field(row, ListeningCol::CallingSection));
        line.Put("   ");
        line.Padded(log.Field(row, ListeningCol::AnsweringCall), 14);
    }
    line.Put(kLineEnd);
    buffer.End(line);
    return true;
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

}  // namespace

void AppendCabrilloQsoLine(std::string& out, const ContestLog& log, size_t row, const StationSummary& station,
                           QsoLineFields fields) {
    ExportLine line;
    if (PutQsoLine(line, log, row, station, fields)) {
        line.AppendTo(out);
    } else {
        AppendQsoLinePlainly(out, log, row, station, fields);
    }
}

std::string CabrilloQsoLine(const ContestLog& log, size_t row, const StationSummary& station) {
    std::string out;
    AppendCabrilloQsoLine(out, log, row, station);
    return out;
}

std::string ExportCabrillo(const ContestLog& log, const StationSummary& station, const SectionTable& sections,
                           int64_t claimedScore, const CabrilloOptions& options) {
    std::string out;
    out.reserve(512 + log.RowCount() * 96);
    AppendHeader(out, station, sections, claimedScore);
    if (UsesListeningBandOrder(log, options)) {
        for (size_t row : ListeningBandOrder(log)) {
            AppendCabrilloQsoLine(out, log, row, station);
        }
    } else {
        for (size_t row = 0; row < log.RowCount(); ++row) {
            AppendCabrilloQsoLine(out, log, row, station);
        }
    }
    out.append("END-OF-LOG: \r\n");
    return out;
}

}  // namespace tarnex
