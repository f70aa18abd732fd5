#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace tinctora::testing {

// A D-Bus session bus of its own for one test, ending with the object. Its configuration names no
// service folders, so the bus never starts an installed service (such as the real desktop portal):
// only what the test registers answers.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool running() const { return !address_.isEmpty(); }
    const QString& address() const { return address_; }
    // A new connection to this bus, with a unique name of its own.
    QDBusConnection connect(const QString& connectionName) const;

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
};

} // namespace tinctora::testing
