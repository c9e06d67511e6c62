#include "core/program_path.h"

namespace tolvane {

QString windowsProgramPath(const QString& appPath, const QString& exeName) {
    const QString separator = appPath.size() > 3 ? QStringLiteral("\\") : QString();
    return appPath + separator + exeName + QStringLiteral(".exe");
}

}  // namespace tolvane
