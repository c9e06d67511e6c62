#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Replaces the file whole, creating its folder when needed: a crash or a full disk leaves
// either the old file or the new one, never half of it, and what a crash leaves of the new one
// beside it goes at the next save. A read-only file stays unchanged, a symbolic link stays a
// link to the replaced file, and the file keeps its permissions. False when nothing was
// written, the old file then left as it was.
bool writeFileAtomically(const QString& path, const QByteArray& contents);

}  // namespace tolvane
