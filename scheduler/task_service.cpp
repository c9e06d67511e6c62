#include "scheduler/task_service.h"

#include "core/line_file.h"
#include "ui/list_editor.h"

#include <QDir>
#include <QTimer>

#include <utility>

namespace tolvane {
namespace {

constexpr int kTickMilliseconds = 5000;
const QString kListFileName = QStringLiteral("Timing.Dat");

}  // namespace

TaskService::TaskService(const Platform& platform)
    : platform_(platform),
      actions_(platform, [this](const TaskColumns& tasks) { save(tasks); }),
      scheduler_(actions_),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &TaskService::tick);
}

TaskService::~TaskService() = default;

void TaskService::start() {
    if (started())
        return;
    file_.emplace(fileInFolder(platform_.app.dataFolder(), kListFileName), platform_.codePage);
    scheduler_.begin();
    tasks_ = file_->load();
    timer_->start();
}

TaskColumns TaskService::tasks() const {
    return view_ ? view_->tasks() : tasks_;
}

void TaskService::attach(TaskListView* view) {
    view_ = view;
}

void TaskService::detach(const TaskListView* view) {
    if (view_ != view)
        return;
    tasks_ = view_->tasks();
    view_ = nullptr;
}

void TaskService::tick() {
    if (view_ && view_->isShown()) {
        timer_->stop();
        return;
    }
    TaskColumns tasks = this->tasks();
    if (!scheduler_.tick(tasks, platform_.clock.now()))
        return;
    if (!view_) {
        tasks_ = std::move(tasks);
        return;
    }
    // A tick only ever removes tasks.
    if (tasks.size() != view_->tasks().size())
        view_->showTickedTasks(tasks);
    if (std::exchange(showWhenIdle_, false))
        view_->bringUp();
}

void TaskService::save(const TaskColumns& tasks) {
    if (!file_ || file_->save(tasks))
        return;
    ListEditor::showSaveError(platform_.messages);
    platform_.messages.show(QDir::toNativeSeparators(file_->path()), MessageBoxes::Buttons::Ok,
                            MessageBoxes::Icon::None, platform_.app.title());
}

}  // namespace tolvane
