#include "platform/linux/runtime_folder_files.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {
namespace {

// Opens a folder that must be a real folder of the user's, closed to everyone else.
int openPrivateFolder(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || facts.st_uid != ::getuid() || (facts.st_mode & 077) != 0) {
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

bool isPlainName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && name != u"." && name != u"..";
}

}  // namespace

RuntimeFolderFiles::RuntimeFolderFiles(QString runtimeFolder)
    : runtimeFolder_(std::move(runtimeFolder)) {}

RuntimeFolderFiles::~RuntimeFolderFiles() {
    if (folderFd_ >= 0)
        ::close(folderFd_);
    // A folder of this process's own goes with it; one in the runtime folder is shared.
    if (ownTemporary_)
        QDir(path_).removeRecursively();
}

int RuntimeFolderFiles::folder() {
    if (folderFd_ >= 0)
        return folderFd_;
    if (!runtimeFolder_.isEmpty()) {
        path_ = runtimeFolder_ + QStringLiteral("/tolvane");
        const QByteArray encoded = QFile::encodeName(path_);
        if (::mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST)
            return -1;
        folderFd_ = openPrivateFolder(encoded);
        return folderFd_;
    }
    // mkdtemp makes a new folder with mode 0700 that nobody else can have made first.
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/tolvane-XXXXXX"));
    if (!::mkdtemp(pattern.data()))
        return -1;
    path_ = QFile::decodeName(pattern);
    ownTemporary_ = true;
    folderFd_ = openPrivateFolder(pattern);
    return folderFd_;
}

PrivateFiles::Written RuntimeFolderFiles::write(const QString& name, const QByteArray& contents) {
    Written result;
    const auto failed = [&result](int error) {
        result.errorNumber = error;
        result.error = qt_error_string(error);
        return result;
    };
    if (!isPlainName(name))
        return failed(EINVAL);
    const int dir = folder();
    if (dir < 0)
        return failed(errno);
    const int fd = ::openat(dir, QFile::encodeName(name).constData(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return failed(errno);
    qsizetype done = 0;
    while (done < contents.size()) {
        const ssize_t written = ::write(fd, contents.constData() + done, contents.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(fd);
            return failed(error);
        }
        done += written;
    }
    if (::close(fd) != 0)
        return failed(errno);
    result.ok = true;
    result.path = path_ + u'/' + name;
    return result;
}

bool RuntimeFolderFiles::remove(const QString& name) {
    const int dir = folder();
    return isPlainName(name) && dir >= 0 &&
           ::unlinkat(dir, QFile::encodeName(name).constData(), 0) == 0;
}

}  // namespace tolvane
