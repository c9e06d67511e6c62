#include "platform/linux/runtime_folder_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace tolvane {
namespace {

mode_t modeOf(const QString& path) {
    struct stat facts {};
    lstat(QFile::encodeName(path).constData(), &facts);
    return facts.st_mode & 0777;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(RuntimeFolderFilesTest, WritesReplacesAndRemovesFilesInAPrivateFolder) {
    QTemporaryDir runtime;
    RuntimeFolderFiles files(runtime.path());
    const PrivateFiles::Written first = files.write("Currencies.htm", "first");
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(first.path, runtime.filePath("tolvane/Currencies.htm"));
    EXPECT_EQ(modeOf(runtime.filePath("tolvane")), 0700u);
    EXPECT_EQ(modeOf(first.path), 0600u);
    ASSERT_TRUE(files.write("Currencies.htm", "2nd").ok);
    EXPECT_EQ(contentsOf(first.path), "2nd");

    EXPECT_TRUE(files.remove("Currencies.htm"));
    EXPECT_FALSE(QFileInfo::exists(first.path));
    // Missing already: the removal did not succeed.
    EXPECT_FALSE(files.remove("Currencies.htm"));
    EXPECT_FALSE(files.write("../escape.htm", "x").ok);
}

TEST(RuntimeFolderFilesTest, ALinkPlantedInTheFilesPlaceIsNotFollowed) {
    QTemporaryDir runtime;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("victim");
    QFile victim(target);
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    ASSERT_TRUE(QDir().mkpath(runtime.filePath("tolvane")));
    ASSERT_EQ(chmod(QFile::encodeName(runtime.filePath("tolvane")).constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(target, runtime.filePath("tolvane/Currencies.htm")));

    RuntimeFolderFiles files(runtime.path());
    const PrivateFiles::Written written = files.write("Currencies.htm", "page");
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.errorNumber, 0);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_EQ(contentsOf(target), "precious");
}

TEST(RuntimeFolderFilesTest, AFolderOthersMayEnterOrALinkedFolderIsNotUsed) {
    QTemporaryDir runtime;
    ASSERT_TRUE(QDir().mkpath(runtime.filePath("tolvane")));
    ASSERT_EQ(chmod(QFile::encodeName(runtime.filePath("tolvane")).constData(), 0777), 0);
    EXPECT_FALSE(RuntimeFolderFiles(runtime.path()).write("Currencies.htm", "page").ok);

    QTemporaryDir linked;
    QTemporaryDir open;
    ASSERT_TRUE(QFile::link(open.path(), linked.filePath("tolvane")));
    EXPECT_FALSE(RuntimeFolderFiles(linked.path()).write("Currencies.htm", "page").ok);
    EXPECT_FALSE(QFileInfo::exists(open.filePath("Currencies.htm")));
}

TEST(RuntimeFolderFilesTest, WithoutARuntimeFolderAFolderOfItsOwnIsMadeAndRemoved) {
    QString folder;
    {
        RuntimeFolderFiles files{QString()};
        const PrivateFiles::Written written = files.write("Currencies.htm", "page");
        ASSERT_TRUE(written.ok);
        folder = QFileInfo(written.path).absolutePath();
        EXPECT_TRUE(folder.startsWith(QDir::tempPath() + "/tolvane-"));
        EXPECT_EQ(modeOf(folder), 0700u);
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

}  // namespace
}  // namespace tolvane
