#include "browser/web_browser_window.h"

#include "browser/browser_layout.h"
#include "core/registry_paths.h"
#include "platform/web_view.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace tolvane {
namespace {

// The window's client size as drawn.
constexpr int kDesignWidth = 4800;
constexpr int kDesignHeight = 3855;
constexpr int kSlotButtonLefts[kSlotCount] = {0, 960, 1920, 2880, 3840};

QToolButton* navigationButton(const QString& caption, const QString& icon, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setIcon(QIcon(QStringLiteral(":/tolvane/browser/") + icon));
    button->setIconSize(QSize(22, 22));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(false);
    return button;
}

int toTwips(int pixels) {
    return static_cast<int>(std::lround(pixels * screenTwipsPerPixel()));
}

}  // namespace

WebBrowser::WebBrowser(const WebPlatform& platform)
    : Form(QStringLiteral("WebBrowser")), platform_(platform) {
    setWindowTitle(designCaption());

    Command1 = named(navigationButton(QStringLiteral("אחורה"), QStringLiteral("back.svg"), this),
                     "Command1");
    Command2 = named(navigationButton(QStringLiteral("קדימה"), QStringLiteral("forward.svg"), this),
                     "Command2");
    Command4 = named(navigationButton(QStringLiteral("לדף הבית"), QStringLiteral("home.svg"), this),
                     "Command4");
    Command3 = named(navigationButton(QStringLiteral("עצור"), QStringLiteral("stop.svg"), this),
                     "Command3");
    Text1 = named(new QLineEdit(platform_.site.homePage(), this), "Text1");
    Text1->setAccessibleName(QStringLiteral("כתובת"));
    Command5 = named(new QPushButton(QStringLiteral("Go"), this), "Command5");

    makeSlot(0);
    WebBrowser1[0]->Tag = Text1->text();
    Status[0]->setText(QStringLiteral("Ready."));
    for (int i = 0; i < kSlotCount; ++i) {
        Command7[i] = named(new QPushButton(QStringLiteral("חלון ") + QString::number(i + 1), this),
                            "Command7");
        connect(Command7[i], &QPushButton::clicked, this, [this, i] { Command7_Click(i); });
    }
    // The slot buttons follow the address row in their numbers' order.
    setTabOrder({Command1, Command2, Command4, Command3, Text1, Command5, Command7[0], Command7[1],
                 Command7[2], Command7[3], Command7[4]});
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(50);

    placeTwips(Command1, 3600, 0, 1215, 615);
    placeTwips(Command2, 2400, 0, 1215, 615);
    placeTwips(Command4, 0, 0, 1215, 615);
    placeTwips(Command3, 1200, 0, 1215, 615);
    placeTwips(Text1, 0, 600, 4335, 285);
    placeTwips(Command5, 4320, 600, 495, 285);
    for (int i = 0; i < kSlotCount; ++i)
        placeTwips(Command7[i], kSlotButtonLefts[i], 3390, 975, 255);
    setMinimumSize(twipsSize(kMinimumOuterWidthTwips - kFrameWidthTwips,
                             kMinimumOuterHeightTwips - kFrameHeightTwips));
    resize(twipsSize(kDesignWidth, kDesignHeight));

    Text1->installEventFilter(this);
    connect(Command1, &QToolButton::clicked, this, &WebBrowser::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &WebBrowser::Command2_Click);
    connect(Command3, &QToolButton::clicked, this, &WebBrowser::Command3_Click);
    connect(Command4, &QToolButton::clicked, this, &WebBrowser::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &WebBrowser::Command5_Click);
    connect(Timer1, &QTimer::timeout, this, &WebBrowser::Timer1_Timer);
}

QString WebBrowser::homePage() const {
    const std::optional<QString> own =
        platform_.registry.getstring(RegistryRoot::LocalMachine, kVersionKey, kHomePageValue);
    return isPresent(own) ? *own : platform_.site.homePage();
}

void WebBrowser::makeSlot(int index) {
    WebView* view = platform_.views.make(this, {.localPagesMayPost = false, .homePage = homePage()});
    view->setObjectName(QStringLiteral("WebBrowser1"));
    view->widget()->setAccessibleName(QStringLiteral("הדף בחלון ") + QString::number(index + 1));
    view->widget()->setVisible(index == 0);
    auto* status = named(new QLabel(this), "Status");
    status->setVisible(index == 0);
    status->setTextFormat(Qt::PlainText);
    placeTwips(view->widget(), 0, 840, 4815, 2535);
    placeTwips(status, 0, 3620, 4815, 255);
    connect(view, &WebView::StatusTextChange, this,
            [this, index](const QString& text) { WebBrowser1_StatusTextChange(index, text); });
    WebBrowser1[index] = view;
    Status[index] = status;
}

void WebBrowser::Form_Load() {
    CurrentSlot = 0;
    for (int i = 1; i < kSlotCount; ++i) {
        makeSlot(i);
        WebBrowser1[i]->Tag = QString();
        Status[i]->setText(Status[0]->text());
    }
    Form_Resize();
    // At its drawn size no page can be read: it opens maximised, and restored it has that
    // size, centred.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect normal(QPoint(), twipsSize(kDesignWidth, kDesignHeight));
        normal.moveCenter(screen->availableGeometry().center());
        setGeometry(normal);
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    Timer1->start();
}

void WebBrowser::Command1_Click() {
    if (!WebBrowser1[CurrentSlot]->GoBack()) {
        platform_.messages.show(QStringLiteral("לא יכול ללכת אחורה"), MessageBoxes::Buttons::Ok,
                                MessageBoxes::Icon::None, platform_.title);
    }
}

void WebBrowser::Command2_Click() {
    if (!WebBrowser1[CurrentSlot]->GoForward()) {
        platform_.messages.show(QStringLiteral("לא יכול ללכת קדימה"), MessageBoxes::Buttons::Ok,
                                MessageBoxes::Icon::None, platform_.title);
    }
}

void WebBrowser::Command3_Click() {
    WebBrowser1[CurrentSlot]->Stop();
}

void WebBrowser::Command4_Click() {
    WebBrowser1[CurrentSlot]->GoHome();
}

void WebBrowser::Command5_Click() {
    WebBrowser1[CurrentSlot]->Navigate(Text1->text());
    WebBrowser1[CurrentSlot]->Tag = Text1->text();
}

void WebBrowser::Command7_Click(int Index) {
    CurrentSlot = Index;
    for (int j = 0; j < kSlotCount; ++j) {
        if (WebBrowser1[j])
            WebBrowser1[j]->widget()->hide();
        if (Status[j])
            Status[j]->hide();
    }
    WebBrowser1[CurrentSlot]->widget()->show();
    Status[CurrentSlot]->show();
    Text1->setText(WebBrowser1[CurrentSlot]->Tag);
    Text1->setFocus();
    setWindowTitle(slotCaption(CurrentSlot));
}

void WebBrowser::Text1_GotFocus() {
    Command5->setDefault(true);
}

void WebBrowser::Text1_LostFocus() {
    Command5->setDefault(false);
}

void WebBrowser::Timer1_Timer() {
    Timer1->stop();
    Command5_Click();
    Text1->setSelection(0, static_cast<int>(Text1->text().size()));
    Text1->setFocus();
}

void WebBrowser::WebBrowser1_StatusTextChange(int Index, const QString& Text) {
    Status[Index]->setText(Text);
}

void WebBrowser::Form_Resize() {
    const BrowserLayout layout = browserLayout(toTwips(width()) + kFrameWidthTwips,
                                               toTwips(height()) + kFrameHeightTwips);
    // Below its smallest size the window grows back, unless it is minimised or maximised.
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QSize least = twipsSize(layout.width - kFrameWidthTwips,
                                      layout.height - kFrameHeightTwips);
        if (width() < least.width() || height() < least.height())
            resize(size().expandedTo(least));
    }
    placeTwips(Command5, layout.goLeft, 600, 495, 285);
    placeTwips(Text1, 0, 600, layout.addressWidth, 285);
    for (int i = 0; i < kSlotCount; ++i) {
        if (WebBrowser1[i])
            placeTwips(WebBrowser1[i]->widget(), 0, 840, layout.pageWidth, layout.pageHeight);
        if (Command7[i])
            placeTwips(Command7[i], kSlotButtonLefts[i], layout.slotButtonsTop, 975, 255);
        if (Status[i])
            placeTwips(Status[i], 0, layout.statusTop, layout.statusWidth, 255);
    }
}

void WebBrowser::Form_Unload(bool&) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!WebBrowser1[i])
            continue;
        WebBrowser1[i]->Stop();
        // The first slot belongs to the window itself and goes with it.
        if (i > 0) {
            delete WebBrowser1[i];
            WebBrowser1[i] = nullptr;
        }
    }
}

void WebBrowser::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

void WebBrowser::keyPressEvent(QKeyEvent* event) {
    // Go is the default button only while the address box has the focus.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Command5->isDefault()) {
        Command5_Click();
        return;
    }
    Form::keyPressEvent(event);
}

bool WebBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        Text1_GotFocus();
    else if (watched == Text1 && event->type() == QEvent::FocusOut)
        Text1_LostFocus();
    return Form::eventFilter(watched, event);
}

}  // namespace tolvane
