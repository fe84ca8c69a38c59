#include "export/AdifExport.h"

#include <array>
#include <charconv>
#include <string_view>

#include "export/ExportFields.h"
#include "export/ExportLine.h"
#include "log/BandMode.h"

namespace tarnex {

namespace {

constexpr std::array<std::string_view, kBandCount> kAdifBands = {"160M", "80M", "40M", "20M", "15M", "10M"};

// MHz: the two band texts with a decimal comma get a point, the others stay as they are.
std::string_view AdifFrequency(std::string_view band) {
    if (band == "1,8") {
        return "1.8";
    }
    if (band == "3,5") {
        return "3.5";
    }
    return band;
}

// "<TAG:length>value ": the length is always the value's own, so that a reader that
// takes exactly that many characters never runs into the next field.
void AppendField(std::string& out, std::string_view tag, std::string_view value) {
    out.push_back('<');
    out.append(tag);
    out.push_back(':');
    char length[24];
    out.append(length, std::to_chars(length, length + sizeof length, value.size()).ptr);
    out.push_back('>');
    out.append(value);
    out.push_back(' ');
}

// The record of a row, added to the end of `out`.
void AppendRecord(std::string& out, const ContestLog& log, size_t row, const StationSummary& station) {
    const bool qso = log.Mode() == LogMode::Qso;
    AppendField(out, "QSO_DATE", RearrangedDate(log.Field(row, QsoCol::Date), ""));
    AppendField(out, "TIME_ON", log.Field(row, QsoCol::Time));
    // A band text that is not one of the six contest bands has no ADIF band name: BAND
    // is left out rather than written with a made-up value.
    std::string_view bandText = log.Field(row, QsoCol::Band);
    int band = BandListIndex(bandText);
    if (band >= 0) {
        AppendField(out, "BAND", kAdifBands[static_cast<size_t>(band)]);
    }
    AppendField(out, "FREQ", AdifFrequency(bandText));
    AppendField(out, "MODE", log.Field(row, QsoCol::Mode));
    if (qso) {
        AppendField(out, "CALL", log.Field(row, QsoCol::Callsign));
        AppendField(out, "RST_SENT", log.Field(row, QsoCol::RstSent));
        AppendField(out, "STX", station.ownSection);
        AppendField(out, "RST_RCVD", log.Field(row, QsoCol::RstReceived));
        AppendField(out, "SRX", log.Field(row, QsoCol::Section));
    } else {
        AppendField(out, "CALL", log.Field(row, ListeningCol::CallingCall));
        AppendField(out, "RST_SENT", log.Field(row, ListeningCol::Rst));
        AppendField(out, "STX", log.Field(row, ListeningCol::CallingSection));
        AppendField(out, "CALL2", log.Field(row, ListeningCol::AnsweringCall));
        AppendField(out, "RST_RCVD", {});
        AppendField(out, "SRX", {});
    }
    out.append("<EOR>\r\n");
}

inline void PutField(ExportLine::Cursor& line, std::string_view tag, std::string_view value) {
    line.Put('<');
    line.Put(tag);
    line.Put(':');
    line.Number(value.size());
    line.Put('>');
    line.Put(value);
    line.Put(' ');
}

// The same record built in a line buffer, when it fits (always, but for a row whose
// fields a damaged file made very long).
bool PutRecord(ExportLine& buffer, const ContestLog& log, size_t row, const StationSummary& station) {
    const bool qso = log.Mode() == LogMode::Qso;
    if (!ExportLine::Fits(log.RowSize(row) + (qso ? station.ownSection.size() : 0))) {
        return false;
    }
    ExportLine::Cursor line = buffer.Start();
    const std::string_view date = log.Field(row, QsoCol::Date);
    // The date rearranged, as RearrangedDate gives it: year, month, day, each as much
    // of it as the text holds.
    const std::string_view year = SliceOf(date, 6, 4);
    const std::string_view month = SliceOf(date, 3, 2);
    const std::string_view day = SliceOf(date, 0, 2);
    line.Put("<QSO_DATE:");
    line.Number(year.size() + month.size() + day.size());
    line.Put('>');
    line.Put(year);
    line.Put(month);
    line.Put(day);
    line.Put(' ');
    PutField(line, "TIME_ON", log.Field(row, QsoCol::Time));
    std::string_view bandText = log.Field(row, QsoCol::Band);
    int band = BandListIndex(bandText);
    if (band >= 0) {
        PutField(line, "BAND", kAdifBands[static_cast<size_t>(band)]);
    }
    PutField(line, "FREQ", AdifFrequency(bandText));
    PutField(line, "MODE", log.Field(row, QsoCol::Mode));
    if (qso) {
        PutField(line, "CALL", log.Field(row, QsoCol::Callsign));
        PutField(line, "RST_SENT", log.Field(row, QsoCol::RstSent));
        PutField(line, "STX", station.ownSection);
        PutField(line, "RST_RCVD", log.Field(row, QsoCol::RstReceived));
        PutField(line, "SRX", log.Field(row, QsoCol::Section));
    } else {
        PutField(line, "CALL", log.Field(row, ListeningCol::CallingCall));
        PutField(line, "RST_SENT", log.Field(row, ListeningCol::Rst));
        PutField(line, "STX", log.Field(row, ListeningCol::CallingSection));
        PutField(line, "CALL2", log.Field(row, ListeningCol::AnsweringCall));
        line.Put("<RST_RCVD:0> <SRX:0> ");
    }
    line.Put("<EOR>\r\n");
    buffer.End(line);
    return true;
}

}  // namespace

std::string AdifRecord(const ContestLog& log, size_t row, const StationSummary& station) {
    std::string out;
    out.reserve(160);
    AppendRecord(out, log, row, station);
    return out;
}

std::string ExportAdif(const ContestLog& log, const StationSummary& station) {
    std::string out = "ADIF file generated by TARNEX v1.4\r\n<EOH>\r\n";
    out.reserve(out.size() + log.RowCount() * 160);
    for (size_t row = 0; row < log.RowCount(); ++row) {
        ExportLine line;
        if (PutRecord(line, log, row, station)) {
            line.AppendTo(out);
        } else {
            AppendRecord(out, log, row, station);
        }
    }
    return out;
}

}  // namespace tarnex
