#pragma once

#include <QString>

namespace tolvane {

// What reading a web view's document gives: its markup, or the number and description of the
// failure that kept it from being read.
struct DocumentMarkup {
    static DocumentMarkup of(QString text) { return {true, std::move(text), 0, {}}; }
    static DocumentMarkup unreadable(int number, QString description) {
        return {false, {}, number, std::move(description)};
    }

    bool read = false;
    QString text;
    int errorNumber = 0;
    QString errorDescription;
};

// How a web view's document reads when its page could not be reached, as the old browser
// control's own error page began.
inline constexpr QStringView kCannotFindServerPage =
    u"<HEAD><TITLE>Cannot find server</TITLE></HEAD>\r\n"
    u"<BODY>The page cannot be displayed.</BODY>";

}  // namespace tolvane
