#include "ui/QtSettingsStore.h"

#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// "Parametri" / "Path log aperto" -> "Parametri/Path log aperto". Names are ASCII or
// Windows-1252 like every text of the program.
QString KeyPath(const std::string& section, const std::string& key) {
    return TextCodec::ToQString(section) + QLatin1Char('/') + TextCodec::ToQString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisationName,
                                            kApplicationName)) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::string QtSettingsStore::ReadString(const std::string& section, const std::string& key,
                                        const std::string& fallback) {
    QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid()) {
        return fallback;
    }
    return TextCodec::ToBytes(value.toString());
}

int32_t QtSettingsStore::ReadInt(const std::string& section, const std::string& key, int32_t fallback) {
    QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid()) {
        return fallback;
    }
    bool ok = false;
    // Stored as text in an INI file; a value that is not a 32-bit number reads as
    // the default, as a missing one does.
    qlonglong number = value.toLongLong(&ok);
    if (!ok || number < INT32_MIN || number > INT32_MAX) {
        return fallback;
    }
    return static_cast<int32_t>(number);
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    settings_->setValue(KeyPath(section, key), TextCodec::ToQString(value));
}

void QtSettingsStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    settings_->setValue(KeyPath(section, key), value);
}

std::string QtSettingsStore::ReadFileName(const std::string& section, const std::string& key,
                                          const std::string& fallback) {
    QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid()) {
        return fallback;
    }
    const QString text = value.toString();
    // Earlier versions kept a name's bytes as Windows-1252 text ("cittÃ\u00a0.trnx"):
    // such a value, turned back into those bytes, is a UTF-8 name again.
    if (TextCodec::CanEncode(text)) {
        const std::string bytes = TextCodec::ToBytes(text);
        const QString asName = TextCodec::PathToQString(bytes);
        if (asName != text && TextCodec::QStringToPath(asName) == bytes) {
            return bytes;
        }
    }
    return TextCodec::QStringToPath(text);
}

void QtSettingsStore::WriteFileName(const std::string& section, const std::string& key,
                                    const std::string& value) {
    settings_->setValue(KeyPath(section, key), TextCodec::PathToQString(value));
}

void QtSettingsStore::Sync() {
    settings_->sync();
}

}  // namespace tarnex
