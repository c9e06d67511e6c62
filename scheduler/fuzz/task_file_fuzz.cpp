// Timing.Dat as it may be found on disk: whatever tasks it reads as, saving them and reading the
// file again gives the same tasks, and every task's code can be read and checked for being due.
#include "core/line_file.h"
#include "core/windows_1255.h"
#include "scheduler/task_code.h"
#include "scheduler/task_list.h"
#include "scheduler/task_trigger.h"
#include "testing/fuzz_check.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

namespace {

const tolvane::Windows1255 kCodePage;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = tolvane::decodeLines(bytes, kCodePage);
    const tolvane::TaskColumns tasks = tolvane::tasksFromLines(lines);
    tolvane::fuzzCheck(
        tasks.actionTexts.size() == tasks.size() && tasks.codes.size() == tasks.size(),
        "every task has its three columns");
    tolvane::fuzzCheck(tasks.size() == (lines.size() + 2) / 3 || tasks.size() == lines.size() / 3,
                       "every three lines are a task, and no more than a trailing one besides");

    const QByteArray saved = tolvane::encodeLines(tolvane::linesOfTasks(tasks), kCodePage);
    const tolvane::TaskColumns reread =
        tolvane::tasksFromLines(tolvane::decodeLines(saved, kCodePage));
    tolvane::fuzzCheck(reread.triggerTexts == tasks.triggerTexts &&
                           reread.actionTexts == tasks.actionTexts && reread.codes == tasks.codes,
                       "saved tasks read back as the same tasks");

    const QDateTime now(QDate(2024, 2, 29), QTime(8, 30), Qt::UTC);
    for (const QString& code : tasks.codes)
        (void)tolvane::isDue(tolvane::readTaskCode(tolvane::splitTaskCode(code)),
                             {now, true, true});
    return 0;
}
