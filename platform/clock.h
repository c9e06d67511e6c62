#pragma once

#include <QDateTime>

namespace tolvane {

// The time of day and the date, so that tests can move them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

}  // namespace tolvane
