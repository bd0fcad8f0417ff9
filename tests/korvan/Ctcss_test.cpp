// Tone tables and labels as the first program stores and shows them.
#include "Ctcss.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(ToneTables, StandardSets) {
    EXPECT_EQ(CtcssTable[0], 0.0f);
    EXPECT_EQ(CtcssTable[1], 67.0f);
    EXPECT_EQ(CtcssTable[2], 69.4f);
    EXPECT_EQ(CtcssTable[13], 100.0f);
    EXPECT_EQ(CtcssTable[50], 254.1f);
    for (int n = 1; n < CTCSS_ENTRIES; ++n)
        EXPECT_LT(CtcssTable[n - 1], CtcssTable[n]) << n;
    EXPECT_EQ(DcsTable[0], 023);
    EXPECT_EQ(DcsTable[0], 19);
    EXPECT_EQ(DcsTable[103], 0754);
    for (int d = 1; d < DCS_ENTRIES; ++d)
        EXPECT_LT(DcsTable[d - 1], DcsTable[d]) << d;
}

TEST(ToneLabels, ListLabels) {
    EXPECT_EQ(CtcssText(0), "OFF");
    EXPECT_EQ(CtcssText(1), "CTC1 - 67.0");
    EXPECT_EQ(CtcssText(2), "CTC2 - 69.4");
    EXPECT_EQ(CtcssText(13), "CTC13 - 100.0");
    EXPECT_EQ(CtcssText(50), "CTC50 - 254.1");
    EXPECT_EQ(CtcssText(51), "");
    EXPECT_EQ(CtcssText(-1), "");
    EXPECT_EQ(DcsText(0), "DCS 023");
    EXPECT_EQ(DcsText(103), "DCS 754");
    EXPECT_EQ(DcsText(104), "");
}

TEST(ToneLabels, FirstGenerationCodes) {
    EXPECT_EQ(ToneCodeText(0), "CTC1 - 67.0");
    EXPECT_EQ(ToneCodeText(49), "CTC50 - 254.1");
    EXPECT_EQ(ToneCodeText(50), "OFF");
    EXPECT_EQ(ToneCodeText(51), "DCS 023");
    EXPECT_EQ(ToneCodeText(154), "DCS 754");
    EXPECT_EQ(ToneCodeText(-1), "");
    EXPECT_EQ(ToneCodeText(155), "");
    EXPECT_EQ(ToneCodeText(255), "");
    EXPECT_EQ(ToneCodeToIndex(50), 0);
    EXPECT_EQ(ToneIndexToCode(0), 50);
    EXPECT_EQ(ToneCodeToIndex(155), 0);
    EXPECT_EQ(ToneIndexToCode(155), 50);
    EXPECT_EQ(ToneIndexToCode(-1), 50);

    // Every code has its own label, and code -> index -> code is the identity.
    QSet<QString> labels;
    for (int code = 0; code < TONE_LIST_SIZE; ++code) {
        EXPECT_EQ(ToneIndexToCode(ToneCodeToIndex(code)), code);
        const int index = ToneCodeToIndex(code);
        EXPECT_EQ(ToneCodeText(code),
                  index >= FIRST_DCS_INDEX ? DcsText(index - FIRST_DCS_INDEX) : CtcssText(index));
        labels.insert(ToneCodeText(code));
    }
    EXPECT_EQ(labels.size(), TONE_LIST_SIZE);
}

TEST(ToneLabels, HertzLabels) {
    const ToneHzLabels hz;
    EXPECT_EQ(hz.ToneHzText(0), "67.0Hz");
    EXPECT_EQ(hz.ToneHzText(1), "69.4Hz");
    EXPECT_EQ(hz.ToneHzText(12), "100.0Hz");
    EXPECT_EQ(hz.ToneHzText(49), "254.1Hz");
    EXPECT_EQ(hz.ToneHzText(50), "Off");
    EXPECT_EQ(hz.ToneHzText(51), "DCS 023");
    EXPECT_EQ(hz.ToneHzText(154), "DCS 754");
    // An erased byte is never looked up past the DCS table.
    for (int code : {155, 200, 255, -1, 100000})
        EXPECT_EQ(hz.ToneHzText(code), "") << code;

    for (int code = 0; code < TONE_LIST_SIZE; ++code)
        EXPECT_EQ(hz.ToneHzParse(hz.ToneHzText(code)), code) << code;
    EXPECT_EQ(hz.ToneHzParse("67Hz"), 51);
    EXPECT_EQ(hz.ToneHzParse("OFF"), 51);
    EXPECT_EQ(hz.ToneHzParse(""), 51);

    EXPECT_EQ(hz.DcsTextParse("DCS 754"), 103);
    EXPECT_EQ(hz.DcsTextParse("DCS 023"), 0);
    EXPECT_EQ(hz.DcsTextParse("DCS 025"), 1);
    EXPECT_EQ(hz.DcsTextParse("DCS 024"), 0); // not a DCS code
    EXPECT_EQ(hz.DcsTextParse("DCS 999"), 0); // not octal
    EXPECT_EQ(hz.DcsTextParse("DCS "), 0);
    EXPECT_EQ(hz.DcsTextParse("D"), 0);
}
