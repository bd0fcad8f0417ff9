// The group channel timers dialog as the second program builds it: no copy of the image,
// Cancel stores nothing, opened only from the radio options' hidden button.

#include "Image_editor_fixture.h"
#include "Mactimer.h"
#include "Options.h"
#include "support/Typing.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

using testsupport::Drag;

class MacTimersV2 : public ImageEditorFixture<TfrmMacTimers, frmMacTimers> {};

TEST_F(MacTimersV2, LoadsStoresAndKeepsEveryOtherByte) {
    Set(81, 0xFF);
    Set(82, 7);
    Set(83, 200);
    Set(48, 25);
    Open();
    EXPECT_EQ(frmMacTimers->hsbMacIgnoreTime->value(), 63);
    EXPECT_EQ(frmMacTimers->lblMacIgnoreTime->text(), "63s");
    EXPECT_EQ(frmMacTimers->lblMacHoldTime->text(), "7s");
    EXPECT_EQ(frmMacTimers->lblMacResetRssi->text(), "200s");
    EXPECT_EQ(frmMacTimers->lblRssiLet->text(), "250ms");
    EXPECT_EQ(frmMacTimers->layout()->sizeConstraint(), QLayout::SetFixedSize);
    Ok();
    EXPECT_EQ(Byte(81), 0xFF) << "an untouched ignore time is kept";
    EXPECT_EQ(Byte(48), 25);

    ExpectOkKeepsEveryByte({1u, 2u, 3u}, eepromcheck::FillRandom);

    eepromcheck::FillRandom(4);
    const QByteArray before = eepromcheck::Snapshot();
    Open();
    Drag(frmMacTimers->hsbMacIgnoreTime, 10);
    Drag(frmMacTimers->hsbRssiLet, 3);
    EXPECT_EQ(frmMacTimers->lblRssiLet->text(), "30ms");
    Cancel();
    EXPECT_EQ(eepromcheck::Snapshot(), before) << "Cancel stores nothing";
    Open();
    Drag(frmMacTimers->hsbMacIgnoreTime, 10);
    Drag(frmMacTimers->hsbMacHoldTime, 0);
    Drag(frmMacTimers->hsbRssiLet, 3);
    Ok();
    EXPECT_EQ(Byte(81), 40);
    EXPECT_EQ(Byte(82), 0);
    EXPECT_EQ(Byte(48), 3);
    const auto changes = eepromcheck::Changes(before, eepromcheck::Snapshot());
    for (const auto& change : changes)
        EXPECT_TRUE(change.offset == 81 || change.offset == 82 || change.offset == 48) << change;
}

TEST_F(MacTimersV2, OpensFromTheRadioOptionsHiddenButton) {
    Set(82, 9);
    QTimer::singleShot(0, frmMacTimers, [] {
        EXPECT_TRUE(frmMacTimers->isVisible());
        Drag(frmMacTimers->hsbMacHoldTime, 12);
        frmMacTimers->OKBtn->click();
    });
    frmOptions->btnGroupChannelTimersClick();
    EXPECT_EQ(Byte(82), 12);
}

} // namespace
