#include "settings/about_window.h"

#include "core/version.h"
#include "ui/link_area.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace tolvane {

About::About(const Platform& platform)
    : Form(QStringLiteral("About"), Qt::Window | Qt::FramelessWindowHint), platform_(platform) {
    setWindowTitle(QStringLiteral("About"));

    Label1 = named(new QLabel(QStringLiteral("Ver: ") + QLatin1String(kVersion), this), "Label1");
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(12);
    Label1->setFont(bold);
    Label1->setLayoutDirection(Qt::LeftToRight);
    Command1 = named(new QPushButton(QStringLiteral("סגור"), this), "Command1");
    Image1 = named(new LinkArea(this), "Image1");
    Image2 = named(new LinkArea(this), "Image2");
    // What the picture says over each link, and where it leads.
    Image1->setAccessibleName(QStringLiteral("אתר הבית של Tolvane"));
    Image1->setAccessibleDescription(platform_.site.homePage());
    Image2->setAccessibleName(QStringLiteral("צרו איתנו קשר"));
    Image2->setAccessibleDescription(platform_.site.contactPage());
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(2000);

    setFixedClientTwips(5250, 2250);
    placeTwips(Label1, 360, 1320, 1215, 375);
    placeTwips(Command1, 3480, 1680, 1215, 375);
    placeTwips(Image1, 360, 1680, 3015, 375);
    placeTwips(Image2, 1320, 1080, 3375, 495);
    setTabOrder({Image2, Command1, Image1});
    // Enter on a window just opened closes it, rather than following a link.
    Command1->setFocus();

    connect(Timer1, &QTimer::timeout, this, &About::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);
    connect(Image1, &LinkArea::clicked, this, &About::Image1_Click);
    connect(Image2, &LinkArea::clicked, this, &About::Image2_Click);
}

void About::showAsSplash() {
    Timer1->start();
    Command1->setVisible(false);
    // Keys typed while the splash comes up never follow a link.
    Image1->setFocusPolicy(Qt::NoFocus);
    Image2->setFocusPolicy(Qt::NoFocus);
}

void About::Timer1_Timer() {
    close();
}

void About::Command1_Click() {
    close();
}

void About::Form_MouseDown(Qt::MouseButton button, QPoint position) {
    if (button == Qt::LeftButton)
        drag_ = position;
}

void About::Form_MouseMove(Qt::MouseButtons buttons, QPoint position) {
    if (buttons == Qt::LeftButton)
        move(pos() + position - drag_);
}

void About::Image1_Click() {
    platform_.opener.ShellDef(platform_.site.homePage());
    Image1->hide();
}

void About::Image2_Click() {
    platform_.opener.ShellDef(platform_.site.contactPage());
    Image2->hide();
}

void About::mousePressEvent(QMouseEvent* event) {
    // A press that a label passed on is not on the bare background.
    const QPoint position = event->position().toPoint();
    if (!childAt(position))
        Form_MouseDown(event->button(), position);
}

void About::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event->buttons(), event->position().toPoint());
}

void About::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x3f, 0x8f, 0xd8));
    sky.setColorAt(1, QColor(0x1c, 0x4f, 0x8f));
    painter.fillRect(rect(), sky);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));

    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(24);
    title.setBold(true);
    painter.setFont(title);
    const QRect top(0, 0, width(), Image2->y());
    painter.drawText(top.adjusted(12, 4, -12, -top.height() / 2 + 8), Qt::AlignCenter,
                     QStringLiteral("Tolvane"));
    QFont text = font();
    text.setPointSize(10);
    painter.setFont(text);
    painter.drawText(top.adjusted(12, top.height() / 2 + 4, -12, 0), Qt::AlignCenter,
                     QStringLiteral("כלי העזר הקטן שלך, תמיד במגש המערכת"));

    // The link areas draw nothing themselves; their texts belong to the picture.
    text.setUnderline(true);
    painter.setFont(text);
    painter.setPen(QColor(0xff, 0xe0, 0x90));
    painter.drawText(Image2->geometry(), Qt::AlignCenter, QStringLiteral("צרו איתנו קשר"));
    painter.drawText(Image1->geometry(), Qt::AlignCenter, platform_.site.host());
}

}  // namespace tolvane
