#pragma once

#include <QString>

namespace tolvane {

// The dictionary's query for a word, the word exactly as typed: neither trimmed nor escaped,
// empty included. dictionaryAddress is the address without its query.
QString translationAddress(const QString& dictionaryAddress, const QString& word);

// Whether a document's markup is what a page that could not be loaded shows: nothing, nothing
// readable, or the page that could not find its server.
bool isFailedPage(const QString& markup);

}  // namespace tolvane
