#pragma once

#include "platform/program_control.h"

#include <QObject>

namespace tolvane {

class QtProgramControl : public QObject, public ProgramControl {
    Q_OBJECT
public:
    QtProgramControl();

    void processEvents() override;
    void endNow() override;
    bool sessionEnding() const override { return sessionEnding_; }

private:
    bool sessionEnding_ = false;
};

}  // namespace tolvane
