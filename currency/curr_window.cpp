#include "currency/curr_window.h"

#include "currency/currency_table.h"
#include "currency/rate_page.h"
#include "currency/request_page.h"
#include "platform/web_view.h"
#include "ui/progress_strip.h"
#include "ui/simple_combo.h"
#include "ui/twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace tolvane {
namespace {

constexpr int kEscape = 27;
// The page's file is deleted this long after each request.
constexpr int kDeleteAfterMilliseconds = 5000;

}  // namespace

Curr::Curr(const WebPlatform& platform)
    : Form(QStringLiteral("Curr"), kFixedDialogFrame), platform_(platform) {
    setWindowTitle(QStringLiteral("המרת מטבעות"));

    Label1 = named(new QLabel(QStringLiteral("הפוך:"), this), "Label1");
    Label1->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    Text2 = named(new QLineEdit(QStringLiteral("1"), this), "Text2");
    Text2->setAccessibleName(QStringLiteral("סכום"));
    Combo1 = named(new SimpleCombo(this), "Combo1");
    Combo1->setAccessibleNames(QStringLiteral("ממטבע"), QStringLiteral("המטבעות להמרה מהם"));
    Label3 = named(new QLabel(QStringLiteral("ל:"), this), "Label3");
    Combo2 = named(new SimpleCombo(this), "Combo2");
    Combo2->setAccessibleNames(QStringLiteral("למטבע"), QStringLiteral("המטבעות להמרה אליהם"));
    Command1 = named(new QPushButton(QStringLiteral("בצע"), this), "Command1");
    Status = named(new QLabel(QStringLiteral("נא בחר מאיזה מטבע לאיזה מטבע ברצונך להמיר ואז לחץ "
                                             "על הכפתור בצע."),
                              this),
                   "Status");
    Status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Status->setWordWrap(true);
    Status->setTextFormat(Qt::PlainText);
    Picture2 = named(new ProgressStrip(this), "Picture2");
    Picture2->setAutoFillBackground(true);
    Picture2->setPalette(QPalette(QColor(0xc0, 0xc0, 0xc0)));
    Picture2->setAccessibleName(QStringLiteral("התקדמות"));
    Shape1 = named(new QFrame(Picture2), "Shape1");
    Shape1->setAutoFillBackground(true);
    QPalette bar;
    bar.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    Shape1->setPalette(bar);
    Label2 = named(new QLabel(QStringLiteral("0%"), this), "Label2");
    List1 = named(new QListWidget(this), "List1");
    List1->setVisible(false);
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(kDeleteAfterMilliseconds);

    QStringList names;
    for (const Currency& currency : kCurrencies) {
        names.append(QString::fromLatin1(currency.name));
        List1->addItem(QString::fromLatin1(currency.code));
    }
    Combo1->addItems(names);
    Combo2->addItems(names);

    Text3 = requestPageTemplate(platform_.site.converterAddress());
    WebBrowser1 = platform_.views.make(this, {.localPagesMayPost = true, .homePage = {}});
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    // It loads the request page and the answer; nobody needs to see either.
    WebBrowser1->widget()->setVisible(false);

    setFixedClientTwips(6615, 3915);
    placeTwips(Label1, 6000, 120, 495, 255);
    placeTwips(Text2, 5400, 120, 615, 285);
    placeTwips(Combo1, 2880, 120, 2415, 2715);
    placeTwips(Label3, 2640, 120, 135, 255);
    placeTwips(Combo2, 120, 120, 2415, 2715);
    placeTwips(Command1, 5400, 2280, 1095, 495);
    placeTwips(Status, 120, 3000, 6375, 495);
    placeTwips(Picture2, 120, 3600, 5895, 255);
    placeTwips(Shape1, 30, 30, 0, 195);
    // Wide enough for "100%", up to the window's edge.
    placeTwips(Label2, 6120, 3600, 465, 195);
    placeTwips(List1, 0, 0, 135, 255);
    placeTwips(WebBrowser1->widget(), 0, 0, 135, 255);
    setStatusLeftToRight(false);
    setTabOrder({Text2, Combo1, Combo2, Command1});

    connect(Command1, &QPushButton::clicked, this, &Curr::Command1_Click);
    connect(Timer1, &QTimer::timeout, this, &Curr::Timer1_Timer);
    connect(WebBrowser1, &WebView::ProgressChange, this, &Curr::WebBrowser1_ProgressChange);
    connect(WebBrowser1, &WebView::DocumentComplete, this, &Curr::WebBrowser1_DocumentComplete);
}

void Curr::Form_Load() {
    Combo1->setCurrentRow(kFirstFromRow);
    Combo2->setCurrentRow(kFirstToRow);
    ProgressChange(QStringLiteral("0"), QStringLiteral("100"));
    show();
    platform_.program.processEvents();
    Command1->setFocus();
}

void Curr::keyPressEvent(QKeyEvent* event) {
    // Escape reaches the window from whichever control has the focus.
    if (event->key() == Qt::Key_Escape) {
        Form_KeyDown(kEscape, 0);
        return;
    }
    Form::keyPressEvent(event);
}

void Curr::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == kEscape)
        close();
}

void Curr::setStatusLeftToRight(bool leftToRight) {
    Status->setLayoutDirection(leftToRight ? Qt::LeftToRight : Qt::RightToLeft);
    Status->setAlignment((leftToRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignAbsolute |
                         Qt::AlignVCenter);
}

bool Curr::letEventsRun() {
    const QPointer<Curr> self(this);
    const quint64 request = request_;
    platform_.program.processEvents();
    return self && !isUnloaded() && request_ == request;
}

void Curr::Command1_Click() {
    Text1 = Text3;
    setStatusLeftToRight(false);
    const int from = Combo1->currentRow();
    const int to = Combo2->currentRow();
    if (from < 0 || to < 0) {
        platform_.messages.show(QStringLiteral("נא בחר גם מאיזה מטבע וגם לאיזה מטבע ברצונך להמיר"),
                                MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information,
                                platform_.title);
        return;
    }
    Text1 = buildRequestPage(Text3, Text2->text(), List1->item(from)->text(),
                             List1->item(to)->text());
    const PrivateFiles::Written page =
        platform_.files.write(kRequestPageName.toString(), (Text1 + QStringLiteral("\r\n")).toUtf8());
    ++request_;
    if (!page.ok) {
        // Nothing is sent: the view would only load whatever an earlier request left.
        Status->setText(numberedFailure(page.errorNumber, page.error, platform_.site.homePage()));
        return;
    }
    Status->setText(QStringLiteral("מכין תקשורת, נא המתן..."));
    if (!letEventsRun())
        return;
    stage_ = 1;
    WebBrowser1->Navigate(page.path);
    progressEvents_ = 0;
    ProgressChange(QStringLiteral("0"), QStringLiteral("100"));
    Timer1->start();
}

void Curr::Timer1_Timer() {
    if (platform_.files.remove(kRequestPageName.toString()))
        Timer1->stop();
}

void Curr::ProgressChange(const QString& p, const QString& m) {
    const ProgressFigures figures = progressFigures(p, m);
    if (figures.barTwips) {
        const int width = twipsToPixels(static_cast<int>(*figures.barTwips));
        Shape1->resize(width, Shape1->height());
    }
    if (figures.percent) {
        Label2->setText(*figures.percent);
        Picture2->setPercent(figures.percent->chopped(1).toInt());
    }
}

void Curr::WebBrowser1_ProgressChange(int Progress, int ProgressMax) {
    // The first few events of every request come before there is anything worth showing.
    if (progressEvents_ <= 3) {
        ++progressEvents_;
        ProgressChange(QStringLiteral("0"), QStringLiteral("100"));
        return;
    }
    lastMaximum_ = QString::number(ProgressMax);
    if (Progress > 0) {
        lastProgress_ = QString::number(Progress);
        ProgressChange(lastProgress_, lastMaximum_);
    } else {
        lastProgress_ = QStringLiteral("0");
    }
}

void Curr::WebBrowser1_DocumentComplete(const QString&) {
    if (stage_ == 1) {
        Status->setText(QStringLiteral("מאתר את השער העדכני של המטבע הרצוי, נא המתן..."));
        stage_ = 2;
    } else if (stage_ == 2) {
        Status->setText(QStringLiteral("נתונים התקבלו, נא המתן בזמן עיבודם..."));
        if (!letEventsRun())
            return;
        recived();
    }
}

void Curr::recived() {
    const AnswerReading answer =
        readAnswer(WebBrowser1->documentMarkup(), platform_.site.homePage());
    setStatusLeftToRight(answer.leftToRight);
    Status->setText(answer.status);
}

}  // namespace tolvane
