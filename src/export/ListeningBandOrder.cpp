#include "export/ListeningBandOrder.h"

#include <algorithm>
#include <numeric>

#include "export/ExportFields.h"
#include "log/BandMode.h"

namespace tarnex {

namespace {
// Band digit of an entry whose band text is no contest band: after every real band.
constexpr char kNoBandDigit = '9';
}  // namespace

bool UsesListeningBandOrder(const ContestLog& log, const CabrilloOptions& options) {
    return log.Mode() == LogMode::Listening && options.listeningByBand && log.RowCount() > 1;
}

std::string ListeningBandKey(const ContestLog& log, size_t row) {
    std::string_view date = log.Field(row, ListeningCol::Date);
    std::optional<BandCode> band = DecodeBand(log.Field(row, ListeningCol::Band));
    std::string key;
    key.push_back(band ? static_cast<char>('0' + band->index) : kNoBandDigit);
    AppendRightAligned(key, SliceOf(date, 6, 4), 4);
    AppendRightAligned(key, SliceOf(date, 3, 2), 2);
    AppendRightAligned(key, SliceOf(date, 0, 2), 2);
    AppendRightAligned(key, log.Field(row, ListeningCol::Time), 4);
    return key;
}

std::vector<size_t> ListeningBandOrder(const ContestLog& log) {
    std::vector<std::string> keys(log.RowCount());
    for (size_t row = 0; row < keys.size(); ++row) {
        keys[row] = ListeningBandKey(log, row);
    }
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Equal keys keep their log order: the order of their numbers.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    return order;
}

void ApplyListeningBandOrder(ContestLog& log) {
    if (log.Mode() != LogMode::Listening) {
        return;
    }
    std::vector<size_t> order = ListeningBandOrder(log);
    std::vector<HrdRecord> records;
    records.reserve(order.size());
    for (size_t row : order) {
        records.push_back(log.Listening(row));
    }
    for (size_t row = 0; row < records.size(); ++row) {
        if (order[row] != row) {
            log.Replace(row, records[row]);
        }
    }
}

}  // namespace tarnex
