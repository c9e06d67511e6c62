#include "translator/tran_window.h"

#include "platform/web_view.h"
#include "translator/translation_address.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {
namespace {

constexpr int kEscape = 27;

QWidget* panel(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setAutoFillBackground(true);
    return area;
}

}  // namespace

Tran::Tran(const WebPlatform& platform)
    : Form(QStringLiteral("Tran"), kFixedDialogFrame), platform_(platform) {
    setWindowTitle(QStringLiteral("תרגומי מילים"));

    Label1 = named(new QLabel(QStringLiteral("נא הקש מילה לתרגום:"), this), "Label1");
    Text1 = named(new QLineEdit(this), "Text1");
    Text1->setAccessibleName(Label1->text());
    Command1 = named(new QPushButton(QStringLiteral("תרגם"), this), "Command1");
    WebBrowser1 = platform_.views.make(this, {});
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->widget()->setAccessibleName(QStringLiteral("דף התרגום"));
    Picture2 = named(panel(this), "Picture2");
    // It can take the focus, as the panel always could, and then Escape closes the window.
    Picture2->setFocusPolicy(Qt::TabFocus);
    Picture2->setAccessibleName(QStringLiteral("מסגרת דף התרגום"));
    Picture2->setAccessibleDescription(QStringLiteral("Escape סוגר את החלון"));
    Picture3 = named(panel(this), "Picture3");
    Picture1 = named(panel(this), "Picture1");
    Picture4 = named(panel(this), "Picture4");
    Label2 = named(new QLabel(QStringLiteral("נא רשום את המילה הרצויה לתרגום ולחץ תרגם."), Picture4),
                   "Label2");
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);

    setFixedClientTwips(4695, 5415);
    placeTwips(Label1, 2400, 240, 2055, 255);
    placeTwips(Text1, 240, 240, 2415, 285);
    placeTwips(Command1, 240, 600, 1455, 375);
    placeTwips(WebBrowser1->widget(), 240, 1080, 4455, 11775);
    placeTwips(Picture2, 240, 975, 4215, 135);
    placeTwips(Picture3, -105, 1080, 375, 3615);
    placeTwips(Picture1, 4425, 1080, 375, 3615);
    placeTwips(Picture4, 240, 4545, 4455, 1695);
    placeTwips(Label2, 0, 120, 4215, 645);
    // The panels lie over the view: only the band between them shows of the page.
    for (QWidget* over : {Picture2, Picture3, Picture1, Picture4})
        over->raise();
    setTabOrder({Text1, Command1, Picture2});

    Text1->installEventFilter(this);
    Picture2->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &Tran::Command1_Click);
    connect(WebBrowser1, &WebView::DownloadComplete, this, &Tran::WebBrowser1_DownloadComplete);
    connect(WebBrowser1, &WebView::DocumentComplete, this, &Tran::WebBrowser1_DocumentComplete);
}

void Tran::Command1_Click() {
    WebBrowser1->Navigate(translationAddress(platform_.site.dictionaryAddress(), Text1->text()));
    Label2->setText(QStringLiteral("מתחבר לשרת, נא המתן..."));
    errorShown_ = 0;
}

void Tran::Text1_GotFocus() {
    Text1->setSelection(0, static_cast<int>(Text1->text().size()));
}

void Tran::Picture2_KeyDown(int KeyCode, int) {
    if (KeyCode == kEscape)
        close();
}

void Tran::WebBrowser1_DownloadComplete() {
    // The blank page put up after a failure completes a download of its own; the failure
    // message stays until the next translation.
    if (errorShown_ != 0)
        return;
    Label2->setText(QStringLiteral("מחובר, מביא את התרגום הרצוי, נא המתן..."));
}

void Tran::WebBrowser1_DocumentComplete(const QString&) {
    if (errorShown_ != 0)
        return;
    Label2->setText(QStringLiteral("התרגום למילה הרצויה הגיע."));
    const DocumentMarkup markup = WebBrowser1->documentMarkup();
    if (!isFailedPage(markup.read ? markup.text : QString()))
        return;
    Label2->setText(QStringLiteral("לא היה ניתן להקים קשר עם השרת. בדוק את ההתחברות שלך לאינטרנט. "
                                   "אם בעיה זה נמשכת אנא פנה לאתר: ") +
                    platform_.site.homePage() + QStringLiteral(" לעזרה נוספת."));
    WebBrowser1->Navigate(QStringLiteral("about:blank"));
    errorShown_ = 1;
}

void Tran::keyPressEvent(QKeyEvent* event) {
    // Translate is the window's default button: Enter anywhere in it presses it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Command1->click();
        return;
    }
    Form::keyPressEvent(event);
}

bool Tran::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::FocusIn) {
        Text1_GotFocus();
    } else if (watched == Picture2 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Picture2_KeyDown(kEscape, 0);
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

}  // namespace tolvane
