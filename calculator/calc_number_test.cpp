#include "calculator/calc_number.h"

#include "calculator/calc_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace tolvane {
namespace {

using namespace Qt::StringLiterals;

TEST(CalcNumberTest, WritingRoundsToFifteenDigitsAndDropsTrailingZeros) {
    EXPECT_EQ(writeNumber(1.0 / 3), u"0.333333333333333"_s);
    EXPECT_EQ(writeNumber(-2.0 / 3), u"-0.666666666666667"_s);
    EXPECT_EQ(writeNumber(0.1 + 0.2), u"0.3"_s);
    EXPECT_EQ(writeNumber(-0.0), u"0"_s);
    EXPECT_EQ(writeNumber(120.0), u"120"_s);
    EXPECT_EQ(writeNumber(123456789012345.0), u"123456789012345"_s);
    EXPECT_EQ(writeNumber(12345678901.2345678), u"12345678901.2346"_s);
}

TEST(CalcNumberTest, ExponentFormBeginsAtOneE15AndBelowOneEMinus4AfterRounding) {
    EXPECT_EQ(writeNumber(999999999999999.0), u"999999999999999"_s);
    EXPECT_EQ(writeNumber(999999999999999.4), u"999999999999999"_s);
    EXPECT_EQ(writeNumber(999999999999999.6), u"1E+15"_s);
    EXPECT_EQ(writeNumber(-1234567890123456.0), u"-1.23456789012346E+15"_s);
    EXPECT_EQ(writeNumber(1e20), u"1E+20"_s);
    EXPECT_EQ(writeNumber(0.0001), u"0.0001"_s);
    EXPECT_EQ(writeNumber(0.0000999999999999999), u"9.99999999999999E-05"_s);
    EXPECT_EQ(writeNumber(0.00009999999999999999), u"0.0001"_s);
    EXPECT_EQ(writeNumber(0.00001), u"1E-05"_s);
    EXPECT_EQ(writeNumber(std::numeric_limits<double>::max()), u"1.79769313486232E+308"_s);
    EXPECT_EQ(writeNumber(std::numeric_limits<double>::denorm_min()), u"4.94065645841247E-324"_s);
}

TEST(CalcNumberTest, StrictReadingTakesOneWholeNumberBetweenBlanks) {
    const std::pair<QString, double> numbers[] = {
        {u"12"_s, 12},      {u" 12 "_s, 12},        {u"\t-12\r\n"_s, -12}, {u"+5"_s, 5},
        {u".5"_s, 0.5},     {u"5."_s, 5},           {u"1E+20"_s, 1e20},    {u"1.5e-5"_s, 1.5e-5},
        {u"1e-400"_s, 0.0}, {u"1000e305"_s, 1e308},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(readNumberStrictly(text), value) << text.toStdString();
    for (const QString& text :
         {u""_s,      u" "_s,    u"abc"_s, u"."_s,     u"-"_s,        u"1e"_s,      u"1e+"_s,
          u"12abc"_s, u"1 2"_s,  u"- 5"_s, u"1,000"_s, u"1.2.3"_s,    u"--5"_s,     u"inf"_s,
          u"nan"_s,   u"0x10"_s, u"١٢"_s,  u"1e999"_s, u"1000e306"_s, u"-0.1e310"_s})
        EXPECT_EQ(readNumberStrictly(text), std::nullopt) << text.toStdString();
}

TEST(CalcNumberTest, LenientReadingTakesTheLeadingNumberOrZero) {
    const std::pair<QString, double> numbers[] = {
        {u""_s, 0},           {u"abc"_s, 0}, {u"."_s, 0},   {u"-"_s, 0},         {u"12abc"_s, 12},
        {u"  -3.5x"_s, -3.5}, {u"1e"_s, 1},  {u"1e+"_s, 1}, {u"2e3x"_s, 2000},   {u"-.5"_s, -0.5},
        {u"1.2.3"_s, 1.2},    {u"1,5"_s, 1}, {u"1 2"_s, 1}, {u"0.01e-400"_s, 0}, {u"+7"_s, 7},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(readNumberLeniently(text), value) << text.toStdString();
    EXPECT_EQ(readNumberLeniently(u"1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumberLeniently(u"-1e999"), -std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace tolvane
