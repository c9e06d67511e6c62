#pragma once

#include "platform/tray_icon.h"

namespace tolvane {

class FakeTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    void add(const QIcon&, const QString& tipText) override {
        shown = true;
        tip = tipText;
        ++adds;
    }
    void remove() override { shown = false; }

    // As the desktop would report a mouse event on the icon.
    void click(int event) { emit notified(event); }

    bool shown = false;
    QString tip;
    int adds = 0;
};

}  // namespace tolvane
