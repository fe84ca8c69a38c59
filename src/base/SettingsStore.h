#pragma once
// Where the program keeps its settings: strings and 32-bit integers under
// (section, key). The window program uses the platform's per-user store; tests and
// the command-line tool use the in-memory one.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>

namespace tarnex {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& fallback) = 0;
    virtual int32_t ReadInt(const std::string& section, const std::string& key, int32_t fallback) = 0;
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
};

class MemorySettingsStore : public SettingsStore {
  public:
    using Value = std::variant<std::string, int32_t>;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    int32_t ReadInt(const std::string& section, const std::string& key, int32_t fallback) override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& key, int32_t value) override;

    bool Has(const std::string& section, const std::string& key) const;
    int Writes() const { return writes_; }
    const std::map<std::pair<std::string, std::string>, Value>& Values() const { return values_; }

  private:
    std::map<std::pair<std::string, std::string>, Value> values_;
    int writes_ = 0;
};

}  // namespace tarnex
