#pragma once

#include <QString>

namespace tolvane {

// The keys and value names the program keeps its settings under.
inline const QString kRunKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValue = QStringLiteral("Tolvane");
inline const QString kVersionKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");

}  // namespace tolvane
