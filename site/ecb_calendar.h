#pragma once

#include <QDate>
#include <QDateTime>

namespace tolvane {

// The newest day whose ECB reference rates are out at the given moment: the ECB publishes on
// its working days (not weekends, New Year's Day, Good Friday, Easter Monday, 1 May, 25 and 26
// December) around 16:00 CET; before 15:00 UTC the previous working day is the newest.
QDate lastEcbPublicationDay(const QDateTime& now);

}  // namespace tolvane
