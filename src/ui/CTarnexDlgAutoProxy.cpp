#include "ui/CTarnexDlgAutoProxy.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QWidget>

namespace tarnex {

namespace {
bool IsIntrospect(const QDBusMessage& message) {
    const QString interface = message.interface();
    return message.member() == QLatin1String("Introspect") &&
           (interface.isEmpty() || interface == QLatin1String("org.freedesktop.DBus.Introspectable"));
}
}  // namespace

bool CTarnexDlgAutoProxy::IsAutomationStart(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.size() < 2 || (argument[0] != QLatin1Char('-') && argument[0] != QLatin1Char('/'))) {
            continue;
        }
        const QStringView name = QStringView(argument).mid(1);
        if (name == QLatin1String("Embedding") || name == QLatin1String("Automation")) {
            return true;
        }
    }
    return false;
}

CTarnexDlgAutoProxy::CTarnexDlgAutoProxy(QObject* parent)
    : QDBusVirtualObject(parent), connection_(QString()) {}

CTarnexDlgAutoProxy::~CTarnexDlgAutoProxy() {
    if (registered_) {
        connection_.unregisterObject(QString::fromLatin1(kObjectPath));
        connection_.unregisterService(QString::fromLatin1(kServiceName));
    }
}

bool CTarnexDlgAutoProxy::Register(QDBusConnection connection) {
    if (registered_ || !connection.isConnected()) {
        return false;
    }
    if (!connection.registerVirtualObject(QString::fromLatin1(kObjectPath), this,
                                          QDBusConnection::SingleNode)) {
        return false;
    }
    connection_ = connection;
    QDBusConnectionInterface* bus = connection_.interface();
    if (bus == nullptr ||
        bus->registerService(QString::fromLatin1(kServiceName), QDBusConnectionInterface::DontQueueService,
                             QDBusConnectionInterface::DontAllowReplacement)
                .value() != QDBusConnectionInterface::ServiceRegistered) {
        connection_.unregisterObject(QString::fromLatin1(kObjectPath));
        connection_ = QDBusConnection(QString());
        return false;
    }
    watcher_ = new QDBusServiceWatcher(this);
    watcher_->setConnection(connection_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &CTarnexDlgAutoProxy::ClientLeft);
    registered_ = true;
    return true;
}

void CTarnexDlgAutoProxy::SetMainWindow(QWidget* window) {
    window_ = window;
}

bool CTarnexDlgAutoProxy::InterceptClose() {
    if (!IsHeld()) {
        return false;
    }
    closedWhileHeld_ = true;
    if (window_ != nullptr) {
        window_->hide();
    }
    return true;
}

QString CTarnexDlgAutoProxy::introspect(const QString& path) const {
    Q_UNUSED(path);
    return QStringLiteral("  <interface name=\"%1\">\n  </interface>\n")
        .arg(QString::fromLatin1(kInterfaceName));
}

bool CTarnexDlgAutoProxy::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    const QString client = message.service();
    if (!client.isEmpty() && client != connection.baseService() && !holders_.contains(client)) {
        const bool wasHeld = IsHeld();
        holders_.insert(client);
        watcher_->addWatchedService(client);
        // The client may have left before we started watching it.
        QDBusConnectionInterface* bus = connection_.interface();
        if (bus != nullptr && !bus->isServiceRegistered(client).value()) {
            ClientLeft(client);
        } else if (!wasHeld) {
            emit HeldChanged(true);
        }
    }
    if (IsIntrospect(message)) {
        return false;  // the bus library answers with our interface in it
    }
    if (message.type() == QDBusMessage::MethodCallMessage && !message.isReplyRequired()) {
        return true;
    }
    connection.send(message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("%1 has no method %2").arg(QString::fromLatin1(kInterfaceName), message.member())));
    return true;
}

void CTarnexDlgAutoProxy::ClientLeft(const QString& service) {
    if (!holders_.remove(service)) {
        return;
    }
    watcher_->removeWatchedService(service);
    if (IsHeld()) {
        return;
    }
    emit HeldChanged(false);
    // The window was closed while a client held the object: close it for real now.
    if (closedWhileHeld_) {
        closedWhileHeld_ = false;
        if (closer_) {
            closer_();
        } else if (window_ != nullptr) {
            window_->close();
        }
    }
}

}  // namespace tarnex
