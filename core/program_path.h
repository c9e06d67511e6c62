#pragma once

#include <QString>

namespace tolvane {

// The full path of the program as registered for start at log-on on Windows: the folder
// (no trailing backslash, except a drive root such as "C:\"), the file name and ".exe".
QString windowsProgramPath(const QString& appPath, const QString& exeName);

}  // namespace tolvane
