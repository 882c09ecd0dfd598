// Numbers read from text and texts split into pieces.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "foundation/TextConvert.h"

TEST(Conversions, NumbersAndTexts) {
    EXPECT_EQ(StrToInt(""), 0);
    EXPECT_EQ(StrToInt("12abc"), 12);
    EXPECT_EQ(StrToInt("abc"), 0);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("12345678901234567890"), -1);      // 20 characters
    EXPECT_EQ(StrToInt("1234567890123456789"), INT_MAX);  // 19 digits: clamped, no overflow
    EXPECT_EQ(StrToInt("-123456789012345678"), INT_MIN);
    EXPECT_EQ(StrToInt("9999999999999999999"), INT_MAX);
    EXPECT_EQ(HexStrToInt("ff"), 255);
    EXPECT_EQ(HexStrToInt("FFFFFFFFFFFF"), INT_MAX);
    EXPECT_EQ(HexStrToInt("fffffffffffffffffff"), INT_MAX);  // 19 characters beyond 64 bits
    EXPECT_EQ(HexStrToInt("fffffffffffffffffffff"), -1);
    EXPECT_DOUBLE_EQ(StrToDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble("2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(StrToDouble(std::string(64, '1')), -1.0);
    EXPECT_EQ(IntToString(-7), "-7");
    EXPECT_EQ(IntToString(INT_MIN), "-2147483648");

    EXPECT_EQ(SplitString("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitString("", ','), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitString("a,", ','), (std::vector<std::string>{"a", ""}));
}
