#pragma once

#include "platform/web_platform.h"
#include "ui/form.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace tolvane {

class WebView;

inline constexpr int kSlotCount = 5;

// A small browser with five page slots, one shown at a time, each with its own web view,
// status line and remembered address (the view's Tag, changed only by Go).
class WebBrowser : public Form {
    Q_OBJECT
public:
    explicit WebBrowser(const WebPlatform& platform);

    QToolButton* Command1;  // back
    QToolButton* Command2;  // forward
    QToolButton* Command3;  // stop
    QToolButton* Command4;  // home
    QLineEdit* Text1;       // the address
    QPushButton* Command5;  // go
    // Element 0 is made with the window, the others when it loads.
    std::array<WebView*, kSlotCount> WebBrowser1{};
    std::array<QPushButton*, kSlotCount> Command7{};
    std::array<QLabel*, kSlotCount> Status{};
    QTimer* Timer1;  // the first navigation

    int CurrentSlot = 0;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command7_Click(int Index);
    void Text1_GotFocus();
    void Text1_LostFocus();
    void Timer1_Timer();
    void WebBrowser1_StatusTextChange(int Index, const QString& Text);
    void Form_Resize();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeSlot(int index);
    QString homePage() const;

    WebPlatform platform_;
};

}  // namespace tolvane
