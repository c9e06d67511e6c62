#pragma once

#include "platform/web_platform.h"
#include "ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tolvane {

class WebView;

// The word translator: sends a word to the dictionary through its web view and shows the
// answer page. The view is far larger than the window, and four panels lie over it so that
// only the top-left band of the page shows, where the translation is.
class Tran : public Form {
    Q_OBJECT
public:
    explicit Tran(const WebPlatform& platform);

    QLabel* Label1;
    QLineEdit* Text1;  // the word
    QPushButton* Command1;  // translate
    WebView* WebBrowser1;
    QWidget* Picture1;  // the panels over the view's edges
    QWidget* Picture2;
    QWidget* Picture3;
    QWidget* Picture4;
    QLabel* Label2;  // the status line, in Picture4

    void Command1_Click();
    void Text1_GotFocus();
    void Picture2_KeyDown(int KeyCode, int Shift);
    void WebBrowser1_DownloadComplete();
    void WebBrowser1_DocumentComplete(const QString& URL);

    // 1 once a failed load has been reported, until the next translation.
    int errorShown() const { return errorShown_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WebPlatform platform_;
    int errorShown_ = 0;
};

}  // namespace tolvane
