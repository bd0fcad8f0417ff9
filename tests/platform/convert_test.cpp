#include "platform/Convert.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Convert, StrToIntTakesDecimalAndHexAndRefusesTheRest) {
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt(" -20 "), -20);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    for (const char* bad : {"", "abc", "12a", "1.5", "-", "99999999999"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    try {
        StrToInt("abc");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef("x", 5), 5);
}

TEST(Convert, StrToFloatRefusesNonNumbers) {
    EXPECT_DOUBLE_EQ(StrToFloat("477.00625"), 477.00625);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-3"), -3.0);
    for (const char* bad : {"", "abc", "1.2.3", "1,5", "nan", "inf"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
}

TEST(Convert, FormatFloatPatterns) {
    EXPECT_EQ(FormatFloat("000.00000", 477.00625), "477.00625");
    EXPECT_EQ(FormatFloat("000.00000", 150.00625), "150.00625");
    EXPECT_EQ(FormatFloat("000.00000", 0.0), "000.00000");
    EXPECT_EQ(FormatFloat("000.00000", 21.4), "021.40000");
    EXPECT_EQ(FormatFloat("#00.0", 5.0), "05.0");
    EXPECT_EQ(FormatFloat("#00.0", 123.45), "123.5");
    EXPECT_EQ(FormatFloat("0.0", 12.34), "12.3");
    EXPECT_EQ(FormatFloat("0.0", 0.05), "0.1");
    EXPECT_EQ(FormatFloat("00.0000", 5.9625), "05.9625");
    EXPECT_EQ(FormatFloat("0.0", -2.25), "-2.3");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
}

TEST(Convert, IntToHexIsUpperCaseAndPadded) {
    EXPECT_EQ(IntToHex(0xAB, 2), "AB");
    EXPECT_EQ(IntToHex(5, 2), "05");
    EXPECT_EQ(IntToHex(0x6B0, 4), "06B0");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
}
