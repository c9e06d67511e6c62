#include "core/atomic_file.h"

#include "testing/file_size_limit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tolvane {
namespace {

class AtomicFileTest : public testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("SC.Dat")) const {
        return folder.filePath(name);
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every name in the folder, in order, one text so that a failure shows them.
    QString entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name)
            .join(u' ');
    }

    QTemporaryDir folder;
};

TEST_F(AtomicFileTest, AWriteTheDiskCannotTakeLeavesTheOldFileAndSaysSo) {
    put(path(), "old\r\n");
    const QByteArray large(qsizetype{65536}, 'x');
    {
        // The first bytes go, the rest do not: a short write is a failed one too.
        const FileSizeLimit nearlyFull(4096);
        EXPECT_FALSE(writeFileAtomically(path(), large));
    }
    EXPECT_EQ(contents(path()), "old\r\n");
    EXPECT_EQ(entries(), "SC.Dat") << "nothing of the new version stays";
    {
        const FileSizeLimit full(0);
        EXPECT_FALSE(writeFileAtomically(path(), "new\r\n"));
    }
    EXPECT_EQ(contents(path()), "old\r\n");
    EXPECT_EQ(entries(), "SC.Dat");

    EXPECT_TRUE(writeFileAtomically(path(), large)) << "with room again";
    EXPECT_EQ(contents(path()), large);
}

TEST_F(AtomicFileTest, WhatAKilledSaveLeftGoesAtTheNextSaveAndNothingElseDoes) {
    put(path(), "old\r\n");
    // A new version renamed into place but not over the file, and one still being written
    // under a temporary name.
    put(path(".SC.Dat.tolvane-new"), "half");
    put(path(".SC.Dat.tolvane-new.AbC123"), "ha");
    // The user's own files, and another file's leftover, stay.
    put(path("SC.Dat.backup"), "mine");
    put(path(".SC.Dat.tolvane-newer"), "mine too");
    put(path(".Timing.Dat.tolvane-new"), "the task list's");

    EXPECT_TRUE(writeFileAtomically(path(), "new\r\n"));
    EXPECT_EQ(contents(path()), "new\r\n");
    EXPECT_EQ(entries(), ".SC.Dat.tolvane-newer .Timing.Dat.tolvane-new SC.Dat SC.Dat.backup");
}

TEST_F(AtomicFileTest, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("real"));
    const QString real = path("real/SC.Dat");
    put(real, "old\r\n");
    const auto ownerAndGroupRead = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QFile::setPermissions(real, ownerAndGroupRead);
    ASSERT_TRUE(QFile::link(real, path()));

    EXPECT_TRUE(writeFileAtomically(path(), "new\r\n"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(contents(real), "new\r\n");
    EXPECT_EQ(QFile::permissions(real) & ~(QFile::ReadUser | QFile::WriteUser),
              ownerAndGroupRead);
    EXPECT_EQ(QDir(folder.filePath("real")).entryList(QDir::Files | QDir::Hidden).join(u' '),
              "SC.Dat");

    EXPECT_TRUE(writeFileAtomically(path("new/Timing.Dat"), "made\r\n"))
        << "a missing folder is made";
    EXPECT_EQ(contents(path("new/Timing.Dat")), "made\r\n");
}

}  // namespace
}  // namespace tolvane
