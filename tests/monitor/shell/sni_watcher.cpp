// A stand-in StatusNotifierWatcher with one host registered, for tests of the tray icon on
// a private session bus: what a StatusNotifierItem panel offers, without the panel. It
// prints "ready" once it owns its name and "registered <service>" for each item that
// registers, and acts on lines from standard input:
//   activate     clicks the last item (org.kde.StatusNotifierItem.Activate)
//   menu <label> clicks the entry of that label in the item's menu (com.canonical.dbusmenu)
// answering "done <line>" or "failed <line>: <why>".
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QSocketNotifier>
#include <QStringList>
#include <cstdio>
#include <unistd.h>

namespace {

const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// One entry of a dbusmenu layout: (id, properties, children).
struct MenuEntry {
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuEntry& entry) {
    arg.beginStructure();
    arg >> entry.id >> entry.properties;
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        MenuEntry e;
        child.variant().value<QDBusArgument>() >> e;
        entry.children << e;
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

int findLabel(const MenuEntry& entry, const QString& label) {
    if (entry.properties.value(QStringLiteral("label")).toString() == label)
        return entry.id;
    for (const MenuEntry& child : entry.children)
        if (int id = findLabel(child, label); id > 0)
            return id;
    return -1;
}

} // namespace

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }

    // Runs one command line; the answer is printed.
    void command(const QString& line) {
        const QString why = run(line);
        say(why.isEmpty() ? QStringLiteral("done ") + line : QStringLiteral("failed %1: %2").arg(line, why));
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        items_.removeAll(service);
        items_ << service;
        say(QStringLiteral("registered ") + service);
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();

private:
    QString run(const QString& line) {
        if (items_.isEmpty())
            return QStringLiteral("no item registered");
        const QString item = items_.last();
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QString itemPath = QStringLiteral("/StatusNotifierItem");
        if (line == QLatin1String("activate")) {
            QDBusMessage call =
                QDBusMessage::createMethodCall(item, itemPath, kItemInterface, QStringLiteral("Activate"));
            call << 0 << 0;
            return error(bus.call(call));
        }
        if (!line.startsWith(QLatin1String("menu ")))
            return QStringLiteral("unknown command");
        QDBusMessage get = QDBusMessage::createMethodCall(
            item, itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kItemInterface << QStringLiteral("Menu");
        const QDBusMessage menuPath = bus.call(get);
        if (QString why = error(menuPath); !why.isEmpty())
            return why;
        const QString menu =
            menuPath.arguments().value(0).value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
        QDBusMessage layout =
            QDBusMessage::createMethodCall(item, menu, kMenuInterface, QStringLiteral("GetLayout"));
        layout << 0 << -1 << QStringList();
        const QDBusMessage reply = bus.call(layout);
        if (QString why = error(reply); !why.isEmpty())
            return why;
        MenuEntry root;
        reply.arguments().value(1).value<QDBusArgument>() >> root;
        const int id = findLabel(root, line.mid(5));
        if (id < 0)
            return QStringLiteral("no such entry in the menu at ") + menu;
        QDBusMessage event =
            QDBusMessage::createMethodCall(item, menu, kMenuInterface, QStringLiteral("Event"));
        event << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
        return error(bus.call(event));
    }

    static QString error(const QDBusMessage& reply) {
        return reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
    }

    QStringList items_;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "sni_watcher: cannot take the watcher's name: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[512];
        if (!std::fgets(line, sizeof line, stdin)) {
            app.quit(); // the test has gone
            return;
        }
        watcher.command(QString::fromLocal8Bit(line).trimmed());
    });
    say(QStringLiteral("ready"));
    return app.exec();
}

#include "sni_watcher.moc"
