#pragma once

#include <QString>

namespace tolvane {

// The keys and value names the program keeps its settings under.
inline const QString kRunKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValue = QStringLiteral("Tolvane");
inline const QString kVersionKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
// The word translator's dictionary address, "{word}" standing for the word; none by default.
inline const QString kDictionaryValue = QStringLiteral("TNDictionary");
// The browser's home page; the maker's home page when there is none.
inline const QString kHomePageValue = QStringLiteral("TNHomePage");

}  // namespace tolvane
