#include "Key_controls.h"

#include "Controls.h"
#include "Help_pane.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keyfn {

namespace {

using M = MemoryControls;

template <class Control> struct Row {
    QLabel* M::*label;
    Control* M::*control;
};

constexpr Row<QComboBox> RecallRows[RecallMemories] = {
    {&M::lblRecallM1, &M::cmbRecallM1},
    {&M::lblRecallM2, &M::cmbRecallM2},
    {&M::lblRecallM3, &M::cmbRecallM3},
    {&M::lblRecallM4, &M::cmbRecallM4},
};

constexpr Row<QLineEdit> DtmfRows[DtmfMemories] = {
    {&M::lblDtmfMem1, &M::txtDtmfMem1},
    {&M::lblDtmfMem2, &M::txtDtmfMem2},
    {&M::lblDtmfMem3, &M::txtDtmfMem3},
    {&M::lblDtmfMem4, &M::txtDtmfMem4},
};

QComboBox* recallList(QWidget* parent, int minimumLength) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr); // typed digits are the channel number, never completed
    combo->setMinimumContentsLength(minimumLength);
    return combo;
}

QLineEdit* dtmfBox(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(DtmfDigits);
    return edit;
}

} // namespace

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

void BindScan(ImageFields& fields, ScanControls& c, std::function<KeyCodes()> codes,
              std::vector<QWidget*> functions) {
    functions.push_back(c.rbOsMode);
    functions.push_back(c.rbGsMode);
    // The mode the controls gave as loaded: a change of the user's that gives the same mode
    // (an unrelated key, a key changed and back) keeps the stored bits.
    auto loadedMode = std::make_shared<uint8_t>(0);
    const auto mode = [&c, codes = std::move(codes)] {
        return ScanMode(codes(), c.rbOsMode->isChecked());
    };
    fields.add(
        ScanModeByte, ScanModeMask,
        [&c, mode, loadedMode](uint8_t stored) {
            (GroupScan(stored) ? c.rbGsMode : c.rbOsMode)->setChecked(true);
            *loadedMode = mode();
        },
        [mode, loadedMode](uint8_t& stored) {
            stored = mode();
            return stored != *loadedMode;
        },
        std::move(functions));
    fields.add(
        ScanSpeedByte, 0xFF,
        [&c](uint8_t stored) { c.cmbScanSpeed->setCurrentIndex(ScanSpeedItem(stored)); },
        [&c](uint8_t& stored) {
            stored = ScanSpeedValue(c.cmbScanSpeed->currentIndex());
            return true;
        },
        {c.cmbScanSpeed});
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

void BuildRecallChannels(MemoryControls& c, QWidget* parent, const QStringList& captions,
                         int minimumLength) {
    QGroupBox* box = c.gbRecallChannels = new QGroupBox(QStringLiteral("Recall Channels"), parent);
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < RecallMemories; ++i) {
        QLabel* label = c.*RecallRows[i].label = new QLabel(captions.value(i), box);
        QComboBox* combo = c.*RecallRows[i].control = recallList(box, minimumLength);
        grid->addWidget(label, i, 0);
        grid->addWidget(combo, i, 1);
    }
    c.chkRecallChMod = new QCheckBox(QStringLiteral("Allow user to modify recall channels"), box);
    grid->addWidget(c.chkRecallChMod, RecallMemories, 0, 1, 2);
}

bool CheckRecallTexts(MemoryControls& c, const bool (&touched)[RecallMemories],
                      const RecallRange& range) {
    for (int i = 0; i < RecallMemories; ++i) {
        QComboBox* combo = c.*RecallRows[i].control;
        if (!touched[i] || RecallValue(combo->currentText(), range) >= 0)
            continue;
        platform::host().messageBox(
            RecallRefusal((c.*RecallRows[i].label)->text(), combo->currentText(), range),
            QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
        combo->setFocus();
        return false;
    }
    return true;
}

void BuildDtmf(MemoryControls& c, QWidget* parent) {
    QGroupBox* box = c.gbDtmf = new QGroupBox(QStringLiteral("DTMF Memories"), parent);
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < DtmfMemories; ++i) {
        QLabel* label = c.*DtmfRows[i].label = new QLabel(QStringLiteral("Mem %1").arg(i + 1), box);
        QLineEdit* edit = c.*DtmfRows[i].control = dtmfBox(box);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        c.dtmfEdits.watch(edit);
    }
}

void LoadDtmf(MemoryControls& c, const ImageFields::ByteReader& read) {
    for (int i = 0; i < DtmfMemories; ++i)
        (c.*DtmfRows[i].control)->setText(DecodeDtmf(read, DtmfOffsets[i]));
    c.dtmfEdits.clear();
}

void StoreDtmf(const MemoryControls& c,
               const std::function<void(int offset, const QString& text)>& encode) {
    for (int i = 0; i < DtmfMemories; ++i) {
        const QLineEdit* edit = c.*DtmfRows[i].control;
        if (c.dtmfEdits.changed(edit))
            encode(DtmfOffsets[i], edit->text());
    }
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
