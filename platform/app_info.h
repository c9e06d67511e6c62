#pragma once

#include <QIcon>
#include <QString>

namespace tolvane {

// What the program knows about itself.
class AppInfo {
public:
    virtual ~AppInfo() = default;

    // The title that message boxes without one of their own carry.
    virtual QString title() const = 0;
    // The full path under which the program registers itself to start at log-on.
    virtual QString programPath() const = 0;
    // The folder where the program keeps its list files.
    virtual QString dataFolder() const = 0;
    virtual QIcon icon() const = 0;
    // True when another copy of the program already runs for this user.
    virtual bool prevInstance() const = 0;
};

}  // namespace tolvane
