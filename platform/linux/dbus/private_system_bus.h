#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <map>
#include <memory>

namespace tolvane {

// A system bus of the test's own (a private dbus-daemon of the system type) with
// python-dbusmock services on it, so that no test ever reaches the machine's NetworkManager or
// logind. Every process it starts is ended with it, and dies with the test should that crash.
class PrivateSystemBus {
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus&) = delete;
    PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;

    // What went wrong in the last step that failed; empty while all is well.
    const QString& error() const { return error_; }
    QDBusConnection connection() const;

    // Starts a dbusmock template (a stock name or a file) under busName, with the template's
    // parameters as JSON, and waits until it has the name; false when it did not come.
    bool startMock(const QString& busName, const QString& templateName,
                   const QByteArray& parametersJson = "{}");
    // Ends the mock and waits until its name has left the bus.
    bool stopMock(const QString& busName);

    // The arguments of every call of method on the mock's object, oldest first. Asked over the
    // same connection as the calls under test, so that those sent before are counted.
    QList<QVariantList> calls(const QString& busName, const QString& objectPath,
                              const QString& method);
    // A method of the mock's own interface (SetGlobalConnectionState, ...), waited for.
    bool callMock(const QString& busName, const QString& objectPath, const QString& method,
                  const QVariantList& arguments);

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    QString connectionName_;
    std::map<QString, std::unique_ptr<QProcess>> mocks_;
    QString error_;
};

}  // namespace tolvane
