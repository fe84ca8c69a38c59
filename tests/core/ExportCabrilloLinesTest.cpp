// The "QSO:" lines of both Cabrillo files for random logs, against lines built here the
// plain way from the rules: fields of every length (empty, odd, filling their column,
// longer than it, long enough to leave the writers' fast ways), every band and mode
// and texts that are neither, dates and times whole and damaged, several thousand rows
// so that the writers' blocks fill and are added many times.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "export/Cabrillo3Export.h"
#include "export/CabrilloExport.h"
#include "export/ListeningBandOrder.h"

using namespace tarnex;

namespace {

class RandomRows {
  public:
    explicit RandomRows(uint32_t seed) : random_(seed) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

    // Any bytes but CR and LF, now and then a control character or one above 127.
    std::string Text(size_t length) {
        static const std::string kBytes = "ABCDEIKQZ0123456789/-., \x01\x1f\x7f\xe8\xff";
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            text.push_back(kBytes[Below(kBytes.size())]);
        }
        return text;
    }

    // Mostly a length near `usual`, sometimes any up to 20, rarely a very long one.
    std::string Field(size_t usual) {
        const size_t pick = Below(100);
        if (pick < 70) {
            return Text(usual > 1 ? usual - 1 + Below(3) : usual);
        }
        if (pick < 98) {
            return Text(Below(21));
        }
        return Text(300 + Below(600));
    }

    std::string Pick(const std::vector<std::string>& choices, size_t usual) {
        return Below(10) < 8 ? choices[Below(choices.size())] : Field(usual);
    }

    std::string Band() {
        return Pick(
            {"1,8", "3,5", "7", "14", "21", "28", "", "10", "1,", ",", "7,0", "144", "3,5x", "70", "2"}, 2);
    }
    std::string Mode() {
        return Pick({"SSB", "CW", "RTTY", "", "FM", "SS", "SSBX", "C", "CWW", "ssb", "R"}, 3);
    }
    std::string Date() {
        return Pick({"03.04.2005", "31.12.2005", "01.01.2006", "3.4.2005", "", "aa.bb.cccc", "12.12.1999x",
                     "03.04.200:", "0?.04.2005", "03.0/.2005"},
                    10);
    }
    std::string Time() {
        return Pick({"1200", "0005", "2359", "905", "", "12345", "12a4", "12:0", "?000"}, 4);
    }
    std::string Rst() { return Pick({"59", "599", "57", "5", "5999"}, 3); }
    std::string Section() { return Pick({"0501", "1201", "9999", "0", "12345"}, 4); }

  private:
    std::mt19937 random_;
};

std::string Padded(const std::string& text, size_t width, bool separate) {
    std::string out = text;
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    } else if (separate) {
        out.push_back(' ');
    }
    return out;
}

std::string Slice(const std::string& text, size_t from, size_t count) {
    return from >= text.size() ? std::string() : text.substr(from, count);
}

std::string Frequency(const std::string& band) {
    if (band.find(',') != std::string::npos) {
        return std::string(" ") + band.front() + band.back() + "00 ";
    }
    return band == "7" ? " 7000 " : band + "000 ";
}

std::string ModeTag(const std::string& mode) {
    return mode == "SSB" ? "PH " : mode == "CW" ? "CW " : "RY ";
}

// Control characters as spaces, as the 3.0 file writes the station's values.
std::string Cleaned(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        c = byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return text;
}

// The line of a row, the plain way.
std::string ReferenceLine(const ContestLog& log, size_t row, const StationSummary& station, bool separated) {
    auto field = [&](int column) { return std::string(log.Field(row, column)); };
    const std::string date = field(QsoCol::Date);
    std::string line = "QSO: " + Frequency(field(QsoCol::Band)) + ModeTag(field(QsoCol::Mode)) +
                       Slice(date, 6, 4) + "-" + Slice(date, 3, 2) + "-" + Slice(date, 0, 2) + " " +
                       field(QsoCol::Time) + " ";
    if (log.Mode() == LogMode::Qso) {
        line += Padded(station.callsign, 14, separated) + Padded(field(QsoCol::RstSent), 4, separated) +
                station.ownSection + "   " + Padded(field(QsoCol::Callsign), 14, separated) +
                Padded(field(QsoCol::RstReceived), 4, separated) + Padded(field(QsoCol::Section), 6, false);
    } else {
        line += Padded(field(ListeningCol::CallingCall), 14, separated) +
                Padded(field(ListeningCol::Rst), 4, separated) + field(ListeningCol::CallingSection) + "   " +
                Padded(field(ListeningCol::AnsweringCall), 14, false);
    }
    return line + "\r\n";
}

// yyyymmddhhmm of a whole dd.mm.yyyy date and hhmm time; the largest number otherwise.
uint64_t ReferenceTimeKey(const std::string& date, const std::string& time) {
    auto digits = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (date.size() != 10 || date[2] != '.' || date[5] != '.' || time.size() != 4 || !digits(time) ||
        !digits(date.substr(0, 2)) || !digits(date.substr(3, 2)) || !digits(date.substr(6, 4))) {
        return std::numeric_limits<uint64_t>::max();
    }
    return std::stoull(date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2) + time);
}

// The file a writer gives for an empty log (its header and closing line) with `lines`
// put before the closing line.
std::string WithLines(const std::string& emptyFile, const std::string& lines) {
    const std::string end = "END-OF-LOG: \r\n";
    EXPECT_EQ(emptyFile.substr(emptyFile.size() - end.size()), end);
    return emptyFile.substr(0, emptyFile.size() - end.size()) + lines + end;
}

// A random log of `rows` rows; with `inOrder` every date and time is whole and rises.
void FillLog(ContestLog& log, RandomRows& random, size_t rows, bool inOrder) {
    for (size_t i = 0; i < rows; ++i) {
        std::string date = random.Date();
        std::string time = random.Time();
        if (inOrder) {
            char minute[16];
            std::snprintf(minute, sizeof minute, "%02zu%02zu", (i / 60) % 24, i % 60);
            date = "0" + std::to_string(1 + i / 1440) + ".04.2005";
            time = minute;
        }
        if (log.Mode() == LogMode::Qso) {
            log.Append(QsoRecord{date, time, random.Band(), random.Mode(), random.Field(6), random.Rst(),
                                 random.Rst(), random.Section(), ""});
        } else {
            log.Append(HrdRecord{date, time, random.Band(), random.Mode(), random.Field(6), random.Rst(),
                                 random.Section(), random.Field(6)});
        }
    }
}

StationSummary RandomStation(RandomRows& random) {
    StationSummary station;
    station.callsign = random.Below(4) == 0 ? random.Text(random.Below(18)) : "IQ2MI";
    station.ownSection = random.Below(4) == 0 ? random.Text(random.Below(7)) : "0501";
    station.category = "SINGLE-OP";
    return station;
}

}  // namespace

TEST(CabrilloLines, BothFilesGiveTheLinesOfThePlainRulesForRandomRows) {
    SectionTable sections;
    sections.SetName(501, "ALFA");
    for (LogMode mode : {LogMode::Qso, LogMode::Listening}) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            RandomRows random(seed * 7919 + (mode == LogMode::Qso ? 0 : 1));
            const bool inOrder = seed == 4;
            ContestLog log(mode);
            FillLog(log, random, 2500, inOrder);
            const ContestLog empty(mode);
            const StationSummary station = RandomStation(random);
            SCOPED_TRACE(::testing::Message()
                         << (mode == LogMode::Qso ? "QSO" : "listening") << " seed " << seed);

            std::string lines;
            for (size_t row = 0; row < log.RowCount(); ++row) {
                lines += ReferenceLine(log, row, station, false);
            }
            EXPECT_EQ(ExportCabrillo(log, station, sections, 1234),
                      WithLines(ExportCabrillo(empty, station, sections, 1234), lines));

            if (mode == LogMode::Listening) {
                CabrilloOptions byBand;
                byBand.listeningByBand = true;
                lines.clear();
                for (size_t row : ListeningBandOrder(log)) {
                    lines += ReferenceLine(log, row, station, false);
                }
                EXPECT_EQ(ExportCabrillo(log, station, sections, 1234, byBand),
                          WithLines(ExportCabrillo(empty, station, sections, 1234, byBand), lines));
            }

            // The 3.0 file: rows by date and time (unreadable ones last, ties in log
            // order), fields separated, the station's values cleaned.
            std::vector<uint64_t> keys;
            for (size_t row = 0; row < log.RowCount(); ++row) {
                keys.push_back(ReferenceTimeKey(std::string(log.Field(row, QsoCol::Date)),
                                                std::string(log.Field(row, QsoCol::Time))));
            }
            std::vector<size_t> order(log.RowCount());
            std::iota(order.begin(), order.end(), size_t{0});
            std::stable_sort(order.begin(), order.end(),
                             [&](size_t a, size_t b) { return keys[a] < keys[b]; });
            EXPECT_EQ(Cabrillo3RowOrder(log), order);
            StationSummary cleaned = station;
            cleaned.callsign = Cleaned(station.callsign);
            cleaned.ownSection = Cleaned(station.ownSection);
            lines.clear();
            for (size_t row : order) {
                lines += ReferenceLine(log, row, cleaned, true);
            }
            EXPECT_EQ(ExportCabrillo3(log, station, sections, 1234),
                      WithLines(ExportCabrillo3(empty, station, sections, 1234), lines));
        }
    }
}
