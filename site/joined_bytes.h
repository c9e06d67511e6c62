#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <initializer_list>

namespace tolvane {

// The pieces one after the other, in one allocation: the site's answers are made this way
// rather than by appending piece by piece, which costs an allocation check and often a copy
// for each.
inline QByteArray joinedBytes(std::initializer_list<QByteArrayView> pieces) {
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces) {
        size += piece.size();
    }
    QByteArray joined(size, Qt::Uninitialized);
    char* end = joined.data();
    for (const QByteArrayView piece : pieces) {
        end = std::copy(piece.begin(), piece.end(), end);
    }
    return joined;
}

}  // namespace tolvane
