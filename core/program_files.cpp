#include "core/program_files.h"

#include <QDir>

namespace tolvane {

ProgramFiles::ProgramFiles(QString programFolder, const QString& privateFolder,
                           QString buildFolder, IsProgram isProgram)
    : programFolder_(std::move(programFolder)),
      privateFolder_(QDir::cleanPath(QDir(programFolder_).filePath(privateFolder))),
      buildFolder_(std::move(buildFolder)),
      isProgram_(std::move(isProgram)) {
    const QString web = kWebProgramName.toString();
    installed_ = !isProgram_(programFolder_ + u'/' + web) &&
                 isProgram_(privateFolder_ + u'/' + web);
}

QStringList ProgramFiles::companionFolders() const {
    QStringList folders;
    for (const QString& folder : {programFolder_, privateFolder_, buildFolder_}) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    }
    return folders;
}

QString ProgramFiles::companionProgram(const QString& name) const {
    for (const QString& folder : companionFolders()) {
        QString path = folder + u'/' + name;
        if (isProgram_(path))
            return path;
    }
    return QDir::cleanPath(buildFolder_) + u'/' + name;
}

QString ProgramFiles::listFolder(bool programFolderWritable, const QString& userDataFolder) const {
    if (!installed_ && programFolderWritable)
        return programFolder_;
    return userDataFolder + QStringLiteral("/tolvane");
}

}  // namespace tolvane
