#include "platform/linux/qt_document_opener.h"

#include "core/open_target.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace tolvane {

void QtDocumentOpener::ShellDef(const QString& target) {
    const OpenAction action = resolveOpenTarget(target, [](const QString& path) {
        const QFileInfo info(path);
        return PathFacts{info.exists(), info.isDir(), info.isExecutable()};
    });
    switch (action.kind) {
        case OpenAction::Kind::Nothing:
            break;
        case OpenAction::Kind::Start:
            QProcess::startDetached(QFileInfo(action.path).absoluteFilePath(), {});
            break;
        case OpenAction::Kind::OpenFile:
            QDesktopServices::openUrl(QUrl::fromLocalFile(action.path));
            break;
        case OpenAction::Kind::OpenUrl:
            QDesktopServices::openUrl(action.url);
            break;
    }
}

}  // namespace tolvane
