#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace tolvane {

// Where the program finds what it starts or loads (the web windows' program, the site's module)
// and where it keeps its list files.
//
// A build tree, or a folder copied whole, has those files beside the program and keeps the lists
// there too while it may write them. An installation has them in a private library folder, named
// relative to the program's folder so that an installed tree still works when moved whole, and
// keeps the lists in the user's data folder even where it could write its own (run as root, or
// installed under the home folder): an installed program's folder is no place for a user's data.
class ProgramFiles {
public:
    // Whether a path names a program that may be started.
    using IsProgram = std::function<bool(const QString& path)>;

    // programFolder: the running executable's; privateFolder: the installation's private
    // library folder, relative to programFolder or absolute; buildFolder: where the companions
    // were built, the last place looked in, so that programs of a build tree that are not
    // beside them (tests, a copied binary) still find them.
    ProgramFiles(QString programFolder, const QString& privateFolder, QString buildFolder,
                 IsProgram isProgram);

    // The folders a companion is looked for in, first to last, each once: beside the program,
    // the private library folder, the build folder.
    QStringList companionFolders() const;
    // The path of the named program in the first of those folders that has it; in the build
    // folder when none has.
    QString companionProgram(const QString& name) const;
    // Whether the program runs from an installation: the web windows' program is not beside it
    // but in the private library folder.
    bool installed() const { return installed_; }
    // Where the list files go: beside the program when it is not installed and its folder is
    // writable, otherwise "tolvane" in the user's data folder.
    QString listFolder(bool programFolderWritable, const QString& userDataFolder) const;

    QString programFolder() const { return programFolder_; }

private:
    QString programFolder_;
    QString privateFolder_;
    QString buildFolder_;
    IsProgram isProgram_;
    bool installed_ = false;
};

// The file name of the web windows' program.
inline constexpr QStringView kWebProgramName = u"tolvane-web";

}  // namespace tolvane
