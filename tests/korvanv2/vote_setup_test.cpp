// Vote setup: the seven bars and five bits it owns, the firmware gate at v2.02 with the
// tied ignore times, the version note, OK and Cancel.

#include "Editvote.h"
#include "Eeprom_dialog_fixture.h"
#include "Radioabout.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using eepromcheck::Change;
using eepromcheck::Changes;
using eepromcheck::FillRandom;
using eepromcheck::Snapshot;
using testsupport::Click;
using testsupport::Drag;

namespace {

class VoteSetup : public EepromDialogFixture<TfrmEditVote, frmEditVote> {
protected:
    void SetUp() override {
        EepromDialogFixture::SetUp();
        Firmware(nullptr);
    }
    void TearDown() override {
        ClearRadioVersion(versionInfo);
        EepromDialogFixture::TearDown();
    }
    // The version of the last radio read; none for nullptr.
    static void Firmware(const char* version) {
        ClearRadioVersion(versionInfo);
        if (version)
            ParseRadioVersion(version, versionInfo);
    }
    static void Ok() { frmEditVote->btnOk->click(); }
    static void Cancel() { frmEditVote->btnCancel->click(); }
    static QString Help() { return frmEditVote->MemoHelp->toPlainText(); }
    static std::vector<QWidget*> NewerControls() {
        auto* f = frmEditVote;
        return {f->lblFastVoteThreshold, f->hsbFastVoteThreshold, f->lblFastVoteThresholdValue,
                f->lblForcedRevoteTime,  f->hsbForcedRevoteTime,  f->lblForcedRevoteTimeValue,
                f->chkPTT_Forced_Revote, f->chkVoteWithoutCTCSS,  f->chkForcedRevoteBusy,
                f->chkPTTHomeChannel,    f->chkScanRepeaterInput};
    }
};

const char* const OldFirmwareNote =
    "Firmware version is earlier than v2.02.\nControls that are not applicable are disabled.\n"
    "Busy Voting Channel Ignore Time and RSSI Voting Channel Ignore Time are the same.";

TEST_F(VoteSetup, BarsShowAndStoreTheirBytes) {
    const std::pair<int, uint8_t> bytes[] = {{82, 30}, {65, 20}, {48, 255}, {83, 7},
                                             {81, 8},  {63, 65}, {64, 0}};
    for (const auto& [offset, value] : bytes)
        eeprom.SetByte(offset, value);
    Open();
    auto* f = frmEditVote;
    EXPECT_EQ(f->windowTitle(), "Vote Setup");
    EXPECT_EQ(f->PageControl1->currentWidget(), f->TabSheet2);
    EXPECT_EQ(f->PageControl1->tabText(0), "Busy Voting");
    const std::pair<QScrollBar*, int> shown[] = {{f->hsbBusyChannelHoldTime, 30},
                                                 {f->hsbBusyChannelIgnoreTime, 5},
                                                 {f->hsbRssiLet, 255},
                                                 {f->hsbRssiChannelHoldTime, 7},
                                                 {f->hsbRssiIgnoreTime, 2},
                                                 {f->hsbFastVoteThreshold, 65},
                                                 {f->hsbForcedRevoteTime, 0}};
    for (const auto& [bar, value] : shown) {
        EXPECT_EQ(bar->value(), value);
        EXPECT_EQ(bar->pageStep(), 4);
    }
    EXPECT_EQ(f->lblBusyChannelHoldTimeValue->text(), "30s");
    EXPECT_EQ(f->lblBusyChannelIgnoreTimeValue->text(), "5s");
    EXPECT_EQ(f->lblRssiLetValue->text(), "2550ms");
    EXPECT_EQ(f->lblRssiIgnoreTimeValue->text(), "2s");
    EXPECT_EQ(f->lblFastVoteThresholdValue->text(), "65dB");
    EXPECT_EQ(f->lblForcedRevoteTimeValue->text(), "OFF");
    // No version known: everything is enabled and the note stays away.
    for (QWidget* w : NewerControls())
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(Help(), "");

    Drag(f->hsbBusyChannelHoldTime, 60);
    Drag(f->hsbBusyChannelIgnoreTime, 10);
    Drag(f->hsbRssiLet, 1);
    Drag(f->hsbRssiChannelHoldTime, 0);
    Drag(f->hsbRssiIgnoreTime, 3);
    Drag(f->hsbFastVoteThreshold, 12);
    Drag(f->hsbForcedRevoteTime, 30);
    EXPECT_EQ(f->lblForcedRevoteTimeValue->text(), "30min");
    EXPECT_EQ(f->lblRssiIgnoreTimeValue->text(), "3s");
    EXPECT_EQ(f->hsbBusyChannelIgnoreTime->value(), 10); // no tie
    Ok();
    const std::pair<int, uint8_t> stored[] = {{82, 60}, {65, 40}, {48, 1}, {83, 0},
                                              {81, 12}, {63, 12}, {64, 30}};
    for (const auto& [offset, value] : stored)
        EXPECT_EQ(eeprom.GetByte(offset), value) << "byte " << offset;
}

TEST_F(VoteSetup, OkWithoutChangesKeepsEveryByte) {
    for (const char* version : {static_cast<const char*>(nullptr), "Korvan V2.02", "Korvan V3.10"})
        for (uint32_t seed : {1u, 2u}) {
            Firmware(version);
            FillRandom(seed);
            eeprom.SetByte(65, 10); // 2.5 s shows as 2s and stays 10
            const QByteArray before = Snapshot();
            Open();
            EXPECT_EQ(frmEditVote->lblBusyChannelIgnoreTimeValue->text(), "2s");
            Ok();
            EXPECT_EQ(Changes(before, Snapshot()), std::vector<Change>{}) << "seed " << seed;
        }
}

TEST_F(VoteSetup, EachBoxChangesOnlyItsOwnBit) {
    const std::tuple<QCheckBox*, int, int> rows[] = {{frmEditVote->chkPTT_Forced_Revote, 74, 7},
                                                     {frmEditVote->chkVoteWithoutCTCSS, 74, 6},
                                                     {frmEditVote->chkForcedRevoteBusy, 77, 4},
                                                     {frmEditVote->chkPTTHomeChannel, 77, 3},
                                                     {frmEditVote->chkScanRepeaterInput, 79, 5}};
    for (const auto& [box, offset, bit] : rows)
        for (uint32_t seed : {3u, 4u}) {
            FillRandom(seed + uint32_t(offset * 8 + bit));
            const QByteArray before = Snapshot();
            Open();
            EXPECT_EQ(box->isChecked(), bool(eeprom.GetByte(offset) & (1u << bit)));
            Click(box);
            Ok();
            ASSERT_EQ(Changes(before, Snapshot()),
                      (std::vector<Change>{{offset, uint8_t(1u << bit)}}))
                << box->text().toStdString();
        }
}

TEST_F(VoteSetup, FirmwareBeforeV202GreysNewerControlsAndTiesIgnoreTimes) {
    Firmware("Korvan V2.01");
    FillRandom(5);
    eeprom.SetByte(65, 8);  // busy 2s
    eeprom.SetByte(81, 20); // RSSI 5s: the busy time wins at opening
    const QByteArray before = Snapshot();
    Open();
    EXPECT_EQ(frmEditVote->FirmwareVersion, 201);
    for (QWidget* w : NewerControls())
        EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(frmEditVote->hsbRssiLet->isEnabled());
    EXPECT_EQ(frmEditVote->hsbBusyChannelIgnoreTime->value(), 2);
    EXPECT_EQ(frmEditVote->hsbRssiIgnoreTime->value(), 2);
    EXPECT_EQ(frmEditVote->lblRssiIgnoreTimeValue->text(), "2s");
    EXPECT_EQ(Help(), OldFirmwareNote);
    Ok();
    // Only the tie changed a byte; the greyed controls stored what they were loaded with.
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{81, 20 ^ 8}}));

    Open();
    Drag(frmEditVote->hsbRssiIgnoreTime, 5);
    EXPECT_EQ(frmEditVote->hsbBusyChannelIgnoreTime->value(), 5);
    EXPECT_EQ(frmEditVote->lblBusyChannelIgnoreTimeValue->text(), "5s");
    Ok();
    EXPECT_EQ(eeprom.GetByte(65), 20);
    EXPECT_EQ(eeprom.GetByte(81), 20);

    // Bytes that show the same seconds but differ are stored equal: the busy byte wins.
    for (const auto& [busy, rssi] : {std::pair<uint8_t, uint8_t>{10, 20}, {23, 8}, {20, 22}}) {
        eeprom.SetByte(65, busy);
        eeprom.SetByte(81, rssi);
        Open();
        EXPECT_EQ(frmEditVote->hsbRssiIgnoreTime->value(), busy / 4);
        Ok();
        EXPECT_EQ(eeprom.GetByte(65), busy);
        EXPECT_EQ(eeprom.GetByte(81), busy) << int(busy) << " " << int(rssi);
    }

    // Each tab shown brings the note back.
    Open();
    QTest::mouseMove(frmEditVote->chkPTTHomeChannel);
    frmEditVote->MemoHelp->clear();
    frmEditVote->PageControl1->setCurrentWidget(frmEditVote->TabSheet1);
    EXPECT_EQ(Help(), OldFirmwareNote);
    Cancel();

    // From v2.02 on nothing is tied or greyed.
    Firmware("Korvan V2.02");
    Open();
    EXPECT_EQ(frmEditVote->FirmwareVersion, 202);
    for (QWidget* w : NewerControls())
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(Help(), "");
    Drag(frmEditVote->hsbRssiIgnoreTime, 9);
    EXPECT_EQ(frmEditVote->hsbBusyChannelIgnoreTime->value(), 5);
    Ok();
    EXPECT_EQ(eeprom.GetByte(65), 20);
    EXPECT_EQ(eeprom.GetByte(81), 36);
}

TEST_F(VoteSetup, CancelOnlyClosesAndHelpFollowsTheControl) {
    FillRandom(6);
    const QByteArray before = Snapshot();
    Open();
    Drag(frmEditVote->hsbRssiLet, 3);
    Click(frmEditVote->chkScanRepeaterInput);
    Cancel();
    EXPECT_FALSE(frmEditVote->isVisible());
    EXPECT_EQ(Snapshot(), before);

    QTimer::singleShot(0, frmEditVote, [] {
        Drag(frmEditVote->hsbForcedRevoteTime, 7);
        QTest::keyClick(frmEditVote, Qt::Key_Escape);
    });
    EXPECT_EQ(frmEditVote->exec(), TfrmEditVote::mrCancel);
    EXPECT_EQ(Snapshot(), before);

    QTimer::singleShot(0, frmEditVote, [] {
        Hover(frmEditVote->lblFastVoteThresholdValue);
        EXPECT_EQ(Help(), "RSSI Voting selects the first channel with signal strength that "
                          "exceeds S0 (-122dBm) by more than the fast vote threshold.");
        Hover(frmEditVote->lblRssiIgnoreTime);
        EXPECT_EQ(Help(), "Channel with incorrect CTCSS is removed from RSSI voting for this "
                          "time.\nChannel is restored to vote group when carrier disappears or "
                          "timer expires.");
        Focus(frmEditVote->chkForcedRevoteBusy);
        EXPECT_EQ(Help(), "Perform Forced Revote even if carrier is still present.\nThis may "
                          "cause a brief interruption to the received signal while radio "
                          "revotes.");
        Hover(frmEditVote->btnCancel);
        EXPECT_EQ(Help(), "Perform Forced Revote even if carrier is still present.\nThis may "
                          "cause a brief interruption to the received signal while radio "
                          "revotes.");
        Drag(frmEditVote->hsbForcedRevoteTime, 7);
        frmEditVote->btnOk->click();
    });
    EXPECT_EQ(frmEditVote->exec(), TfrmEditVote::mrOk);
    EXPECT_EQ(Changes(before, Snapshot()),
              (std::vector<Change>{{64, uint8_t(uint8_t(before[64]) ^ 7)}}));
}

} // namespace
