// The quick ways the log reads lines, orders rows and finds callsigns give exactly
// what the plain ways give: each is checked against a plain model on many generated
// inputs, the awkward bytes (CR, LF, bytes 128-255, long lines) included.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "log/CallIndex.h"
#include "log/ContestLog.h"
#include "sections/TextLineReader.h"

using namespace tarnex;

namespace {

// The line reader byte by byte: take a byte; stop after an LF; drop CR and LF; stop as
// soon as the line holds limit + 1 characters; the end flag when no byte was left.
std::vector<TextLine> ReadLinesByteWise(const std::string& bytes, size_t limit) {
    std::vector<TextLine> lines;
    size_t pos = 0;
    for (;;) {
        TextLine line;
        for (;;) {
            if (pos >= bytes.size()) {
                line.endOfFile = true;
                break;
            }
            char c = bytes[pos++];
            if (c == '\n') {
                break;
            }
            if (c != '\r') {
                line.text.push_back(c);
            }
            if (line.text.size() > limit) {
                break;
            }
        }
        lines.push_back(line);
        if (line.endOfFile) {
            return lines;
        }
    }
}

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

}  // namespace

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
            std::vector<TextLine> expected = ReadLinesByteWise(bytes, limit);
            std::vector<TextLine> actual = ReadLines(bytes, limit);
            ASSERT_EQ(actual.size(), expected.size()) << limit << " " << bytes;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(actual[i].text, expected[i].text) << limit << " line " << i;
                EXPECT_EQ(actual[i].endOfFile, expected[i].endOfFile) << limit << " line " << i;
            }
        }
        for (int round = 0; round < 300; ++round) {
            const std::string bytes = AwkwardText(random, random() % 400);
            std::vector<TextLine> expected = ReadLinesByteWise(bytes, limit);
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

TEST(LogFastPaths, CallIndexFindsWhatAMapFindsAndIteratesInByteOrder) {
    std::mt19937 random(3);
    CallIndex index;
    std::map<std::string, int32_t> model;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5000; ++i) {
            std::string call = "I" + std::to_string(random() % 3000);
            if (random() % 50 == 0) {
                call = std::string(1, static_cast<char>(0x80 + random() % 128)) + call;
            }
            if (random() % 97 == 0) {
                call.clear();
            }
            CallIndexEntry* held = index.Find(call);
            ASSERT_EQ(held != nullptr, model.count(call) == 1) << call;
            if (held != nullptr) {
                ASSERT_EQ(held->callsign, call);
                ASSERT_EQ(held->section, model[call]);
            }
            CallIndexEntry entry;
            entry.callsign = call;
            entry.section = static_cast<int32_t>(i);
            index.Put(entry);
            model[call] = i;
        }
        ASSERT_EQ(index.Size(), model.size());
        std::vector<std::string> order;
        index.ForEach([&](const CallIndexEntry& e) { order.push_back(e.callsign); });
        std::vector<std::string> modelOrder;
        for (const auto& [call, section] : model) {
            modelOrder.push_back(call);
        }
        EXPECT_EQ(order, modelOrder);
        // An entry found before many others are added is still the same entry.
        const CallIndexEntry* first = index.Find(modelOrder.front());
        for (int i = 0; i < 3000; ++i) {
            CallIndexEntry extra;
            extra.callsign = "IZ" + std::to_string(round) + "X" + std::to_string(i);
            index.Put(extra);
            model[extra.callsign] = 0;
        }
        EXPECT_EQ(index.Find(modelOrder.front()), first);
        index.Clear();
        model.clear();
        EXPECT_TRUE(index.Empty());
        EXPECT_EQ(index.Find(modelOrder.front()), nullptr);
    }
}
