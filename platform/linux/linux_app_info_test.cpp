#include "platform/linux/linux_app_info.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tolvane {
namespace {

// A folder tree as `cmake --install` leaves it, under a prefix of the test's own.
class InstalledTree : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(bin()));
        ASSERT_TRUE(QDir().mkpath(privateFolder()));
        savedData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedData_); }

    QString bin() const { return dir_.filePath("prefix/bin"); }
    QString privateFolder() const {
        return QDir::cleanPath(QDir(bin()).filePath(QStringLiteral(TOLVANE_PRIVATE_FOLDER)));
    }
    QString lock() const { return dir_.filePath("run/tolvane.lock"); }
    static void putProgram(const QString& path, bool executable = true) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFile::ExeOwner);
    }

    QTemporaryDir dir_;
    QByteArray savedData_;
};

TEST_F(InstalledTree, TheInstalledProgramFindsItsPrivateFolderAndKeepsListsInTheDataFolder) {
    putProgram(privateFolder() + "/tolvane-web");
    const ProgramFiles files = programFilesIn(bin());
    ASSERT_TRUE(files.installed());
    EXPECT_EQ(files.companionProgram("tolvane-web"), privateFolder() + "/tolvane-web");
    EXPECT_EQ(files.companionFolders().mid(0, 2), QStringList({bin(), privateFolder()}));

    // The prefix is writable here, as it is for root or under the home folder: still not there.
    LinuxAppInfo app(lock(), files);
    EXPECT_EQ(app.dataFolder(), dir_.filePath("data/tolvane"));
    EXPECT_TRUE(QFileInfo(dir_.filePath("data/tolvane")).isDir());
}

TEST_F(InstalledTree, OnlyAnExecutableFileCountsAsTheWebWindowsProgram) {
    putProgram(privateFolder() + "/tolvane-web", false);
    EXPECT_FALSE(programFilesIn(bin()).installed());
    QFile::remove(privateFolder() + "/tolvane-web");
    ASSERT_TRUE(QDir().mkpath(privateFolder() + "/tolvane-web"));
    EXPECT_FALSE(programFilesIn(bin()).installed());

    // Not installed, a writable program folder keeps the lists.
    LinuxAppInfo app(lock(), programFilesIn(bin()));
    EXPECT_EQ(app.dataFolder(), bin());
}

}  // namespace
}  // namespace tolvane
