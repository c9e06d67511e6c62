#include "scheduler/task_file.h"

#include "core/windows_1255.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

class TaskFileTest : public testing::Test {
protected:
    QString path() const { return folder.filePath(u"Timing.Dat"_s); }
    void write(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    QTemporaryDir folder;
    Windows1255 codePage;
    TaskFile file{path(), codePage};
};

TEST_F(TaskFileTest, AWindowsFileWithAShortLastGroupReadsAndWritesBackWhole) {
    write(
        "\xE1\xF9\xF2\xE4: 23:30\r\n\xEB\xE9\xE1\xE5\xE9 \xEE\xE7\xF9\xE1\r\nT|23:30|S|\r\n"
        "C|D|\r\n");
    const TaskColumns tasks = file.load();
    ASSERT_EQ(tasks.size(), 2);
    EXPECT_EQ(tasks.triggerTexts.at(0), u"בשעה: 23:30"_s);
    EXPECT_EQ(tasks.actionTexts.at(0), u"כיבוי מחשב"_s);
    EXPECT_EQ(tasks.triggerTexts.at(1), u"C|D|"_s);
    ASSERT_TRUE(file.save(tasks));
    EXPECT_EQ(bytes(),
              "\xE1\xF9\xF2\xE4: 23:30\r\n\xEB\xE9\xE1\xE5\xE9 \xEE\xE7\xF9\xE1\r\n"
              "T|23:30|S|\r\nC|D|\r\n\r\n\r\n");
}

TEST_F(TaskFileTest, AMissingFileHoldsNoTasksAndAnEmptyListSavesAsZeroBytes) {
    EXPECT_EQ(file.load().size(), 0);
    EXPECT_EQ(bytes(), "<none>") << "loading makes no file";
    ASSERT_TRUE(file.save({}));
    EXPECT_EQ(bytes(), QByteArray());
    EXPECT_EQ(file.load().size(), 0);
}

TEST_F(TaskFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(u"Timing.Dat/inside"_s));
    EXPECT_EQ(file.load().size(), 0);
    TaskColumns tasks;
    tasks.append({u"a"_s, u"b"_s, u"S|U|"_s});
    EXPECT_FALSE(file.save(tasks));
    EXPECT_TRUE(QDir(path()).exists(u"inside"_s));
}

}  // namespace
}  // namespace tolvane
