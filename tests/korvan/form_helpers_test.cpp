#include "Help_pane.h"
#include "Image_fields.h"
#include "Key_filter.h"
#include "Text_format.h"
#include "platform/Convert.h"
#include "platform/ScriptedHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(TextFormat, TypedMegahertzBecomeExactHertz) {
    EXPECT_EQ(text::ParseFrequency("477.00625"), 477006250u);
    EXPECT_EQ(text::ParseFrequency("150.004"), 150004000u);
    EXPECT_EQ(text::ParseFrequency(" 450 "), 450000000u);
    EXPECT_EQ(text::ParseFrequency(".5"), 500000u);
    EXPECT_EQ(text::ParseFrequency("150.0000019"), 150000001u) << "truncated, not rounded";
    EXPECT_EQ(text::ParseFrequency("4294.967295"), 4294967295u);
    for (const char* bad :
         {"", ".", " . ", "abc", "1.2.3", "-5", "4294.967296", "12345", "0x10", "1e2", "0 1"})
        EXPECT_THROW(text::ParseFrequency(bad), platform::EConvertError) << bad;
    // The limit is on the value: leading zeros are digits of the same number.
    EXPECT_EQ(text::ParseFrequency("00477.0125"), 477012500u);
    EXPECT_EQ(text::ParseFrequency("0000000000000004294.967295"), 4294967295u);
    EXPECT_EQ(text::ParseFrequency("0"), 0u);
    EXPECT_EQ(text::ParseFrequency("000.000"), 0u);
    EXPECT_THROW(text::ParseFrequency("99999999999999999999999"), platform::EConvertError);
    // A caller's own upper limit.
    EXPECT_EQ(text::ParseFrequency("0550", 550000000), 550000000u);
    EXPECT_THROW(text::ParseFrequency("550.000001", 550000000), platform::EConvertError);
    EXPECT_EQ(text::FrequencyText(477006250), "477.00625");
    EXPECT_EQ(text::FrequencyText(0), "000.00000");
    EXPECT_EQ(text::HexByte(0x0A), "0A");
}

TEST(TextFormat, TypedWholeNumberOrItsConversionErrorShown) {
    platform::ScriptedHost host;
    int value = 7;
    EXPECT_TRUE(text::TryStrToInt(" -12 ", value));
    EXPECT_EQ(value, -12);
    EXPECT_FALSE(text::TryStrToInt("12x", value));
    EXPECT_EQ(value, -12) << "left alone";
    ASSERT_EQ(host.exceptions.size(), 1);
    EXPECT_EQ(host.exceptions[0], "'12x' is not a valid integer value");
    EXPECT_TRUE(host.messages.isEmpty());
}

// What the user does to a control, as keys: a space clicks a box, Down chooses the next
// item, End moves a bar to its end.
TEST(ImageFields, StoreWritesOnlyWhatTheUserChangedAndOnlyTheListedBits) {
    QCheckBox plain, inverted;
    QComboBox mapped, indexed;
    mapped.addItems({"a", "b", "c", "d"});
    indexed.addItems({"0", "1", "2"});
    QScrollBar bar;
    bar.setRange(0, 15);
    ImageFields fields;
    fields.check(&plain, 1, 0x80);
    fields.check(&inverted, 1, 0x01, true);
    fields.combo(&mapped, 2, 0x30, {0, 1, 3, 2});
    fields.comboIndex(&indexed, 3, 0x06);
    fields.number(&bar, 4, 0xF0);

    uint8_t image[5] = {0xAA, 0x81, 0xFF, 0xFF, 0x5A};
    fields.load(image);
    EXPECT_TRUE(plain.isChecked());
    EXPECT_FALSE(inverted.isChecked());
    EXPECT_EQ(mapped.currentIndex(), 2) << "field 3 is item 2";
    EXPECT_EQ(indexed.currentIndex(), -1) << "field 3 has no item";
    EXPECT_EQ(bar.value(), 5);

    const uint8_t before[5] = {0xAA, 0x81, 0xFF, 0xFF, 0x5A};
    plain.setChecked(false);
    mapped.setCurrentIndex(0);
    bar.setValue(1);
    fields.store(image);
    EXPECT_EQ(0, memcmp(image, before, 5)) << "what the program set is not the user's";

    for (QWidget* box : {static_cast<QWidget*>(&plain), static_cast<QWidget*>(&inverted)})
        QTest::keyClick(box, Qt::Key_Space);
    mapped.setCurrentIndex(2);
    QTest::keyClick(&mapped, Qt::Key_Down);
    QTest::keyClick(&indexed, Qt::Key_Down);
    QTest::keyClick(&indexed, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_End);
    fields.store(image);
    EXPECT_EQ(image[0], 0xAA);
    EXPECT_EQ(image[1], 0x80) << "plain clicked back on, inverted ticked";
    EXPECT_EQ(image[2], 0xEF);
    EXPECT_EQ(image[3], 0xFB);
    EXPECT_EQ(image[4], 0xFA);
}

TEST(ImageFields, StoredNumberPastTheBarStaysUntilTheUserMovesIt) {
    QScrollBar bar;
    bar.setRange(0, 10);
    ImageFields fields;
    fields.number(&bar, 0, 0xFF);
    uint8_t image[1] = {200};
    fields.load(image);
    EXPECT_EQ(bar.value(), 10);
    bar.setValue(3);
    fields.store(image);
    EXPECT_EQ(image[0], 200) << "the program's own move";
    QTest::keyClick(&bar, Qt::Key_Home);
    QTest::keyClick(&bar, Qt::Key_End);
    fields.store(image);
    EXPECT_EQ(image[0], 10) << "moved away and back: the bar's value";
    fields.load(image);
    image[0] = 7;
    fields.store(image);
    EXPECT_EQ(image[0], 7) << "loading forgets the user's moves";
}

TEST(HelpPane, FocusAndMouseShowTheControlsLines) {
    QWidget form;
    auto* pane = new QTextEdit(&form);
    auto* known = new QPushButton("Known", &form);
    auto* silent = new QPushButton("Silent", &form);
    HelpPane help(pane);
    help.bind(known, {"First line.", "Second line."});
    help.bind(silent, {});
    help.FocusHelp(known);
    EXPECT_EQ(pane->toPlainText(), "First line.\nSecond line.");
    help.MouseHelp(silent);
    EXPECT_EQ(pane->toPlainText(), "");
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(known, &enter);
    EXPECT_EQ(pane->toPlainText(), "First line.\nSecond line.");
    EXPECT_TRUE(pane->isReadOnly());
}

TEST(KeyFilter, OnlyAllowedCharactersAreTyped) {
    QLineEdit digits, hex;
    keys::allowOnly(&digits, keys::Decimal);
    keys::allowOnly(&hex, keys::Hex, true);
    QTest::keyClicks(&digits, "1a2.5-x");
    EXPECT_EQ(digits.text(), "12.5");
    QTest::keyClick(&digits, Qt::Key_Backspace);
    EXPECT_EQ(digits.text(), "12.");
    QTest::keyClicks(&hex, "0fzA9");
    EXPECT_EQ(hex.text(), "0FA9");
    // what the program set stays through a backspace, typing and an undo; only keys are judged
    hex.setText("1EG2");
    QTest::keyClick(&hex, Qt::Key_End);
    QTest::keyClick(&hex, Qt::Key_Backspace);
    EXPECT_EQ(hex.text(), "1EG");
    QTest::keyClick(&hex, Qt::Key_Home);
    QTest::keyClicks(&hex, "gc");
    EXPECT_EQ(hex.text(), "C1EG");
    QTest::keyClick(&hex, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&hex, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(hex.text(), "1EG2");
}
