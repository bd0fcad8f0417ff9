#include "Cb_opts.h"

#include "Controls.h"
#include "Ctcss.h"
#include "Eeprom.h"
#include "Help_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmCbOptions* frmCbOptions = nullptr;

namespace {

uint8_t readImage(int offset) {
    return eeprom.GetByte(offset);
}

void writeImage(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

} // namespace

TfrmCbOptions::TfrmCbOptions(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Australian CB Options"));
    BuildCbOptions(this, true);
    BuildCbPages(this, [this](QObject* sender) { btnOsSelectAllClick(sender); });
    FormCreate();
    buildBottomPanel();
    auto* column = new QVBoxLayout(this);
    column->addWidget(GroupBox2);
    column->addWidget(pageCbMemories);
    column->addWidget(BottomPanel);
    BindCbFields(optionFields, memoryFields);
    BindCbHelp(*help, BottomPanel, false);
    tones[0] = {cmbTxCtcss, cb::TxToneByte};
    tones[1] = {cmbRxCtcss, cb::RxToneByte};
    for (const Tone& tone : tones)
        optionFields.edits().watch(tone.combo);
    connect(chkEnableCbCtcss, &QCheckBox::toggled, this, &TfrmCbOptions::chkEnableCbCtcssClick);
    chkEnableCbCtcssClick(); // unticked at start: the tone and option controls are greyed
}

void TfrmCbOptions::buildBottomPanel() {
    BottomPanel = new QWidget(this);
    OKBtn = forms::button(QStringLiteral("OK"), BottomPanel);
    CancelBtn = forms::button(QStringLiteral("Cancel"), BottomPanel);
    HelpText = new QTextEdit(BottomPanel);
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    HelpText->setFixedHeight(64);
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    QHBoxLayout* row = controls::helpRow(HelpText, OKBtn, CancelBtn);
    row->setContentsMargins(0, 0, 0, 0);
    BottomPanel->setLayout(row);
    connect(OKBtn, &QPushButton::clicked, this, &TfrmCbOptions::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmCbOptions::CancelBtnClick);
}

// Once, at program start.
void TfrmCbOptions::FormCreate() {
    CreateMemoryCheckBoxes();
    CreateDuplexCheckBoxes();
    pageCbMemories->setCurrentWidget(tabOpenScan);
}

void TfrmCbOptions::CreateMemoryCheckBoxes() {
    for (int m = 0; m < cb::ChannelMemories; ++m)
        BuildChannelBoxes(m, &MemoryBoxes[m * cb::Channels]);
}

void TfrmCbOptions::CreateDuplexCheckBoxes() {
    BuildDuplexBoxes(&MemoryBoxes[FirstDuplexBox]);
}

// Each opening reloads every control; the enable box and the tab keep their state.
void TfrmCbOptions::FormShow() {
    FillToneLists();
    LoadCbCtcssOptions();
    LoadCbMemories();
}

void TfrmCbOptions::FillToneLists() {
    cmbTxCtcss->clear();
    cmbRxCtcss->clear();
    for (int i = 0; i < TONE_LIST_SIZE; ++i) {
        cmbTxCtcss->addItem(ToneCodeText(i));
        cmbRxCtcss->addItem(ToneCodeText(i));
    }
}

void TfrmCbOptions::loadTone(const Tone& tone) {
    const uint8_t stored = eeprom.GetByte(tone.offset);
    tone.combo->setCurrentIndex(stored < TONE_LIST_SIZE ? stored : 0);
}

// A combo the user left alone keeps its byte (an erased 0xFF shows "OFF" and stays 0xFF);
// otherwise the item whose label is shown, and text that names no item is off.
void TfrmCbOptions::storeTone(const Tone& tone) const {
    if (!optionFields.edits().changed(tone.combo))
        return;
    const int index = tone.combo->findText(tone.combo->currentText());
    eeprom.SetByte(tone.offset, uint8_t(index >= 0 && index < TONE_LIST_SIZE ? index : 0));
}

void TfrmCbOptions::LoadCbCtcssOptions() {
    optionFields.load(readImage);
    for (const Tone& tone : tones)
        loadTone(tone);
    chkEnableCbCtcssClick();
}

// The tones are stored as the combos show them, whether the enable box is ticked or not.
void TfrmCbOptions::SaveCbCtcssOptions() {
    for (const Tone& tone : tones)
        storeTone(tone);
    optionFields.store(readImage, writeImage);
}

void TfrmCbOptions::LoadCbMemories() {
    memoryFields.load(readImage);
}

void TfrmCbOptions::SaveCbMemories() {
    memoryFields.store(readImage, writeImage);
}

void TfrmCbOptions::OKBtnClick() {
    SaveCbCtcssOptions();
    SaveCbMemories();
    done(mrOk);
}

void TfrmCbOptions::CancelBtnClick() {
    done(mrCancel);
}

void TfrmCbOptions::chkEnableCbCtcssClick() {
    EnableCbOptions();
}

// The boxes a button set are the user's, as if each were clicked.
void TfrmCbOptions::btnOsSelectAllClick(QObject* sender) {
    SelectFromButton(sender);
    for (QCheckBox* box : MemoryBoxes)
        if (box->parent() == sender->parent())
            memoryFields.edits().mark(box);
}
