#pragma once

#include <QString>

#include <ostream>

// Failed comparisons show the texts themselves; GoogleTest looks for this name.
// NOLINTNEXTLINE(readability-identifier-naming)
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
