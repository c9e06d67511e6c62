#pragma once

#include "platform/private_files.h"

namespace tolvane {

// Private files in "tolvane" under the user's runtime folder ($XDG_RUNTIME_DIR), made with
// mode 0700; without a runtime folder, in a folder of this process's own under the temporary
// directory. A file is never written through a symbolic link planted in its place, and the
// folder is used only while it belongs to the user and nobody else may enter it.
class RuntimeFolderFiles : public PrivateFiles {
public:
    // runtimeFolder empty: no runtime folder.
    explicit RuntimeFolderFiles(QString runtimeFolder);
    ~RuntimeFolderFiles() override;
    RuntimeFolderFiles(const RuntimeFolderFiles&) = delete;
    RuntimeFolderFiles& operator=(const RuntimeFolderFiles&) = delete;

    Written write(const QString& name, const QByteArray& contents) override;
    bool remove(const QString& name) override;

private:
    // The folder, opened; -1 with errno set when it cannot be had safely.
    int folder();

    QString runtimeFolder_;
    QString path_;
    int folderFd_ = -1;
    bool ownTemporary_ = false;
};

}  // namespace tolvane
