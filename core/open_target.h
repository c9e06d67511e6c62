#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace tolvane {

// What the desktop is asked to do with a target text.
struct OpenAction {
    enum class Kind { Nothing, Start, OpenFile, OpenUrl };
    Kind kind = Kind::Nothing;
    QString path;  // Start, OpenFile
    QUrl url;      // OpenUrl

    bool operator==(const OpenAction&) const = default;
};

// The facts about a local path that decide how it opens.
struct PathFacts {
    bool exists = false;
    bool isDir = false;
    bool isExecutable = false;
};

// Reads a target as the Windows shell would: "http:\\host" is a web address, a bare host
// followed by a path is a web address, an executable file is started with no arguments,
// and any other existing file or folder opens with its default handler.
OpenAction resolveOpenTarget(const QString& target,
                             const std::function<PathFacts(const QString&)>& probe);

// Reads an address given to an embedded web view as the old browser control did: the same
// Windows-style and bare-host addresses as above, an absolute local path as that file, any
// other text without a scheme as a host on the web, and nothing as the blank page.
QUrl navigationUrl(const QString& address);

}  // namespace tolvane
