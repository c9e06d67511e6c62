#include "scheduler/platform_task_actions.h"

namespace tolvane {

PlatformTaskActions::PlatformTaskActions(const Platform& platform,
                                         std::function<void(const TaskColumns&)> saveTasks)
    : platform_(platform), saveTasks_(std::move(saveTasks)) {}

ConnectionAnswer PlatformTaskActions::readConnection() {
    switch (platform_.connection.state()) {
        case InternetConnection::State::Connected:
            return ConnectionAnswer::Connected;
        case InternetConnection::State::NotConnected:
            return ConnectionAnswer::NotConnected;
        case InternetConnection::State::Failed:
            break;
    }
    return ConnectionAnswer::Failed;
}

quint64 PlatformTaskActions::connectionSource() {
    return platform_.connection.stateSource();
}

void PlatformTaskActions::openTarget(const QString& target) {
    platform_.opener.ShellDef(target);
}

void PlatformTaskActions::dial() {
    platform_.connection.dial();
}

void PlatformTaskActions::hangUp() {
    platform_.connection.hangUp();
}

void PlatformTaskActions::shutDown() {
    platform_.power.powerOff();
}

void PlatformTaskActions::showMessage(const QString& text) {
    platform_.messages.show(text, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None,
                            platform_.app.title());
}

void PlatformTaskActions::saveTasks(const TaskColumns& tasks) {
    saveTasks_(tasks);
}

}  // namespace tolvane
