#include "platform/linux/kernel_route_connection.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tolvane {
namespace {

const QByteArray kRouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

class KernelRouteConnectionTest : public testing::Test {
protected:
    void write(const QString& relative, const QByteArray& bytes) {
        const QString path = scratch.path() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void interfaceFlags(const QString& name, const QByteArray& flags) {
        write(QStringLiteral("sys/") + name + QStringLiteral("/flags"), flags + "\n");
    }
    InternetConnection::State look() {
        KernelRouteConnection connection(scratch.path() + QStringLiteral("/proc"),
                                         scratch.path() + QStringLiteral("/sys"));
        return connection.state();
    }

    QTemporaryDir scratch;
};

TEST_F(KernelRouteConnectionTest, ADefaultRouteThroughAnInterfaceThatIsUpIsAConnection) {
    write(QStringLiteral("proc/route"),
          kRouteHeader + "eth0\t00000000\t0102A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n");
    interfaceFlags(QStringLiteral("eth0"), "0x1003");
    interfaceFlags(QStringLiteral("lo"), "0x9");
    EXPECT_EQ(look(), InternetConnection::State::Connected);

    // The same route once the interface is down.
    interfaceFlags(QStringLiteral("eth0"), "0x1002");
    EXPECT_EQ(look(), InternetConnection::State::NotConnected);
}

TEST_F(KernelRouteConnectionTest, NoRouteTablesAtAllIsAFailureNotADisconnection) {
    interfaceFlags(QStringLiteral("eth0"), "0x1003");
    EXPECT_EQ(look(), InternetConnection::State::Failed);
    write(QStringLiteral("proc/route"), kRouteHeader);
    EXPECT_EQ(look(), InternetConnection::State::NotConnected);
}

}  // namespace
}  // namespace tolvane
