#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Short-lived files of the program's own, in a folder that only the user can enter.
class PrivateFiles {
public:
    struct Written {
        bool ok = false;
        QString path;  // the file's full path, when written
        int errorNumber = 0;
        QString error;  // why it could not be written
    };

    virtual ~PrivateFiles() = default;
    // Creates or replaces the file with the given contents.
    virtual Written write(const QString& name, const QByteArray& contents) = 0;
    // True when the file was there and is gone; false when it was missing or stays.
    virtual bool remove(const QString& name) = 0;
};

}  // namespace tolvane
