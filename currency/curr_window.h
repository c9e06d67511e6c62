#pragma once

#include "platform/web_platform.h"
#include "ui/form.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace tolvane {

class ProgressStrip;
class SimpleCombo;
class WebView;

// The request page's file name in the program's private folder.
inline constexpr QStringView kRequestPageName = u"Currencies.htm";

// The currency converter. It writes a page whose form posts the amount and the two currency
// codes to the conversion service as soon as it loads, lets its practically invisible web view
// load that page, and reads the converted amount out of the answer into the status line. The
// request stage is its only memory between the view's events: 1 while the request page loads,
// 2 once it has, when every completed document is read as the answer.
class Curr : public Form {
    Q_OBJECT
public:
    explicit Curr(const WebPlatform& platform);

    QLabel* Label1;
    QLineEdit* Text2;  // the amount
    SimpleCombo* Combo1;  // from
    QLabel* Label3;
    SimpleCombo* Combo2;  // to
    QPushButton* Command1;
    QLabel* Status;
    ProgressStrip* Picture2;  // the progress strip
    QFrame* Shape1;    // its bar
    QLabel* Label2;    // the percentage
    QListWidget* List1;  // the codes, row by row with the two lists
    QString Text3;  // the request page's template
    QString Text1;  // the request page being built
    WebView* WebBrowser1;
    QTimer* Timer1;  // deletes the request page

    // A key of the window, by its Windows virtual-key code.
    void Form_KeyDown(int KeyCode, int Shift);
    void Command1_Click();
    void Timer1_Timer();
    void WebBrowser1_ProgressChange(int Progress, int ProgressMax);
    void WebBrowser1_DocumentComplete(const QString& URL);
    // Shows the progress p out of the maximum m, both as texts.
    void ProgressChange(const QString& p, const QString& m);
    // Reads the answer in the web view into the status line.
    void recived();

    int requestStage() const { return stage_; }

protected:
    void Form_Load() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setStatusLeftToRight(bool leftToRight);
    // Lets the waiting events run once; false when the window has closed meanwhile or a newer
    // request has begun, so that the caller has nothing more to do.
    bool letEventsRun();

    WebPlatform platform_;
    int stage_ = 0;
    int progressEvents_ = 0;
    QString lastProgress_;
    QString lastMaximum_;
    // Counts the requests, so that one overtaken by a newer one stops where it is.
    quint64 request_ = 0;
};

}  // namespace tolvane
