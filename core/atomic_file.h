#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Replaces the file whole, creating its folder when needed: a crash or a full disk leaves
// either the old file or the new one, never half of it. A read-only file stays unchanged.
// False when nothing was written.
bool writeFileAtomically(const QString& path, const QByteArray& contents);

}  // namespace tolvane
