#include "platform/linux/instance_lock.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

namespace tolvane {
namespace {

TEST(InstanceLock, OnlyOneHolderAtATime) {
    QTemporaryDir dir;
    const QString path = dir.filePath("run/tolvane.lock");
    {
        InstanceLock first(path);
        EXPECT_TRUE(first.acquired());
        InstanceLock second(path);
        EXPECT_FALSE(second.acquired());
    }
    InstanceLock afterwards(path);
    EXPECT_TRUE(afterwards.acquired());
}

TEST(InstanceLock, ALockLeftByAKilledProcessDoesNotBlockTheNextStart) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tolvane.lock");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held(path);
        const char acquired = held.acquired() ? '1' : '0';
        (void)!write(ready[1], &acquired, 1);
        pause();
        _exit(0);
    }
    char acquired = 0;
    ASSERT_EQ(read(ready[0], &acquired, 1), 1);
    EXPECT_EQ(acquired, '1');
    EXPECT_FALSE(InstanceLock(path).acquired());

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(InstanceLock(path).acquired());
    close(ready[0]);
    close(ready[1]);
}

TEST(InstanceLock, ALockFileThatCannotBeMadeNeverStrandsTheUser) {
    EXPECT_TRUE(InstanceLock("/proc/no-such-folder/tolvane.lock").acquired());
}

}  // namespace
}  // namespace tolvane
