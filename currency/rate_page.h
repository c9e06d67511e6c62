#pragma once

#include "core/document_markup.h"

#include <QString>

#include <optional>

namespace tolvane {

// The progress display: a bar of at most 5835 twips and a percentage. Either figure is
// missing when it cannot be worked out (a maximum of 0, a text that is no number); the
// display then keeps what it showed.
struct ProgressFigures {
    std::optional<float> barTwips;
    std::optional<QString> percent;
};
ProgressFigures progressFigures(const QString& progress, const QString& maximum);

// What the status line shows once an answer page has been read.
struct AnswerReading {
    QString status;
    // Only a found result reads left to right.
    bool leftToRight = false;
};

// Reads the conversion service's answer out of its page's markup: the text between
// "<P><BIG>" and "</BIG>", or the message for a page that could not be reached, for an
// answer without a result, or for a page that could not be read. homePage is the maker's
// home page, where the messages send the user.
AnswerReading readAnswer(const DocumentMarkup& markup, const QString& homePage);

// The message for a numbered failure, as the status line shows it.
QString numberedFailure(int number, const QString& description, const QString& homePage);

}  // namespace tolvane
