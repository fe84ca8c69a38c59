// The automation object "Tarnex.Application": the command-line switches, the
// activation file, holding and releasing on a private session bus, and the real
// program started with "-Automation" whose window only hides while a client holds
// the object.

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "ui/AutomationActivation.h"
#include "ui/CTarnexDlgAutoProxy.h"

using namespace tarnex;

namespace {

// A session bus of the test's own, ended with the test.
class PrivateBus {
  public:
    PrivateBus() {
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--print-address=1"),
                      QStringLiteral("--print-pid=1"), QStringLiteral("--fork")});
        if (!daemon.waitForFinished(20000) || daemon.exitCode() != 0) {
            return;
        }
        const QStringList lines = QString::fromUtf8(daemon.readAllStandardOutput()).split(QLatin1Char('\n'));
        if (lines.size() >= 2) {
            address = lines[0].trimmed();
            pid = lines[1].trimmed().toLongLong();
        }
    }
    ~PrivateBus() {
        if (pid > 0) {
            QProcess::execute(QStringLiteral("kill"), {QString::number(pid)});
        }
    }
    bool Ok() const { return !address.isEmpty() && pid > 0; }
    QDBusConnection Connect(const QString& name) const {
        return QDBusConnection::connectToBus(address, name);
    }

    QString address;
    qint64 pid = 0;
};

QDBusMessage Introspect(QDBusConnection& client) {
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(CTarnexDlgAutoProxy::kServiceName),
                                                       QString::fromLatin1(CTarnexDlgAutoProxy::kObjectPath),
                                                       QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                                       QStringLiteral("Introspect"));
    return client.call(call, QDBus::BlockWithGui, 10000);
}

bool NameOnBus(QDBusConnection& connection) {
    return connection.interface()
        ->isServiceRegistered(QString::fromLatin1(CTarnexDlgAutoProxy::kServiceName))
        .value();
}

// The few X calls the test needs to find the program's window and press its close box
// as a window manager would, loaded when the test runs.
class XWindows {
  public:
    bool Open(const QString& display) {
        library_ = dlopen("libxcb.so.1", RTLD_NOW);
        if (library_ == nullptr || !Load()) {
            return false;
        }
        connection_ = connect_(display.toLatin1().constData(), nullptr);
        if (connection_ == nullptr || hasError_(connection_) != 0) {
            return false;
        }
        root_ = rootsIterator_(getSetup_(connection_)).data->root;
        protocols_ = Atom("WM_PROTOCOLS");
        deleteWindow_ = Atom("WM_DELETE_WINDOW");
        netName_ = Atom("_NET_WM_NAME");
        return true;
    }
    ~XWindows() {
        if (connection_ != nullptr) {
            disconnect_(connection_);
        }
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    // The shown top-level window whose title begins with the text; 0 when none.
    xcb_window_t FindShown(const QByteArray& titleStart) {
        xcb_query_tree_reply_t* tree = queryTreeReply_(connection_, queryTree_(connection_, root_), nullptr);
        if (tree == nullptr) {
            return 0;
        }
        xcb_window_t found = 0;
        const xcb_window_t* children = treeChildren_(tree);
        for (int i = 0; i < treeChildrenLength_(tree) && found == 0; ++i) {
            if (IsShown(children[i]) && Title(children[i]).startsWith(titleStart)) {
                found = children[i];
            }
        }
        free(tree);
        return found;
    }
    bool IsShown(xcb_window_t window) {
        xcb_get_window_attributes_reply_t* attributes =
            attributesReply_(connection_, attributes_(connection_, window), nullptr);
        const bool shown = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        return shown;
    }
    // What a window manager sends when the person clicks the close box.
    void PressCloseBox(xcb_window_t window) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols_;
        event.data.data32[0] = deleteWindow_;
        event.data.data32[1] = XCB_CURRENT_TIME;
        sendEvent_(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        flush_(connection_);
    }

  private:
    template <typename F>
    bool Symbol(F& function, const char* name) {
        function = reinterpret_cast<F>(dlsym(library_, name));
        return function != nullptr;
    }
    bool Load() {
        return Symbol(connect_, "xcb_connect") && Symbol(hasError_, "xcb_connection_has_error") &&
               Symbol(disconnect_, "xcb_disconnect") && Symbol(getSetup_, "xcb_get_setup") &&
               Symbol(rootsIterator_, "xcb_setup_roots_iterator") && Symbol(queryTree_, "xcb_query_tree") &&
               Symbol(queryTreeReply_, "xcb_query_tree_reply") &&
               Symbol(treeChildren_, "xcb_query_tree_children") &&
               Symbol(treeChildrenLength_, "xcb_query_tree_children_length") &&
               Symbol(internAtom_, "xcb_intern_atom") && Symbol(internAtomReply_, "xcb_intern_atom_reply") &&
               Symbol(getProperty_, "xcb_get_property") &&
               Symbol(getPropertyReply_, "xcb_get_property_reply") &&
               Symbol(propertyValue_, "xcb_get_property_value") &&
               Symbol(propertyLength_, "xcb_get_property_value_length") &&
               Symbol(attributes_, "xcb_get_window_attributes") &&
               Symbol(attributesReply_, "xcb_get_window_attributes_reply") &&
               Symbol(sendEvent_, "xcb_send_event") && Symbol(flush_, "xcb_flush");
    }
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = internAtomReply_(
            connection_, internAtom_(connection_, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : 0;
        free(reply);
        return atom;
    }
    QByteArray Title(xcb_window_t window) {
        xcb_get_property_reply_t* reply = getPropertyReply_(
            connection_, getProperty_(connection_, 0, window, netName_, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr);
        QByteArray title;
        if (reply != nullptr) {
            title = QByteArray(static_cast<const char*>(propertyValue_(reply)), propertyLength_(reply));
        }
        free(reply);
        return title;
    }

    void* library_ = nullptr;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t protocols_ = 0, deleteWindow_ = 0, netName_ = 0;
    decltype(&xcb_connect) connect_ = nullptr;
    decltype(&xcb_connection_has_error) hasError_ = nullptr;
    decltype(&xcb_disconnect) disconnect_ = nullptr;
    decltype(&xcb_get_setup) getSetup_ = nullptr;
    decltype(&xcb_setup_roots_iterator) rootsIterator_ = nullptr;
    decltype(&xcb_query_tree) queryTree_ = nullptr;
    decltype(&xcb_query_tree_reply) queryTreeReply_ = nullptr;
    decltype(&xcb_query_tree_children) treeChildren_ = nullptr;
    decltype(&xcb_query_tree_children_length) treeChildrenLength_ = nullptr;
    decltype(&xcb_intern_atom) internAtom_ = nullptr;
    decltype(&xcb_intern_atom_reply) internAtomReply_ = nullptr;
    decltype(&xcb_get_property) getProperty_ = nullptr;
    decltype(&xcb_get_property_reply) getPropertyReply_ = nullptr;
    decltype(&xcb_get_property_value) propertyValue_ = nullptr;
    decltype(&xcb_get_property_value_length) propertyLength_ = nullptr;
    decltype(&xcb_get_window_attributes) attributes_ = nullptr;
    decltype(&xcb_get_window_attributes_reply) attributesReply_ = nullptr;
    decltype(&xcb_send_event) sendEvent_ = nullptr;
    decltype(&xcb_flush) flush_ = nullptr;
};

// A virtual X screen for the real program's windows.
class VirtualScreen {
  public:
    VirtualScreen() {
        server_.start(QStringLiteral("Xvfb"),
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                       QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("1280x1024x24")});
        if (!server_.waitForStarted(10000)) {
            return;
        }
        QByteArray number;
        for (int i = 0; i < 100 && !number.contains('\n'); ++i) {
            server_.waitForReadyRead(200);
            number += server_.readAllStandardOutput();
        }
        if (number.trimmed().isEmpty()) {
            return;
        }
        display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    }
    ~VirtualScreen() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    QString display;

  private:
    QProcess server_;
};

// The program copied into a folder of its own (its journal and sections file live
// beside it), with settings and data folders of its own.
struct ProgramFolder {
    ProgramFolder() {
        program = dir.path() + QStringLiteral("/tarnex");
        QFile::copy(QStringLiteral(TARNEX_EXE_PATH), program);
        QFile sections(dir.path() + QStringLiteral("/_sez.cod"));
        sections.open(QIODevice::WriteOnly);
        sections.write("0001 ALFA\r\n");
    }
    QProcessEnvironment Environment(const QString& busAddress, const QString& display) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("SESSION_MANAGER"));
        return env;
    }
    QTemporaryDir dir;
    QString program;
};

}  // namespace

class TestAutomation : public QObject {
    Q_OBJECT
  private slots:
    void switches_data();
    void switches();
    void activationFile();
    void clientsHoldTheObjectUntilTheyLeave();
    void programKeepsRunningWhileAClientHoldsTheObject();
    void programWithoutABusStartsAndClosesNormally();
};

void TestAutomation::switches_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("automation");
    QTest::newRow("none") << QStringList{"tarnex"} << false;
    QTest::newRow("-Automation") << QStringList{"tarnex", "-Automation"} << true;
    QTest::newRow("/Automation") << QStringList{"tarnex", "/Automation"} << true;
    QTest::newRow("-Embedding") << QStringList{"tarnex", "-Embedding"} << true;
    QTest::newRow("/Embedding after another") << QStringList{"tarnex", "x", "/Embedding"} << true;
    QTest::newRow("no dash") << QStringList{"tarnex", "Automation"} << false;
    QTest::newRow("double dash") << QStringList{"tarnex", "--Automation"} << false;
    QTest::newRow("other case") << QStringList{"tarnex", "-automation"} << false;
    QTest::newRow("program name alone") << QStringList{"-Automation"} << false;
}

void TestAutomation::switches() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, automation);
    QCOMPARE(CTarnexDlgAutoProxy::IsAutomationStart(arguments), automation);
}

void TestAutomation::activationFile() {
    QCOMPARE(
        ActivationFileText(QStringLiteral("/opt/tarnex/tarnex")),
        QStringLiteral("[D-BUS Service]\nName=Tarnex.Application\nExec=/opt/tarnex/tarnex -Automation\n"));
    QCOMPARE(ActivationFileText(QStringLiteral("/home/io/l'archivio radio/tarnex")),
             QStringLiteral("[D-BUS Service]\nName=Tarnex.Application\n"
                            "Exec='/home/io/l'\\''archivio radio/tarnex' -Automation\n"));
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/dbus-1/services");
    QVERIFY(RefreshActivationFile(QStringLiteral("/a/tarnex"), folder));
    QFile file(folder + QStringLiteral("/Tarnex.Application.service"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), ActivationFileText(QStringLiteral("/a/tarnex")));
    file.close();
    // Another place of the program refreshes it.
    QVERIFY(RefreshActivationFile(QStringLiteral("/b/tarnex"), folder));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), ActivationFileText(QStringLiteral("/b/tarnex")));
}

void TestAutomation::clientsHoldTheObjectUntilTheyLeave() {
    PrivateBus bus;
    if (!bus.Ok()) {
        QSKIP("dbus-daemon cannot start a session bus here");
    }
    QDBusConnection server = bus.Connect(QStringLiteral("server"));
    QVERIFY(server.isConnected());
    CTarnexDlgAutoProxy proxy;
    QVERIFY(proxy.Register(server));
    QVERIFY(!proxy.IsHeld());
    // A second object cannot take the name: it stays off the bus, silently.
    CTarnexDlgAutoProxy second;
    QDBusConnection other = bus.Connect(QStringLiteral("other"));
    QVERIFY(!second.Register(other));

    QWidget window;
    window.show();
    proxy.SetMainWindow(&window);
    int closes = 0;
    proxy.SetCloser([&] { ++closes; });
    QSignalSpy held(&proxy, &CTarnexDlgAutoProxy::HeldChanged);
    QVERIFY(!proxy.InterceptClose());  // nobody holds it: the close goes on

    {
        QDBusConnection first = bus.Connect(QStringLiteral("first"));
        QDBusConnection secondClient = bus.Connect(QStringLiteral("second"));
        const QDBusMessage reply = Introspect(first);
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QVERIFY(reply.arguments().value(0).toString().contains(
            QStringLiteral("<interface name=\"Tarnex.Application\">")));
        // The object has no methods.
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("Tarnex.Application"), QStringLiteral("/Tarnex/Application"),
            QStringLiteral("Tarnex.Application"), QStringLiteral("Quit"));
        QCOMPARE(secondClient.call(call, QDBus::BlockWithGui, 10000).type(), QDBusMessage::ErrorMessage);
        QTRY_COMPARE(proxy.HolderCount(), 2);
        QCOMPARE(held.size(), 1);
        QCOMPARE(held[0][0].toBool(), true);

        // Closing the window while it is held only hides it.
        QVERIFY(proxy.InterceptClose());
        QVERIFY(!window.isVisible());
        first = QDBusConnection(QString());  // the last reference: the client leaves the bus
        QDBusConnection::disconnectFromBus(QStringLiteral("first"));
        QTRY_COMPARE(proxy.HolderCount(), 1);
        QCOMPARE(closes, 0);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
    QTRY_VERIFY(!proxy.IsHeld());
    QCOMPARE(held.size(), 2);
    QCOMPARE(held[1][0].toBool(), false);
    QCOMPARE(closes, 1);  // the window closed while held now closes for real
    QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));
}

void TestAutomation::programKeepsRunningWhileAClientHoldsTheObject() {
    PrivateBus bus;
    if (!bus.Ok()) {
        QSKIP("dbus-daemon cannot start a session bus here");
    }
    VirtualScreen screen;
    XWindows x;
    if (screen.display.isEmpty() || !x.Open(screen.display)) {
        QSKIP("no virtual X screen here");
    }
    ProgramFolder folder;
    QProcess program;
    program.setProcessEnvironment(folder.Environment(bus.address, screen.display));
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.program, {QStringLiteral("-Automation")});
    QVERIFY(program.waitForStarted(10000));

    QDBusConnection client = bus.Connect(QStringLiteral("client"));
    QTRY_VERIFY_WITH_TIMEOUT(NameOnBus(client), 30000);
    xcb_window_t window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = x.FindShown("TARNEX - ")) != 0, 30000);

    // The client talks to the object and so holds it.
    QCOMPARE(Introspect(client).type(), QDBusMessage::ReplyMessage);

    x.PressCloseBox(window);
    QTRY_VERIFY_WITH_TIMEOUT(!x.IsShown(window), 10000);
    QVERIFY(!program.waitForFinished(1500));  // hidden, still running
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(NameOnBus(client));

    // The client leaves the bus: the program ends.
    client = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestAutomation::programWithoutABusStartsAndClosesNormally() {
    VirtualScreen screen;
    XWindows x;
    if (screen.display.isEmpty() || !x.Open(screen.display)) {
        QSKIP("no virtual X screen here");
    }
    ProgramFolder folder;
    QProcess program;
    program.setProcessEnvironment(folder.Environment(
        QStringLiteral("unix:path=") + folder.dir.path() + QStringLiteral("/no-bus"), screen.display));
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.program, {QStringLiteral("-Automation")});
    QVERIFY(program.waitForStarted(10000));
    xcb_window_t window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = x.FindShown("TARNEX - ")) != 0, 30000);
    x.PressCloseBox(window);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
}

QTEST_MAIN(TestAutomation)
#include "tst_automation.moc"
