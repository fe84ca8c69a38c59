#pragma once
// The ARI sections: a name for each four-digit code, addressed directly by the code.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnex {

class SectionTable {
public:
    static constexpr int32_t kCodeCount = 10000;

    // The name for a code, empty when the code has no section or lies outside 0..9999.
    const std::string& NameOf(int32_t code) const;
    // The name for the numeric value of a code text ("0130", "130", "12345").
    const std::string& NameOfText(std::string_view codeText) const;
    bool IsKnown(int32_t code) const { return !NameOf(code).empty(); }
    // Stores a name for a code in 0..9999; an empty name removes the section.
    void SetName(int32_t code, std::string name);
    void Clear();
    size_t KnownCount() const;

    // Calls f(code, name) for every known code in ascending order.
    template <typename F>
    void ForEachKnown(F&& f) const {
        for (int32_t code = 0; code < kCodeCount; ++code) {
            if (!names_[static_cast<size_t>(code)].empty()) {
                f(code, names_[static_cast<size_t>(code)]);
            }
        }
    }
    std::vector<std::pair<int32_t, std::string>> Known() const;

private:
    std::array<std::string, kCodeCount> names_;
};

}  // namespace tarnex
