#include "ui/AutomationActivation.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "ui/CTarnexDlgAutoProxy.h"

namespace tarnex {

namespace {
// The bus reads the command line with shell-like quoting.
QString Quoted(const QString& path) {
    static const QString plain =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+,:@%");
    bool needsQuotes = path.isEmpty();
    for (QChar c : path) {
        if (!plain.contains(c)) {
            needsQuotes = true;
        }
    }
    if (!needsQuotes) {
        return path;
    }
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
}  // namespace

QString ActivationFileName() {
    return QString::fromLatin1(CTarnexDlgAutoProxy::kServiceName) + QStringLiteral(".service");
}

QString ActivationFileText(const QString& programPath) {
    return QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 -Automation\n")
        .arg(QString::fromLatin1(CTarnexDlgAutoProxy::kServiceName), Quoted(programPath));
}

bool RefreshActivationFile(const QString& programPath, const QString& servicesFolder) {
    QString folder = servicesFolder;
    if (folder.isEmpty()) {
        QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (data.isEmpty()) {
            return false;
        }
        folder = data + QStringLiteral("/dbus-1/services");
    }
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const QString path = folder + QLatin1Char('/') + ActivationFileName();
    const QByteArray text = ActivationFileText(programPath).toUtf8();
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text) {
        return true;
    }
    existing.close();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(text);
    return file.commit();
}

}  // namespace tarnex
