#pragma once
// The automation object "Tarnex.Application" on the session bus. It has no methods:
// a client that sends it a message (Introspect, for example) holds it until the
// client leaves the bus, and while anyone holds it, closing the main window only
// hides the window. When the last client leaves and the window was closed in the
// meantime, the window closes for real.

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <functional>

class QDBusServiceWatcher;
class QWidget;

namespace tarnex {

class CTarnexDlgAutoProxy : public QDBusVirtualObject {
    Q_OBJECT
  public:
    static constexpr const char* kServiceName = "Tarnex.Application";
    static constexpr const char* kObjectPath = "/Tarnex/Application";
    static constexpr const char* kInterfaceName = "Tarnex.Application";

    // True when the command line holds "Embedding" or "Automation" with "-" or "/"
    // before it (the program's own name, the first argument, is not looked at).
    static bool IsAutomationStart(const QStringList& arguments);

    explicit CTarnexDlgAutoProxy(QObject* parent = nullptr);
    ~CTarnexDlgAutoProxy() override;

    // Puts the object on the bus and takes the service name. False, without a word to
    // the person, when there is no bus or the name is taken; the program then simply
    // runs without the object.
    bool Register(QDBusConnection connection);
    bool IsRegistered() const { return registered_; }

    // The main window the object serves; the object forgets it when it is destroyed.
    void SetMainWindow(QWidget* window);
    QWidget* MainWindow() const { return window_; }
    // How the window is closed for real once the last client has left (by default
    // QWidget::close on the window).
    void SetCloser(std::function<void()> closer) { closer_ = std::move(closer); }

    // True while at least one client holds the object: a close request on the main
    // window must then only hide it.
    bool IsHeld() const { return !holders_.isEmpty(); }
    int HolderCount() const { return static_cast<int>(holders_.size()); }

    // For the main window's close requests (close box, "Esci", Escape): while the
    // object is held, hides the window, remembers that it was closed and returns
    // true, and the close must not go on. Once the last client has left, the window
    // is closed again through the closer. False when the close may go on.
    bool InterceptClose();

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  signals:
    void HeldChanged(bool held);

  private:
    void ClientLeft(const QString& service);

    QDBusConnection connection_;
    bool registered_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
    QSet<QString> holders_;
    QPointer<QWidget> window_;
    std::function<void()> closer_;
    bool closedWhileHeld_ = false;
};

}  // namespace tarnex
