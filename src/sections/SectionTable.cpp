#include "sections/SectionTable.h"

#include "util/TextNumber.h"

namespace tarnex {

namespace {
const std::string& EmptyName() {
    static const std::string empty;
    return empty;
}
}  // namespace

const std::string& SectionTable::NameOf(int32_t code) const {
    if (code < 0 || code >= kCodeCount) {
        return EmptyName();
    }
    return names_[static_cast<size_t>(code)];
}

const std::string& SectionTable::NameOfText(std::string_view codeText) const {
    return NameOf(SectionCodeValue(codeText));
}

void SectionTable::SetName(int32_t code, std::string name) {
    if (code >= 0 && code < kCodeCount) {
        names_[static_cast<size_t>(code)] = std::move(name);
    }
}

void SectionTable::Clear() {
    for (std::string& name : names_) {
        name.clear();
    }
}

size_t SectionTable::KnownCount() const {
    size_t count = 0;
    for (const std::string& name : names_) {
        count += name.empty() ? 0 : 1;
    }
    return count;
}

std::vector<std::pair<int32_t, std::string>> SectionTable::Known() const {
    std::vector<std::pair<int32_t, std::string>> known;
    ForEachKnown([&](int32_t code, const std::string& name) { known.emplace_back(code, name); });
    return known;
}

}  // namespace tarnex
