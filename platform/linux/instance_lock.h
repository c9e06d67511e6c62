#pragma once

#include <QString>

namespace tolvane {

// An exclusive lock on a file, held for the life of the object. The kernel drops it when
// the process ends in any way, so a crash never blocks the next start.
class InstanceLock {
public:
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another holder has the lock. A lock file that cannot be opened at all
    // counts as held by nobody: refusing to start over it would strand the user.
    bool acquired() const { return acquired_; }

private:
    int fd_ = -1;
    bool acquired_ = false;
};

}  // namespace tolvane
