#include "platform/linux/qt_program_control.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace tolvane {

QtProgramControl::QtProgramControl() {
    // The session manager asks for data to be saved before it ends the session; the
    // program has none to save and must then let every window close.
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                     [this](QSessionManager&) { sessionEnding_ = true; });
}

void QtProgramControl::processEvents() {
    QCoreApplication::processEvents();
}

void QtProgramControl::endNow() {
    QCoreApplication::exit(0);
}

}  // namespace tolvane
