// User-defined buttons: function codes, recall lists, DTMF memories, scan mode bits, the
// enable rules, and the two live boxes that send byte 2 to the radio at once.

#include "Image_fixture.h"
#include "Key_functions.h"
#include "Ser_com.h"
#include "Up_down.h"
#include "User_btn.h"
#include "support/FirstGenRadio.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <cstring>

using imagecheck::Change;
using imagecheck::Changes;
using imagecheck::Snapshot;

namespace {

constexpr int FunctionBytes[] = {0x8F, 0x90, 0x91, 0x92, 0x8D, 0x8E, 0x82, 0x50, 0x44};
constexpr int SpeedDialBytes[] = {0xAF, 0xB0, 0xB1, 0xB2, 0xAD, 0xAE, 0x83, 0xB3, 0x45};
constexpr int DtmfOffsets[] = {0x93, 0x99, 0x9F, 0xA5};

class UserButtonsTest : public ImageDialogFixture<TfrmUserButtons, frmUserButtons> {
protected:
    // Channel c (1..99) in use, named.
    void AddChannel(int c, const char* name) {
        image()[0x4DF + 8 * (c - 1) + 6] |= 0x01;
        uint8_t* chars = image() + 745 + 5 * (c - 1);
        std::memset(chars, 0, 5);
        std::memcpy(chars, name, std::min<size_t>(5, std::strlen(name)));
    }
    void ClearChannels() {
        for (int c = 1; c <= 99; ++c)
            image()[0x4DF + 8 * (c - 1) + 6] &= 0xFE;
        image()[0x221 + 6] &= 0xFE;
    }
    // Opens the list and takes the entry it shows, as a user would.
    static void PickShownEntry(QComboBox* combo) {
        combo->showPopup();
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    void EnableCb(bool on) { image()[0x47] = on ? image()[0x47] | 0x08 : image()[0x47] & ~0x08; }

    // A random image whose fields hold what the dialog can show, so OK writes them back
    // unchanged: valid codes, a scan mode that follows the keys, a listed scan speed,
    // well-formed DTMF memories.
    static void FillConsistent(uint32_t seed) {
        imagecheck::FillRandom(seed);
        for (int i = 0; i < 9; ++i) {
            image()[FunctionBytes[i]] %= 42;
            image()[SpeedDialBytes[i]] %= 40;
        }
        image()[0x50] = 5; // call key scans
        image()[0x8F] = 3; // no mode toggle
        image()[0x90] = 3;
        image()[0x91] = 3;
        image()[0x92] = 3;
        image()[0x8D] = 3;
        image()[0x8E] = 3;
        image()[0x82] = 3;
        image()[0x44] = 3;
        image()[0x4A] = (image()[0x4A] & 0xF8) | 0x06; // group scan
        image()[0x54] = 10;
        image()[0x55] = 1 + image()[0x55] % 10;
        const uint8_t dtmf[] = {0x12, 0xAB, 0xCF};
        for (int offset : DtmfOffsets)
            std::memcpy(image() + offset, dtmf, sizeof dtmf);
    }
};

TEST_F(UserButtonsTest, FunctionNamesByCode) {
    EXPECT_EQ(TfrmUserButtons::FunctionName(0), "Disabled");
    EXPECT_EQ(TfrmUserButtons::FunctionName(6), "OS/GS mode toggle");
    EXPECT_EQ(TfrmUserButtons::FunctionName(17), "Recall channel M4 & speed dial Selcall Memory");
    EXPECT_EQ(TfrmUserButtons::FunctionName(22 + 4 * 2 + 3),
              "Recall channel M3 & speed dial DTMF M4");
    EXPECT_EQ(TfrmUserButtons::FunctionName(41), "S-Meter (toggle)");
    EXPECT_EQ(TfrmUserButtons::FunctionName(-1), "Disabled");
    EXPECT_EQ(TfrmUserButtons::FunctionName(42), "Disabled");
    EXPECT_EQ(frmUserButtons->FunctionName(255), "Disabled");
    ASSERT_EQ(frmUserButtons->cmbButtonMicA->count(), 42);
    EXPECT_EQ(frmUserButtons->cmbButtonMicA->itemText(38), "Call");
}

TEST_F(UserButtonsTest, LoadShowsCodesAndOutOfRangeCodes) {
    FillConsistent(1);
    image()[0x8F] = 40;  // F1: monitor toggle
    image()[0x8D] = 13;  // F5: speed dial selcall
    image()[0xAD] = 7;   // F5 speed dial M8
    image()[0x50] = 42;  // call: out of range
    image()[0x90] = 200; // F2: out of range
    image()[0x34] = 0xA5;
    image()[0x54] = 0;
    image()[0x4A] |= 0x04;
    image()[0x55] = 4;
    Open();
    EXPECT_EQ(frmUserButtons->cmbButtonF1->currentText(), "Monitor (toggle)");
    EXPECT_EQ(frmUserButtons->cmbButtonCall->currentText(), "Disabled");
    EXPECT_EQ(frmUserButtons->cmbButtonF2->currentIndex(), -1);
    EXPECT_EQ(frmUserButtons->cmbSelcallBtnA->currentText(), "M8");
    EXPECT_TRUE(frmUserButtons->cmbSelcallBtnA->isEnabled());
    EXPECT_FALSE(frmUserButtons->cmbSelcallBtnF1->isEnabled());
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(frmUserButtons->chkOffHook[k]->isChecked(), bool(0xA5 & (1 << k))) << k;
    EXPECT_EQ(frmUserButtons->cmbScanSpeed->currentIndex(), 2) << "0 loads as Fast";
    EXPECT_TRUE(frmUserButtons->rbGsMode->isChecked());
    EXPECT_EQ(frmUserButtons->editPriChkRate->text(), "4");
    EXPECT_EQ(frmUserButtons->txtDtmfMem1->text(), "12*#p");
    Ok();
    EXPECT_EQ(image()[0x50], 42) << "codes no item shows are kept";
    EXPECT_EQ(image()[0x90], 200);
    EXPECT_EQ(image()[0x54], 0) << "a speed no item stores is kept while untouched";

    // Moved away and back to the "Disabled" it shows, the call key stores that code.
    image()[0x50] = 0xEE;
    Open();
    QComboBox* call = frmUserButtons->cmbButtonCall;
    EXPECT_EQ(call->currentText(), "Disabled");
    QTest::keyClick(call, Qt::Key_Down);
    QTest::keyClick(call, Qt::Key_Up);
    EXPECT_EQ(call->currentText(), "Disabled");
    Ok();
    EXPECT_EQ(image()[0x50], keyfn::Disabled);
}

TEST_F(UserButtonsTest, OkWithoutChangesKeepsEveryByte) {
    ExpectOkKeepsEveryByte({2u, 3u, 4u, 18u, 19u, 20u}, imagecheck::FillRandom);
}

TEST_F(UserButtonsTest, EachControlChangesOnlyItsOwnBits) {
    struct Row {
        QCheckBox* box;
        int offset;
        int bit;
        int enabler = -1; // a function that enables a box the keys leave greyed
    };
    std::vector<Row> rows = {
        {frmUserButtons->chkMonitorOpenSql, 0x47, 6, keyfn::Monitor},
        {frmUserButtons->chkQuietMemMod, 0x48, 0, keyfn::Quiet},
        {frmUserButtons->chkScanMemMod, 0x48, 1},
        {frmUserButtons->chkRecallChMod, 0x48, 2, keyfn::RecallM1},
        {frmUserButtons->chkCallButtonEnabled, 0x4D, 5},
        {frmUserButtons->chkAlarmInput, 0x4E, 5},
        {frmUserButtons->chkGsTxOnHold, 0x4E, 6},
        {frmUserButtons->chkF1F4RsImm, 0x4F, 5},
    };
    for (int k = 0; k < 8; ++k)
        rows.push_back({frmUserButtons->chkOffHook[k], 0x34, k});
    for (const Row& row : rows) {
        FillConsistent(uint32_t(row.offset * 8 + row.bit));
        const QByteArray before = Snapshot();
        Open();
        // A greyed box is clicked while F1's function enables it, and stored greyed again.
        QComboBox* f1 = frmUserButtons->cmbButtonF1;
        const int f1Code = f1->currentIndex();
        if (row.enabler >= 0)
            testsupport::Choose(f1, row.enabler);
        ASSERT_TRUE(row.box->isEnabled()) << row.box->text().toStdString();
        testsupport::Click(row.box);
        testsupport::Choose(f1, f1Code);
        EXPECT_EQ(row.box->isEnabled(), row.enabler < 0);
        Ok();
        EXPECT_EQ(Changes(before, Snapshot()),
                  (std::vector<Change>{{row.offset, uint8_t(1u << row.bit)}}))
            << row.box->text().toStdString();
    }

    FillConsistent(5);
    image()[0x55] = 1;
    image()[0x83] = 0;
    QByteArray before = Snapshot();
    Open();
    testsupport::Choose(frmUserButtons->cmbButtonE, 13);
    testsupport::Choose(frmUserButtons->cmbSelcallBtnE, 39);
    QTest::mouseClick(frmUserButtons->udPriChkRate->buttons()->upButton(), Qt::LeftButton);
    Ok();
    const auto changes = Changes(before, Snapshot());
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].offset, 0x55);
    EXPECT_EQ(image()[0x82], 13);
    EXPECT_EQ(image()[0x83], 39);

    // A rate typed into the box counts; the box takes only 1..10, and left empty it shows
    // the rate that stands.
    FillConsistent(17);
    Open();
    QLineEdit* rate = frmUserButtons->editPriChkRate;
    testsupport::TypeOver(rate, "7");
    Ok();
    EXPECT_EQ(image()[0x55], 7);
    Open();
    frmUserButtons->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmUserButtons));
    rate->setFocus();
    testsupport::TypeOver(rate, "99");
    EXPECT_EQ(rate->text(), "9");
    testsupport::TypeOver(rate, "0");
    EXPECT_EQ(rate->text(), "");
    QTest::keyClick(rate, Qt::Key_Tab);
    EXPECT_EQ(rate->text(), "7");
    Ok();
    EXPECT_EQ(image()[0x55], 7);
    // Escape while the box is empty: the next opening shows the stored rate again.
    Open();
    rate->setFocus();
    testsupport::TypeOver(rate, "");
    QTest::keyClick(rate, Qt::Key_Escape);
    ASSERT_FALSE(frmUserButtons->isVisible());
    Open();
    EXPECT_EQ(rate->text(), "7");
    Cancel();

    // A stored rate outside 1..10 shows as it is; the focus passing through the box, by
    // Tab or by a click before OK, changes neither what it shows nor what is stored.
    for (const int stored : {0, 11, 200}) {
        FillConsistent(uint32_t(30 + stored));
        image()[0x55] = uint8_t(stored);
        const QByteArray unchanged = Snapshot();
        Open();
        frmUserButtons->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frmUserButtons));
        ASSERT_TRUE(testsupport::TabThrough(rate)) << stored;
        EXPECT_EQ(rate->text(), QString::number(stored));
        Ok();
        EXPECT_EQ(Snapshot(), unchanged) << stored;
        Open();
        frmUserButtons->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frmUserButtons));
        QTest::mouseClick(rate, Qt::LeftButton);
        EXPECT_TRUE(rate->hasFocus());
        QTest::mouseClick(frmUserButtons->OKBtn, Qt::LeftButton);
        EXPECT_FALSE(frmUserButtons->isVisible());
        EXPECT_EQ(Snapshot(), unchanged) << stored;
    }

    // The program's own clearing of a list is not the user's: the code bytes stay (a user
    // can only pick an item).
    FillConsistent(6);
    const QByteArray listed = Snapshot();
    Open();
    frmUserButtons->cmbButtonF3->setCurrentIndex(-1);
    frmUserButtons->cmbSelcallBtnF3->setCurrentIndex(-1);
    Ok();
    EXPECT_EQ(Snapshot(), listed);
}

TEST_F(UserButtonsTest, ScanModeBitsFollowTheKeys) {
    // The mode bits change only when the keys or the mode buttons give another mode.
    auto storeWith = [this](std::initializer_list<int> codes, bool groupScan, int callKey = 3) {
        FillConsistent(7);
        image()[0x50] = uint8_t(callKey);
        image()[0x4A] = 0xF8 | (groupScan ? 0x04 : 0x00) | 0x03;
        Open();
        QComboBox* keys[] = {frmUserButtons->cmbButtonF1,  frmUserButtons->cmbButtonF2,
                             frmUserButtons->cmbButtonF3,  frmUserButtons->cmbButtonF4,
                             frmUserButtons->cmbButtonA,   frmUserButtons->cmbButtonB,
                             frmUserButtons->cmbButtonE,   frmUserButtons->cmbButtonCall,
                             frmUserButtons->cmbButtonMicA};
        // The user picks only the functions that differ; the others default to 0.
        for (int i = 0; i < 9; ++i) {
            const int code = i < int(codes.size()) ? codes.begin()[i] : 0;
            if (keys[i]->currentIndex() != code)
                testsupport::Choose(keys[i], code);
        }
        Ok();
        return image()[0x4A];
    };
    EXPECT_EQ(storeWith({1, 2}, true, 5), 0xFB) << "no Scan key any more: open scan";
    EXPECT_EQ(storeWith({3, 3, 3, 3, 3, 3, 3, 3, 3}, true), 0xFF) << "no key changed: bits kept";
    EXPECT_EQ(storeWith({1, 2}, true), 0xFF)
        << "keys changed, still no Scan key: the same mode, bits kept";
    EXPECT_EQ(storeWith({5, 5, 6}, false), 0xF8) << "Scan and a mode toggle";
    EXPECT_EQ(storeWith({5}, true), 0xFE) << "Scan, group scan chosen";
    EXPECT_EQ(storeWith({5}, false), 0xFA) << "Scan, open scan chosen";

    FillConsistent(8);
    Open();
    testsupport::Choose(frmUserButtons->cmbButtonCall, 5);
    testsupport::Click(frmUserButtons->rbOsMode);
    testsupport::Choose(frmUserButtons->cmbScanSpeed, 0);
    Ok();
    EXPECT_EQ(image()[0x4A] & 0x07, 0x02);
    EXPECT_EQ(image()[0x54], 20);
}

TEST_F(UserButtonsTest, EnableRulesFollowTheKeys) {
    FillConsistent(9);
    for (int byte : FunctionBytes)
        image()[byte] = 0;
    image()[0x8D] = 40; // F5: monitor toggle does not count
    Open();
    EXPECT_FALSE(frmUserButtons->chkMonitorOpenSql->isEnabled());
    EXPECT_FALSE(frmUserButtons->cmbScanSpeed->isEnabled());
    EXPECT_FALSE(frmUserButtons->rbOsMode->isEnabled());
    EXPECT_FALSE(frmUserButtons->chkQuietMemMod->isEnabled());
    EXPECT_FALSE(frmUserButtons->cmbRecallM2->isEnabled());
    EXPECT_FALSE(frmUserButtons->txtDtmfMem1->isEnabled());
    EXPECT_TRUE(frmUserButtons->txtDtmfMem3->isEnabled()) << "memories 3 and 4 stay enabled";
    EXPECT_TRUE(frmUserButtons->txtDtmfMem4->isEnabled());

    frmUserButtons->cmbButtonF1->setCurrentIndex(40);
    EXPECT_TRUE(frmUserButtons->chkMonitorOpenSql->isEnabled());
    frmUserButtons->cmbButtonF1->setCurrentIndex(0);
    frmUserButtons->cmbButtonB->setCurrentIndex(2); // Monitor, on any key
    EXPECT_TRUE(frmUserButtons->chkMonitorOpenSql->isEnabled());

    frmUserButtons->cmbButtonF2->setCurrentIndex(27); // recall M2 & DTMF M2
    EXPECT_TRUE(frmUserButtons->cmbRecallM2->isEnabled());
    EXPECT_TRUE(frmUserButtons->lblRecallM2->isEnabled());
    EXPECT_FALSE(frmUserButtons->cmbRecallM1->isEnabled());
    EXPECT_TRUE(frmUserButtons->txtDtmfMem2->isEnabled());
    EXPECT_FALSE(frmUserButtons->txtDtmfMem1->isEnabled());
    EXPECT_FALSE(frmUserButtons->chkRecallChMod->isEnabled());
    frmUserButtons->cmbButtonF3->setCurrentIndex(10);
    EXPECT_TRUE(frmUserButtons->chkRecallChMod->isEnabled());
    EXPECT_TRUE(frmUserButtons->RecallChannelInUse(2));
    EXPECT_FALSE(frmUserButtons->RecallChannelInUse(5));
    EXPECT_FALSE(frmUserButtons->DtmfMemoryInUse(0));

    frmUserButtons->cmbButtonF4->setCurrentIndex(5); // Scan
    frmUserButtons->rbOsMode->setChecked(true);
    EXPECT_TRUE(frmUserButtons->cmbScanSpeed->isEnabled());
    EXPECT_TRUE(frmUserButtons->rbGsMode->isEnabled());
    EXPECT_FALSE(frmUserButtons->udPriChkRate->isEnabled());
    frmUserButtons->rbGsMode->setChecked(true);
    EXPECT_TRUE(frmUserButtons->udPriChkRate->isEnabled());
    EXPECT_TRUE(frmUserButtons->chkGsTxOnHold->isEnabled());
    frmUserButtons->rbOsMode->setChecked(true);
    frmUserButtons->cmbButtonE->setCurrentIndex(6); // OS/GS toggle
    EXPECT_FALSE(frmUserButtons->rbGsMode->isEnabled());
    EXPECT_TRUE(frmUserButtons->udPriChkRate->isEnabled());
    EXPECT_TRUE(frmUserButtons->OsGsKeyUsed);
    EXPECT_TRUE(frmUserButtons->ScanKeyUsed);
    frmUserButtons->cmbButtonMicA->setCurrentIndex(8);
    EXPECT_TRUE(frmUserButtons->chkQuietMemMod->isEnabled());
    Cancel();
}

TEST_F(UserButtonsTest, RecallListsShowChannelsAndCbChannels) {
    FillConsistent(10);
    ClearChannels();
    AddChannel(3, "BASE");
    AddChannel(7, "REPEATER1");
    EnableCb(true);
    image()[0x59] = 6;   // channel 7
    image()[0x5A] = 104; // CB 5
    image()[0x5B] = 4;   // channel 5, not in use
    image()[0x5C] = 140; // names nothing
    const QByteArray before = Snapshot();
    Open();
    QComboBox* m1 = frmUserButtons->cmbRecallM1;
    ASSERT_EQ(m1->count(), 2 + 40);
    EXPECT_EQ(m1->itemText(0), "03 BASE");
    EXPECT_EQ(m1->itemText(1), "07 REPEA");
    EXPECT_EQ(m1->itemText(2), "CB 01");
    EXPECT_EQ(m1->itemText(41), "CB 40");
    EXPECT_EQ(m1->currentText(), "07 REPEA");
    EXPECT_EQ(frmUserButtons->cmbRecallM2->currentText(), "CB 05");
    for (QComboBox* nothing : {frmUserButtons->cmbRecallM3, frmUserButtons->cmbRecallM4}) {
        EXPECT_EQ(nothing->currentIndex(), -1) << "a value naming no entry shows none";
        EXPECT_EQ(nothing->currentText(), "");
    }
    Ok();
    EXPECT_EQ(Changes(before, Snapshot()), std::vector<Change>{})
        << "untouched memories keep their values, even those naming nothing";

    EnableCb(false);
    image()[0x5A] = 120;
    image()[0x8F] = 10; // F1 recalls M2
    Open();
    EXPECT_EQ(m1->count(), 2);
    EXPECT_EQ(frmUserButtons->cmbRecallM2->currentText(), "") << "CB entries are not listed";
    frmUserButtons->cmbRecallM1->setEditText("");
    frmUserButtons->cmbRecallM2->setCurrentIndex(0);
    Ok();
    EXPECT_EQ(host.messages.size(), 1) << "an emptied box names no channel";
    EXPECT_EQ(image()[0x59], 6);
    frmUserButtons->cmbRecallM1->setEditText("3");
    Ok();
    EXPECT_EQ(image()[0x59], 2);
    EXPECT_EQ(image()[0x5A], 2);
}

// A typed recall text is stored only when the list could show it: a channel number 1..100,
// alone or before its name, or CB 01..CB 40 when the radio has CB channels. Anything else
// is refused at OK with the stored value kept and the dialog open.
TEST_F(UserButtonsTest, TypedRecallTextsStoreTheirChannelOrAreRefused) {
    const QString channels = "Enter a channel number from 1 to 100";
    const struct {
        const char* typed;
        bool cb;
        int stored; // -1: refused
    } cases[] = {
        {"5", true, 4},       {"12 anything", true, 11}, {"07 R7", true, 6},  {"100", true, 99},
        {"CB 12", true, 111}, {"CB 40", true, 139},      {"CB 00", true, -1}, {"CB 41", true, -1},
        {"CB5", true, -1},    {"CBxx", true, -1},        {"xx", true, -1},    {"0", true, -1},
        {"101", true, -1},    {"CB 05", false, -1},
    };
    FillConsistent(11);
    ClearChannels();
    AddChannel(50, "FIFTY"); // listed: a typed 5 completes to nothing
    image()[0x8F] = 9;       // F1 recalls M1
    for (const auto& c : cases) {
        EnableCb(c.cb);
        image()[0x59] = 77;
        host.messages.clear();
        Open();
        testsupport::TypeOver(frmUserButtons->cmbRecallM1->lineEdit(),
                              QString::fromLatin1(c.typed));
        Ok();
        if (c.stored >= 0) {
            EXPECT_TRUE(host.messages.isEmpty()) << c.typed;
            EXPECT_EQ(image()[0x59], c.stored) << c.typed;
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1) << c.typed;
        EXPECT_EQ(host.messages[0].text,
                  QStringLiteral("Channel Pri/M1: \"%1\" is not a recall channel.\n%2%3.")
                      .arg(QString::fromLatin1(c.typed), channels,
                           c.cb ? QStringLiteral(" or CB 01 to CB 40") : QString()));
        EXPECT_EQ(host.messages[0].flags, 48);
        EXPECT_TRUE(frmUserButtons->isVisible()) << c.typed;
        EXPECT_EQ(image()[0x59], 77) << c.typed;
        Cancel();
    }
}

TEST_F(UserButtonsTest, ChannelHundredComesFromItsOwnRecord) {
    FillConsistent(12);
    ClearChannels();
    EnableCb(false);
    image()[0x7FD] |= 0x01; // past channel 99's record: never taken as a flag
    image()[0x59] = 99;
    image()[0x5A] = 120;
    image()[0x8F] = 27; // F1 recalls M2
    Open();
    EXPECT_EQ(frmUserButtons->cmbRecallM1->count(), 0);
    Ok();
    EXPECT_EQ(image()[0x59], 99);

    image()[0x221 + 6] |= 0x01; // channel 100's record in use
    Open();
    ASSERT_EQ(frmUserButtons->cmbRecallM1->count(), 1);
    EXPECT_EQ(frmUserButtons->cmbRecallM1->currentText(), "100 CH100");
    PickShownEntry(frmUserButtons->cmbRecallM2);
    frmUserButtons->cmbRecallM3->setEditText("100");
    Ok();
    EXPECT_EQ(image()[0x59], 99);
    EXPECT_EQ(image()[0x5A], 99);
    EXPECT_EQ(image()[0x5B], 99);
}

TEST_F(UserButtonsTest, DtmfMemoriesEncodeAndDecode) {
    FillConsistent(13);
    const uint8_t erased[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::memcpy(image() + 0x93, erased, 6);
    const uint8_t early[6] = {0x1D, 0x23, 0x45, 0x67, 0x89, 0x01};
    std::memcpy(image() + 0x99, early, 6);
    image()[0x8F] = 18; // F1 dials DTMF memory 1
    image()[0x90] = 27; // F2 recalls M2 and dials DTMF memory 2
    Open();
    EXPECT_EQ(frmUserButtons->txtDtmfMem1->text(), "");
    EXPECT_EQ(frmUserButtons->txtDtmfMem2->text(), "1") << "13 ends the text";

    const QByteArray before = Snapshot();
    testsupport::TypeOver(frmUserButtons->txtDtmfMem1, "12*#p");
    testsupport::TypeOver(frmUserButtons->txtDtmfMem2, "");
    testsupport::TypeOver(frmUserButtons->txtDtmfMem3, "0123456789*#");
    testsupport::TypeOver(frmUserButtons->txtDtmfMem4, "12x45"); // memory 4 takes any key
    Ok();
    const uint8_t* b = image();
    EXPECT_EQ(b[0x93], 0x12);
    EXPECT_EQ(b[0x94], 0xAB);
    EXPECT_EQ(b[0x95], 0xCF);
    EXPECT_EQ(b[0x96], uint8_t(before[0x96]));
    EXPECT_EQ(b[0x99], 0xF0) << "an emptied memory";
    EXPECT_EQ(b[0x9A], uint8_t(before[0x9A]));
    EXPECT_EQ(b[0x9F], 0x01);
    EXPECT_EQ(b[0xA0], 0x23);
    EXPECT_EQ(b[0xA4], 0xAB) << "twelve digits, no end mark";
    EXPECT_EQ(b[0xA5], 0x12);
    EXPECT_EQ(b[0xA6], 0xF0) << "an unknown character becomes the end mark";
    EXPECT_EQ(b[0xA7], uint8_t(before[0xA7])) << "bytes after the end mark keep their contents";
}

TEST_F(UserButtonsTest, DtmfKeyFilter) {
    FillConsistent(14);
    for (int byte : FunctionBytes)
        image()[byte] = 18; // speed dial DTMF M1: memory 1 enabled
    Open();
    frmUserButtons->txtDtmfMem1->clear();
    QTest::keyClicks(frmUserButtons->txtDtmfMem1, "1aP*#p9");
    EXPECT_EQ(frmUserButtons->txtDtmfMem1->text(), "1p*#p9");
    QTest::keyClick(frmUserButtons->txtDtmfMem1, Qt::Key_Backspace);
    EXPECT_EQ(frmUserButtons->txtDtmfMem1->text(), "1p*#p");
    frmUserButtons->txtDtmfMem4->clear();
    QTest::keyClicks(frmUserButtons->txtDtmfMem4, "1aP");
    EXPECT_EQ(frmUserButtons->txtDtmfMem4->text(), "1aP") << "memory 4 takes any key";
    frmUserButtons->txtDtmfMem3->clear();
    QTest::keyClicks(frmUserButtons->txtDtmfMem3, "1234567890123456");
    EXPECT_EQ(frmUserButtons->txtDtmfMem3->text(), "123456789012");
    Cancel();
}

TEST_F(UserButtonsTest, CancelRestoresTheWholeImage) {
    FillConsistent(15);
    const QByteArray before = Snapshot();
    Open();
    frmUserButtons->cmbButtonF1->setCurrentIndex(5);
    frmUserButtons->txtDtmfMem4->setText("999");
    frmUserButtons->chkOffHook[3]->toggle();
    frmUserButtons->cmbRecallM1->setEditText("CB 01");
    Cancel();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(UserButtonsTest, LiveBoxesSendByteTwoAtOnce) {
    testsupport::FirstGenRadio radio;
    radio.mapToPort(9);
    ASSERT_TRUE(frmSerial->OpenPort(9));
    FillConsistent(16);
    image()[2] = 0xF0;
    radio.setByte(2, 0xF0);
    Open();
    EXPECT_FALSE(frmUserButtons->chkLowPwr->isChecked());
    QTest::qWait(100);
    EXPECT_EQ(radio.count(CMD_WRITE_BYTE), 0) << "opening sends nothing";

    frmUserButtons->chkLowPwr->click();
    EXPECT_EQ(image()[2], 0xF1);
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 1, testsupport::WAIT_LIMIT_MS));
    const testsupport::RadioFrame frame = radio.frames().last();
    EXPECT_EQ(frame.command, CMD_WRITE_BYTE);
    EXPECT_EQ(frame.address(), 2);
    EXPECT_EQ(uint8_t(frame.data[0]), 0xF1);

    frmUserButtons->chkLowPwr->setChecked(true); // no change: nothing to send
    frmUserButtons->chkSquelch->click();
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 2, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(uint8_t(radio.frames().last().data[0]), 0xF3);
    EXPECT_EQ(image()[2], 0xF3);
    QTest::qWait(100);
    EXPECT_EQ(radio.count(CMD_WRITE_BYTE), 2);

    // Cancel puts the image back; what the radio was sent stays there.
    Cancel();
    EXPECT_EQ(image()[2], 0xF0);
    EXPECT_EQ(radio.byteAt(2), 0xF3);
    Open();
    EXPECT_FALSE(frmUserButtons->chkLowPwr->isChecked());
    QTest::qWait(100);
    EXPECT_EQ(radio.count(CMD_WRITE_BYTE), 2);
    Cancel();
    frmSerial->ClosePort();
}

TEST_F(UserButtonsTest, HelpPaneShowsTheControlsLines) {
    Open();
    Focus(frmUserButtons->txtDtmfMem4);
    EXPECT_EQ(frmUserButtons->HelpText->toPlainText(),
              "Enter the DTMF string to be sent. Up to 12 tones (0-9,* and #) can be sent, use P "
              "for a pause of one tone period.\nOn Ombrel use * to speed dial DTMF 3, # to speed "
              "dial DTMF 4.");
    Focus(frmUserButtons->cmbSelcallBtnCall);
    EXPECT_EQ(frmUserButtons->HelpText->toPlainText(), "Select the Selcall memory to speed dial.");
    Focus(frmUserButtons->chkLowPwr); // no help: the pane stays
    EXPECT_EQ(frmUserButtons->HelpText->toPlainText(), "Select the Selcall memory to speed dial.");
    Focus(frmUserButtons->lblPriCheck);
    EXPECT_EQ(frmUserButtons->HelpText->toPlainText(), "");
    Focus(frmUserButtons->chkF1F4RsImm);
    EXPECT_EQ(frmUserButtons->HelpText->toPlainText(),
              "Keys configured for functions Recall Channel Memory, Recall Channel Memory + Dial "
              "Selcall Memory, Speed Dial DTMF Memory, or Recall Channel Memory + Dial DTMF "
              "Memory respond immediately to a keypress.");
    Cancel();
}

} // namespace
