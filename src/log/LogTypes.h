#pragma once
// The two kinds of log entry and their column numbers in the log list.

#include <string>

namespace tarnex {

enum class LogMode { Qso, Listening };

// Columns of a QSO-mode row.
namespace QsoCol {
enum : int {
    Number = 0,
    Date = 1,
    Time = 2,
    Band = 3,
    Mode = 4,
    Callsign = 5,
    RstSent = 6,
    RstReceived = 7,
    Section = 8,
    SectionName = 9,
};
constexpr int kCount = 10;
}  // namespace QsoCol

// Columns of a listening-mode (heard) row.
namespace ListeningCol {
enum : int {
    Number = 0,
    Date = 1,
    Time = 2,
    Band = 3,
    Mode = 4,
    CallingCall = 5,
    Rst = 6,
    CallingSection = 7,
    AnsweringCall = 8,
};
constexpr int kCount = 9;
}  // namespace ListeningCol

inline int ColumnCount(LogMode mode) {
    return mode == LogMode::Qso ? QsoCol::kCount : ListeningCol::kCount;
}

// A contact made by the station. Every field is text, exactly as typed or loaded.
struct QsoRecord {
    std::string date;
    std::string time;
    std::string band;
    std::string mode;
    std::string callsign;
    std::string rstSent;
    std::string rstReceived;
    std::string section;
    std::string sectionName;
    bool operator==(const QsoRecord&) const = default;
};

// A contact heard between two other stations.
struct HrdRecord {
    std::string date;
    std::string time;
    std::string band;
    std::string mode;
    std::string callingCall;
    std::string rst;
    std::string callingSection;
    std::string answeringCall;
    bool operator==(const HrdRecord&) const = default;
};

}  // namespace tarnex
