// The second program builds the tone unit with KORVAN_V2, where the stored code is the
// tone list index. Build that variant here too, in a namespace of its own, so both
// generations are checked side by side.
#include "Ctcss.h"
#include "User_edits.h"
#include "platform/Convert.h"

#include <QComboBox>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

namespace second_generation {
#define KORVAN_V2 1
#include "Ctcss.cpp"
#undef KORVAN_V2
} // namespace second_generation

namespace v2 = second_generation;

TEST(ToneLabelsV2, StoredCodeIsTheListIndex) {
    EXPECT_EQ(v2::ToneCodeText(0), "OFF");
    EXPECT_EQ(v2::ToneCodeText(1), "CTC1 - 67.0");
    EXPECT_EQ(v2::ToneCodeText(50), "CTC50 - 254.1");
    EXPECT_EQ(v2::ToneCodeText(51), "DCS 023");
    EXPECT_EQ(v2::ToneCodeText(154), "DCS 754");
    EXPECT_EQ(v2::ToneCodeText(-1), "");
    EXPECT_EQ(v2::ToneCodeText(155), "");
    EXPECT_EQ(v2::ToneCodeToIndex(0), 0);
    EXPECT_EQ(v2::ToneIndexToCode(0), 0);
    EXPECT_EQ(v2::ToneIndexToCode(155), 0);
    EXPECT_EQ(v2::ToneCodeToIndex(255), 0);
    for (int code = 0; code < TONE_LIST_SIZE; ++code) {
        EXPECT_EQ(v2::ToneIndexToCode(v2::ToneCodeToIndex(code)), code);
        EXPECT_EQ(v2::ToneCodeToIndex(code), code);
        // The second program fills its lists with ToneCodeText(0..154): the same 155
        // labels, in list order, as the first program's CtcssText then DcsText.
        EXPECT_EQ(v2::ToneCodeText(code),
                  code < FIRST_DCS_INDEX ? CtcssText(code) : DcsText(code - FIRST_DCS_INDEX));
    }
}
