#include "scheduler/task_scheduler.h"

#include "scheduler/task_trigger.h"

#include <QScopeGuard>

namespace tolvane {

void TaskScheduler::begin() {
    busy_ = true;
    const auto endLoad = qScopeGuard([this] { busy_ = false; });
    startFlag_ = false;
    connSource_ = actions_.connectionSource();
    connFlag_ = IsConnected();
}

bool TaskScheduler::tick(TaskColumns& tasks, const QDateTime& now) {
    if (busy_)
        return false;
    busy_ = true;
    const auto endTick = qScopeGuard([this] { busy_ = false; });

    ConnectionEdge edge{.onConnect = false, .connFlag = false};
    if (const quint64 source = actions_.connectionSource(); source != connSource_) {
        // Read from elsewhere now: like at the load, a connection found up is no new one.
        connSource_ = source;
        edge.connFlag = IsConnected();
    } else {
        edge = connectionEdgeStep(connFlag_, [this] { return IsConnected(); });
    }
    connFlag_ = edge.connFlag;
    const TickMoment moment{now, !startFlag_, edge.onConnect};
    startFlag_ = true;

    // Rows as they stand in tasks, which loses the ran rows above a shut-down before it.
    QList<qsizetype> ranRows;
    qsizetype removed = 0;
    const QStringList codes = tasks.codes;
    for (qsizetype row = 0; row < codes.size(); ++row) {
        const TaskCode code = readTaskCode(splitTaskCode(codes.at(row)));
        if (!isDue(code, moment))
            continue;
        // A due time or date task counts as run even when its action is unknown or fails.
        if (isOneShot(*code.trigger)) {
            ranRows.append(row - removed);
            // The machine may go down before the tick ends, and the task must not be found
            // in the file again the next day.
            if (code.action == Action::ShutDown) {
                removeRanTasks(tasks, ranRows);
                removed += ranRows.size();
                ranRows.clear();
            }
        }
        runTaskAction(actions_, code);
    }
    removeRanTasks(tasks, ranRows);
    return true;
}

bool TaskScheduler::IsConnected() {
    const ConnectionLooks::Look look = looks_.look(actions_.readConnection());
    if (look.showError)
        actions_.showMessage(QStringLiteral("ERROR"));
    return look.connected;
}

void TaskScheduler::removeRanTasks(TaskColumns& tasks, const QList<qsizetype>& ranRows) {
    // From the highest row down, so that the rows still to go keep their numbers.
    for (qsizetype i = ranRows.size() - 1; i >= 0; --i) {
        tasks.removeRow(ranRows.at(i));
        actions_.saveTasks(tasks);
    }
}

}  // namespace tolvane
