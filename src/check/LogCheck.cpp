#include "check/LogCheck.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "base/ContestRules.h"
#include "log/BandMode.h"
#include "log/EntryTime.h"
#include "log/StationCategory.h"
#include "rules/FieldChecks.h"
#include "score/ScoreComputation.h"

namespace tarnex {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A key made of texts that no other texts give: each is preceded by its length.
void AppendKeyPart(std::string& key, std::string_view text) {
    key += std::to_string(text.size());
    key += ':';
    key += text;
}

std::string RowNumber(size_t row) {
    return std::to_string(row + 1);
}

std::string BandModeText(const ContestLog& log, size_t row) {
    return std::string(log.Field(row, QsoCol::Band)) + " " + std::string(log.Field(row, QsoCol::Mode));
}

// "09.06.2007" and "1200" of a minute.
struct DayAndTime {
    std::string day;
    std::string time;
};
DayAndTime Format(UtcMinute minute) {
    using namespace std::chrono;
    constexpr int64_t kDay = 24 * 60;
    const int64_t inDay = ((minute % kDay) + kDay) % kDay;  // also before 1970
    const sys_days days{std::chrono::days{(minute - inDay) / kDay}};
    const year_month_day date{days};
    char day[16];
    char time[8];
    std::snprintf(day, sizeof day, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    std::snprintf(time, sizeof time, "%02d%02d", static_cast<int>(inDay / 60), static_cast<int>(inDay % 60));
    return {day, time};
}

// The station values that go into the header lines, with their names.
struct StationValue {
    const char* italian;
    const char* english;
    const std::string* value;
};

class Checker {
  public:
    Checker(const ContestLog& log, const SectionTable& sections, const CheckRequest& request)
        : log_(log), sections_(sections), request_(request) {}

    std::vector<LogFinding> Run() {
        const StationSummary* station = request_.station;
        const CategoryTraits* traits = station ? TraitsOfCategory(station->category) : nullptr;
        if (station != nullptr) {
            CheckStation(*station, traits);
        }
        if (traits != nullptr && traits->onlyMode >= 0 && log_.Mode() == LogMode::Qso) {
            CountForeignModes(*traits);
        }
        if (auto period = ContestPeriodOfLog(log_)) {
            period_ = *period;
        }
        firstRow_.reserve(log_.RowCount());
        callingRow_.reserve(log_.RowCount());
        answerCount_.reserve(log_.RowCount());
        ScoreResult score = ComputeScore(log_);
        size_t nextSkip = 0;
        for (size_t row = 0; row < log_.RowCount(); ++row) {
            bool skipped = nextSkip < score.skippedRows.size() && score.skippedRows[nextSkip] == row;
            if (skipped) {
                ++nextSkip;
                AddSkipped(row);
            }
            if (log_.Mode() == LogMode::Qso) {
                CheckQsoDuplicate(row);
            } else if (!skipped) {
                CheckListeningLimits(row);
            }
            CheckFields(row, skipped);
            if (traits != nullptr) {
                CheckModeInCategory(row, *traits);
            }
        }
        return std::move(findings_);
    }

  private:
    void Add(std::optional<size_t> row, FindingKind kind, std::string reason, std::string english) {
        findings_.push_back({row, kind, std::move(reason), std::move(english)});
    }

    // The station data: what the header lines of the file are made of.
    void CheckStation(const StationSummary& station, const CategoryTraits* traits) {
        if (station.callsign.empty()) {
            Add(std::nullopt, FindingKind::OwnCallsignMissing,
                "Manca il nominativo della stazione nei dati riassuntivi.", "own callsign missing");
        }
        if (IsEntrantWithSpecialCallsign(station, traits)) {
            Add(std::nullopt, FindingKind::OwnCallsignSpecial,
                "Il nominativo " + station.callsign +
                    " \xE8 un nominativo speciale: le stazioni speciali non possono partecipare alla "
                    "classifica, solo inviare il log come CHECKLOG.",
                "own callsign " + station.callsign +
                    " is a special-event callsign: special callsigns are not valid entrants (CHECKLOG only)");
        }
        if (station.ownSection.empty()) {
            Add(std::nullopt, FindingKind::OwnSectionMissing,
                "Manca la propria sezione nei dati riassuntivi.",
                "own section code \"\" is not a known four-digit code");
        } else if (log_.Mode() == LogMode::Qso &&
                   CheckOwnSection(station.ownSection, sections_) != OwnSectionVerdict::Accepted) {
            Add(std::nullopt, FindingKind::OwnSectionUnknown,
                "Il codice della propria sezione " + Quoted(station.ownSection) +
                    " non \xE8 una sezione conosciuta.",
                "own section code " + Quoted(station.ownSection) + " is not a known four-digit code");
        }
        if (station.name.empty()) {
            Add(std::nullopt, FindingKind::NameMissing, "Manca il nome nei dati riassuntivi.",
                "own name missing");
        }
        const std::array<StationValue, 12> values = {{
            {"Nominativo", "callsign", &station.callsign},
            {"Sezione", "own section", &station.ownSection},
            {"Categoria", "category", &station.category},
            {"Operatori", "operators", &station.operators},
            {"Nome", "name", &station.name},
            {"Indirizzo riga 1", "address line 1", &station.address1},
            {"Indirizzo riga 2", "address line 2", &station.address2},
            {"Indirizzo riga 3", "address line 3", &station.address3},
            {"Commento riga 1", "comment line 1", &station.comment1},
            {"Commento riga 2", "comment line 2", &station.comment2},
            {"Commento riga 3", "comment line 3", &station.comment3},
            {"Email", "e-mail", &request_.extras.email},
        }};
        for (const StationValue& value : values) {
            if (HoldsControlCharacter(*value.value)) {
                Add(std::nullopt, FindingKind::StationValueBreaksLine,
                    std::string("Il campo \"") + value.italian +
                        "\" dei dati riassuntivi contiene un a capo o un altro carattere di controllo.",
                    std::string("station value \"") + value.english + "\" holds a control character");
            }
        }
        if (traits == nullptr) {
            Add(std::nullopt, FindingKind::CategoryUnknown,
                "La categoria " + Quoted(station.category) + " non \xE8 una di quelle del contest.",
                "category " + Quoted(station.category) + " is not one of the contest's categories");
            return;
        }
        if (traits->listening && log_.Mode() == LogMode::Qso) {
            Add(std::nullopt, FindingKind::CategoryNotForLogMode,
                "La categoria SWL \xE8 solo per i log di ascolti, questo \xE8 un log di QSO.",
                "category \"SWL\" does not fit a QSO log");
        } else if (!traits->listening && log_.Mode() == LogMode::Listening) {
            Add(std::nullopt, FindingKind::CategoryNotForLogMode,
                "Un log di ascolti richiede la categoria SWL, non " + Quoted(station.category) + ".",
                "category " + Quoted(station.category) + " does not fit a listening log");
        }
        const bool statesPower = !traits->multiOperator && !traits->listening &&
                                 std::string_view(traits->operatorTag) != "CHECKLOG";
        if (request_.target == CheckedExport::Cabrillo3 && statesPower &&
            PowerOfEntry(*traits, request_.extras.power).empty()) {
            Add(std::nullopt, FindingKind::PowerNotChosen,
                "Manca la potenza (HIGH o LOW) nei dati riassuntivi: il file Cabrillo 3.0 la richiede.",
                "power not chosen (HIGH or LOW)");
        }
    }

    // A QSO log under a category that enters the classification, from a special-event
    // station. A listener's own callsign is not a station's callsign.
    bool IsEntrantWithSpecialCallsign(const StationSummary& station, const CategoryTraits* traits) const {
        const bool checkLog = traits != nullptr && std::string_view(traits->operatorTag) == "CHECKLOG";
        return log_.Mode() == LogMode::Qso && !checkLog && IsSpecialEventCallsign(station.callsign);
    }

    // Rows of a mode the single-mode category does not count, per mode.
    void CountForeignModes(const CategoryTraits& traits) {
        for (size_t row = 0; row < log_.RowCount(); ++row) {
            const int mode = ModeListIndex(log_.Field(row, QsoCol::Mode));
            if (mode >= 0 && mode != traits.onlyMode) {
                ForeignMode& foreign = foreignModes_[static_cast<size_t>(mode)];
                if (foreign.count++ == 0) {
                    foreign.firstRow = row;
                }
            }
        }
    }

    void CheckModeInCategory(size_t row, const CategoryTraits& traits) {
        const int mode = ModeListIndex(log_.Field(row, QsoCol::Mode));
        if (mode < 0 || mode == traits.onlyMode || traits.onlyMode < 0 || log_.Mode() != LogMode::Qso) {
            return;
        }
        const ForeignMode& foreign = foreignModes_[static_cast<size_t>(mode)];
        if (foreign.firstRow != row) {
            return;
        }
        const std::string modeText(kModeTexts[static_cast<size_t>(mode)]);
        const std::string count = std::to_string(foreign.count);
        Add(row, FindingKind::ModeNotInCategory,
            std::string("La categoria ") + traits.name + " non ammette QSO in " + modeText + ": " + count +
                " nel log, il primo \xE8 questo.",
            std::string("category ") + traits.name + " takes no " + modeText + " contacts (" + count +
                " in the log, the first here)");
    }

    void AddSkipped(size_t row) {
        std::string_view band = log_.Field(row, QsoCol::Band);
        if (!DecodeBand(band)) {
            Add(row, FindingKind::LeftOutOfScore,
                "Escluso dal punteggio: la banda " + Quoted(band) + " non \xE8 una banda del contest.",
                "left out of the score: band " + Quoted(band) + " is not a contest band");
            return;
        }
        std::string_view mode = log_.Field(row, QsoCol::Mode);
        Add(row, FindingKind::LeftOutOfScore,
            "Escluso dal punteggio: il modo " + Quoted(mode) + " non \xE8 SSB, CW o RTTY.",
            "left out of the score: mode " + Quoted(mode) + " is not SSB, CW or RTTY");
    }

    void CheckQsoDuplicate(size_t row) {
        const std::string_view callsign = log_.Field(row, QsoCol::Callsign);
        std::string key;
        AppendKeyPart(key, callsign);
        AppendKeyPart(key, log_.Field(row, QsoCol::Band));
        AppendKeyPart(key, log_.Field(row, QsoCol::Mode));
        auto [it, inserted] = firstRow_.emplace(std::move(key), row);
        if (!inserted) {
            const std::string call(callsign);
            Add(row, FindingKind::Duplicate,
                "Doppio: " + call + " \xE8 gi\xE0 nel log in " + BandModeText(log_, row) + " alla riga " +
                    RowNumber(it->second) + ".",
                "duplicate of row " + RowNumber(it->second) + " (" + call + " on " + BandModeText(log_, row) +
                    ")");
        }
    }

    // Listening: one calling entry per station, band and mode; at most three answering.
    void CheckListeningLimits(size_t row) {
        const int band = DecodeBand(log_.Field(row, ListeningCol::Band))->index;
        const int mode = DecodeMode(log_.Field(row, ListeningCol::Mode));
        const std::string bandMode = std::to_string(band) + "/" + std::to_string(mode) + "/";
        const std::string_view calling = log_.Field(row, ListeningCol::CallingCall);
        auto [it, inserted] = callingRow_.emplace(bandMode + std::string(calling), row);
        if (!inserted) {
            const std::string call(calling);
            Add(row, FindingKind::HeardCallingAgain,
                call + " \xE8 gi\xE0 stato ascoltato in chiamata in " + BandModeText(log_, row) +
                    " alla riga " + RowNumber(it->second) + ".",
                call + " already heard calling on " + BandModeText(log_, row) + " in row " +
                    RowNumber(it->second));
        }
        const std::string_view answering = log_.Field(row, ListeningCol::AnsweringCall);
        int& count = answerCount_[bandMode + std::string(answering)];
        if (++count == kAnswersPerBandMode + 1) {
            const std::string call(answering);
            Add(row, FindingKind::HeardAnsweringTooOften,
                call + " ascoltato in risposta pi\xF9 di " + std::to_string(kAnswersPerBandMode) +
                    " volte in " + BandModeText(log_, row) + ".",
                call + " heard answering more than " + std::to_string(kAnswersPerBandMode) + " times on " +
                    BandModeText(log_, row));
        }
    }

    void CheckCallsign(size_t row, int column, const char* italian, const char* english) {
        std::string callsign(log_.Field(row, column));
        std::string checked = callsign;
        if (!tarnex::CheckCallsign(checked) || checked != callsign) {
            Add(row, FindingKind::BadCallsign, std::string(italian) + " " + Quoted(callsign) + " non valido.",
                std::string(english) + " " + Quoted(callsign) + " is not a valid callsign");
        }
    }

    void CheckReport(size_t row, int column, const char* italian, const char* english) {
        std::string_view report = log_.Field(row, column);
        std::string_view mode = log_.Field(row, QsoCol::Mode);
        if (!tarnex::CheckReport(report, mode)) {
            Add(row, FindingKind::BadReport,
                std::string(italian) + " " + Quoted(report) + " non valido in " + Quoted(mode) + ".",
                std::string(english) + " " + Quoted(report) + " is not valid in " + Quoted(mode));
        }
    }

    void CheckPeriod(size_t row, std::string_view date, std::string_view time) {
        const std::optional<UtcMinute> minute = EntryMinute(date, time);
        if (!period_ || !minute || period_->Holds(*minute)) {
            return;
        }
        const DayAndTime first = Format(period_->first);
        const DayAndTime last = Format(period_->last);
        const std::string when = std::string(date) + " " + std::string(time);
        Add(row, FindingKind::OutsideContestPeriod,
            "Fuori dal periodo del contest (" + when + "): il contest va da sabato " + first.day + " " +
                first.time.substr(0, 2) + ":" + first.time.substr(2) + " a domenica " + last.day + " " +
                last.time.substr(0, 2) + ":" + last.time.substr(2) + " UTC.",
            when + " is outside the contest period (" + first.day + " " + first.time + " to " + last.day +
                " " + last.time + " UTC)");
    }

    void CheckFields(size_t row, bool skipped) {
        const bool qso = log_.Mode() == LogMode::Qso;
        std::string_view date = log_.Field(row, QsoCol::Date);
        if (!CheckDate(date, kEntryLowestYear)) {
            Add(row, FindingKind::BadDate,
                "Data " + Quoted(date) + " non valida: serve gg.mm.aaaa, dal 2005.",
                "date " + Quoted(date) + " is not a valid dd.mm.yyyy date from 2005");
        }
        std::string_view time = log_.Field(row, QsoCol::Time);
        if (!CheckDialogTime(time)) {
            Add(row, FindingKind::BadTime, "Ora " + Quoted(time) + " non valida: serve HHMM.",
                "time " + Quoted(time) + " is not a valid HHMM time");
        }
        CheckPeriod(row, date, time);
        std::string_view band = log_.Field(row, QsoCol::Band);
        std::string_view mode = log_.Field(row, QsoCol::Mode);
        if (!skipped && BandListIndex(band) < 0) {
            Add(row, FindingKind::BadBand,
                "Banda " + Quoted(band) + " non prevista: le bande sono 1,8 3,5 7 14 21 28.",
                "band " + Quoted(band) + " is not one of 1,8 3,5 7 14 21 28");
        }
        if (!skipped && ModeListIndex(mode) < 0) {
            Add(row, FindingKind::BadMode, "Modo " + Quoted(mode) + " non previsto: i modi sono SSB CW RTTY.",
                "mode " + Quoted(mode) + " is not one of SSB CW RTTY");
        }
        if (!IsWorkable(BandListIndex(band), ModeListIndex(mode))) {
            Add(row, FindingKind::RttyOn160, "La RTTY non \xE8 ammessa in 1,8 (160 m).",
                "RTTY is not worked on 1,8");
        }
        if (qso) {
            CheckCallsign(row, QsoCol::Callsign, "Nominativo", "callsign");
            CheckReport(row, QsoCol::RstSent, "Rapporto inviato", "report sent");
            CheckReport(row, QsoCol::RstReceived, "Rapporto ricevuto", "report received");
        } else {
            CheckCallsign(row, ListeningCol::CallingCall, "Nominativo chiamante", "calling callsign");
            CheckCallsign(row, ListeningCol::AnsweringCall, "Nominativo che risponde", "answering callsign");
            CheckReport(row, ListeningCol::Rst, "Rapporto", "report");
        }
        std::string_view section =
            log_.Field(row, qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection});
        if (!CheckEntrySection(section, sections_)) {
            Add(row, FindingKind::UnknownSection, "Codice sezione " + Quoted(section) + " sconosciuto.",
                "section code " + Quoted(section) + " is not a known four-digit code");
        }
    }

    struct ForeignMode {
        size_t count = 0;
        size_t firstRow = 0;
    };

    const ContestLog& log_;
    const SectionTable& sections_;
    const CheckRequest& request_;
    std::optional<ContestPeriod> period_;
    std::array<ForeignMode, kModeCount> foreignModes_{};
    std::vector<LogFinding> findings_;
    // Keyed by callsign, band and mode (see AppendKeyPart); by "band/mode/callsign".
    std::unordered_map<std::string, size_t> firstRow_;
    std::unordered_map<std::string, size_t> callingRow_;
    std::unordered_map<std::string, int> answerCount_;
};

}  // namespace

std::vector<LogFinding> CheckLog(const ContestLog& log, const SectionTable& sections,
                                 const CheckRequest& request) {
    return Checker(log, sections, request).Run();
}

}  // namespace tarnex
