#include "scheduler/task_actions.h"

namespace tolvane {

void runTaskAction(TaskActions& actions, const TaskCode& code) {
    if (!code.action)
        return;
    switch (*code.action) {
        case Action::Program:
        case Action::WebSite:
            actions.openTarget(code.actionValue);
            break;
        case Action::ShutDown:
            actions.shutDown();
            break;
        case Action::Disconnect:
            actions.hangUp();
            break;
        case Action::Connect:
            actions.dial();
            break;
        case Action::Upgrade:
            actions.showMessage(QStringLiteral("Update"));
            break;
    }
}

}  // namespace tolvane
