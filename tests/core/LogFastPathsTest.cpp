// The quick ways the log reads lines, orders rows and finds callsigns give exactly
// what the plain ways give: each is checked against a plain model on many generated
// inputs, the awkward bytes (CR, LF, bytes 128-255, long lines) included.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ByteWiseLines.h"
#include "log/BandMode.h"
#include "export/AdifExport.h"
#include "export/FastlogExport.h"
#include "log/CallIndex.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "log/StationSummary.h"
#include "sections/SectionTable.h"
#include "sections/TextLineReader.h"
#include "util/TextNumber.h"

using namespace tarnex;

namespace {

std::vector<TextLine> ReadLines(const std::string& bytes, size_t limit) {
    std::vector<TextLine> lines;
    TextSource source(bytes);
    TextLine line;
    do {
        ReadTextLine(source, limit, line);
        lines.push_back(line);
    } while (!line.endOfFile);
    return lines;
}

// Text made mostly of the bytes that matter to the reader.
std::string AwkwardText(std::mt19937& random, size_t length) {
    static const std::string alphabet = std::string("ab^\r\n\r\n\x80\xff ", 10) + std::string(1, '\0');
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text += alphabet[random() % alphabet.size()];
        if (random() % 13 == 0) {
            text += std::string(random() % 120, 'x');  // runs around the limits
        }
    }
    return text;
}

// A load the plain way: the lines as the byte-wise reader gives them (the header and
// its eleven values skipped, the last attempt, which found no byte, dropped), each cut
// at every "^" with find, the QSO time shortened and the section name looked up.
std::vector<std::vector<std::string>> RowsReadPlainly(const std::string& bytes, const SectionTable& sections,
                                                      LogMode& mode) {
    std::vector<TextLine> lines = model::LinesByteWise(bytes, kLogLineLimit);
    size_t first = 0;
    mode = LogMode::Qso;
    if (lines[0].text.compare(0, 6, "trnx14") == 0) {
        mode = lines[0].text.find("hrd", 7) != std::string::npos ? LogMode::Listening : LogMode::Qso;
        first = std::min(lines.size() - 1, size_t{12});
    }
    std::vector<std::vector<std::string>> rows;
    for (size_t i = first; i < lines.size() && !lines[i].endOfFile; ++i) {
        std::vector<std::string> f;
        std::string rest = lines[i].text;
        for (int n = 0; n < 9; ++n) {
            size_t caret = rest.find('^');
            f.push_back(rest.substr(0, caret));
            rest = caret == std::string::npos ? std::string() : rest.substr(caret + 1);
        }
        if (f[1].size() > 4) {
            f[1] = f[1].substr(0, 2) + f[1].substr(f[1].size() - 2);
        }
        if (mode == LogMode::Qso) {
            rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[7], f[8], sections.NameOfText(f[8])});
        } else {
            rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
        }
    }
    return rows;
}

// An entry line of the log's kind, sometimes damaged the way a file can be.
std::string EntryLineText(std::mt19937& random, LogMode mode) {
    static const char* const bands[] = {"7", "3,5", "14", "1,8", "21", "28", "70"};
    static const char* const modes[] = {"SSB", "CW", "RTTY", "FM"};
    // Mostly a section of the table, now and then one outside 0..9999 or no number.
    static const char* const odd[] = {"12345", "-7", "0", "9999", "10000", "x1", "", "4294967297"};
    const auto section = [&]() -> std::string {
        return random() % 6 == 0 ? odd[random() % 8] : std::to_string(1000 + random() % 30);
    };
    std::string line = std::to_string(10 + random() % 20) + ".06.2007^" +
                       (random() % 5 == 0 ? "13:5" : "13") + std::to_string(10 + random() % 50) + "^" +
                       bands[random() % 7] + "^" + modes[random() % 4] + "^I" +
                       std::to_string(random() % 300) + "^59^";
    line += mode == LogMode::Qso
                ? "2011^599^" + section() + "^"
                : section() + "^IK" + std::to_string(random() % 300) + "^";
    switch (random() % 12) {
        case 0:
            line.insert(random() % line.size(), "\r");
            break;
        case 1:
            line += std::string(random() % 80, 'x');
            break;
        case 2:
            line.resize(random() % line.size());
            break;
        case 3:
            line += "^extra^fields";
            break;
        default:
            break;
    }
    return line + (random() % 9 == 0 ? "\n" : "\r\n");
}

// The band, mode and section codes the log keeps for a row are those its texts give,
// decoded here by the general rules.
::testing::AssertionResult CodesMatchTexts(const ContestLog& log, size_t row) {
    const int sectionColumn = log.Mode() == LogMode::Qso ? int{QsoCol::Section} : int{ListeningCol::CallingSection};
    const std::optional<BandCode> band = DecodeBand(log.Field(row, QsoCol::Band));
    const int mode = DecodeMode(log.Field(row, QsoCol::Mode));
    const int32_t section = NumericValue(log.Field(row, sectionColumn));
    const RowCodes codes = log.Codes(row);
    const int expectedSection = section >= 0 && section < WorkedSections::kCodes ? section : -1;
    if (codes.band == (band ? band->index : -1) && codes.mode == mode && codes.section == expectedSection) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "row " << row << ": codes " << int{codes.band} << " " << int{codes.mode}
                                         << " " << codes.section << " for " << log.Field(row, QsoCol::Band) << " "
                                         << log.Field(row, QsoCol::Mode) << " " << log.Field(row, sectionColumn);
}

}  // namespace

TEST(LogFastPaths, LoadGivesTheRowsOfReadingLineByLineAndFieldByField) {
    std::mt19937 random(29);
    SectionTable sections;
    sections.SetName(1010, "TORINO");
    sections.SetName(2011, "MILANO");
    std::vector<std::string> files = {"",
                                      "\n",
                                      "trnx14;qso",
                                      "trnx141;hrd\r\n",
                                      "a^b",
                                      "a^b\r\n",
                                      std::string(100, '^') + "\r\n",
                                      std::string(101, 'a') + "\r\n" + std::string(100, 'b') + "\r\r\n",
                                      std::string(250, 'a') + "\n"};
    // Lines whose line ends, CRs and separators fall on either side of every sixteenth
    // byte, with more lines after them (the search for a plain line reads 112 bytes).
    for (size_t length = 0; length <= 104; ++length) {
        std::string line(length, 'a');
        for (size_t at = 3; at < length; at += 7) {
            line[at] = '^';
        }
        std::string bytes = "trnx14;qso\r\n" + line + "\r\n" + line + "\n" + line + "\r\r\n";
        for (size_t cr : {size_t{14}, size_t{15}, size_t{16}, size_t{31}, size_t{32}, size_t{47}}) {
            if (cr < length) {
                std::string damaged = line;
                damaged[cr] = '\r';
                bytes += damaged + "\r\n" + damaged + "\n";
            }
        }
        files.push_back(bytes + std::string(120, 'z') + "\r\n" + line + "\r\n" + std::string(130, 'y'));
    }
    for (int round = 0; round < 400; ++round) {
        const LogMode mode = round % 2 == 0 ? LogMode::Qso : LogMode::Listening;
        std::string bytes;
        if (round % 5 != 0) {
            bytes = mode == LogMode::Qso ? "trnx14;qso\r\n" : "trnx141;hrd\r\n";
            for (int i = 0; i < 11; ++i) {
                bytes += "value\r\n";
            }
        }
        for (size_t n = random() % 40; n > 0; --n) {
            bytes += random() % 15 == 0 ? AwkwardText(random, random() % 150) : EntryLineText(random, mode);
        }
        if (random() % 4 == 0 && !bytes.empty()) {
            bytes.pop_back();  // no line end at the end, or a lone CR
        }
        files.push_back(bytes);
    }
    for (const std::string& bytes : files) {
        LogMode mode = LogMode::Qso;
        const std::vector<std::vector<std::string>> expected = RowsReadPlainly(bytes, sections, mode);
        ContestLog log(mode == LogMode::Qso ? LogMode::Listening : LogMode::Qso);
        StationSummary station;
        const LogFileInfo info = ReadLogBytes(bytes, sections, log, station);
        ASSERT_EQ(log.Mode(), mode) << bytes;
        ASSERT_EQ(info.entries, expected.size()) << bytes;
        ASSERT_EQ(log.RowCount(), expected.size()) << bytes;
        for (size_t row = 0; row < expected.size(); ++row) {
            for (size_t column = 0; column < expected[row].size(); ++column) {
                ASSERT_EQ(log.Field(row, static_cast<int>(column) + 1), expected[row][column])
                    << "row " << row << " column " << column + 1 << " of\n"
                    << bytes;
            }
            ASSERT_TRUE(CodesMatchTexts(log, row)) << bytes;
        }
        // The indexes a load fills are those the rows give appended one by one.
        std::vector<uint8_t> loadedWorked;
        std::vector<CallIndexEntry> loadedCalls;
        auto indexesOf = [](const ContestLog& log, std::vector<uint8_t>& worked, std::vector<CallIndexEntry>& calls) {
            worked.clear();
            calls.clear();
            for (int32_t code = 0; code < WorkedSections::kCodes; ++code) {
                for (int m = 0; m < kModeCount; ++m) {
                    worked.push_back(log.Worked().Bits(code, m));
                }
            }
            log.Calls().ForEach([&](const CallIndexEntry& entry) { calls.push_back(entry); });
        };
        indexesOf(log, loadedWorked, loadedCalls);
        ContestLog appended(mode);
        for (size_t row = 0; row < log.RowCount(); ++row) {
            std::array<std::string_view, ContestLog::kDataColumns> columns;
            for (size_t column = 0; column < columns.size(); ++column) {
                columns[column] = log.Field(row, static_cast<int>(column) + 1);
            }
            appended.AppendFields(columns);
        }
        std::vector<uint8_t> rebuiltWorked;
        std::vector<CallIndexEntry> rebuiltCalls;
        indexesOf(appended, rebuiltWorked, rebuiltCalls);
        ASSERT_TRUE(loadedWorked == rebuiltWorked) << bytes;
        ASSERT_TRUE(loadedCalls == rebuiltCalls) << bytes;
    }
}

// The rows keep their bytes and codes through every change of the log (appends, edits,
// deletes, sorts), the bytes of all rows living in one store that is packed now and
// then. A row holds at most 65,535 bytes: a longer section name is cut there.
TEST(LogFastPaths, RowsKeepTheirTextsThroughEditsDeletesAndSorts) {
    std::mt19937 random(5);
    ContestLog log(LogMode::Qso);
    std::vector<QsoRecord> model;
    auto text = [&](size_t longest) {
        return std::string(random() % (longest + 1), static_cast<char>('a' + random() % 26));
    };
    auto record = [&] {
        static const char* const bands[] = {"7", "14", "1,8", "21", "2", ""};
        static const char* const modes[] = {"CW", "SSB", "RTTY", "FM", ""};
        QsoRecord r{std::to_string(10 + random() % 3) + ".06.2007",
                    std::to_string(1000 + random() % 3),
                    bands[random() % 6],
                    modes[random() % 5],
                    text(12),
                    text(3),
                    text(3),
                    random() % 3 == 0 ? text(4) : std::to_string(static_cast<int>(random() % 12000) - 1000),
                    text(20)};
        if (random() % 50 == 0) {
            r.sectionName = std::string(300000, 'n');  // more than a row holds
        }
        return r;
    };
    // What the row holds of a record.
    auto held = [](QsoRecord r) {
        const size_t others = r.date.size() + r.time.size() + r.band.size() + r.mode.size() + r.callsign.size() +
                              r.rstSent.size() + r.rstReceived.size() + r.section.size();
        r.sectionName.resize(std::min(r.sectionName.size(), size_t{65535} - others));
        return r;
    };
    for (int step = 0; step < 6000; ++step) {
        const unsigned what = random() % 100;
        if (what < 60 || model.empty()) {
            const QsoRecord given = record();
            log.Append(given);
            model.push_back(held(given));
        } else if (what < 85) {
            const size_t row = random() % model.size();
            const QsoRecord given = record();
            log.Replace(row, given);
            model[row] = held(given);
        } else if (what < 97) {
            std::vector<size_t> rows;
            for (size_t row = 0; row < model.size(); ++row) {
                if (random() % 3 == 0) {
                    rows.push_back(row);
                }
            }
            for (size_t i = rows.size(); i > 0; --i) {
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(rows[i - 1]));
            }
            log.RemoveRows(rows);
        } else if (what < 99) {
            std::stable_sort(model.begin(), model.end(), [](const QsoRecord& a, const QsoRecord& b) {
                return a.date != b.date ? a.date < b.date : a.time < b.time;
            });
            log.SortByDateTime();
        } else {
            model.clear();
            log.Clear();
        }
        ASSERT_EQ(log.RowCount(), model.size());
        if (step % 97 == 0 || what >= 85) {
            for (size_t row = 0; row < model.size(); ++row) {
                ASSERT_EQ(log.Qso(row), model[row]) << "step " << step << " row " << row;
                ASSERT_TRUE(CodesMatchTexts(log, row)) << "step " << step;
            }
        }
    }
}

TEST(LogFastPaths, LineReaderMatchesReadingByteByByte) {
    std::mt19937 random(11);
    const std::vector<std::string> fixed = {
        "",
        "\n",
        "\r",
        "\r\n",
        "abc",
        std::string(100, 'a') + "\n",
        std::string(101, 'a') + "\n",
        std::string(101, 'a') + "\r\n",
        std::string(102, 'a'),
        std::string(150, 'a') + "\r\n" + std::string(250, 'b') + "\r\n",
        std::string(50, 'a') + "\r\r\r" + std::string(51, 'a') + "\rx\n",
    };
    for (size_t limit : {size_t{100}, size_t{200}, size_t{0}, size_t{3}}) {
        for (const std::string& bytes : fixed) {
            std::vector<TextLine> expected = model::LinesByteWise(bytes, limit);
            std::vector<TextLine> actual = ReadLines(bytes, limit);
            ASSERT_EQ(actual.size(), expected.size()) << limit << " " << bytes;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(actual[i].text, expected[i].text) << limit << " line " << i;
                EXPECT_EQ(actual[i].endOfFile, expected[i].endOfFile) << limit << " line " << i;
            }
        }
        for (int round = 0; round < 300; ++round) {
            const std::string bytes = AwkwardText(random, random() % 400);
            std::vector<TextLine> expected = model::LinesByteWise(bytes, limit);
            std::vector<TextLine> actual = ReadLines(bytes, limit);
            ASSERT_EQ(actual.size(), expected.size()) << limit << " round " << round;
            for (size_t i = 0; i < expected.size(); ++i) {
                ASSERT_EQ(actual[i].text, expected[i].text) << limit << " round " << round << " line " << i;
                ASSERT_EQ(actual[i].endOfFile, expected[i].endOfFile) << limit << " round " << round;
            }
        }
    }
}

TEST(LogFastPaths, SortOrdersByCalendarThenTimeBytesAndKeepsTies) {
    // Dates: real ones, near misses and empty; times: short, long, empty, high bytes.
    const std::vector<std::string> dates = {"02.06.2007", "03.06.2007", "01.07.2006", "1.06.2007",
                                            "",           "zz",         "03.06.2007"};
    const std::vector<std::string> times = {"1423",         "0905",     "9:05",    "",
                                            "14",           "1400",     "14000",   "\xff",
                                            "123456789ABC", "12345678", "1234567", std::string("12\0", 3),
                                            "\x80\x01"};
    std::mt19937 random(5);
    ContestLog log;
    for (int i = 0; i < 400; ++i) {
        QsoRecord r;
        r.date = dates[random() % dates.size()];
        r.time = times[random() % times.size()];
        r.callsign = "IK2" + std::to_string(i);  // the row's identity
        log.Append(r);
    }
    // The model: a stable sort on (calendar day or "not a date", date text for those,
    // time text).
    auto calendar = [](const std::string& d) -> int64_t {
        if (d.size() != 10 || d[2] != '.' || d[5] != '.') {
            return std::numeric_limits<int64_t>::max();
        }
        for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u}) {
            if (d[i] < '0' || d[i] > '9') {
                return std::numeric_limits<int64_t>::max();
            }
        }
        return std::stoll(d.substr(6, 4)) * 10000 + std::stoll(d.substr(3, 2)) * 100 +
               std::stoll(d.substr(0, 2));
    };
    std::vector<QsoRecord> expected;
    for (size_t row = 0; row < log.RowCount(); ++row) {
        expected.push_back(log.Qso(row));
    }
    std::stable_sort(expected.begin(), expected.end(), [&](const QsoRecord& a, const QsoRecord& b) {
        int64_t ca = calendar(a.date);
        int64_t cb = calendar(b.date);
        if (ca != cb) {
            return ca < cb;
        }
        if (ca == std::numeric_limits<int64_t>::max() && a.date != b.date) {
            return a.date < b.date;
        }
        return a.time < b.time;
    });
    log.SortByDateTime();
    ASSERT_EQ(log.RowCount(), expected.size());
    for (size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(log.Qso(row), expected[row]) << "row " << row;
    }
}

// Callsigns of every awkward kind: a few thousand ordinary ones met again and again,
// the empty one, lengths around the 8 and 15 bytes a callsign is held in place up to,
// long ones sharing their first bytes, trailing NUL bytes ("AB" and "AB\0" differ),
// bytes 128-255.
std::string RandomIndexCall(std::mt19937& random) {
    switch (random() % 8) {
        case 0:
            return {};
        case 1:
        case 2: {
            std::string call(random() % 41, '\0');
            for (char& c : call) {
                c = static_cast<char>(random() % 256);
            }
            return call;
        }
        case 3:
            // The same long start, a different end: only the bytes past the start tell them apart.
            return "IZ2ABCDEFGHIJKL/" + std::to_string(random() % 300);
        case 4:
            return std::string("AB\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", random() % 19);
        default:
            return "I" + std::to_string(random() % 3000) + (random() % 20 == 0 ? "\xc8" : "");
    }
}

TEST(LogFastPaths, CallIndexFindsWhatAMapFindsAndIteratesInByteOrder) {
    std::mt19937 random(3);
    CallIndex index;
    std::map<std::string, int32_t> model;  // the section of each callsign
    for (int round = 0; round < 2; ++round) {
        std::map<std::string, const CallIndexEntry*> held;  // where each entry was first found
        for (int i = 0; i < 20000; ++i) {
            const std::string call = RandomIndexCall(random);
            const auto known = model.find(call);
            const CallIndexEntry* found = std::as_const(index).Find(call);
            ASSERT_EQ(found != nullptr, known != model.end()) << i;
            if (found != nullptr) {
                ASSERT_EQ(found->callsign, call);
                ASSERT_EQ(found->callsign.View(), call);
                ASSERT_EQ(found->section, known->second);
                ASSERT_EQ(found, index.Find(call));
                ASSERT_EQ(found, held[call]) << "an entry moved while others were added";
            }
            const int32_t section = static_cast<int32_t>(i);
            switch (random() % 3) {
                case 0: {
                    CallIndexEntry entry;
                    entry.callsign = call;
                    entry.section = section;
                    const CallIndexEntry& put = index.Put(entry);
                    ASSERT_EQ(put, entry);
                    held.emplace(call, &put);
                    model[call] = section;
                    break;
                }
                case 1: {
                    bool added = false;
                    CallIndexEntry& entry = index.FindOrAdd(call, added);
                    ASSERT_EQ(added, known == model.end());
                    ASSERT_EQ(entry.callsign, call);
                    if (added) {
                        ASSERT_EQ(entry.section, 0);
                        held.emplace(call, &entry);
                    }
                    entry.section = section;
                    model[call] = section;
                    break;
                }
                default: {
                    // A copy taken out of the index is a callsign of its own.
                    if (found != nullptr) {
                        CallIndexEntry copy = *found;
                        copy.callsign = call + "x";
                        ASSERT_EQ(found->callsign, call);
                        copy = *found;
                        ASSERT_EQ(copy, *found);
                    }
                    break;
                }
            }
            ASSERT_EQ(index.Size(), model.size());
        }
        std::vector<std::string> order;
        std::vector<int32_t> sections;
        index.ForEach([&](const CallIndexEntry& e) {
            order.emplace_back(e.callsign);
            sections.push_back(e.section);
        });
        std::vector<std::string> modelOrder;
        std::vector<int32_t> modelSections;
        for (const auto& [call, section] : model) {
            modelOrder.push_back(call);
            modelSections.push_back(section);
        }
        EXPECT_EQ(order, modelOrder);
        EXPECT_EQ(sections, modelSections);
        // An entry found before many others are added is still the same entry.
        const CallIndexEntry* first = index.Find(modelOrder.back());
        const CallIndexEntry kept = *first;
        for (int i = 0; i < 3000; ++i) {
            bool added = false;
            index.FindOrAdd("IZ" + std::to_string(round) + "X" + std::to_string(i), added);
            EXPECT_TRUE(added);
        }
        EXPECT_EQ(index.Find(modelOrder.back()), first);
        EXPECT_EQ(*first, kept);
        index.Clear();
        model.clear();
        EXPECT_TRUE(index.Empty());
        EXPECT_EQ(index.Find(modelOrder.front()), nullptr);
        EXPECT_EQ(index.Find(modelOrder.back()), nullptr);
        // What was copied out of the index stays whole after the index is emptied.
        EXPECT_EQ(kept.callsign, modelOrder.back());
    }
}

// Callsigns of the same length whose hashes agree in their upper half: they start at
// the same place of the table with the same tag there, so that only their bytes tell
// them apart. Drawn until `pairs` such pairs turn up; `start` and `end` are the same in all.
std::vector<std::string> CallsOfSharedTags(std::mt19937& random, const std::string& start, size_t middle,
                                           const std::string& end, size_t pairs) {
    std::unordered_map<uint32_t, std::string> seen;
    std::vector<std::string> calls;
    while (calls.size() < 2 * pairs) {
        std::string call = start;
        for (size_t i = 0; i < middle; ++i) {
            call += static_cast<char>('A' + random() % 26);
        }
        call += end;
        const auto [at, added] = seen.emplace(static_cast<uint32_t>(CallIndex::KeyOf(call).hash >> 32), call);
        if (!added && at->second != call) {
            calls.push_back(at->second);
            calls.push_back(call);
        }
    }
    return calls;
}

TEST(LogFastPaths, CallIndexTellsApartCallsignsOfTheSameTag) {
    std::mt19937 random(11);
    // Held in place, the last word the same; long, the first sixteen bytes the same.
    for (const std::vector<std::string>& calls : {CallsOfSharedTags(random, "", 8, "/P12", 2),
                                                  CallsOfSharedTags(random, "IZ2ABCDEFGHIJKL/", 6, "", 2)}) {
        CallIndex index;
        for (int i = 0; i < 5000; ++i) {
            bool added = false;
            index.FindOrAdd("I" + std::to_string(i), added).section = -1;
        }
        for (size_t i = 0; i < calls.size(); ++i) {
            SCOPED_TRACE(calls[i]);
            bool added = false;
            CallIndexEntry& entry = index.FindOrAdd(calls[i], added);
            EXPECT_TRUE(added);
            entry.section = static_cast<int32_t>(i);
        }
        EXPECT_EQ(index.Size(), 5000 + calls.size());
        for (size_t i = 0; i < calls.size(); ++i) {
            ASSERT_NE(index.Find(calls[i]), nullptr);
            EXPECT_EQ(index.Find(calls[i])->callsign, calls[i]);
            EXPECT_EQ(index.Find(calls[i])->section, static_cast<int32_t>(i));
        }
    }
}

// The exports build each line in a buffer of its own; the single-line functions keep
// the plain way (appends to a text). Both give the same bytes on rows of any text, a
// field too long for the buffer included.
TEST(LogFastPaths, ExportLinesBuiltInABufferMatchThePlainWay) {
    std::mt19937 random(17);
    auto text = [&](size_t longest) {
        static const std::string alphabet = "0123456789.,:^ abcIKSCRW\x80\xff";
        std::string t;
        for (size_t n = random() % (longest + 1); n > 0; --n) {
            t += alphabet[random() % alphabet.size()];
        }
        return t;
    };
    static const char* const bands[] = {"7", "3,5", "14", "1,8", "21", "28", "70", ""};
    static const char* const modes[] = {"SSB", "CW", "RTTY", "FM", ""};
    for (LogMode mode : {LogMode::Qso, LogMode::Listening}) {
        ContestLog log(mode);
        StationSummary station;
        station.ownSection = text(6);
        station.callsign = text(16);
        for (int i = 0; i < 400; ++i) {
            const size_t longest = i % 50 == 0 ? 2000 : 12;
            std::string date = random() % 4 == 0 ? text(12) : std::to_string(10 + random() % 20) + ".06.2007";
            if (mode == LogMode::Qso) {
                log.Append(QsoRecord{date, text(5), bands[random() % 8], modes[random() % 5], text(longest),
                                     text(4), text(4), text(longest), text(10)});
            } else {
                log.Append(HrdRecord{date, text(5), bands[random() % 8], modes[random() % 5], text(longest),
                                     text(4), text(5), text(longest)});
            }
        }
        ContestLog empty(mode);
        std::string adif = ExportAdif(empty, station);
        std::string fastlog;
        for (size_t row = 0; row < log.RowCount(); ++row) {
            adif += AdifRecord(log, row, station);
            if (mode == LogMode::Qso) {
                fastlog += FastlogLine(log, row);
            }
        }
        EXPECT_EQ(ExportAdif(log, station), adif);
        if (mode == LogMode::Qso) {
            EXPECT_EQ(ExportFastlog(log).value_or(""), fastlog);
        }
    }
}

// A section code's four digits read directly give what the general reading gives.
TEST(LogFastPaths, SectionCodeValueIsTheNumericValue) {
    std::mt19937 random(23);
    static const std::string alphabet = "0123456789 +-/a\x80";
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        for (size_t n = random() % 7; n > 0; --n) {
            t += alphabet[random() % (i % 3 == 0 ? alphabet.size() : 10)];
        }
        ASSERT_EQ(SectionCodeValue(t), NumericValue(t)) << t;
    }
}
