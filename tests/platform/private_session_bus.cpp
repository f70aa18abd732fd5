#include "private_session_bus.h"

#include <QFile>

namespace tinctora::testing {

namespace {

const char kConfiguration[] = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

PrivateSessionBus::PrivateSessionBus() {
    if (!dir_.isValid())
        return;
    const QString configuration = dir_.filePath("bus.conf");
    QFile file(configuration);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QString::fromLatin1(kConfiguration).arg(dir_.path()).toUtf8()) < 0)
        return;
    file.close();
    daemon_.start("dbus-daemon",
                  {"--nofork", "--print-address=1", "--config-file=" + configuration});
    if (!daemon_.waitForStarted(5000))
        return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus() {
    if (daemon_.state() == QProcess::NotRunning)
        return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000))
        daemon_.kill();
    daemon_.waitForFinished(5000);
}

QDBusConnection PrivateSessionBus::connect(const QString& connectionName) const {
    return QDBusConnection::connectToBus(address_, connectionName);
}

} // namespace tinctora::testing
