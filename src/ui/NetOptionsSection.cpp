#include "ui/NetOptionsSection.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <string>

#include "app/Settings.h"
#include "base/UserPrompts.h"
#include "log/EntryIdentity.h"
#include "net/NetConfig.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

constexpr const char* kServersText =
    "Gli indirizzi dei server della rete si scrivono host:porta, separati da virgole, per esempio "
    "nats://192.168.1.10:4222, nats://192.168.1.11:4222.";
constexpr const char* kLogText =
    "Il nome del log condiviso va da 1 a 32 lettere senza accenti, cifre, \"-\" o \"_\", senza spazi.";
constexpr const char* kPositionText =
    "Il nome della postazione va da 1 a 12 lettere senza accenti, cifre, \"-\" o \"_\", senza spazi.";

bool IsPort(const QString& text) {
    if (text.isEmpty() || text.size() > 5) {
        return false;
    }
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    const int port = text.toInt();
    return port >= 1 && port <= 65535;
}

bool IsHost(const QString& host) {
    if (host.isEmpty()) {
        return false;
    }
    for (QChar c : host) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                           c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!plain) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool NetOptionsSection::IsServerAddress(const QString& address) {
    QString rest = address;
    for (const char* scheme : {"nats://", "tls://"}) {
        if (rest.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) {
            rest = rest.mid(static_cast<qsizetype>(std::char_traits<char>::length(scheme)));
            break;
        }
    }
    if (rest.startsWith(QLatin1Char('['))) {  // [IPv6] or [IPv6]:porta
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 3) {
            return false;
        }
        const QString inside = rest.mid(1, close - 1);
        for (QChar c : inside) {
            if (!(c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')) ||
                  c == QLatin1Char(':') || c == QLatin1Char('.'))) {
                return false;
            }
        }
        const QString after = rest.mid(close + 1);
        return after.isEmpty() || (after.startsWith(QLatin1Char(':')) && IsPort(after.mid(1)));
    }
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return IsHost(rest);
    }
    return IsHost(rest.left(colon)) && IsPort(rest.mid(colon + 1));
}

NetOptionsSection::NetOptionsSection(const Settings& settings, UserPrompts& prompts, QWidget* dialog)
    : QObject(dialog), prompts_(prompts) {
    box_ = new QGroupBox(QStringLiteral("Rete"), dialog);
    servers_ = new QLineEdit(box_);
    servers_->setPlaceholderText(QStringLiteral("vuoto: nessuna rete"));
    servers_->setToolTip(QStringLiteral(
        "Gli indirizzi dei server, separati da virgole, per esempio nats://192.168.1.10:4222"));
    log_ = new QLineEdit(box_);
    log_->setMaxLength(static_cast<int>(kLogNameLimit));
    position_ = new QLineEdit(box_);
    position_->setMaxLength(static_cast<int>(kPositionNameLimit));
    auto* form = new QFormLayout(box_);
    form->addRow(QStringLiteral("Server"), servers_);
    form->addRow(QStringLiteral("Log"), log_);
    form->addRow(QStringLiteral("Postazione"), position_);

    servers_->setText(TextCodec::ToQString(settings.netServers));
    log_->setText(TextCodec::ToQString(settings.netLog));
    position_->setText(TextCodec::ToQString(settings.netPosition));
}

bool NetOptionsSection::Refuse(const char* text, QLineEdit* field) {
    prompts_.ShowMessage(text, kErrorTitle, MessageIcon::Stop);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

bool NetOptionsSection::Check() {
    const QString list = servers_->text().trimmed();
    if (list.isEmpty()) {
        return true;  // no network: the names wait for a server
    }
    if (!TextCodec::CanEncode(list)) {
        return Refuse(kServersText, servers_);
    }
    const std::vector<std::string> servers = NetConfig::SplitServers(TextCodec::ToBytes(list));
    if (servers.empty()) {
        return Refuse(kServersText, servers_);
    }
    for (const std::string& server : servers) {
        if (!IsServerAddress(QString::fromLatin1(server))) {
            return Refuse(kServersText, servers_);
        }
    }
    const QString log = log_->text().trimmed();
    if (!TextCodec::CanEncode(log) || !IsLogName(TextCodec::ToBytes(log))) {
        return Refuse(kLogText, log_);
    }
    const QString position = position_->text().trimmed();
    if (!TextCodec::CanEncode(position) || !IsPositionName(TextCodec::ToBytes(position))) {
        return Refuse(kPositionText, position_);
    }
    return true;
}

void NetOptionsSection::Save(Settings& settings) {
    const std::string servers = TextCodec::ToBytes(servers_->text().trimmed());
    const std::string log = TextCodec::ToBytes(log_->text().trimmed());
    const std::string position = TextCodec::ToBytes(position_->text().trimmed());
    if (servers != settings.netServers || log != settings.netLog || position != settings.netPosition) {
        settings.SetNet(servers, log, position);
    }
}

}  // namespace tarnex
