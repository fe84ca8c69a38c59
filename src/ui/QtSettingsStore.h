#pragma once
// The settings store of the window program: the platform's per-user settings under
// organisation "KORVAL", application "Tarnex" (an INI file in the user's
// configuration folder on Linux). Each section is a group; values are written at
// once.

#include <QSettings>
#include <memory>

#include "app/AppTexts.h"
#include "base/SettingsStore.h"

namespace tarnex {

class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    // A store over a settings file of its own (tests, tools).
    explicit QtSettingsStore(const QString& iniFile);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    int32_t ReadInt(const std::string& section, const std::string& key, int32_t fallback) override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& key, int32_t value) override;

    // Writes pending changes to disk now (they are also written when the store goes).
    void Sync();
    QString FileName() const { return settings_->fileName(); }

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tarnex
