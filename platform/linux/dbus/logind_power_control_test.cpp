#include "platform/linux/dbus/logind_power_control.h"
#include "platform/linux/dbus/private_system_bus.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(LogindPowerControl, AsksLogindOnceToPowerOffWithoutAnyPrompt) {
    PrivateSystemBus bus;
    ASSERT_EQ(bus.error(), QString());
    const QString logind = QStringLiteral("org.freedesktop.login1");
    ASSERT_TRUE(bus.startMock(logind, QStringLiteral("logind"))) << bus.error().toStdString();

    LogindPowerControl(bus.connection()).powerOff();
    const QList<QVariantList> calls =
        bus.calls(logind, QStringLiteral("/org/freedesktop/login1"), QStringLiteral("PowerOff"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0], QVariantList{false});
}

}  // namespace
}  // namespace tolvane
