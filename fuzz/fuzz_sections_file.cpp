// The sections file reader and the section line rule on any bytes. The rule must
// agree with a plain model of it on every line; a table read from a file and written
// out again must read back the same; the dialog's rows and sorts take any name.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "sections/SectionRows.h"
#include "sections/SectionTable.h"
#include "sections/SectionsFile.h"

using namespace tarnex;

namespace {

// The rule as the file format states it: more than 5 characters; after a-z become
// A-Z, a digit at 0 and 3, a space at 4, a letter A-Z at 5; the code is the value of
// the leading digits of the first four characters; the name the rest from 5.
std::optional<SectionLine> RuleModel(std::string_view line) {
    if (line.size() <= 5) {
        return std::nullopt;
    }
    std::string upper(line);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(upper[0]) || !digit(upper[3]) || upper[4] != ' ' || upper[5] < 'A' || upper[5] > 'Z') {
        return std::nullopt;
    }
    SectionLine result;
    for (size_t i = 0; i < 4 && digit(upper[i]); ++i) {
        result.code = result.code * 10 + (upper[i] - '0');
    }
    result.name = upper.substr(5);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::CheckLineReader(bytes, kSectionLineLimit);

    // The rule on every line as the reader gives them, and on the whole input as one line.
    size_t expectedAccepted = 0;
    bool reading = true;
    for (const TextLine& line : fuzz::LinesByteWise(bytes, kSectionLineLimit)) {
        if (line.endOfFile || line.text.size() >= kSectionLineLimit) {
            reading = false;
        }
        std::optional<SectionLine> got = SectionLineRule(line.text);
        std::optional<SectionLine> want = RuleModel(line.text);
        FUZZ_CHECK(got.has_value() == want.has_value());
        if (got) {
            FUZZ_CHECK(got->code == want->code && got->name == want->name);
            FUZZ_CHECK(got->code >= 0 && got->code <= 9999);
            expectedAccepted += reading ? 1 : 0;
        }
    }
    std::optional<SectionLine> whole = SectionLineRule(bytes);
    std::optional<SectionLine> wholeModel = RuleModel(bytes);
    FUZZ_CHECK(whole.has_value() == wholeModel.has_value());

    auto table = std::make_unique<SectionTable>();
    const size_t accepted = ApplySectionLines(bytes, *table);
    FUZZ_CHECK(accepted == expectedAccepted);
    FUZZ_CHECK(table->KnownCount() <= accepted);

    // Written and read back: the same table.
    const std::string written = SectionsFileBytes(*table);
    auto again = std::make_unique<SectionTable>();
    FUZZ_CHECK(ApplySectionLines(written, *again) == table->KnownCount());
    FUZZ_CHECK(again->Known() == table->Known());
    FUZZ_CHECK(SectionsFileBytes(*again) == written);

    // The dialog's list of the table.
    std::vector<SectionRow> rows = SectionRowsOf(*table);
    FUZZ_CHECK(rows.size() == table->KnownCount());
    SortSectionsByName(rows);
    SortSectionsByCode(rows);
    FUZZ_CHECK(rows == SectionRowsOf(*table));
    return 0;
}
