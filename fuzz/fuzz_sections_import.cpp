// The import of a sections text list on any bytes, merged into a table that already
// holds sections: the count, the message text, and the merge (codes the text does not
// name keep their names; every code the text names holds its last accepted name).

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "sections/SectionsFile.h"
#include "sections/SectionsImport.h"

using namespace tarnex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto table = std::make_unique<SectionTable>();
    table->SetName(1, "ALFA");
    table->SetName(130, "BARI");
    table->SetName(9999, "ULTIMA");
    const auto before = table->Known();

    // What the text names, read the way the import reads it.
    std::map<int32_t, std::string> named;
    size_t expected = 0;
    for (const TextLine& line : fuzz::LinesByteWise(bytes, kSectionLineLimit)) {
        if (line.endOfFile || line.text.size() >= kSectionLineLimit) {
            break;
        }
        if (std::optional<SectionLine> section = SectionLineRule(line.text)) {
            named[section->code] = section->name;
            ++expected;
        }
    }

    const size_t accepted = MergeSectionsText(bytes, *table);
    FUZZ_CHECK(accepted == expected);
    for (const auto& [code, name] : before) {
        if (named.count(code) == 0) {
            FUZZ_CHECK(table->NameOf(code) == name);
        }
    }
    for (const auto& [code, name] : named) {
        FUZZ_CHECK(table->NameOf(code) == name);
    }
    const std::string message = ImportCountText(accepted);
    FUZZ_CHECK(message.find(std::to_string(accepted)) != std::string::npos);
    FUZZ_CHECK((accepted == 0) == (message.find("Attenzione!") != std::string::npos));
    return 0;
}
