#pragma once

#include <QString>

namespace tolvane {

// Quotes one argument of a desktop entry's Exec key: the quoting rule first, then the
// string-value escaping that applies to the whole key, then the field-code escape of '%'.
QString desktopExecArgument(const QString& argument);

// The autostart entry that starts the given command line at log-on.
QString autostartEntry(const QString& program);

}  // namespace tolvane
