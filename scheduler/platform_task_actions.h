#pragma once

#include "platform/platform.h"
#include "scheduler/task_actions.h"

#include <functional>

namespace tolvane {

// The scheduler's actions on the platform's services: the desktop's open, the connection,
// the power control and an OK box titled with the program's title. Saving is the task
// window's, which owns the file and its failure boxes.
class PlatformTaskActions : public TaskActions {
public:
    PlatformTaskActions(const Platform& platform,
                        std::function<void(const TaskColumns&)> saveTasks);

    ConnectionAnswer readConnection() override;
    quint64 connectionSource() override;
    void openTarget(const QString& target) override;
    void dial() override;
    void hangUp() override;
    void shutDown() override;
    void showMessage(const QString& text) override;
    void saveTasks(const TaskColumns& tasks) override;

private:
    Platform platform_;
    std::function<void(const TaskColumns&)> saveTasks_;
};

}  // namespace tolvane
