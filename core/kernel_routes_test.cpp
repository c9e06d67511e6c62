#include "core/kernel_routes.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString ipv4Table =
    u"Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT  \n"
    u"eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0   \n"
    u"ppp0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0   \n"
    u"wlan0\t00000000\t0101A8C0\t0002\t0\t0\t600\t00000000\t0\t0\t0   \n"
    u"*\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0   \n"
    u"tun0\t00000000\t00000000\t0001\t0\t0\t0\t00000080\t0\t0\t0   \n"_s;

const QString ipv6Table =
    u"fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
    u"00000000000000000000000000000000 00000100 00000002 00000000 00000001     eth0\n"
    u"00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    u"fe800000000000000000000000000001 00000400 00000002 00000000 00000003     wwan0\n"
    u"00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    u"00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n"_s;

TEST(KernelRoutes, OnlyDefaultRoutesThatAreUpAndNotRejectsCount) {
    EXPECT_EQ(ipv4DefaultRouteInterfaces(ipv4Table), QStringList({u"ppp0"_s}))
        << "not the local net, a route that is down, the unreachable one or a half default";
    EXPECT_EQ(ipv6DefaultRouteInterfaces(ipv6Table), QStringList({u"wwan0"_s}))
        << "not the link-local net nor loopback's reject route";
}

TEST(KernelRoutes, ADefaultRouteCountsOnlyThroughAnInterfaceThatIsUp) {
    EXPECT_TRUE(hasDefaultRouteThroughUpInterface(ipv4Table, {}, {u"ppp0"_s}));
    EXPECT_TRUE(hasDefaultRouteThroughUpInterface({}, ipv6Table, {u"wwan0"_s}));
    EXPECT_FALSE(hasDefaultRouteThroughUpInterface(ipv4Table, ipv6Table, {u"eth0"_s, u"lo"_s}));
    EXPECT_FALSE(hasDefaultRouteThroughUpInterface(ipv4Table, ipv6Table, {}));
}

TEST(KernelRoutes, EmptyOrDamagedTablesGiveNoRouteAndNoFailure) {
    EXPECT_TRUE(ipv4DefaultRouteInterfaces({}).isEmpty());
    EXPECT_TRUE(ipv6DefaultRouteInterfaces({}).isEmpty());
    EXPECT_TRUE(ipv4DefaultRouteInterfaces(u"ppp0 00000000 0100A8C0 0003\n"_s).isEmpty());
    EXPECT_TRUE(ipv4DefaultRouteInterfaces(u"ppp0 zz 0 0003 0 0 0 00000000 0 0 0\n"_s).isEmpty());
    EXPECT_TRUE(ipv6DefaultRouteInterfaces(u"0 00 0 00 0 0 0 0 00000001 eth0\n"_s).isEmpty());
    EXPECT_EQ(ipv4DefaultRouteInterfaces(u"ppp0 0 0 3 0 0 0 0\r\nppp0 0 0 1 0 0 0 0\n"_s),
              QStringList({u"ppp0"_s}))
        << "once, whatever the line ends and field widths";
}

}  // namespace
}  // namespace tolvane
