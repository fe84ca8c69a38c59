#include "base/SettingsStore.h"

namespace tarnex {

std::string MemorySettingsStore::ReadString(const std::string& section, const std::string& key,
                                            const std::string& fallback) {
    auto it = values_.find({section, key});
    if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) {
        return fallback;
    }
    return std::get<std::string>(it->second);
}

int32_t MemorySettingsStore::ReadInt(const std::string& section, const std::string& key, int32_t fallback) {
    auto it = values_.find({section, key});
    if (it == values_.end() || !std::holds_alternative<int32_t>(it->second)) {
        return fallback;
    }
    return std::get<int32_t>(it->second);
}

void MemorySettingsStore::WriteString(const std::string& section, const std::string& key,
                                      const std::string& value) {
    values_[{section, key}] = value;
    ++writes_;
}

void MemorySettingsStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    values_[{section, key}] = value;
    ++writes_;
}

bool MemorySettingsStore::Has(const std::string& section, const std::string& key) const {
    return values_.count({section, key}) != 0;
}

}  // namespace tarnex
