#pragma once

#include "platform/clock.h"

namespace tolvane {

// The system's local time.
class QtClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace tolvane
