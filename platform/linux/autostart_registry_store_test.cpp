#include "platform/linux/autostart_registry_store.h"

#include "testing/fake_platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace tolvane {
namespace {

constexpr auto kRoot = RegistryRoot::LocalMachine;
const QString kRun = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");

class AutostartRegistryStoreTest : public testing::Test {
protected:
    QString entryPath() const { return dir.filePath("autostart/tolvane.desktop"); }
    QString entry() const {
        QFile file(entryPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    FakeRegistry inner;
    AutostartRegistryStore store{inner, entryPath()};
};

TEST_F(AutostartRegistryStoreTest, TheStartupValueIsMirroredIntoTheAutostartEntry) {
    store.savestring(kRoot, kRun, "Tolvane", "/opt/my apps/tolvane");
    EXPECT_EQ(inner.getstring(kRoot, kRun, "Tolvane"), QStringLiteral("/opt/my apps/tolvane"));
    EXPECT_EQ(entry(),
              "[Desktop Entry]\nType=Application\nName=Tolvane\nExec=\"/opt/my apps/tolvane\"\n");

    // Rewritten with the value, also through another spelling of the same key.
    store.savestring(kRoot, kRun.toUpper() + "\\", "tolvane", "/usr/bin/tolvane");
    EXPECT_TRUE(entry().contains("Exec=\"/usr/bin/tolvane\"\n"));

    store.DeleteValue(kRoot, kRun, "Tolvane");
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(inner.getstring(kRoot, kRun, "Tolvane"), std::nullopt);
}

TEST_F(AutostartRegistryStoreTest, OtherValuesLeaveTheEntryAlone) {
    store.savestring(kRoot, kRun, "Tolvane", "/usr/bin/tolvane");
    store.savestring(kRoot, kRun, "Other", "/usr/bin/other");
    store.savestring(kRoot, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Tolvane", "x");
    store.DeleteValue(kRoot, kRun, "Other");
    EXPECT_TRUE(entry().contains("Exec=\"/usr/bin/tolvane\"\n"));
    EXPECT_EQ(store.getstring(kRoot, kRun, "Other"), std::nullopt);
}

}  // namespace
}  // namespace tolvane
