#include "atspi.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>

namespace vz::test {

namespace {

constexpr int kJoinLimitMs = 10'000;
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
constexpr uint kShowingBit = 25;  // ATSPI_STATE_SHOWING

Node ToNode(const QVariant& v) {
    Node n;
    const QDBusArgument arg = v.value<QDBusArgument>();
    QDBusObjectPath path;
    arg.beginStructure();
    arg >> n.bus >> path;
    arg.endStructure();
    n.path = path.path();
    return n;
}

void Spin(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

AtSpi::AtSpi() {
    // A session bus of the test's own, and the accessibility bus it starts
    // on demand in a runtime folder of its own, so that parallel tests never
    // meet on one bus.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_dir_.path());
    session_.setProcessEnvironment(env);
    session_.start(QStringLiteral("dbus-daemon"),
                   {"--session", "--nofork", "--print-address=1"});
    if (!session_.waitForStarted() || !session_.waitForReadyRead(kJoinLimitMs)) {
        problem_ = QStringLiteral("dbus-daemon did not start");
        return;
    }
    session_address_ = QString::fromUtf8(session_.readLine()).trimmed();
    QDBusConnection session =
        QDBusConnection::connectToBus(session_address_, QStringLiteral("vz-session"));
    // Asking for the address starts the accessibility bus; turning it on is
    // what a screen reader does when it starts.
    QDBusMessage on = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    on << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
       << QVariant::fromValue(QDBusVariant(true));
    const QDBusReply<QString> address = session.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
        QStringLiteral("GetAddress")), QDBus::Block, kJoinLimitMs);
    if (!address.isValid()) {
        problem_ = QStringLiteral("no accessibility bus: ") + address.error().message();
        return;
    }
    session.call(on);
    a11y_ = QDBusConnection::connectToBus(address.value(), QStringLiteral("vz-a11y"));
    ok_ = a11y_.isConnected();
    if (!ok_) problem_ = QStringLiteral("cannot join the accessibility bus ") + address.value();
}

AtSpi::~AtSpi() {
    QDBusConnection::disconnectFromBus(QStringLiteral("vz-a11y"));
    QDBusConnection::disconnectFromBus(QStringLiteral("vz-session"));
    // The accessibility bus and its registry end with the session bus.
    session_.terminate();
    if (!session_.waitForFinished(3000)) session_.kill();
    session_.waitForFinished();
}

QProcessEnvironment AtSpi::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session_address_);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_dir_.path());
    env.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    return env;
}

QDBusMessage AtSpi::Call(const Node& n, const QString& interface, const QString& method,
                         const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(n.bus, n.path, interface, method);
    m.setArguments(args);
    return a11y_.call(m, QDBus::Block, 5000);
}

QVariant AtSpi::Property(const Node& n, const QString& name) {
    const QDBusMessage r = Call(n, QStringLiteral("org.freedesktop.DBus.Properties"),
                                QStringLiteral("Get"), {kAccessible, name});
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return {};
    return r.arguments().first().value<QDBusVariant>().variant();
}

Node AtSpi::WaitForApplication(const QString& name) {
    const Node root{kRegistry, QStringLiteral("/org/a11y/atspi/accessible/root")};
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kJoinLimitMs) {
        for (const Node& app : Children(root))
            if (Name(app) == name) return app;
        Spin(50);
    }
    return {};
}

void AtSpi::Listen(const QStringList& events) {
    for (const QString& e : events)
        Call(Node{kRegistry, QStringLiteral("/org/a11y/atspi/registry")}, kRegistry,
             QStringLiteral("RegisterEvent"), {e, QStringList{}, QString()});
    a11y_.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                  QStringLiteral("StateChanged"), this, SLOT(OnEvent(QDBusMessage)));
    // The program hears of the listeners through the registry: a round trip
    // to it is over once it has been told.
    Spin(200);
}

void AtSpi::OnEvent(const QDBusMessage& m) {
    const QVariantList args = m.arguments();
    if (args.size() < 2) return;
    Heard h{m.member(), args[0].toString(), args[1].toInt(), Node{m.service(), m.path()}, {}, {}};
    if (h.on == 1) {
        h.role = Role(h.node);
        h.name = Name(h.node);
    }
    heard_.push_back(h);
}

Heard AtSpi::WaitFor(const std::function<bool(const Heard&)>& match, std::size_t since,
                     int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    std::size_t seen = since;
    while (clock.elapsed() < limit_ms) {
        for (; seen < heard_.size(); ++seen)
            if (match(heard_[seen])) return heard_[seen];
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return {};
}

QString AtSpi::Role(const Node& n) {
    const QDBusMessage r = Call(n, kAccessible, QStringLiteral("GetRoleName"));
    return r.arguments().isEmpty() ? QString() : r.arguments().first().toString();
}

QString AtSpi::Name(const Node& n) { return Property(n, QStringLiteral("Name")).toString(); }

QString AtSpi::Description(const Node& n) {
    return Property(n, QStringLiteral("Description")).toString();
}

std::vector<Node> AtSpi::Children(const Node& n) {
    std::vector<Node> out;
    const int count = Property(n, QStringLiteral("ChildCount")).toInt();
    for (int i = 0; i < count; ++i) {
        const QDBusMessage r = Call(n, kAccessible, QStringLiteral("GetChildAtIndex"), {i});
        if (r.arguments().isEmpty()) continue;
        const Node child = ToNode(r.arguments().first());
        if (child.valid()) out.push_back(child);
    }
    return out;
}

Node AtSpi::Parent(const Node& n) { return ToNode(Property(n, QStringLiteral("Parent"))); }

bool AtSpi::Showing(const Node& n) {
    const QDBusMessage r = Call(n, kAccessible, QStringLiteral("GetState"));
    if (r.arguments().isEmpty()) return false;
    QList<uint> words;
    r.arguments().first().value<QDBusArgument>() >> words;
    return !words.isEmpty() && (words[0] >> kShowingBit & 1);
}

std::vector<Node> AtSpi::LabelledBy(const Node& n) {
    std::vector<Node> out;
    const QDBusMessage r = Call(n, kAccessible, QStringLiteral("GetRelationSet"));
    if (r.arguments().isEmpty()) return out;
    const QDBusArgument arg = r.arguments().first().value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
        uint type = 0;
        arg.beginStructure();
        arg >> type;
        arg.beginArray();
        while (!arg.atEnd()) {
            Node target;
            QDBusObjectPath path;
            arg.beginStructure();
            arg >> target.bus >> path;
            arg.endStructure();
            target.path = path.path();
            if (type == 2) out.push_back(target);  // ATSPI_RELATION_LABELLED_BY
        }
        arg.endArray();
        arg.endStructure();
    }
    arg.endArray();
    return out;
}

QStringList AtSpi::Actions(const Node& n) {
    QStringList names;
    const int count = [&] {
        const QDBusMessage r = Call(n, QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"),
                                    {QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("NActions")});
        return r.arguments().isEmpty() ? 0 : r.arguments().first().value<QDBusVariant>().variant().toInt();
    }();
    for (int i = 0; i < count; ++i) {
        const QDBusMessage r = Call(n, QStringLiteral("org.a11y.atspi.Action"),
                                    QStringLiteral("GetName"), {i});
        names << (r.arguments().isEmpty() ? QString() : r.arguments().first().toString());
    }
    return names;
}

bool AtSpi::DoAction(const Node& n, int index) {
    const QDBusMessage r = Call(n, QStringLiteral("org.a11y.atspi.Action"),
                                QStringLiteral("DoAction"), {index});
    return !r.arguments().isEmpty() && r.arguments().first().toBool();
}

Node AtSpi::Find(const Node& root, const QString& role, const QString& name) {
    if (Role(root) == role && Name(root) == name) return root;
    for (const Node& child : Children(root))
        if (const Node found = Find(child, role, name); found.valid()) return found;
    return {};
}

QString AtSpi::Dump(const Node& root) {
    std::function<void(const Node&, int, QString&)> walk = [&](const Node& n, int depth, QString& out) {
        out += QString(depth * 2, QLatin1Char(' ')) + Role(n) + QStringLiteral(" \"") + Name(n) +
               QStringLiteral("\"") + (Showing(n) ? QString() : QStringLiteral(" (hidden)")) + '\n';
        for (const Node& child : Children(n)) walk(child, depth + 1, out);
    };
    QString out;
    walk(root, 0, out);
    return out;
}

}  // namespace vz::test
