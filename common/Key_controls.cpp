#include "Key_controls.h"

#include "Controls.h"
#include "Help_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keyfn {

void FillNames(QComboBox* combo, const char* const* names, int count) {
    combo->clear();
    for (int code = 0; code < count; ++code)
        combo->addItem(Name(names, count, code));
}

QGridLayout* BuildScan(ScanControls& c, QWidget* parent, const QStringList& speeds) {
    QGroupBox* box = c.GroupBox4 = new QGroupBox(QStringLiteral("Scan Options"), parent);
    c.lblScanMode = new QLabel(QStringLiteral("Scan Mode"), box);
    c.rbOsMode = new QRadioButton(QStringLiteral("Open Scan"), box);
    c.rbGsMode = new QRadioButton(QStringLiteral("Group Scan"), box);
    c.chkScanMemMod = new QCheckBox(QStringLiteral("Enable scan memory modify"), box);
    c.chkGsTxOnHold = new QCheckBox(QStringLiteral("Transmit on Hold channel in GS"), box);
    c.lblScanSpeed = new QLabel(QStringLiteral("Scan Speed"), box);
    c.cmbScanSpeed = new QComboBox(box);
    c.cmbScanSpeed->addItems(speeds);
    c.lblPriCheck = new QLabel(QStringLiteral("Priority Check Rate"), box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(c.lblScanMode, 0, 0);
    grid->addWidget(c.rbOsMode, 0, 1);
    grid->addWidget(c.rbGsMode, 1, 1);
    grid->addWidget(c.chkScanMemMod, 2, 0, 1, 2);
    grid->addWidget(c.chkGsTxOnHold, 3, 0, 1, 2);
    grid->addWidget(c.lblScanSpeed, 4, 0);
    grid->addWidget(c.cmbScanSpeed, 4, 1);
    grid->addWidget(c.lblPriCheck, 5, 0);
    return grid;
}

void LoadScan(ScanControls& c, const ImageFields::ByteReader& read) {
    (GroupScan(read(ScanModeByte)) ? c.rbGsMode : c.rbOsMode)->setChecked(true);
    c.cmbScanSpeed->setCurrentIndex(ScanSpeedItem(read(ScanSpeedByte)));
}

void StoreScan(const ScanControls& c, const ImageFields::ByteReader& read,
               const ImageFields::ByteWriter& write, bool scanKey, bool toggleKey) {
    const uint8_t mode = read(ScanModeByte);
    write(ScanModeByte, StoreScanMode(mode, scanKey, toggleKey, c.rbOsMode->isChecked()));
    write(ScanSpeedByte, ScanSpeedValue(c.cmbScanSpeed->currentIndex()));
}

void EnableScan(ScanControls& c, const std::vector<QWidget*>& rate, bool toggleKey, bool scanKey) {
    std::vector<QWidget*> groupScan = rate;
    groupScan.push_back(c.lblPriCheck);
    groupScan.push_back(c.chkGsTxOnHold);
    controls::enable({c.lblScanMode, c.rbOsMode, c.rbGsMode}, !toggleKey);
    controls::enable(groupScan, toggleKey || c.rbGsMode->isChecked());
    if (scanKey) {
        controls::enable({c.chkScanMemMod, c.lblScanSpeed, c.cmbScanSpeed}, true);
        return;
    }
    std::vector<QWidget*> all = groupScan;
    all.insert(all.end(), {c.lblScanSpeed, c.cmbScanSpeed, c.lblScanMode, c.rbOsMode, c.rbGsMode,
                           c.chkScanMemMod});
    controls::enable(all, false);
}

void BindScanHelp(HelpPane& help, ScanControls& c) {
    help.bind({c.lblScanMode, c.rbOsMode, c.rbGsMode}, {help::ScanMode});
    help.bind(c.chkScanMemMod, {help::ScanMemoryModify});
    help.bind(c.chkGsTxOnHold, {help::GsTxOnHold});
    help.bind({c.lblScanSpeed, c.cmbScanSpeed}, {help::ScanSpeed});
}

QGroupBox* BuildHookActions(QWidget* parent, QCheckBox* (&boxes)[HookActions]) {
    auto* group = new QGroupBox(QStringLiteral("Mic. Hook Action"), parent);
    auto* column = new QVBoxLayout(group);
    for (int k = 0; k < HookActions; ++k) {
        boxes[k] = new QCheckBox(QString::fromUtf8(HookActionCaptions[k]), group);
        column->addWidget(boxes[k]);
    }
    column->addStretch();
    return group;
}

void BindHookActions(ImageFields& fields, QCheckBox* const (&boxes)[HookActions]) {
    for (int k = 0; k < HookActions; ++k)
        fields.check(boxes[k], HookByte, uint8_t(1u << k));
}

} // namespace keyfn
