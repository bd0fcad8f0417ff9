#include "Eng_edit.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Engineering_groups.h"
#include "Key_filter.h"
#include "Main.h"
#include "Ser_com.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Convert.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

TfrmEngineering* frmEngineering = nullptr;

namespace {

using E = TfrmEngineering;

constexpr int RADIO_TYPE = 40;
constexpr uint8_t RADIO_TYPE_KEPT = 0xF0; // bits 3..0 are written as 0
constexpr int POWER_DOWN_DELAY = 55;
constexpr int TX_DELAY = 56;
constexpr int PLL_REFERENCE = 62;
constexpr int IF_OFFSET = 1245;
constexpr int REPLY_WAIT_MS = 500;
constexpr int LAST_LOCATION = IMAGE_SIZE - 1;

void putWord(uint8_t* image, int address, uint16_t word) {
    image[address] = uint8_t(word & 0xFF);
    image[address + 1] = uint8_t(word >> 8);
}

uint16_t getWord(const uint8_t* image, int address) {
    return uint16_t(image[address] | (image[address + 1] << 8));
}

} // namespace

TfrmEngineering::TfrmEngineering(QWidget* parent) : Form(parent) {
    FormCreate();
    rs232_processor::SetLocationSink(this);
}

TfrmEngineering::~TfrmEngineering() {
    rs232_processor::SetLocationSink(nullptr);
}

void TfrmEngineering::FormCreate() {
    setWindowTitle(QStringLiteral("Engineering Setup"));
    PageControl1 = new QTabWidget;
    tabOptions = buildOptionsPage();
    tabPowerSave = buildPowerSavePage();
    tabEeprom = buildEepromPage();
    PageControl1->addTab(tabOptions, QStringLiteral("Options"));
    PageControl1->addTab(tabPowerSave, QStringLiteral("Power Save"));
    PageControl1->addTab(tabEeprom, QStringLiteral("EEPROM list"));
    PageControl1->setCurrentWidget(tabOptions);

    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    RichEdit1 = new QTextEdit(QStringLiteral("Help messages..."));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFixedHeight(48);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(RichEdit1, 1);
    buttons->addWidget(OKBtn, 0, Qt::AlignBottom);
    buttons->addWidget(CancelBtn, 0, Qt::AlignBottom);
    auto* form = new QVBoxLayout(this);
    form->addWidget(PageControl1);
    form->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setInterval(REPLY_WAIT_MS);
    wireControls();
    bindImageFields();
}

QWidget* TfrmEngineering::buildOptionsPage() {
    chkTempComp = new QCheckBox(QStringLiteral("Track temperature every 1 second"));
    chkCtcssOnEmergency = new QCheckBox(QStringLiteral("Enabled CTCSS on CB 5 and 35"));
    chkHighSpeedPcb = new QCheckBox(QStringLiteral("Enable high speed version PCB"));
    chkRemAlmTriSta = new QCheckBox(QStringLiteral("Second selcall always clears alarm out"));

    auto* page = new QWidget;
    auto* left = new QVBoxLayout;
    using namespace engineering;
    left->addWidget(ReferenceGroup(txtIfOffset, txtPLLRef, QStringLiteral("PLL Ref")));
    left->addWidget(DelayGroup(QStringLiteral("Switch on delay"),
                               QStringLiteral("Time till EEPROM writes are enabled"),
                               powerDownDelay));
    left->addWidget(DelayGroup(QStringLiteral("Delay before transmit RF power starts"),
                               QStringLiteral("Delay before transmit starts."), txDelay));
    hsbPowerDownDelay = powerDownDelay.bar;
    lblPowerDownDelayValue = powerDownDelay.label;
    hsbTxDelay = txDelay.bar;
    lblTxDelayValue = txDelay.label;
    left->addWidget(BoxGroup(QStringLiteral("Testing / debug options"), {chkTempComp}));
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(BoxGroup(QStringLiteral("CTCSS"), {chkCtcssOnEmergency}));
    right->addWidget(BoxGroup(QStringLiteral("Options"), {chkHighSpeedPcb, chkRemAlmTriSta}));
    right->addWidget(buildAuxGroup());
    right->addWidget(RadioTypeGroup(QStringLiteral("Radio Type"), chkRadioTypeBit7,
                                    chkRadioTypeBit6, chkRadioTypeBit5, chkRadioTypeBit4));
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);
    return page;
}

QGroupBox* TfrmEngineering::buildAuxGroup() {
    chkAuxPttEnable = new QCheckBox(QStringLiteral("Enable Aux PTT input"));
    chkAuxPttHigh = new QCheckBox(QStringLiteral("Aux PTT active high"));
    chkAuxBusyEnable = new QCheckBox(QStringLiteral("Enable Aux Busy output"));
    chkAuxBusyHigh = new QCheckBox(QStringLiteral("Aux Busy output active high"));
    gbAuxInput =
        engineering::BoxGroup(QStringLiteral("Auxilary input"),
                              {chkAuxPttEnable, chkAuxPttHigh, chkAuxBusyEnable, chkAuxBusyHigh});
    for (QCheckBox* box : {chkAuxPttEnable, chkAuxPttHigh, chkAuxBusyEnable, chkAuxBusyHigh})
        controls::hideForGood(box);
    return gbAuxInput;
}

QWidget* TfrmEngineering::buildPowerSavePage() {
    QGroupBox* group = engineering::PowerSaveGroup(chkEnablePowerSave, powerSave);
    const std::pair<const engineering::ValueBar&, std::pair<QScrollBar**, QLabel**>> named[] = {
        {powerSave.holdOn, {&hsbPSHoldOnTime, &lblPSHoldOnTimeValue}},
        {powerSave.on, {&hsbPSOnTime, &lblPSOnTimeValue}},
        {powerSave.off, {&hsbPSOffTime, &lblPSOffTimeValue}},
        {powerSave.pllUp, {&hsbPSPllUpTime, &lblPSPllUpTimeValue}},
        {powerSave.rxUp, {&hsbPSRxUpTime, &lblPSRxUpTimeValue}},
        {powerSave.vcoUp, {&hsbPSVcoUpTime, &lblPSVcoUpTimeValue}},
    };
    for (const auto& [bar, members] : named) {
        *members.first = bar.bar;
        *members.second = bar.label;
    }
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* TfrmEngineering::buildEepromPage() {
    eeprom_list = new QTableWidget(IMAGE_SIZE, 3);
    eeprom_list->setHorizontalHeaderLabels(
        {QStringLiteral("Location"), QStringLiteral("Hex value"), QStringLiteral("Dec value")});
    eeprom_list->verticalHeader()->hide();
    grid::TabLeaves(eeprom_list);
    eeprom_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    eeprom_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    eeprom_list->setSelectionMode(QAbstractItemView::SingleSelection);
    eeprom_list->verticalHeader()->setDefaultSectionSize(20);
    eeprom_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    lblLocation = new QLabel(QStringLiteral("Location"));
    txtLocation = new QLineEdit;
    lblData = new QLabel(QStringLiteral("Data (dec)"));
    txtData = new QLineEdit;
    txtData->setMaxLength(3);
    keys::allowOnly(txtData, keys::Digits);
    lblDataHex = new QLabel(QStringLiteral("Data (Hex)"));
    txtDataHex = new QLineEdit;
    txtDataHex->setReadOnly(true);
    btnReadLocation = forms::button(QStringLiteral("Read Location"));
    btnWriteLocation = forms::button(QStringLiteral("Write Location"));

    auto* side = new QGridLayout;
    int row = 0;
    for (const auto& [label, edit] :
         {std::pair{lblLocation, txtLocation}, std::pair{lblData, txtData},
          std::pair{lblDataHex, txtDataHex}}) {
        side->addWidget(label, row++, 0);
        side->addWidget(edit, row++, 0);
    }
    side->addWidget(btnReadLocation, row++, 0);
    side->addWidget(btnWriteLocation, row++, 0);
    side->setRowStretch(row, 1);

    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(eeprom_list, 1);
    layout->addLayout(side);
    return page;
}

void TfrmEngineering::wireControls() {
    connect(chkEnablePowerSave, &QCheckBox::toggled, this,
            &TfrmEngineering::chkEnablePowerSaveClick);
    connect(chkAuxPttEnable, &QCheckBox::toggled, this, &TfrmEngineering::chkAuxPttEnableClick);
    connect(chkAuxBusyEnable, &QCheckBox::toggled, this, &TfrmEngineering::chkAuxPttEnableClick);
    connect(eeprom_list, &QTableWidget::currentCellChanged, this,
            &TfrmEngineering::eeprom_listClick);
    connect(btnReadLocation, &QPushButton::clicked, this, &TfrmEngineering::btnReadLocationClick);
    connect(btnWriteLocation, &QPushButton::clicked, this, &TfrmEngineering::btnWriteLocationClick);
    connect(Timer1, &QTimer::timeout, this, &TfrmEngineering::Timer1Timer);
    connect(OKBtn, &QPushButton::clicked, this, &TfrmEngineering::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmEngineering::reject);
}

// Bytes and bits that the Options page loads when shown and stores on OK.
void TfrmEngineering::bindImageFields() {
    fields.number(hsbPowerDownDelay, POWER_DOWN_DELAY, 0xFF);
    fields.number(hsbTxDelay, TX_DELAY, 0xFF);
    fields.check(chkTempComp, 70, 1 << 1);
    fields.check(chkEnablePowerSave, 70, 1 << 3);
    fields.check(chkHighSpeedPcb, 71, 1 << 1);
    fields.check(chkAuxBusyEnable, 74, 1 << 6);
    fields.check(chkAuxBusyHigh, 74, 1 << 7);
    fields.check(chkRemAlmTriSta, 77, 1 << 3);
    fields.check(chkCtcssOnEmergency, 79, 1 << 3);
    fields.check(chkRadioTypeBit7, RADIO_TYPE, 1 << 7);
    fields.check(chkRadioTypeBit6, RADIO_TYPE, 1 << 6);
    fields.check(chkRadioTypeBit5, RADIO_TYPE, 1 << 5);
    fields.check(chkRadioTypeBit4, RADIO_TYPE, 1 << 4);
}

uint8_t* TfrmEngineering::Image() const {
    return frmBelmar->RadioData;
}

// --- showing and OK --------------------------------------------------------------------

void TfrmEngineering::FormShow() {
    WaitingReply = 0;
    const uint8_t* image = Image();
    fields.load(image);
    powerDownDelay.ShowValue();
    txDelay.ShowValue();
    txtIfOffset->setText(text::StepWordText(getWord(image, IF_OFFSET)));
    txtPLLRef->setText(text::StepWordText(getWord(image, PLL_REFERENCE)));
    chkEnablePowerSaveClick();
    RadioType = image[RADIO_TYPE];
    chkAuxPttEnableClick();
    FillEepromList();
    eeprom_listClick();
}

void TfrmEngineering::OKBtnClick() {
    uint16_t ifWord = 0;
    uint16_t pllWord = 0;
    try {
        ifWord = text::ParseStepWord(txtIfOffset->text());
        pllWord = text::ParseStepWord(txtPLLRef->text());
    } catch (const platform::EConvertError& error) {
        platform::host().showException(error.message());
        return;
    }
    uint8_t* image = Image();
    putWord(image, IF_OFFSET, ifWord);
    putWord(image, PLL_REFERENCE, pllWord);
    fields.store(image);
    eeBuffer->SetByte(RADIO_TYPE, image[RADIO_TYPE] & RADIO_TYPE_KEPT);
    accept();
}

// --- power save ------------------------------------------------------------------------

void TfrmEngineering::chkEnablePowerSaveClick() {
    const bool enabled = chkEnablePowerSave->isChecked();
    for (const engineering::ValueBar* bar : powerSave.All())
        bar->Enable(enabled);
}

void TfrmEngineering::chkAuxPttEnableClick() {
    chkAuxBusyHigh->setEnabled(chkAuxBusyEnable->isChecked());
}

// --- EEPROM list -----------------------------------------------------------------------

void TfrmEngineering::FillEepromList() {
    for (int location = 0; location < IMAGE_SIZE; ++location) {
        for (int column = 0; column < 3; ++column)
            if (!eeprom_list->item(location, column))
                eeprom_list->setItem(location, column, new QTableWidgetItem);
        ShowEepromRow(location);
    }
    if (eeprom_list->currentRow() < 0)
        eeprom_list->setCurrentCell(0, 0);
}

void TfrmEngineering::ShowEepromRow(int location) {
    const uint8_t value = Image()[location];
    eeprom_list->item(location, 0)->setText(QString::number(location));
    eeprom_list->item(location, 1)->setText(text::HexByte(value));
    eeprom_list->item(location, 2)->setText(QString::number(value));
}

void TfrmEngineering::eeprom_listClick() {
    const int row = eeprom_list->currentRow();
    if (row < 0 || !eeprom_list->item(row, 0))
        return;
    txtLocation->setText(eeprom_list->item(row, 0)->text());
    txtDataHex->setText(eeprom_list->item(row, 1)->text());
    txtData->setText(eeprom_list->item(row, 2)->text());
}

// The typed location, refused with a message unless it is a number within the image.
bool TfrmEngineering::TakeLocation(int& location) {
    if (!text::TryStrToInt(txtLocation->text(), location))
        return false;
    if (location < 0 || location > LAST_LOCATION) {
        platform::host().messageBox(QStringLiteral("Location must be\nbetween 0 - 4095."),
                                    QStringLiteral("Invalid location!"),
                                    platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void TfrmEngineering::btnReadLocationClick() {
    int location = 0;
    if (txtLocation->text().isEmpty() || !TakeLocation(location))
        return;
    Location = location;
    LocationValue = 0;
    txtData->clear();
    StartLocationExchange();
    frmSerial->SendReadLocation(location);
}

void TfrmEngineering::btnWriteLocationClick() {
    if (txtLocation->text().isEmpty() || txtData->text().isEmpty())
        return;
    int value = 0;
    if (!text::TryStrToInt(txtData->text(), value))
        return;
    if (value < 0 || value > 255) {
        platform::host().messageBox(QStringLiteral("Decimal data must be\nbetween 0 - 255."),
                                    QStringLiteral("Invalid data!"),
                                    platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return;
    }
    int location = 0;
    if (!TakeLocation(location))
        return;
    Location = location;
    LocationValue = uint8_t(value);
    StartLocationExchange();
    frmSerial->SendWriteLocation(location, uint8_t(value));
    eeBuffer->SetByte(location, uint8_t(value));
    ShowEepromRow(location);
}

// Waits for the reply (set before the request goes out, so a quick reply is not missed),
// connects, and locks the page until Timer1 ends the exchange.
void TfrmEngineering::StartLocationExchange() {
    WaitingReply = 1;
    frmSerial->ClearRxBuffer();
    frmSerial->SendConnect();
    frmSerial->ClearRxBuffer();
    EnableLocationControls(false);
    Timer1->start();
}

void TfrmEngineering::LocationReply(int address, uint8_t value) {
    if (WaitingReply != 1 || address != Location)
        return;
    LocationValue = value;
    WaitingReply = 0;
}

void TfrmEngineering::Timer1Timer() {
    Timer1->stop();
    frmSerial->SendDisconnect();
    if (WaitingReply == 0) {
        const int location = Location;
        const uint8_t value = LocationValue;
        txtData->setText(QString::number(value));
        txtDataHex->setText(text::HexByte(value));
        txtLocation->setText(QString::number(location));
        eeBuffer->SetByte(location, value);
        ShowEepromRow(location);
    } else {
        platform::host().messageBox(
            QStringLiteral("Radio did not respond.\nCheck leads and try again."),
            QStringLiteral("No Response..."), platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    EnableLocationControls(true);
    WaitingReply = 0;
}

void TfrmEngineering::EnableLocationControls(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             txtLocation, txtDataHex, txtData, lblLocation, lblData, lblDataHex, btnReadLocation,
             btnWriteLocation, eeprom_list})
        control->setEnabled(enabled);
}
