// Saves one of the program's files over and over through the program's own writers, so that a
// test can kill it at random moments and look at what is left on disk. Built only for tests.
//
//   tolvane_save_loop shortcuts|tasks|registry FILE FIRST [COUNT [STEP]]
//
// Saves generation FIRST, FIRST + STEP, … (COUNT saves; a negative COUNT saves until killed).
// STEP is 1 unless given; 0 saves the same generation again and again. Around each save it
// writes "b N" before and "d N" after to its standard output, unbuffered, so that whoever kills
// it knows whether the kill landed inside a save; "f N" instead of "d N" when the writer says
// nothing was written (the registry store says nothing, so it is asked by reading back). What
// generation N holds is fixed by N alone (see the functions below), so the test can tell an old
// file from a new one, and either from a torn one.
//
// With TOLVANE_NO_UNNAMED_FILES=1 in its environment, files cannot be opened unnamed
// (O_TMPFILE), as on file systems without them (FAT, NFS, older overlay file systems), so that
// every temporary file has a name in the folder from the start.

#include "core/line_file.h"
#include "core/registry_paths.h"
#include "core/windows_1255.h"
#include "platform/linux/file_registry_store.h"
#include "scheduler/task_file.h"
#include "shortcuts/shortcut_record.h"

#include <QString>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Asked on first use: the libraries may open files before this program's own statics are set.
bool noUnnamedFiles() {
    static const bool refused = [] {
        const char* value = std::getenv("TOLVANE_NO_UNNAMED_FILES");
        return value && std::string(value) == "1";
    }();
    return refused;
}

}  // namespace

// Stands in for the C library's, which Qt opens its files with (this program exports its
// symbols, so the libraries it loads find this one first).
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the C library's names
extern "C" int open64(const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    if ((flags & O_TMPFILE) == O_TMPFILE && noUnnamedFiles()) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_openat, AT_FDCWD, path, flags | O_LARGEFILE, mode));
}

namespace tolvane {
namespace {

// Unbuffered, so that nothing announced is lost with the process.
void announce(char what, long long generation) {
    const std::string line = std::string(1, what) + ' ' + std::to_string(generation) + '\n';
    const char* data = line.data();
    size_t left = line.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, left);
        if (written <= 0)
            std::_Exit(3);
        data += written;
        left -= static_cast<size_t>(written);
    }
}

// One to fifteen records whose lengths change from one generation to the next.
ShortcutColumns shortcutsOf(long long generation) {
    ShortcutColumns columns;
    const long long records = 1 + generation % 15;
    for (long long i = 0; i < records; ++i) {
        columns.names.append(QStringLiteral("קיצור %1-%2").arg(generation).arg(i));
        columns.targets.append(QStringLiteral("/home/user/%1file-%2-%3.txt")
                                   .arg(QStringLiteral("מסמכים/").repeated((generation + i) % 9))
                                   .arg(generation)
                                   .arg(i));
    }
    return columns;
}

// None to fifteen time tasks, each running a program.
TaskColumns tasksOf(long long generation) {
    TaskColumns tasks;
    const long long count = generation % 16;
    for (long long j = 0; j < count; ++j) {
        const QString time = QStringLiteral("%1:%2")
                                 .arg((generation + j) % 24, 2, 10, QLatin1Char('0'))
                                 .arg(j, 2, 10, QLatin1Char('0'));
        const QString program =
            QStringLiteral("/usr/bin/%1prog-%2-%3")
                .arg(QStringLiteral("תוכנה/").repeated((generation + j) % 5))
                .arg(generation)
                .arg(j);
        tasks.append({QStringLiteral("בשעה: ") + time, QStringLiteral("הפעל תוכנה: ") + program,
                      QStringLiteral("T|%1|P|%2|").arg(time, program)});
    }
    return tasks;
}

// One registry call per generation, in a cycle of four: the dictionary address (a text whose
// length changes), the splash value on, the address again, the splash value off.
bool saveRegistry(FileRegistryStore& store, long long generation) {
    constexpr auto root = RegistryRoot::LocalMachine;
    const QString splash = QStringLiteral("TNFlash");
    switch (generation % 4) {
        case 1:
            store.savestring(root, kVersionKey, splash, QStringLiteral("1"));
            return store.getstring(root, kVersionKey, splash).has_value();
        case 3:
            store.DeleteValue(root, kVersionKey, splash);
            return !store.getstring(root, kVersionKey, splash).has_value();
        default: {
            const QString address = QStringLiteral("http://127.0.0.1:9/%1?word={word}&n=%2")
                                        .arg(QStringLiteral("מילון/").repeated(generation % 7))
                                        .arg(generation);
            store.savestring(root, kVersionKey, kDictionaryValue, address);
            return store.getstring(root, kVersionKey, kDictionaryValue) == address;
        }
    }
}

int usage() {
    std::fputs("usage: tolvane_save_loop shortcuts|tasks|registry FILE FIRST [COUNT [STEP]]\n", stderr);
    return 2;
}

}  // namespace
}  // namespace tolvane

int main(int argc, char** argv) {
    using namespace tolvane;
    if (argc < 4 || argc > 6)
        return usage();
    const std::string kind = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    const long long first = std::atoll(argv[3]);
    const long long count = argc >= 5 ? std::atoll(argv[4]) : -1;
    const long long step = argc == 6 ? std::atoll(argv[5]) : 1;

    const Windows1255 codePage;
    // The task window reads its file once before it ever writes it; so does this loop.
    TaskFile taskFile(path, codePage);
    if (kind == "tasks")
        taskFile.load();
    FileRegistryStore store(path);

    for (long long i = 0; count < 0 || i < count; ++i) {
        const long long n = first + i * step;
        announce('b', n);
        bool saved = false;
        if (kind == "shortcuts")
            saved = writeLineFile(path, fileLines(shortcutsOf(n)), codePage);
        else if (kind == "tasks")
            saved = taskFile.save(tasksOf(n));
        else if (kind == "registry")
            saved = saveRegistry(store, n);
        else
            return usage();
        announce(saved ? 'd' : 'f', n);
    }
    return 0;
}
