#include "cli/LogCheck.h"

#include <map>
#include <tuple>

#include "log/BandMode.h"
#include "rules/FieldChecks.h"
#include "score/ScoreComputation.h"

namespace tarnex {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string BandModeText(const ContestLog& log, size_t row) {
    return std::string(log.Field(row, QsoCol::Band)) + " " + std::string(log.Field(row, QsoCol::Mode));
}

class Checker {
  public:
    Checker(const ContestLog& log, const SectionTable& sections) : log_(log), sections_(sections) {}

    std::vector<LogFinding> Run(const StationSummary& station, bool hasHeader) {
        if (hasHeader && log_.Mode() == LogMode::Qso &&
            CheckOwnSection(station.ownSection, sections_) != OwnSectionVerdict::Accepted) {
            Add(0, "own section code " + Quoted(station.ownSection) + " is not a known four-digit code");
        }
        ScoreResult score = ComputeScore(log_);
        size_t nextSkip = 0;
        for (size_t row = 0; row < log_.RowCount(); ++row) {
            bool skipped = nextSkip < score.skippedRows.size() && score.skippedRows[nextSkip] == row;
            if (skipped) {
                ++nextSkip;
                Add(row + 1, "left out of the score: " + SkipReason(row));
            }
            if (log_.Mode() == LogMode::Qso) {
                CheckQsoDuplicate(row);
            } else if (!skipped) {
                CheckListeningLimits(row);
            }
            CheckFields(row, skipped);
        }
        return std::move(findings_);
    }

  private:
    void Add(size_t row, std::string text) { findings_.push_back({row, std::move(text)}); }

    std::string SkipReason(size_t row) const {
        std::string_view band = log_.Field(row, QsoCol::Band);
        if (!DecodeBand(band)) {
            return "band " + Quoted(band) + " is not a contest band";
        }
        return "mode " + Quoted(log_.Field(row, QsoCol::Mode)) + " is not SSB, CW or RTTY";
    }

    void CheckQsoDuplicate(size_t row) {
        auto key = std::make_tuple(std::string(log_.Field(row, QsoCol::Callsign)),
                                   std::string(log_.Field(row, QsoCol::Band)),
                                   std::string(log_.Field(row, QsoCol::Mode)));
        auto [it, inserted] = firstRow_.emplace(key, row);
        if (!inserted) {
            Add(row + 1, "duplicate of row " + std::to_string(it->second + 1) + " (" + std::get<0>(key) +
                             " on " + BandModeText(log_, row) + ")");
        }
    }

    void CheckListeningLimits(size_t row) {
        int band = DecodeBand(log_.Field(row, ListeningCol::Band))->index;
        int mode = DecodeMode(log_.Field(row, ListeningCol::Mode));
        std::string calling(log_.Field(row, ListeningCol::CallingCall));
        auto [it, inserted] = callingRow_.emplace(std::make_tuple(calling, band, mode), row);
        if (!inserted) {
            Add(row + 1, calling + " already heard calling on " + BandModeText(log_, row) + " in row " +
                             std::to_string(it->second + 1));
        }
        std::string answering(log_.Field(row, ListeningCol::AnsweringCall));
        int& count = answerCount_[std::make_tuple(answering, band, mode)];
        if (++count == 4) {
            Add(row + 1, answering + " heard answering more than 3 times on " + BandModeText(log_, row));
        }
    }

    void CheckCallsign(size_t row, int column, const char* what) {
        std::string callsign(log_.Field(row, column));
        std::string checked = callsign;
        if (!tarnex::CheckCallsign(checked) || checked != callsign) {
            Add(row + 1, std::string(what) + " " + Quoted(callsign) + " is not a valid callsign");
        }
    }

    void CheckReport(size_t row, int column, const char* what) {
        std::string_view report = log_.Field(row, column);
        std::string_view mode = log_.Field(row, QsoCol::Mode);
        if (!tarnex::CheckReport(report, mode)) {
            Add(row + 1, std::string(what) + " " + Quoted(report) + " is not valid in " + Quoted(mode));
        }
    }

    void CheckFields(size_t row, bool skipped) {
        const bool qso = log_.Mode() == LogMode::Qso;
        std::string_view date = log_.Field(row, QsoCol::Date);
        if (!CheckDate(date, kEntryLowestYear)) {
            Add(row + 1, "date " + Quoted(date) + " is not a valid dd.mm.yyyy date from 2005");
        }
        std::string_view time = log_.Field(row, QsoCol::Time);
        if (!CheckDialogTime(time)) {
            Add(row + 1, "time " + Quoted(time) + " is not a valid HHMM time");
        }
        std::string_view band = log_.Field(row, QsoCol::Band);
        std::string_view mode = log_.Field(row, QsoCol::Mode);
        if (!skipped && BandListIndex(band) < 0) {
            Add(row + 1, "band " + Quoted(band) + " is not one of 1,8 3,5 7 14 21 28");
        }
        if (!skipped && ModeListIndex(mode) < 0) {
            Add(row + 1, "mode " + Quoted(mode) + " is not one of SSB CW RTTY");
        }
        if (!IsWorkable(BandListIndex(band), ModeListIndex(mode))) {
            Add(row + 1, "RTTY is not worked on 1,8");
        }
        if (qso) {
            CheckCallsign(row, QsoCol::Callsign, "callsign");
            CheckReport(row, QsoCol::RstSent, "report sent");
            CheckReport(row, QsoCol::RstReceived, "report received");
        } else {
            CheckCallsign(row, ListeningCol::CallingCall, "calling callsign");
            CheckCallsign(row, ListeningCol::AnsweringCall, "answering callsign");
            CheckReport(row, ListeningCol::Rst, "report");
        }
        std::string_view section =
            log_.Field(row, qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection});
        if (!CheckEntrySection(section, sections_)) {
            Add(row + 1, "section code " + Quoted(section) + " is not a known four-digit code");
        }
    }

    const ContestLog& log_;
    const SectionTable& sections_;
    std::vector<LogFinding> findings_;
    std::map<std::tuple<std::string, std::string, std::string>, size_t> firstRow_;
    std::map<std::tuple<std::string, int, int>, size_t> callingRow_;
    std::map<std::tuple<std::string, int, int>, int> answerCount_;
};

}  // namespace

std::vector<LogFinding> CheckLog(const ContestLog& log, const StationSummary& station, bool hasHeader,
                                 const SectionTable& sections) {
    return Checker(log, sections).Run(station, hasHeader);
}

std::string FormatFinding(const LogFinding& finding) {
    return (finding.row == 0 ? std::string("header") : "row " + std::to_string(finding.row)) + ": " +
           finding.text;
}

}  // namespace tarnex
