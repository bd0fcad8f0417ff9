// The helpers both programs' button and alignment dialogs build on: key function rules
// over the nine keys, the scan options group, the hook action boxes and the calibration
// group layouts.

#include "Cal_layout.h"
#include "Help_pane.h"
#include "Key_controls.h"
#include "Radio_options.h"
#include "Up_down.h"
#include "platform/ScriptedHost.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

keyfn::KeyCodes noKeys() {
    keyfn::KeyCodes codes;
    codes.fill(keyfn::Disabled);
    return codes;
}

keyfn::KeyCodes oneKey(int key, int code) {
    keyfn::KeyCodes codes = noKeys();
    codes[size_t(key)] = code;
    return codes;
}

constexpr int F1 = 0, F5 = 4, F6 = 5, Mic = 8;

} // namespace

TEST(KeyRules, RangesMemoriesAndTheMonitorBoxOverAllKeys) {
    EXPECT_FALSE(keyfn::AnyHolds(noKeys(), keyfn::RecallM1, keyfn::RecallM4));
    EXPECT_TRUE(keyfn::AnyHolds(oneKey(Mic, keyfn::RecallM4), keyfn::RecallM1, keyfn::RecallM4));
    EXPECT_FALSE(
        keyfn::AnyHolds(oneKey(Mic, keyfn::RecallM4 + 1), keyfn::RecallM1, keyfn::RecallM4));
    EXPECT_FALSE(keyfn::AnyHolds(oneKey(F1, -1), -2, -2)); // no selection is no code

    // Code 18 dials DTMF memory 1, code 14 recalls channel memory 1 with selcall.
    EXPECT_TRUE(keyfn::AnyUsesDtmfMemory(oneKey(Mic, 18), 1));
    EXPECT_FALSE(keyfn::AnyUsesDtmfMemory(oneKey(Mic, 18), 2));
    EXPECT_TRUE(keyfn::AnyUsesRecallMemory(oneKey(F6, 14), 1));
    EXPECT_FALSE(keyfn::AnyUsesRecallMemory(oneKey(F6, 14), 2));

    // "Monitor" counts on every key; "KeyLock" and "Monitor (toggle)" not on F5 and F6.
    EXPECT_FALSE(keyfn::MonitorKeyUsed(noKeys()));
    EXPECT_TRUE(keyfn::MonitorKeyUsed(oneKey(F5, keyfn::Monitor)));
    EXPECT_TRUE(keyfn::MonitorKeyUsed(oneKey(F1, keyfn::KeyLock)));
    EXPECT_TRUE(keyfn::MonitorKeyUsed(oneKey(Mic, keyfn::MonitorToggle)));
    EXPECT_FALSE(keyfn::MonitorKeyUsed(oneKey(F5, keyfn::KeyLock)));
    EXPECT_FALSE(keyfn::MonitorKeyUsed(oneKey(F6, keyfn::MonitorToggle)));
}

TEST(KeyControls, FunctionListHoldsEveryNameInCodeOrder) {
    const char* const names[] = {"Disabled", "Monitor", "Zone Select"};
    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    keyfn::FillNames(&combo, names, 3);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Disabled"));
    EXPECT_EQ(combo.itemText(2), QStringLiteral("Zone Select"));
}

TEST(KeyControls, ScanGroupEnablesLoadsAndStores) {
    QWidget form;
    keyfn::ScanControls c{};
    QGridLayout* grid = keyfn::BuildScan(c, &form, {"Slow", "Medium", "Fast"});
    auto* rate = new QLabel(c.GroupBox4);
    grid->addWidget(rate, 5, 1);
    EXPECT_EQ(c.cmbScanSpeed->count(), 3);
    EXPECT_EQ(grid->itemAtPosition(5, 0)->widget(), c.lblPriCheck);

    c.rbOsMode->setChecked(true);
    keyfn::EnableScan(c, {rate}, false, true); // open scan, mode chosen here
    EXPECT_TRUE(c.rbGsMode->isEnabled());
    EXPECT_TRUE(c.cmbScanSpeed->isEnabled());
    EXPECT_FALSE(rate->isEnabled());
    EXPECT_FALSE(c.chkGsTxOnHold->isEnabled());
    EXPECT_FALSE(c.lblPriCheck->isEnabled());
    keyfn::EnableScan(c, {rate}, true, true); // the toggle key chooses the mode
    EXPECT_FALSE(c.rbOsMode->isEnabled());
    EXPECT_TRUE(rate->isEnabled());
    EXPECT_TRUE(c.chkGsTxOnHold->isEnabled());
    keyfn::EnableScan(c, {rate}, true, false); // no scan key: nothing of the group
    for (QWidget* w : std::initializer_list<QWidget*>{
             rate, c.lblPriCheck, c.chkGsTxOnHold, c.chkScanMemMod, c.cmbScanSpeed, c.lblScanSpeed,
             c.lblScanMode, c.rbOsMode, c.rbGsMode})
        EXPECT_FALSE(w->isEnabled());

    uint8_t image[256] = {};
    image[keyfn::ScanModeByte] = 0xF8 | 0x04; // group scan, high bits the radio's
    image[keyfn::ScanSpeedByte] = 5;
    auto read = [&image](int at) { return image[at]; };
    auto write = [&image](int at, uint8_t v) { image[at] = v; };
    keyfn::KeyCodes codes{};
    codes[0] = keyfn::Scan;
    ImageFields fields;
    keyfn::BindScan(fields, c, [&codes] { return codes; }, {});
    fields.load(read);
    EXPECT_TRUE(c.rbGsMode->isChecked());
    EXPECT_EQ(c.cmbScanSpeed->currentIndex(), 2);
    keyfn::EnableScan(c, {rate}, false, true);
    testsupport::Click(c.rbOsMode);
    testsupport::Choose(c.cmbScanSpeed, 1);
    fields.store(read, write);
    EXPECT_EQ(image[keyfn::ScanModeByte], 0xF8 | 0x02);
    EXPECT_EQ(image[keyfn::ScanSpeedByte], 10);
}

TEST(KeyControls, MemoryGroupsMakeEveryRowWithItsCaption) {
    QWidget form;
    keyfn::MemoryControls c{};
    keyfn::BuildRecallChannels(c, &form, {"A", "B", "C", "D"}, 13);
    keyfn::BuildDtmf(c, &form);
    QComboBox* recall[] = {c.cmbRecallM1, c.cmbRecallM2, c.cmbRecallM3, c.cmbRecallM4};
    QLabel* recallLabels[] = {c.lblRecallM1, c.lblRecallM2, c.lblRecallM3, c.lblRecallM4};
    QLineEdit* dtmf[] = {c.txtDtmfMem1, c.txtDtmfMem2, c.txtDtmfMem3, c.txtDtmfMem4};
    QLabel* dtmfLabels[] = {c.lblDtmfMem1, c.lblDtmfMem2, c.lblDtmfMem3, c.lblDtmfMem4};
    auto* recallGrid = static_cast<QGridLayout*>(c.gbRecallChannels->layout());
    auto* dtmfGrid = static_cast<QGridLayout*>(c.gbDtmf->layout());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recallLabels[i]->text(), QString(QChar('A' + i)));
        EXPECT_TRUE(recall[i]->isEditable());
        EXPECT_EQ(recall[i]->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(recall[i]->minimumContentsLength(), 13);
        EXPECT_EQ(recallGrid->itemAtPosition(i, 1)->widget(), recall[i]);
        EXPECT_EQ(dtmfLabels[i]->text(), QStringLiteral("Mem %1").arg(i + 1));
        EXPECT_EQ(dtmf[i]->maxLength(), keyfn::DtmfDigits);
        EXPECT_EQ(dtmfGrid->itemAtPosition(i, 0)->widget(), dtmfLabels[i]);
    }
    EXPECT_EQ(c.chkRecallChMod->text(), QStringLiteral("Allow user to modify recall channels"));
    EXPECT_EQ(recallGrid->itemAtPosition(4, 0)->widget(), c.chkRecallChMod);
}

TEST(KeyControls, HookActionBoxesOwnOneBitEach) {
    QWidget form;
    QCheckBox* boxes[keyfn::HookActions] = {};
    QGroupBox* group = keyfn::BuildHookActions(&form, boxes);
    EXPECT_EQ(group->title(), QStringLiteral("Mic. Hook Action"));
    EXPECT_EQ(boxes[7]->text(), QStringLiteral("Beep"));
    ImageFields fields;
    keyfn::BindHookActions(fields, boxes);
    uint8_t image[256] = {};
    image[keyfn::HookByte] = 0x41;
    fields.load(image);
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_TRUE(boxes[6]->isChecked());
    EXPECT_FALSE(boxes[3]->isChecked());
    testsupport::Tick(boxes[3], true);
    testsupport::Tick(boxes[0], false);
    fields.store(image);
    EXPECT_EQ(image[keyfn::HookByte], 0x48);
}

namespace {

struct CalBoxes : cal::Controls {
    CalBoxes() : cal::Controls{} { cal::Build(*this, cal::Generation::First); }
};

// The box at row, column of a grid of cells (each a box with its up-down).
QLineEdit* boxAt(QGridLayout* grid, int row, int column) {
    QLayoutItem* item = grid->itemAtPosition(row, column);
    return item ? item->widget()->findChild<QLineEdit*>() : nullptr;
}

} // namespace

TEST(CalLayout, GroupsPlaceEachByteWhereItsPointAndTuneAre) {
    CalBoxes c;
    auto holder = std::make_unique<QWidget>();
    auto* receive = new QGroupBox(holder.get());
    cal::LayReceiveTune(c, cal::Generation::Second, receive);
    auto* grid = static_cast<QGridLayout*>(receive->layout());
    EXPECT_EQ(boxAt(grid, 1, 1), c.txtTune450_1);
    EXPECT_EQ(boxAt(grid, 3, 2), c.txtTune500_2); // byte 24 + 4 * 2 + 1
    EXPECT_EQ(boxAt(grid, 4, 4), c.txtTune520_4);
    EXPECT_EQ(grid->itemAtPosition(2, 0)->widget(), c.lbl_rxtune_f2);

    auto* power = new QGroupBox(holder.get());
    cal::LayTxPower(c, power);
    grid = static_cast<QGridLayout*>(power->layout());
    EXPECT_EQ(boxAt(grid, 1, 3), c.txtTxPower500);
    EXPECT_EQ(boxAt(grid, 2, 4), c.txtTxLowPower520);

    auto* meter = new QGroupBox(holder.get());
    auto *s1 = new QPushButton, *s9 = new QPushButton;
    cal::LaySMeter(c, meter, s1, s9, -122, -85);
    grid = static_cast<QGridLayout*>(meter->layout());
    EXPECT_EQ(
        qobject_cast<QLabel*>(grid->itemAtPosition(0, 0)->widget())->text(),
        QStringLiteral("Step 1: Set RF signal generator to the S1 level (nominally -122dBm)."));
    EXPECT_EQ(
        qobject_cast<QLabel*>(grid->itemAtPosition(2, 0)->widget())->text(),
        QStringLiteral("Step 2: Set RF signal generator to the S9+ level (nominally -85dBm)."));
    EXPECT_EQ(grid->itemAtPosition(3, 0)->widget(), s9);
    EXPECT_EQ(boxAt(grid, 3, 1), c.txtS10Value);

    auto* squelch = new QGroupBox(holder.get());
    grid = cal::LaySquelch(c, squelch);
    EXPECT_EQ(boxAt(grid, 1, 2), c.txtSqlClose1);
    EXPECT_EQ(boxAt(grid, 3, 1), c.txtSqlOpen3);
    EXPECT_EQ(grid->itemAtPosition(2, 2), nullptr); // SQL-2 and 3 close are the dialog's
}

TEST(CalLayout, StatusButtonHelpAndWriteQuestion) {
    QWidget form;
    std::unique_ptr<QLabel> status(cal::StatusLabel());
    cal::ShowStatus(status.get(), cal::Link::Live, &form);
    EXPECT_EQ(status->text(), QStringLiteral("Aligning Radio LIVE"));
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(0, 255, 0));
    cal::ShowStatus(status.get(), cal::Link::File, &form);
    EXPECT_EQ(status->text(), QStringLiteral("Editing file data"));
    EXPECT_EQ(status->palette().color(QPalette::Window), form.palette().color(QPalette::Button));
    cal::ShowStatus(status.get(), cal::Link::Lost, &form);
    EXPECT_EQ(status->text(), QStringLiteral("Link to radio lost"));
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(255, 255, 0));

    QTextEdit text;
    HelpPane help(&text);
    QPushButton close, on, off, file, radio;
    QWidget channel;
    cal::BindPanelHelp(help, {&close, &on, &off, &channel, &file, &radio});
    const std::pair<QWidget*, QString> lines[] = {
        {&close, cal::CloseHelp},     {&on, cal::TxOnHelp},        {&off, cal::TxOffHelp},
        {&channel, cal::ChannelHelp}, {&file, cal::WriteFileHelp}, {&radio, cal::WriteRadioHelp},
    };
    for (const auto& [control, line] : lines) {
        help.FocusHelp(control);
        EXPECT_EQ(text.toPlainText(), line);
    }

    platform::ScriptedHost host;
    host.messageAnswers.enqueue(platform::IDCANCEL);
    host.messageAnswers.enqueue(platform::IDOK);
    EXPECT_FALSE(cal::ConfirmWriteRadio(0x80, 0x80));
    EXPECT_TRUE(cal::ConfirmWriteRadio(0x80, 0x80));
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0].caption, cal::WriteRadioCaption);
    EXPECT_EQ(host.messages[0].flags, platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION);
}

TEST(RadioOptionsCommon, EachNamedControlIsTheOneItsCaptionSays) {
    QWidget form;
    radio_options::Common c{};
    const auto switchOn = radio_options::buildSwitchOn(c, &form);
    const auto timeOut = radio_options::buildTimeOut(c, &form);
    const auto general = radio_options::buildGeneral(c, &form);
    EXPECT_EQ(c.gbSwitchOn, switchOn.group);
    EXPECT_EQ(c.chkScanPdMem->text(), QStringLiteral("Clear Scan at switch on"));
    EXPECT_EQ(c.chkQuietPdMem->text(), QStringLiteral("Clear Quiet at switch on"));
    EXPECT_EQ(c.chkChannelPdMem->text(), QStringLiteral("Recall channel memory 1 at switch on"));
    EXPECT_EQ(c.chkSqlPdMem->text(), QStringLiteral("Squelch closed (muted) at switch on"));
    EXPECT_EQ(c.gbTimeOutTimer, timeOut.group);
    EXPECT_EQ(c.chkTotEnabled->text(), QStringLiteral("Enable TOT"));
    EXPECT_EQ(c.lblTot->text(), QStringLiteral("Time in seconds"));
    EXPECT_EQ(c.hsbTot->maximum(), 255);
    EXPECT_EQ(c.lblTotValue, timeOut.value);
    EXPECT_EQ(c.GroupBox2, general.group);
    EXPECT_EQ(c.chkSMeterEnabled->text(), QStringLiteral("S-Meter enabled"));
    EXPECT_EQ(c.chkSExtend->text(), QStringLiteral("S-Meter dB Linear"));
    EXPECT_EQ(c.chkButtonBeeps->text(), QStringLiteral("Enable key press beeps"));
}
