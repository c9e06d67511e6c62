#include "currency/rate_page.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

const QString kHome = QStringLiteral("http:\\\\site.test");

TEST(ProgressFiguresTest, BarAndPercentageFromTheProgressAndItsMaximum) {
    ProgressFigures figures = progressFigures("50", "200");
    EXPECT_FLOAT_EQ(*figures.barTwips, 1458.75f);
    EXPECT_EQ(*figures.percent, "25%");
    // Halves go to the even neighbour.
    EXPECT_EQ(*progressFigures("5", "40").percent, "12%");
    EXPECT_EQ(*progressFigures("15", "40").percent, "38%");
    EXPECT_EQ(*progressFigures("0", "100").percent, "0%");
    EXPECT_FLOAT_EQ(*progressFigures("0", "100").barTwips, 0.0f);
    EXPECT_EQ(*progressFigures("100", "100").percent, "100%");
    EXPECT_FLOAT_EQ(*progressFigures("100", "100").barTwips, 5835.0f);
}

TEST(ProgressFiguresTest, WhatCannotBeWorkedOutLeavesTheDisplayAlone) {
    for (const auto& [p, m] : std::vector<std::pair<QString, QString>>{
             {"50", "0"}, {"x", "100"}, {"50", ""}, {"", "100"}}) {
        const ProgressFigures figures = progressFigures(p, m);
        EXPECT_FALSE(figures.barTwips) << p.toStdString() << "/" << m.toStdString();
        EXPECT_FALSE(figures.percent);
    }
}

TEST(ReadAnswerTest, TheResultIsExactlyTheTextBetweenTheMarkers) {
    AnswerReading answer = readAnswer(DocumentMarkup::of("<HEAD><TITLE>x</TITLE></HEAD><BODY>rate <P><BIG>250 GBP = 286.43 EUR</BIG> more</BODY>"),
        kHome);
    EXPECT_EQ(answer.status, "250 GBP = 286.43 EUR");
    EXPECT_TRUE(answer.leftToRight);
    // Nothing trimmed, markup kept; the first start marker decides.
    answer = readAnswer(DocumentMarkup::of("<P><BIG> <B>1</B> </BIG><P><BIG>2</BIG>"), kHome);
    EXPECT_EQ(answer.status, " <B>1</B> ");
    EXPECT_EQ(readAnswer(DocumentMarkup::of("<P><BIG></BIG>"), kHome).status, "");
}

TEST(ReadAnswerTest, AnAnswerWithoutBothMarkersInUpperCaseIsFailure10101) {
    const QString failure =
        QStringLiteral("תקלה מ''ס 10101, אם תקלה זה נמשכת אנא פנה לאתר:\r\n") + kHome;
    for (const char* markup : {"<BODY><P><BIG>250 GBP</BODY>", "<body><p><big>250</big></body>",
                               "<BODY>no rate</BODY>", "</BIG><P><BIG>1"}) {
        const AnswerReading answer = readAnswer(DocumentMarkup::of(QString::fromUtf8(markup)), kHome);
        EXPECT_EQ(answer.status, failure) << markup;
        EXPECT_FALSE(answer.leftToRight);
    }
}

TEST(ReadAnswerTest, AnEmptyOrFailedPageIsNoConnection) {
    const QString message =
        QStringLiteral("לא היה ניתן להקים קשר עם השרת. בדוק את ההתחברות שלך לאינטרנט. אם בעיה "
                       "זה נמשכת אנא פנה לאתר: ") +
        kHome + QStringLiteral(" לעזרה נוספת.");
    EXPECT_EQ(readAnswer(DocumentMarkup::of(""), kHome).status, message);
    EXPECT_EQ(readAnswer(DocumentMarkup::of(kCannotFindServerPage.toString()), kHome).status, message);
    // The failed page is known by its start, even with a result further on.
    EXPECT_EQ(readAnswer(DocumentMarkup::of(kCannotFindServerPage.toString() + "<P><BIG>1</BIG>"), kHome)
                  .status,
              message);
    EXPECT_FALSE(readAnswer(DocumentMarkup::of(""), kHome).leftToRight);
}

TEST(ReadAnswerTest, APageThatCannotBeReadGivesTheFailuresNumberAndDescription) {
    const AnswerReading answer = readAnswer(DocumentMarkup::unreadable(91, "אין מסמך"), kHome);
    EXPECT_EQ(answer.status,
              QStringLiteral("תקלה מ''ס 91, אין מסמך, אם תקלה זה נמשכת אנא פנה לאתר:\r\n") + kHome);
    EXPECT_FALSE(answer.leftToRight);
}

}  // namespace
}  // namespace tolvane
