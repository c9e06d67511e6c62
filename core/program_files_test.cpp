#include "core/program_files.h"

#include <gtest/gtest.h>

#include <QSet>

namespace tolvane {
namespace {

const QString kBuild = QStringLiteral("/home/dev/tolvane/build");

// The program files of a program in programFolder, on a disk where only the given programs are.
ProgramFiles filesOf(const QString& programFolder, const QStringList& programs,
                     const QString& privateFolder = QStringLiteral("../lib/tolvane")) {
    const QSet<QString> present(programs.begin(), programs.end());
    return ProgramFiles(programFolder, privateFolder, kBuild,
                        [present](const QString& path) { return present.contains(path); });
}

TEST(ProgramFiles, AnInstallationFindsItsCompanionsInItsPrivateFolderWhereverItWasMoved) {
    for (const QString& prefix : {QStringLiteral("/usr"), QStringLiteral("/tmp/x y/prefix")}) {
        const ProgramFiles files = filesOf(prefix + "/bin", {prefix + "/lib/tolvane/tolvane-web"});
        EXPECT_TRUE(files.installed());
        EXPECT_EQ(files.companionFolders(),
                  QStringList({prefix + "/bin", prefix + "/lib/tolvane", kBuild}));
        EXPECT_EQ(files.companionProgram("tolvane-web"), prefix + "/lib/tolvane/tolvane-web");
    }
    // A private folder given whole, as a distribution may place it.
    const ProgramFiles multiarch = filesOf("/usr/bin", {"/usr/lib/x86_64-linux-gnu/tolvane/tolvane-web"},
                                           "/usr/lib/x86_64-linux-gnu/tolvane");
    EXPECT_TRUE(multiarch.installed());
    EXPECT_EQ(multiarch.companionProgram("tolvane-web"),
              "/usr/lib/x86_64-linux-gnu/tolvane/tolvane-web");
}

TEST(ProgramFiles, ABuildTreeOrACopiedFolderUsesWhatIsBesideTheProgram) {
    // The build tree itself: every folder once, the program's first.
    const ProgramFiles build = filesOf(kBuild, {kBuild + "/tolvane-web"});
    EXPECT_FALSE(build.installed());
    EXPECT_EQ(build.companionFolders(), QStringList({kBuild, "/home/dev/tolvane/lib/tolvane"}));
    EXPECT_EQ(build.companionProgram("tolvane-web"), kBuild + "/tolvane-web");

    // A folder copied whole wins over an installation that happens to sit next to it.
    const ProgramFiles copied =
        filesOf("/opt/t/bin", {"/opt/t/bin/tolvane-web", "/opt/t/lib/tolvane/tolvane-web"});
    EXPECT_FALSE(copied.installed());
    EXPECT_EQ(copied.companionProgram("tolvane-web"), "/opt/t/bin/tolvane-web");

    // A lone copy of the program (as a test makes) falls back on the build folder, and names
    // it even where nothing is found, so that the failure to start shows that path.
    const ProgramFiles lone = filesOf("/tmp/e2e/app", {kBuild + "/tolvane-web"});
    EXPECT_FALSE(lone.installed());
    EXPECT_EQ(lone.companionProgram("tolvane-web"), kBuild + "/tolvane-web");
    EXPECT_EQ(filesOf("/tmp/e2e/app", {}).companionProgram("tolvane-web"), kBuild + "/tolvane-web");
}

TEST(ProgramFiles, ListsStayOutOfAnInstallationsFolderEvenWhereItCouldBeWritten) {
    const QString data = QStringLiteral("/home/u/.local/share");
    // Installed under the home folder, or run as root: the folder is writable, but not the place.
    const ProgramFiles installed =
        filesOf("/home/u/.local/bin", {"/home/u/.local/lib/tolvane/tolvane-web"});
    EXPECT_EQ(installed.listFolder(true, data), data + "/tolvane");
    EXPECT_EQ(installed.listFolder(false, data), data + "/tolvane");

    // A build tree or a copied folder keeps them beside the program while it may write there.
    const ProgramFiles copied = filesOf("/media/stick/tolvane", {"/media/stick/tolvane/tolvane-web"});
    EXPECT_EQ(copied.listFolder(true, data), "/media/stick/tolvane");
    EXPECT_EQ(copied.listFolder(false, data), data + "/tolvane");
}

}  // namespace
}  // namespace tolvane
