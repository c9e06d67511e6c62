#include "platform/linux/dbus/private_system_bus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QSignalSpy>
#include <QUuid>

#include <sys/prctl.h>

#include <csignal>

namespace tolvane {
namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kCallTimeoutMs = 5000;

// Debian's own interpreter: the one that has the dbus module and python3-dbusmock.
const char* const kPython = "/usr/bin/python3";

const char* const kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:dir=%1</listen>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
)";

void diesWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

void end(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(kCallTimeoutMs);
}

}  // namespace

PrivateSystemBus::PrivateSystemBus()
    : connectionName_(QStringLiteral("private-system-bus-") + QUuid::createUuid().toString()) {
    const QString config = folder_.filePath(QStringLiteral("system.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write ") + config;
        return;
    }
    file.write(QString::fromLatin1(kBusConfig).arg(folder_.path()).toUtf8());
    file.close();

    diesWithTheTest(daemon_);
    // It complains about fd limits it may not raise; a failure shows as no address below.
    daemon_.setStandardErrorFile(QProcess::nullDevice());
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(kStartTimeoutMs)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
        error_ = QStringLiteral("dbus-daemon did not start: ") + daemon_.errorString();
        return;
    }
    if (!connection().isConnected())
        error_ = QStringLiteral("cannot connect to ") + address_;
}

PrivateSystemBus::~PrivateSystemBus() {
    for (auto& [name, mock] : mocks_)
        end(*mock);
    QDBusConnection::disconnectFromBus(connectionName_);
    end(daemon_);
}

QDBusConnection PrivateSystemBus::connection() const {
    return QDBusConnection::connectToBus(address_, connectionName_);
}

bool PrivateSystemBus::startMock(const QString& busName, const QString& templateName,
                                 const QByteArray& parametersJson) {
    QDBusServiceWatcher watcher(busName, connection(), QDBusServiceWatcher::WatchForRegistration);
    QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);

    auto mock = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
    mock->setProcessEnvironment(environment);
    mock->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    diesWithTheTest(*mock);
    // The call log goes to a file rather than into the test's output.
    mock->start(QString::fromLatin1(kPython),
                {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                 QStringLiteral("--template"), templateName, QStringLiteral("-l"),
                 folder_.filePath(busName + QStringLiteral(".log")), QStringLiteral("-p"),
                 QString::fromUtf8(parametersJson)});
    QProcess& started = *mock;
    mocks_[busName] = std::move(mock);
    if (!started.waitForStarted(kStartTimeoutMs)) {
        error_ = busName + QStringLiteral(" did not start: ") + started.errorString();
        return false;
    }
    if (!registered.wait(kStartTimeoutMs)) {
        error_ = busName + QStringLiteral(" did not come onto the bus");
        return false;
    }
    return true;
}

bool PrivateSystemBus::stopMock(const QString& busName) {
    const auto found = mocks_.find(busName);
    if (found == mocks_.end())
        return true;
    QDBusServiceWatcher watcher(busName, connection(), QDBusServiceWatcher::WatchForUnregistration);
    QSignalSpy unregistered(&watcher, &QDBusServiceWatcher::serviceUnregistered);
    end(*found->second);
    mocks_.erase(found);
    if (!unregistered.wait(kStartTimeoutMs)) {
        error_ = busName + QStringLiteral(" did not leave the bus");
        return false;
    }
    return true;
}

QList<QVariantList> PrivateSystemBus::calls(const QString& busName, const QString& objectPath,
                                            const QString& method) {
    QDBusMessage ask = QDBusMessage::createMethodCall(busName, objectPath,
                                                      QStringLiteral("org.freedesktop.DBus.Mock"),
                                                      QStringLiteral("GetMethodCalls"));
    ask << method;
    const QDBusMessage reply = connection().call(ask, QDBus::Block, kCallTimeoutMs);
    QList<QVariantList> calls;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        error_ = reply.errorMessage();
        return calls;
    }
    // a(tav): when each call came, and its arguments.
    const auto log = reply.arguments().value(0).value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        qulonglong when = 0;
        QVariantList arguments;
        log.beginStructure();
        log >> when >> arguments;
        log.endStructure();
        calls.append(arguments);
    }
    log.endArray();
    return calls;
}

bool PrivateSystemBus::callMock(const QString& busName, const QString& objectPath,
                                const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        busName, objectPath, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection().call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    error_ = reply.errorMessage();
    return false;
}

}  // namespace tolvane
