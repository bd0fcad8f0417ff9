// The selcall options dialog: its image bits, tone-count rules, re-lay of the idents,
// enabling, messages and Cancel.

#include "Image_fixture.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "support/Typing.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <functional>

namespace {

class Selcall : public ImageFixture {
protected:
    // Shows the dialog on the image as it stands.
    void Show() { frmSelcall->show(); }
    // The user's click on a box: Space, as the mouse would.
    static void Click(QAbstractButton* box) { QTest::keyClick(box, Qt::Key_Space); }

    // Answers the idents dialog, once it is shown, with OK or Cancel.
    static void AnswerIdents(bool ok) {
        QTimer::singleShot(0, [ok] {
            if (ok)
                frmSelcallIdents->OKBtnClick();
            else
                frmSelcallIdents->CancelBtnClick();
        });
    }
};

struct Box {
    QCheckBox* TfrmSelcall::*box;
    int offset;
    uint8_t mask;
    bool inverted;
};

const Box Boxes[] = {
    {&TfrmSelcall::chkSelcallDecEnabled, 0x4B, 0x01, false},
    {&TfrmSelcall::chkSelcallEncEnabled, 0x4B, 0x02, false},
    {&TfrmSelcall::chkLeadInDelayEnabled, 0x4B, 0x04, false},
    {&TfrmSelcall::chkLeadInToneEnabled, 0x4B, 0x08, false},
    {&TfrmSelcall::chkBeepAlarms, 0x4B, 0x10, false},
    {&TfrmSelcall::chkLeadOutEnabled, 0x4B, 0x20, false},
    {&TfrmSelcall::chkAppendAni, 0x4B, 0x40, false},
    {&TfrmSelcall::chkBeepAckEnabled, 0x4B, 0x80, false},
    {&TfrmSelcall::chkEdgeAniDecode, 0x4C, 0x10, false},
    {&TfrmSelcall::chkReenterQuiet, 0x4D, 0x02, false},
    {&TfrmSelcall::chkUnmuteOnSelcall, 0x4D, 0x04, false},
    {&TfrmSelcall::chkPausePredNonPred, 0x4E, 0x01, true},
    {&TfrmSelcall::chk3rdToneReset, 0x4E, 0x02, false},
    {&TfrmSelcall::chkAlarmGroupCall, 0x4E, 0x80, false},
    {&TfrmSelcall::chkAlarmIndivCall, 0x4F, 0x02, false},
    {&TfrmSelcall::chkGrpBeepAlarms, 0x4F, 0x80, false},
    {&TfrmSelcall::chkSlowBeeps, 0x48, 0x80, false},
    {&TfrmSelcall::chkCtcssSelcall, 0x49, 0x40, false},
    {&TfrmSelcall::chkRingAlert, 0x4A, 0x08, false},
};

} // namespace

TEST_F(Selcall, EveryBoxLoadsAndStoresOnlyItsOwnBit) {
    for (const uint8_t fill : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0xA5)}) {
        std::memset(image() + 0x48, fill, 8);
        image()[0xAC] = fill;
        Show();
        for (const Box& b : Boxes) {
            const bool set = image()[b.offset] & b.mask;
            EXPECT_EQ((frmSelcall->*b.box)->isChecked(), set != b.inverted)
                << (frmSelcall->*b.box)->text().toStdString() << " fill " << int(fill);
        }
        // The switches that enable other boxes go on first and off last.
        const std::vector<QCheckBox*> switches{frmSelcall->chkSelcallDecEnabled,
                                               frmSelcall->chkSelcallEncEnabled,
                                               frmSelcall->chkLeadInDelayEnabled};
        std::vector<QCheckBox*> lastOff;
        for (QCheckBox* box : switches) {
            if (box->isChecked())
                lastOff.insert(lastOff.begin(), box);
            else
                Click(box);
        }
        for (const Box& b : Boxes)
            if (std::find(switches.begin(), switches.end(), frmSelcall->*b.box) == switches.end())
                Click(frmSelcall->*b.box);
        for (QCheckBox* box : lastOff)
            Click(box);
        frmSelcall->OKBtnClick();

        uint8_t expected[8];
        std::memset(expected, fill, 8);
        for (const Box& b : Boxes)
            expected[b.offset - 0x48] ^= b.mask;
        // 0x4C also holds the group and PTT ANI combos, which keep what they loaded.
        for (int offset = 0x48; offset <= 0x4F; ++offset)
            EXPECT_EQ(image()[offset], expected[offset - 0x48])
                << "byte " << std::hex << offset << " fill " << int(fill);
        EXPECT_EQ(image()[0xAC] & 0x0F, fill & 0x0F) << "tone set keeps bits 3-0";
    }
}

TEST_F(Selcall, GroupAndPttAniCombosMapToTheirBits) {
    const uint8_t groupBits[] = {0b00, 0b01, 0b11, 0b10};
    image()[0x4B] = 0x03;
    for (int item = 0; item < 4; ++item) {
        image()[0x4C] = 0x90; // the bits of no combo set
        Show();
        ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbRxGroup, item));
        ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbTxGroup, 3 - item));
        frmSelcall->OKBtnClick();
        EXPECT_EQ(image()[0x4C] & 0x03, groupBits[item]) << "rx item " << item;
        EXPECT_EQ((image()[0x4C] >> 2) & 0x03, groupBits[3 - item]) << "tx item " << 3 - item;
        EXPECT_EQ(image()[0x4C] & 0xF0, 0x90);

        Show(); // and back from the bits to the items
        EXPECT_EQ(frmSelcall->cmbRxGroup->currentIndex(), item);
        EXPECT_EQ(frmSelcall->cmbTxGroup->currentIndex(), 3 - item);
        frmSelcall->CancelBtnClick();
    }

    // PTT ANI: bit 5 leading edge, bit 6 trailing edge; both set loads as leading edge.
    const std::pair<uint8_t, int> loads[] = {{0x00, 0}, {0x20, 1}, {0x40, 2}, {0x60, 1}};
    for (const auto& [bitsSet, item] : loads) {
        image()[0x4C] = uint8_t(0x9F | bitsSet);
        Show();
        EXPECT_EQ(frmSelcall->cmbPttAni->currentIndex(), item) << int(bitsSet);
        frmSelcall->OKBtnClick();
        EXPECT_EQ(image()[0x4C], 0x9F | bitsSet) << "left alone";
        Show();
        ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbPttAni, (item + 1) % 3));
        ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbPttAni, item));
        frmSelcall->OKBtnClick();
        EXPECT_EQ(image()[0x4C], 0x9F | (item == 1 ? 0x20 : bitsSet))
            << "moved away and back: stored as it shows";
    }
    Show();
    ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbPttAni, 2));
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x4C], 0x9F | 0x40);
}

TEST_F(Selcall, TonePeriodAndTonesetCombos) {
    const std::pair<uint8_t, const char*> periods[] = {
        {0, "20ms"},  {29, "20ms"}, {33, "33ms"}, {45, "40ms"},   {50, "50ms"},
        {69, "50ms"}, {70, "70ms"}, {99, "70ms"}, {100, "100ms"}, {255, "100ms"}};
    image()[0x4B] = 0x01;
    for (const auto& [stored, text] : periods) {
        image()[0x89] = stored;
        Show();
        EXPECT_EQ(frmSelcall->cmbSelcallTonePeriod->currentText(), text) << int(stored);
        frmSelcall->OKBtnClick();
        EXPECT_EQ(image()[0x89], stored) << "an untouched combo keeps the stored value";
    }
    Show();
    ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbSelcallTonePeriod, 1));
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x89], 33) << "a chosen item stores its value";

    image()[0xAC] = 0x35;
    Show();
    EXPECT_EQ(frmSelcall->cmbSelcallToneset->currentText(), "ZVEI2");
    ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbSelcallToneset, 6));
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0xAC], 0x65);

    // A tone set the list does not know shows no item and is kept unless one is chosen.
    image()[0xAC] = 0x9A;
    Show();
    EXPECT_EQ(frmSelcall->cmbSelcallToneset->currentIndex(), -1);
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0xAC], 0x9A);
}

TEST_F(Selcall, ToneCountsKeepTheirOrderAndLabels) {
    image()[0x4B] = 0x01;
    image()[0x88] = 0x75; // 7 predictive, 5 non-predictive
    image()[0x87] = 4;
    Show();
    EXPECT_EQ(frmSelcall->lblTonePred->text(), "7");
    EXPECT_EQ(frmSelcall->lblToneNonPred->text(), "5");
    EXPECT_EQ(frmSelcall->lblTonesDisplay->text(), "4");

    // The counts the user's predictive count lowers are stored lowered.
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 3));
    EXPECT_EQ(frmSelcall->hsbToneNonPred->value(), 3);
    EXPECT_EQ(frmSelcall->hsbTonesDisplay->value(), 3);
    EXPECT_EQ(frmSelcall->lblToneNonPred->text(), "3");
    host.messageAnswers.enqueue(platform::IDNO);
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x88], 0x33);
    EXPECT_EQ(image()[0x87], 3);

    Show();
    QTest::keyClick(frmSelcall->hsbToneNonPred, Qt::Key_Right);
    EXPECT_EQ(frmSelcall->hsbToneNonPred->value(), 3) << "never above the predictive count";
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 8));
    QTest::keyClick(frmSelcall->hsbTonesDisplay, Qt::Key_End);
    EXPECT_EQ(frmSelcall->hsbTonesDisplay->value(), 5) << "never above 5";

    host.messageAnswers.enqueue(platform::IDNO);
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x88], 0x83);
    EXPECT_EQ(image()[0x87], 5);

    // Stored counts that break the rules are brought into line when shown.
    image()[0x88] = 0x39;
    image()[0x87] = 0xFF;
    Show();
    EXPECT_EQ(frmSelcall->hsbTonesPred->value(), 3);
    EXPECT_EQ(frmSelcall->hsbToneNonPred->value(), 3);
    EXPECT_EQ(frmSelcall->hsbTonesDisplay->value(), 3);
    EXPECT_EQ(frmSelcall->ToneCountChanged, 0) << "showing is not a change";
}

TEST_F(Selcall, TimeBarsLabelsAndStoredValues) {
    image()[0x4B] = 0x07; // receive, transmit, lead-in delay
    image()[0x56] = 20;
    image()[0x85] = 7;
    image()[0x86] = 120;
    image()[0x31] = 30;
    Show();
    EXPECT_EQ(frmSelcall->lblLeadInDelay->text(), "200ms");
    EXPECT_EQ(frmSelcall->lblPttLeadin->text(), "70ms");
    EXPECT_EQ(frmSelcall->lblPausePredNonPred->text(), "120ms");
    EXPECT_EQ(frmSelcall->lblBeepDurationValue->text(), "30s");
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbLeadInDelay, 150));
    EXPECT_EQ(frmSelcall->lblLeadInDelay->text(), "1500ms");
    QTest::keyClick(frmSelcall->hsbBeepDuration, Qt::Key_End);
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x56], 150);
    EXPECT_EQ(image()[0x31], 60);
    EXPECT_EQ(image()[0x85], 7);
    EXPECT_EQ(image()[0x86], 120);

    // A stored time beyond its bar shows clamped, and OK keeps it until the bar moves.
    image()[0x56] = 250;
    image()[0x31] = 200;
    image()[0x85] = 101;
    image()[0x86] = 251;
    Show();
    EXPECT_EQ(frmSelcall->hsbLeadInDelay->value(), 200);
    EXPECT_EQ(frmSelcall->lblLeadInDelay->text(), "2000ms");
    EXPECT_EQ(frmSelcall->lblBeepDurationValue->text(), "60s");
    EXPECT_EQ(frmSelcall->lblPttLeadin->text(), "1000ms");
    EXPECT_EQ(frmSelcall->lblPausePredNonPred->text(), "250ms");
    frmSelcall->OKBtnClick();
    EXPECT_EQ(Bytes(0x85, 2), (std::vector<uint8_t>{101, 251}));
    EXPECT_EQ(image()[0x56], 250);
    EXPECT_EQ(image()[0x31], 200);
}

TEST_F(Selcall, EnablingFollowsReceiveTransmitAndPttAni) {
    image()[0x4B] = 0x01; // receive only
    image()[0x4C] = 0x20; // PTT ANI on leading edge
    image()[0x4E] = 0x00; // pause ticked
    Show();
    EXPECT_TRUE(frmSelcall->chkRingAlert->isEnabled());
    EXPECT_TRUE(frmSelcall->cmbRxGroup->isEnabled());
    EXPECT_FALSE(frmSelcall->cmbTxGroup->isEnabled());
    EXPECT_FALSE(frmSelcall->hsbLeadInDelay->isEnabled());
    EXPECT_FALSE(frmSelcall->hsbPttLeadin->isEnabled());
    EXPECT_TRUE(frmSelcall->cmbSelcallToneset->isEnabled());
    EXPECT_TRUE(frmSelcall->hsbPausePredNonPred->isEnabled());

    frmSelcall->chkSelcallEncEnabled->setChecked(true);
    EXPECT_TRUE(frmSelcall->cmbTxGroup->isEnabled());
    EXPECT_TRUE(frmSelcall->hsbPttLeadin->isEnabled()) << "transmit with leading-edge ANI";
    EXPECT_FALSE(frmSelcall->hsbLeadInDelay->isEnabled()) << "lead-in delay unticked";
    frmSelcall->chkLeadInDelayEnabled->setChecked(true);
    EXPECT_TRUE(frmSelcall->hsbLeadInDelay->isEnabled());
    EXPECT_TRUE(frmSelcall->chkLeadInToneEnabled->isEnabled());
    frmSelcall->cmbPttAni->setCurrentIndex(2);
    EXPECT_FALSE(frmSelcall->hsbPttLeadin->isEnabled());

    frmSelcall->chkPausePredNonPred->setChecked(false);
    EXPECT_FALSE(frmSelcall->hsbPausePredNonPred->isEnabled());
    EXPECT_TRUE(frmSelcall->chkPausePredNonPred->isEnabled());

    frmSelcall->chkSelcallDecEnabled->setChecked(false);
    frmSelcall->chkSelcallEncEnabled->setChecked(false);
    EXPECT_FALSE(frmSelcall->chkRingAlert->isEnabled());
    EXPECT_FALSE(frmSelcall->btnSelcallMem->isEnabled());
    EXPECT_FALSE(frmSelcall->hsbTonesPred->isEnabled());
    EXPECT_FALSE(frmSelcall->cmbSelcallToneset->isEnabled());
    EXPECT_FALSE(frmSelcall->hsbLeadInDelay->isEnabled());
    EXPECT_FALSE(frmSelcall->chkPausePredNonPred->isEnabled());
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Selcall, PowerSaveBoxOnlyInformsAndNeverWhileShowing) {
    image()[0x46] = 0x08; // power save on
    image()[0x4B] = 0x02; // transmit on, lead-in delay off
    Show();
    EXPECT_TRUE(host.messages.isEmpty()) << "not shown by the show sequence";

    frmSelcall->chkLeadInDelayEnabled->setChecked(true);
    EXPECT_TRUE(host.messages.isEmpty());
    frmSelcall->chkLeadInDelayEnabled->setChecked(false);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Selcall lead in tone must\nbe used with power save mode.");
    EXPECT_EQ(host.messages[0].caption, "Power Save");
    EXPECT_EQ(host.messages[0].flags, platform::MB_OK | platform::MB_ICONINFORMATION);
    EXPECT_FALSE(frmSelcall->chkLeadInDelayEnabled->isChecked()) << "nothing is changed";

    // The enabling rules run it again while transmit is ticked.
    frmSelcall->cmbPttAni->setCurrentIndex(1);
    EXPECT_EQ(host.messages.size(), 2);
    frmSelcall->CancelBtnClick();

    image()[0x46] = 0x00;
    Show();
    frmSelcall->chkLeadInDelayEnabled->setChecked(true);
    frmSelcall->chkLeadInDelayEnabled->setChecked(false);
    EXPECT_EQ(host.messages.size(), 2) << "power save off: no box";
}

TEST_F(Selcall, IdentsAreRelaidWhenThePredictiveCountChanges) {
    image()[0x4B] = 0x03;
    image()[0x88] = 0x53;
    Set(0xB5, {0x12, 0x34, 0x5F, 0xFF});           // own ident
    Set(0xB9, {0xAB, 0xCD, 0xEF, 0x01});           // slot 1
    Set(0x218, {0x98, 0x76, 0x54, 0x32});          // LAST
    Set(0xB9 + 4, {0xC1, 0x42, 0x43, 0x44});       // slot 1's tag, Command flag set
    Set(0xB20, {0x11, 0x22, 0x33, 0x44});          // slot 40, in the second table
    Set(0xB20 + 9 * 59, {0x55, 0x66, 0x77, 0x88}); // slot 99
    Show();

    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 3));
    AnswerIdents(true);
    frmSelcall->btnSelcallMemClick();
    EXPECT_EQ(frmSelcallIdents->txtRadioIdent->maxLength(), 3);
    EXPECT_EQ(frmSelcall->ToneCountChanged, 0);
    EXPECT_EQ(image()[0x88], 0x33) << "the new count is written at once";
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x34, 0x5F, 0xFF, 0x12}));
    EXPECT_EQ(Bytes(0xB9, 4), (std::vector<uint8_t>{0xCD, 0xEF, 0x01, 0xAB}));
    EXPECT_EQ(Bytes(0x218, 4), (std::vector<uint8_t>{0x76, 0x54, 0x32, 0x98}));
    EXPECT_EQ(Bytes(0xB9 + 4, 4), (std::vector<uint8_t>{0xC1, 0x42, 0x43, 0x44})) << "tag kept";
    EXPECT_EQ(Bytes(0xB20, 4), (std::vector<uint8_t>{0x22, 0x33, 0x44, 0x11}))
        << "every memory keeps calling the same number";
    EXPECT_EQ(Bytes(0xB20 + 9 * 59, 4), (std::vector<uint8_t>{0x66, 0x77, 0x88, 0x55}));

    // The same count again: nothing to re-lay.
    AnswerIdents(true);
    frmSelcall->btnSelcallMemClick();
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x34, 0x5F, 0xFF, 0x12}));

    // Growing back restores the digits, even after an OK in the idents dialog.
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 5));
    AnswerIdents(true);
    frmSelcall->btnSelcallMemClick();
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x12, 0x34, 0x5F, 0xFF}));
    EXPECT_EQ(Bytes(0x218, 4), (std::vector<uint8_t>{0x98, 0x76, 0x54, 0x32}));
    EXPECT_EQ(Bytes(0xB20 + 9 * 59, 4), (std::vector<uint8_t>{0x55, 0x66, 0x77, 0x88}));
    EXPECT_EQ(image()[0x88], 0x53);
    frmSelcall->OKBtnClick();
    EXPECT_TRUE(host.messages.isEmpty()) << "the idents were seen: no question";
}

namespace {

// Where the radio keeps its idents: the own ident, LAST, then slots 1-99.
std::vector<int> IdentAddresses() {
    std::vector<int> addresses{0xB5, 0x218};
    for (int slot = 0; slot < 99; ++slot)
        addresses.push_back(slot < 39 ? 0xB9 + 9 * slot : 0xB20 + 9 * (slot - 39));
    return addresses;
}

} // namespace

// A stored count the bar cannot show (9; the bar shows 8) is no change of the user's: the
// idents opened and OK'd stay as stored. The user's click on the bar's arrow (to 7, two
// tones fewer than stored) re-lays every ident two digits, one byte, to the left.
TEST_F(Selcall, OnlyACountTheUserSetReLaysTheIdents) {
    imagecheck::FillRandom(33);
    image()[0x4B] |= 0x03;
    image()[0x88] = 0x92;
    const QByteArray stored = imagecheck::Snapshot();
    const auto openIdentsAndOk = [](const std::function<void(QScrollBar*)>& first) {
        WhenActive(frmSelcall, [first] {
            first(frmSelcall->hsbTonesPred);
            WhenActive(frmSelcallIdents,
                       [] { QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton); });
            QTest::mouseClick(frmSelcall->btnSelcallMem, Qt::LeftButton);
            QTest::mouseClick(frmSelcall->OKBtn, Qt::LeftButton);
        });
        frmBelmar->EditButtonClick(frmBelmar->btnSelcall);
    };
    openIdentsAndOk([](QScrollBar* bar) { EXPECT_EQ(bar->value(), 8); });
    EXPECT_EQ(imagecheck::Changes(stored, imagecheck::Snapshot()),
              std::vector<imagecheck::Change>{});

    openIdentsAndOk([](QScrollBar* bar) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2, bar->height() / 2));
        EXPECT_EQ(bar->value(), 7);
    });
    QByteArray expected = stored;
    expected[0x88] = char(0x72); // 7 predictive, the non-predictive 2 as stored
    for (int at : IdentAddresses())
        for (int i = 0; i < 4; ++i)
            expected[at + i] = stored[at + (i + 1) % 4];
    EXPECT_EQ(imagecheck::Changes(expected, imagecheck::Snapshot()),
              std::vector<imagecheck::Change>{});
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Selcall, OkAfterACountChangeAsksAboutTheIdents) {
    image()[0x4B] = 0x03;
    image()[0x88] = 0x55;
    Set(0xB5, {0x12, 0x34, 0x5F, 0xFF});
    Show();
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 6));
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 5)); // back: still a change
    host.messageAnswers.enqueue(platform::IDNO);
    frmSelcall->OKBtnClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "Ident length changed");
    EXPECT_EQ(host.messages[0].text, "The number of Selcall Tones has changed.\n"
                                     "You will need to check the Selcall idents.\n\n"
                                     "Would you like to edit them now?");
    EXPECT_EQ(host.messages[0].flags, platform::MB_YESNO | platform::MB_ICONQUESTION);
    EXPECT_FALSE(frmSelcall->isVisible());

    Show();
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 3));
    host.messageAnswers.enqueue(platform::IDNO);
    frmSelcall->OKBtnClick();
    EXPECT_EQ(image()[0x88], 0x33) << "No stores the new count";
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x12, 0x34, 0x5F, 0xFF})) << "not re-laid";

    Show();
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 5));
    host.messageAnswers.enqueue(platform::IDYES);
    bool identsShown = false;
    QTimer::singleShot(0, [&identsShown] {
        identsShown = frmSelcallIdents->isVisible();
        frmSelcallIdents->OKBtnClick();
    });
    frmSelcall->OKBtnClick();
    EXPECT_TRUE(identsShown);
    EXPECT_EQ(image()[0x88], 0x53);
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0xFF, 0x12, 0x34, 0x5F}));
}

TEST_F(Selcall, CancelPutsBackTheWholeImage) {
    for (int i = 0; i < IMAGE_SIZE; ++i)
        image()[i] = uint8_t(i * 7 + 3);
    image()[0x4B] = 0x07;
    image()[0x88] = 0x53;
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    Show();
    Click(frmSelcall->chkRingAlert);
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 7));
    // Re-lay, then change the own ident in the idents dialog and confirm it there.
    QTimer::singleShot(0, [] {
        testsupport::TypeOver(frmSelcallIdents->txtRadioIdent, "1234567");
        frmSelcallIdents->OKBtnClick();
    });
    frmSelcall->btnSelcallMemClick();
    EXPECT_NE(Bytes(0, IMAGE_SIZE), before);
    frmSelcall->CancelBtnClick();
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);

    Show(); // closing by the window's close box is a Cancel too
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbLeadInDelay, 3));
    frmSelcall->OKBtnClick();
    const std::vector<uint8_t> stored = Bytes(0, IMAGE_SIZE);
    Show();
    Click(frmSelcall->chkSlowBeeps);
    frmSelcall->close();
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), stored);
}

TEST_F(Selcall, HelpPaneShowsTheLineOfEachControl) {
    Show();
    QTextEdit* pane = frmSelcall->HelpText;
    const auto helpOf = [pane](QWidget* control) {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(control, &focusIn);
        return pane->toPlainText();
    };
    EXPECT_EQ(helpOf(frmSelcall->OKBtn), "The OK button exits the screen and saves any changes.");
    EXPECT_EQ(helpOf(frmSelcall->lblTonesDisplay),
              "Set the number of tones to display on the screen in 'Call To' and 'Call From' "
              "modes. The rightmost digits of an ID are displayed.");
    EXPECT_EQ(helpOf(frmSelcall->lblBeepDurationValue), "Set the duration of Selcall Beep Alerts.");
    EXPECT_EQ(helpOf(frmSelcall->chkAlarmIndivCall),
              "Sets an alarm output if an individual call has been received.");
    EXPECT_EQ(helpOf(frmSelcall->cmbTxGroup), "");
    EXPECT_EQ(helpOf(frmSelcall->hsbPttLeadin), "");
}
