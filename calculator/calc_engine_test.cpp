#include "calculator/calc_engine.h"

#include "calculator/calc_test_support.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace tolvane {
namespace {

using namespace Qt::StringLiterals;

// The top row as the window shows it, left to right: Last, Secret_Make, Make, the display.
QString topRow(const CalcEngine& engine) {
    return QStringList({engine.last(), engine.secretMake(), engine.make(), engine.label2()})
        .join(u'|');
}

CalcEngine typed(QStringView keys) {
    CalcEngine engine;
    typeKeys(engine, keys);
    return engine;
}

TEST(CalcEngineTest, TheTopRowMovesThroughFirstOperandOperatorChosenAndSecondOperand) {
    CalcEngine engine;
    const std::pair<QStringView, QString> steps[] = {
        {u"12", u"|||12"_s},   {u"+", u"||+|12"_s},  {u"-", u"||-|12"_s},   {u"5", u"12|-||5"_s},
        {u"3", u"12|-||53"_s}, {u"*", u"||*|-41"_s}, {u"2", u"-41|*||2"_s}, {u"=", u"|||-82"_s},
        {u"=", u"|||-82"_s},   {u"1", u"|||-821"_s}, {u"/", u"||/|-821"_s}, {u"=", u"||/|-821"_s},
    };
    for (const auto& [keys, row] : steps) {
        typeKeys(engine, keys);
        EXPECT_EQ(topRow(engine), row) << "after " << keys.toString().toStdString();
    }
}

TEST(CalcEngineTest, PlusCountsAMissingOperandAsZeroWhereOtherOperatorsComputeNothing) {
    EXPECT_EQ(topRow(typed(u"+5=")), u"|||5"_s);
    EXPECT_EQ(topRow(typed(u"-5=")), u"|||5"_s);
    EXPECT_EQ(topRow(typed(u"1/3=")), u"|||0.333333333333333"_s);
    EXPECT_EQ(topRow(typed(u"5/0=")), u"|||0"_s) << "the failed step leaves the divisor shown";
    EXPECT_EQ(topRow(typed(u"0/0=")), u"|||0"_s);
    EXPECT_EQ(topRow(typed(u"5/.0=")), u"|||0.0"_s) << "a leading point is mended";

    CalcEngine engine;
    engine.Pasting(u"1E+200");
    typeKeys(engine, u"*");
    engine.Pasting(u"-1E+200");
    typeKeys(engine, u"=");
    EXPECT_EQ(topRow(engine), u"|||-1E+200"_s) << "overflow";
    engine.Pasting(u"1.79769313486231E+308");
    typeKeys(engine, u"+");
    engine.Pasting(u"5.5E+293");
    typeKeys(engine, u"=");
    EXPECT_EQ(topRow(engine), u"|||5.5E+293"_s) << "a result written past the largest number";
    typeKeys(engine, u"+0=*");
    engine.Pasting(u"0");
    typeKeys(engine, u"=");
    EXPECT_EQ(engine.label2(), u"0"_s) << "-0 is written 0";
}

TEST(CalcEngineTest, TypingStopsAtElevenCharactersButAClickedPointOrAPasteDoesNot) {
    CalcEngine engine = typed(u"123456789012.");
    EXPECT_EQ(engine.label2(), u"12345678901"_s);
    clickKeys(engine, u"+.");
    EXPECT_EQ(topRow(engine), u"||+|12345678901."_s);
    typeKeys(engine, u"5");
    EXPECT_EQ(topRow(engine), u"12345678901.|+||5"_s) << "the hand-over is not held back";
    engine.Pasting(u" 123456789012345\n");
    typeKeys(engine, u"6");
    EXPECT_EQ(engine.label2(), u"123456789012345"_s);
}

TEST(CalcEngineTest, ATypedPointAfterAnOperatorStartsTheSecondOperandAClickedOneDoesNot) {
    EXPECT_EQ(topRow(typed(u"1+.")), u"1|+||."_s);
    EXPECT_EQ(typed(u"1+.5=").label2(), u"1.5"_s);
    EXPECT_EQ(typed(u"1.5+.5=").label2(), u"2"_s) << "the first operand's point is no bar";
    EXPECT_EQ(typed(u"1.2.3").label2(), u"1.23"_s);

    CalcEngine clicked;
    clickKeys(clicked, u"1+.");
    EXPECT_EQ(topRow(clicked), u"||+|1."_s);
    clickKeys(clicked, u"5.=");
    EXPECT_EQ(topRow(clicked), u"|||6"_s);
}

TEST(CalcEngineTest, PastingTakesOnlyNumbersInTheCalculatorsOwnWriting) {
    CalcEngine engine = typed(u"7");
    for (const QStringView junk : {u"abc", u"", u"1e999", u"12 kg", u"1.7976931348623157e308",
                                   u"\u202B12\u202C", u"1\u200B2"})
        engine.Pasting(junk);
    EXPECT_EQ(topRow(engine), u"|||7"_s);
    const std::pair<QStringView, QString> pastes[] = {
        {u" 12 ", u"12"_s},
        {u"+0012.50", u"12.5"_s},
        {u"1e3", u"1000"_s},
        {u"12345678901234567", u"1.23456789012346E+16"_s},
        {u"0.000123456789012345", u"0.000123456789012345"_s},
        {u"\u200F12\u200E", u"12"_s},
        {u"\u061C-5\u200F", u"-5"_s},
        {u"-1E-20", u"-1E-20"_s},
    };
    for (const auto& [text, shown] : pastes) {
        engine.Pasting(text);
        EXPECT_EQ(engine.label2(), shown);
    }
    typeKeys(engine, u"+");
    engine.Pasting(u"3");
    EXPECT_EQ(topRow(engine), u"-1E-20|+||3"_s);
}

TEST(CalcEngineTest, RecallClearsAndBackspaceTouchOnlyWhatTheySay) {
    CalcEngine engine = typed(u"12+5");
    engine.recallLast();
    EXPECT_EQ(topRow(engine), u"|||12"_s);
    typeKeys(engine, u"=");
    EXPECT_EQ(topRow(engine), u"|||12"_s) << "the + was dropped";

    engine = typed(u"12+5");
    engine.clearEntry();
    EXPECT_EQ(topRow(engine), u"12|+||"_s);
    engine.backspace();
    EXPECT_EQ(topRow(engine), u"12|+||"_s);
    typeKeys(engine, u"34");
    engine.backspace();
    EXPECT_EQ(topRow(engine), u"12|+||3"_s);
    for (const int windowsKey : {16, 17, 18})  // exit, paste and copy
        engine.clickKey(windowsKey);
    EXPECT_EQ(topRow(engine), u"12|+||3"_s);
    clickKeys(engine, u"+");
    engine.clickKey(19);  // clear
    EXPECT_EQ(topRow(engine), u"|||"_s);
}

TEST(CalcEngineTest, CorrectionMenusChangeOnlyTheirOperator) {
    const auto corrected = [](QStringView before, OperatorMenu menu, int item) {
        CalcEngine engine = typed(before);
        engine.chooseMenuItem(menu, operatorMenuItems(menu).at(static_cast<std::size_t>(item)));
        return engine;
    };
    CalcEngine engine = corrected(u"8+", OperatorMenu::Op, 2);
    typeKeys(engine, u"3=");
    EXPECT_EQ(engine.label2(), u"24"_s);
    engine = corrected(u"8+", OperatorMenu::Op, 4);
    typeKeys(engine, u"3");
    EXPECT_EQ(topRow(engine), u"|||83"_s) << "no operator chosen any more";
    engine = corrected(u"8+3", OperatorMenu::Op_I, 1);
    typeKeys(engine, u"=");
    EXPECT_EQ(topRow(engine), u"|||5"_s);
    engine = corrected(u"8+3", OperatorMenu::Op_I, 4);
    typeKeys(engine, u"=");
    EXPECT_EQ(topRow(engine), u"8|||3"_s);
    // A choice that comes after its label has emptied.
    EXPECT_EQ(topRow(corrected(u"8", OperatorMenu::Op, 2)), u"|||8"_s);
    EXPECT_EQ(topRow(corrected(u"8+", OperatorMenu::Op_I, 0)), u"||+|8"_s);

    EXPECT_FALSE(typed(u"").menuOpens(OperatorMenu::Op));
    EXPECT_FALSE(typed(u"8+").menuOpens(OperatorMenu::Op_I));
    EXPECT_TRUE(typed(u"8+").menuOpens(OperatorMenu::Op));
    EXPECT_TRUE(typed(u"8+3").menuOpens(OperatorMenu::Op_I));
}

}  // namespace
}  // namespace tolvane
