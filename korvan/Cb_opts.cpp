#include "Cb_opts.h"

#include "Controls.h"
#include "Ctcss.h"
#include "Help_pane.h"
#include "Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmCbOptions* frmCbOptions = nullptr;

namespace {

constexpr int CtcssOffCode = 50;
constexpr int StoredCtcssTones = 50; // codes 0..49

// The channel table's "67.0Hz" style tone labels.
const ToneHzLabels ToneLabels{};

// Box arrays of the four channel memories, in the order of cb::Memories.
QCheckBox* (TfrmCbOptions::*const MemoryBoxes[cb::ChannelMemories])[CB_CHANNELS + 1] = {
    &TfrmCbOptions::chkOs, &TfrmCbOptions::chkGs, &TfrmCbOptions::chkQ, &TfrmCbOptions::chkCtcss};

// Shows a tone label, also one the list does not hold (a DCS code).
void showToneText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    if (index < 0)
        combo->setEditText(text);
}

} // namespace

TfrmCbOptions::TfrmCbOptions(QWidget* parent) : ImageDialog(parent) {
    setWindowTitle(QStringLiteral("Australian CB Options"));
    BuildCbOptions(this, false);
    buildMemories();
    auto* column = new QVBoxLayout(this);
    column->addWidget(GroupBox2);
    column->addWidget(pageCbMemories);
    column->addWidget(BuildBottomPanel());
    bindTone(cmbTxCtcss, cb::TxToneByte);
    bindTone(cmbRxCtcss, cb::RxToneByte);
    BindCbFields(optionFields, memoryFields);
    BindCbHelp(*help, BottomPanel, true);
    connect(chkEnableCbCtcss, &QCheckBox::toggled, this, &TfrmCbOptions::chkEnableCbCtcssClick);
    FormCreate();
}

void TfrmCbOptions::buildMemories() {
    BuildCbPages(this, [this](QObject* sender) { btnOsSelectAllClick(sender); });
    for (int m = 0; m < cb::ChannelMemories; ++m)
        BuildChannelBoxes(m, &(this->*MemoryBoxes[m])[1]);
    BuildDuplexBoxes(&chkDup[1]);
}

// Once, at program start: the first tab, and both tone lists ("Off" and the 50 CTCSS
// tones; no DCS codes).
void TfrmCbOptions::FormCreate() {
    pageCbMemories->setCurrentWidget(tabOpenScan);
    for (QComboBox* combo : {cmbTxCtcss, cmbRxCtcss}) {
        combo->clear();
        combo->addItem(ToneLabels.ToneHzText(CtcssOffCode));
        for (int code = 0; code < StoredCtcssTones; ++code)
            combo->addItem(ToneLabels.ToneHzText(code));
    }
}

void TfrmCbOptions::FormShow() {
    TakeBackup();
    LoadCbCtcssOptions();
    LoadCbMemories();
}

void TfrmCbOptions::OKBtnClick() {
    SaveCbCtcssOptions();
    SaveCbMemories();
    done(mrOk);
}

// A tone byte is stored once the user picked a tone or changed the enable box, as the
// combo's label reads; a byte with no label (0xFF of an erased image) stays as it is.
void TfrmCbOptions::bindTone(QComboBox* combo, int offset) {
    optionFields.add(
        offset, 0xFF, [combo](uint8_t code) { showToneText(combo, ToneLabels.ToneHzText(code)); },
        [combo](uint8_t& code) {
            const QString label = combo->currentText();
            if (label.isEmpty())
                return false;
            code = uint8_t(ToneLabels.ToneHzParse(label));
            return true;
        },
        {combo, chkEnableCbCtcss});
}

void TfrmCbOptions::LoadCbCtcssOptions() {
    optionFields.load(frmBelmar->RadioData);
    const QString off = ToneLabels.ToneHzText(CtcssOffCode);
    chkEnableCbCtcss->setChecked(cmbRxCtcss->currentText() != off ||
                                 cmbTxCtcss->currentText() != off);
    chkEnableCbCtcssClick();
}

void TfrmCbOptions::SaveCbCtcssOptions() {
    if (!chkEnableCbCtcss->isChecked()) {
        const QString off = ToneLabels.ToneHzText(CtcssOffCode);
        showToneText(cmbRxCtcss, off);
        showToneText(cmbTxCtcss, off);
    }
    optionFields.store(frmBelmar->RadioData);
}

void TfrmCbOptions::LoadCbMemories() {
    memoryFields.load(frmBelmar->RadioData);
}

// Every bit of the five bytes of each memory and of the duplex byte.
void TfrmCbOptions::SaveCbMemories() {
    memoryFields.store(frmBelmar->RadioData);
}

void TfrmCbOptions::chkEnableCbCtcssClick() {
    EnableCbOptions();
}

void TfrmCbOptions::btnOsSelectAllClick(QObject* sender) {
    SelectFromButton(sender);
}
