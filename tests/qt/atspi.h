#pragma once
// A screen reader's view of the desktop for the tests: a session bus of the
// test's own with the accessibility bus on it (at-spi2-core), the tree of
// accessible objects a program publishes there, and the events it sends,
// read straight off the bus with QtDBus.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace vz::test {

struct Node {
    QString bus, path;
    bool valid() const { return !bus.isEmpty() && !path.endsWith(QLatin1String("/null")); }
};

struct Heard {
    QString what;    // "StateChanged"
    QString detail;  // "showing", "focused"
    int on = 0;      // 1 when the state was set, 0 when cleared
    Node node;
    // For a shown object: its role and name when the event came, as a
    // screen reader asks for them then.
    QString role, name;
};

class AtSpi : public QObject {
    Q_OBJECT
public:
    AtSpi();
    ~AtSpi() override;
    // Whether the buses are up; `problem` says why not.
    bool ok() const { return ok_; }
    QString problem() const { return problem_; }
    // For a program that is to be heard: the test's session bus.
    QProcessEnvironment Environment() const;

    // The application named `name` once it has joined the bus.
    Node WaitForApplication(const QString& name);
    // Asks the program to send these events ("object:state-changed:showing").
    void Listen(const QStringList& events);
    // Waits until an event matching `match` has come, the `since`th heard
    // or a later one, and returns it.
    Heard WaitFor(const std::function<bool(const Heard&)>& match, std::size_t since = 0,
                  int limit_ms = 10'000);
    const std::vector<Heard>& heard() const { return heard_; }

    QString Role(const Node& n);
    QString Name(const Node& n);
    QString Description(const Node& n);
    std::vector<Node> Children(const Node& n);
    Node Parent(const Node& n);
    bool Showing(const Node& n);
    // The objects that name `n` (its "labelled by" relation).
    std::vector<Node> LabelledBy(const Node& n);
    QStringList Actions(const Node& n);
    bool DoAction(const Node& n, int index);
    // The first object under `root` (itself included) with this role and
    // name; an invalid one for none.
    Node Find(const Node& root, const QString& role, const QString& name);
    // Every role and name under `root`, one a line, indented by depth.
    QString Dump(const Node& root);

private slots:
    void OnEvent(const QDBusMessage& message);

private:
    QDBusMessage Call(const Node& n, const QString& interface, const QString& method,
                      const QVariantList& args = {});
    QVariant Property(const Node& n, const QString& name);

    QTemporaryDir runtime_dir_;
    QProcess session_;
    QString session_address_;
    QDBusConnection a11y_{QString()};
    bool ok_ = false;
    QString problem_;
    std::vector<Heard> heard_;
};

}  // namespace vz::test
