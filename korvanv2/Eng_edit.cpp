#include "Eng_edit.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Text_format.h"
#include "platform/Convert.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <utility>
#include <vector>

TfrmEngineering* frmEngineering = nullptr;

namespace {

constexpr int RADIO_TYPE = 40;
constexpr uint8_t RADIO_TYPE_LOW_BITS = 0x0F; // written as 0 with the radio type
constexpr int POWER_DOWN_DELAY = 55;
constexpr int TX_DELAY = 56;
constexpr int PS_HOLD_ON = 59; // stored in steps of 5
constexpr int PS_HOLD_ON_STEP = 5;
constexpr int PS_ON = 60;
constexpr int PS_OFF = 61;
constexpr int PS_VCO_UP = 62;
constexpr int IF_OFFSET = 556;
constexpr int PLL_REFERENCE = 558;

uint8_t ReadImage(int offset) {
    return eeprom.GetByte(offset);
}

void WriteImage(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

} // namespace

TfrmEngineering::TfrmEngineering(QWidget* parent) : Form(parent) {
    FormCreate();
}

void TfrmEngineering::FormCreate() {
    setWindowTitle(QStringLiteral("Engineering Setup"));
    PageControl1 = new QTabWidget;
    tabOptions = BuildOptionsPage();
    tabPowerSave = BuildPowerSavePage();
    PageControl1->addTab(tabOptions, QStringLiteral("Options"));
    PageControl1->addTab(tabPowerSave, QStringLiteral("Power Save"));
    PageControl1->setCurrentWidget(tabOptions);

    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    RichEdit1 = new QTextEdit;
    RichEdit1->setReadOnly(true);
    RichEdit1->setFixedHeight(48);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RichEdit1, 1);
    bottom->addWidget(OKBtn, 0, Qt::AlignBottom);
    bottom->addWidget(CancelBtn, 0, Qt::AlignBottom);
    auto* form = new QVBoxLayout(this);
    form->addWidget(PageControl1);
    form->addLayout(bottom);

    connect(chkEnablePowerSave, &QCheckBox::toggled, this,
            &TfrmEngineering::chkEnablePowerSaveClick);
    connect(OKBtn, &QPushButton::clicked, this, &TfrmEngineering::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
    BindImageFields();
}

QWidget* TfrmEngineering::BuildOptionsPage() {
    using namespace engineering;
    chkTempComp = new QCheckBox(QStringLiteral("Track temperature every 1 second"));
    chkCtcssOnEmergency = new QCheckBox(QStringLiteral("Enabled CTCSS on CB 5 and 35"));
    chk_vantel = new QCheckBox(QStringLiteral("Vantel Chassis"));

    auto* left = new QVBoxLayout;
    left->addWidget(ReferenceGroup(txtIfOffset, editPLLRef, QStringLiteral("PLL Ref .")));
    left->addWidget(DelayGroup(QStringLiteral("Switch on delay"),
                               QStringLiteral("Time till EEPROM writes are enabled"),
                               powerDownDelay));
    left->addWidget(DelayGroup(QStringLiteral("Delay before transmit RF power starts"),
                               QStringLiteral("Delay before transmit starts."), txDelay));
    left->addWidget(BoxGroup(QStringLiteral("Testing / debug options"), {chkTempComp}));
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(BoxGroup(QStringLiteral("CTCSS"), {chkCtcssOnEmergency}));
    right->addWidget(BoxGroup(QStringLiteral("Options"), {chk_vantel}));
    right->addWidget(RadioTypeGroup(QStringLiteral("RadioType"), chkRadioTypeBit7, chkRadioTypeBit6,
                                    chkRadioTypeBit5, chkRadioTypeBit4));
    right->addStretch();
    hsbPowerDownDelay = powerDownDelay.bar;
    hsbTxDelay = txDelay.bar;

    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);
    return page;
}

QWidget* TfrmEngineering::BuildPowerSavePage() {
    QGroupBox* values = engineering::PowerSaveGroup(chkEnablePowerSave, powerSave);
    controls::hideForGood(values);
    hsbPSHoldOnTime = powerSave.holdOn.bar;
    hsbPSOnTime = powerSave.on.bar;
    hsbPSOffTime = powerSave.off.bar;
    hsbPSPllUpTime = powerSave.pllUp.bar;
    hsbPSRxUpTime = powerSave.rxUp.bar;
    hsbPSVcoUpTime = powerSave.vcoUp.bar;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(values);
    layout->addStretch();
    return page;
}

// Bytes and bits loaded when shown and stored on OK; every other bit is kept.
void TfrmEngineering::BindImageFields() {
    fields.number(hsbPowerDownDelay, POWER_DOWN_DELAY, 0xFF);
    fields.number(hsbTxDelay, TX_DELAY, 0xFF);
    fields.number(hsbPSOnTime, PS_ON, 0xFF);
    fields.number(hsbPSOffTime, PS_OFF, 0xFF);
    fields.number(hsbPSVcoUpTime, PS_VCO_UP, 0xFF);
    fields.check(chkTempComp, 70, 1 << 1);
    fields.check(chkEnablePowerSave, 70, 1 << 3);
    fields.check(chk_vantel, 71, 1 << 1);
    fields.check(chkCtcssOnEmergency, 79, 1 << 3);
    fields.check(chkRadioTypeBit7, RADIO_TYPE, 1 << 7);
    fields.check(chkRadioTypeBit6, RADIO_TYPE, 1 << 6);
    fields.check(chkRadioTypeBit5, RADIO_TYPE, 1 << 5);
    fields.check(chkRadioTypeBit4, RADIO_TYPE, 1 << 4);
    fields.add(
        RADIO_TYPE, RADIO_TYPE_LOW_BITS, [](uint8_t) {},
        [](uint8_t& low) {
            low = 0;
            return true;
        },
        {chkRadioTypeBit7, chkRadioTypeBit6, chkRadioTypeBit5, chkRadioTypeBit4});
    fields.number(hsbPSHoldOnTime, PS_HOLD_ON, 0xFF, 0, PS_HOLD_ON_STEP);
    for (QLineEdit* frequency : {editPLLRef, txtIfOffset})
        fields.edits().watch(frequency);
}

void TfrmEngineering::FormShow() {
    fields.load(ReadImage);
    editPLLRef->setText(text::StepWordText(uint16_t(eeprom.GetWord(PLL_REFERENCE))));
    txtIfOffset->setText(text::StepWordText(uint16_t(eeprom.GetWord(IF_OFFSET))));
    powerDownDelay.ShowValue();
    txDelay.ShowValue();
    for (const engineering::ValueBar* bar : powerSave.All())
        bar->ShowValue();
    chkEnablePowerSaveClick();
    RichEdit1->clear();
}

// A frequency is stored when the user typed in its box; one that is not a number stores
// nothing at all.
void TfrmEngineering::OKBtnClick() {
    const std::pair<QLineEdit*, int> frequencies[] = {{editPLLRef, PLL_REFERENCE},
                                                      {txtIfOffset, IF_OFFSET}};
    std::vector<std::pair<int, uint16_t>> words;
    try {
        for (const auto& [box, offset] : frequencies)
            if (fields.edits().changed(box))
                words.emplace_back(offset, text::ParseStepWord(box->text()));
    } catch (const platform::EConvertError& error) {
        platform::host().showException(error.message());
        return;
    }
    for (const auto& [offset, word] : words)
        eeprom.SetWord(offset, word);
    fields.store(ReadImage, WriteImage);
    done(mrOk);
}

void TfrmEngineering::chkEnablePowerSaveClick() {
    const bool enabled = chkEnablePowerSave->isChecked();
    for (const engineering::ValueBar* bar : powerSave.All())
        bar->Enable(enabled);
}
