#pragma once

#include "calculator/calc_engine.h"
#include "calculator/calc_keys.h"

#include <QString>

#include <algorithm>
#include <ostream>

// Failed comparisons show the texts themselves; GoogleTest looks for this name.
// NOLINTNEXTLINE(readability-identifier-naming)
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tolvane {

inline int keyIndexOf(QChar caption) {
    const auto* key = std::ranges::find_if(
        kCalcKeys, [caption](const CalcKey& k) { return k.caption == QStringView(&caption, 1); });
    return static_cast<int>(key - kCalcKeys.begin());
}

// Types the keys whose captions the text spells, one character a key.
inline void typeKeys(CalcEngine& engine, QStringView captions) {
    for (const QChar caption : captions)
        engine.typeKey(keyIndexOf(caption));
}

// Clicks the keys whose captions the text spells, one character a key.
inline void clickKeys(CalcEngine& engine, QStringView captions) {
    for (const QChar caption : captions)
        engine.clickKey(keyIndexOf(caption));
}

}  // namespace tolvane
