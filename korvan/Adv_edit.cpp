#include "Adv_edit.h"

#include "Cal_table.h"
#include "Help_pane.h"
#include "Image_fields.h"
#include "Key_filter.h"
#include "Radio_rw.h"
#include "Ser_com.h"
#include "Text_format.h"
#include "Tune_radio.h"
#include "platform/Convert.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <thread>

TfrmAdvanced* frmAdvanced = nullptr;

namespace {

// Image offsets of the hardware settings.
constexpr int MUTE_OFF_DEBOUNCE = 0x33;
constexpr int MUTE_IGNORE = 0x35;
constexpr int SQUELCH = 0x46;
constexpr uint8_t SQL1_BIT = 0x10;
constexpr uint8_t SQL2_BIT = 0x20;
constexpr int TEST_OPTIONS = 0x47;
constexpr uint8_t MAC_DISPLAY_BIT = 0x20;
constexpr int DTMF_LOW = 0xAB;
constexpr int DTMF_HIGH = 0xAC; // bits 0-3; bits 4-7 belong to the selcall options
constexpr int DTMF_MAX = 4095;

const char* const STAGE_RESET_TEXT[TfrmAdvanced::STAGE_COUNT] = {
    "File not loaded.",     "Not connected",       "",
    "ID not checked",       "Device not erased",   "Device not blank checked",
    "New file not written", "New file not verifed"};

QString msecText(int position) {
    return QString::number(position * 10) + " mSec";
}

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TShape::TShape(QWidget* parent) : QWidget(parent), color(lamp::White) {
    setFixedSize(sizeHint());
}

void TShape::setBrushColor(const QColor& newColor) {
    color = newColor;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.setBrush(color);
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

// ---------------------------------------------------------------------------------------
// The form

TfrmAdvanced::TfrmAdvanced(QWidget* parent) : ImageDialog(parent, QDialog::Rejected) {
    setWindowTitle("Hardware Edit Screen");
    pageEngOptions = new QTabWidget(this);
    BuildSquelchTab();
    BuildMiscTab();
    BuildTuneTab();
    BuildFirmwareTab();

    HelpText = new QTextEdit(this);
    HelpText->setFixedHeight(48);
    OKBtn = new QPushButton("OK", this);
    CancelBtn = new QPushButton("Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageEngOptions);
    layout->addWidget(HelpText);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TfrmAdvanced::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmAdvanced::CancelBtnClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmAdvanced::btnNextClick);
    connect(timerFirmware, &QTimer::timeout, this, &TfrmAdvanced::timerFirmwareTimer);
    tabFirmware->installEventFilter(this);

    BuildHelp();
    BindHelp();
    fields = new ImageFields;
    fields->number(hsbMuteOffDebounce, MUTE_OFF_DEBOUNCE, 0xFF);
    fields->number(hsbMuteIgnore, MUTE_IGNORE, 0xFF);
    fields->check(chkMacDisplay, TEST_OPTIONS, MAC_DISPLAY_BIT);
    FormCreate();
    rs232_processor::SetFlashLink(this);
}

TfrmAdvanced::~TfrmAdvanced() {
    rs232_processor::SetFlashLink(nullptr);
    delete fields;
}

void TfrmAdvanced::BuildSquelchTab() {
    tabSquelch = new QWidget;
    pageEngOptions->addTab(tabSquelch, "Squelch and S-Meter");
    auto* mute = new QGroupBox("Mute timing", tabSquelch);
    auto* grid = new QGridLayout(mute);
    auto addBar = [&](int row, QLabel*& caption, QScrollBar*& bar, QLabel*& value,
                      const QString& text) {
        caption = new QLabel(text, mute);
        bar = new QScrollBar(Qt::Horizontal, mute);
        bar->setRange(0, 255);
        bar->setMinimumWidth(200);
        value = new QLabel(msecText(0), mute);
        value->setMinimumWidth(70);
        grid->addWidget(caption, row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] { hsbPSHoldOnTimeChange(bar); });
    };
    addBar(0, lblMuteOffDebounce, hsbMuteOffDebounce, lblMuteOffDebounceValue,
           "Mute open debounce time");
    addBar(1, lblMuteIgnore, hsbMuteIgnore, lblMuteIgnoreValue, "Minimum unmute time");

    gbSquelchSetting = new QGroupBox("Squelch Preset", tabSquelch);
    rbUseSql1 = new QRadioButton("Use SQL-1", gbSquelchSetting);
    rbUseSql2 = new QRadioButton("Use SQL-2", gbSquelchSetting);
    rbUseSql3 = new QRadioButton("Use SQL-3", gbSquelchSetting);
    auto* presets = new QVBoxLayout(gbSquelchSetting);
    presets->addWidget(rbUseSql1);
    presets->addWidget(rbUseSql2);
    presets->addWidget(rbUseSql3);

    auto* layout = new QVBoxLayout(tabSquelch);
    layout->addWidget(mute);
    layout->addWidget(gbSquelchSetting);
    layout->addStretch();
}

void TfrmAdvanced::BuildMiscTab() {
    tabMisc = new QWidget;
    pageEngOptions->addTab(tabMisc, "Miscellaneous");
    auto* dtmf = new QGroupBox("DTMF", tabMisc);
    lblDtmfTonePeriod = new QLabel("DTMF tone period", dtmf);
    txtDtmfTonePeriod = new QLineEdit(dtmf);
    txtDtmfTonePeriod->setMaxLength(4);
    txtDtmfTonePeriod->setFixedWidth(60);
    keys::allowOnly(txtDtmfTonePeriod, keys::Digits);
    auto* row = new QHBoxLayout(dtmf);
    row->addWidget(lblDtmfTonePeriod);
    row->addWidget(txtDtmfTonePeriod);
    row->addStretch();

    gbTest = new QGroupBox("Testing Options", tabMisc);
    chkMacDisplay = new QCheckBox("Multi access channel lower display (debug)", gbTest);
    (new QVBoxLayout(gbTest))->addWidget(chkMacDisplay);

    auto* layout = new QVBoxLayout(tabMisc);
    layout->addWidget(dtmf);
    layout->addWidget(gbTest);
    layout->addStretch();
}

void TfrmAdvanced::BuildTuneTab() {
    tabTune = new QWidget;
    pageEngOptions->addTab(tabTune, "Align Radio");
    Label1 = wrapped("To adjust the alignment of the radio external test equipment is "
                     "required. Refer to the service manual for futher details.",
                     tabTune);
    btnReadCalRadio = new QPushButton("Align Radio", tabTune);
    btnReadCalFile = new QPushButton("Read Calibration Factors from File", tabTune);
    connect(btnReadCalRadio, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalRadioClick);
    connect(btnReadCalFile, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalFileClick);
    auto* layout = new QVBoxLayout(tabTune);
    layout->addWidget(Label1);
    layout->addWidget(btnReadCalRadio, 0, Qt::AlignLeft);
    layout->addWidget(btnReadCalFile, 0, Qt::AlignLeft);
    layout->addStretch();

    OpenDialog1.title = "Read Calibration File";
    OpenDialog1.filter = "Calibration files(*.cal)|*.cal|All fies(*.*)|*.*";
    SaveDialog1 = cal::SaveDialogRequest(cal::Generation::First);
}

void TfrmAdvanced::BuildFirmwareTab() {
    tabFirmware = new QWidget;
    pageEngOptions->addTab(tabFirmware, "Upgrade Radio Software");
    stageGrid = new QGridLayout;
    const QString names[STAGE_COUNT] = {"ledFileOk", "ledConnected", "ledVersion", "ledID",
                                        "ledErase",  "ledBlank",     "ledWrite",   "ledVerify"};
    for (int i = 0; i < STAGE_COUNT; ++i) {
        lblStage[i] = new QLabel(QString("Stage %1").arg(i + 1), tabFirmware);
        led[i] = new TShape(tabFirmware);
        led[i]->setObjectName(names[i]);
        lbl[i] = new QLabel(STAGE_RESET_TEXT[i], tabFirmware);
        lbl[i]->setMinimumWidth(170);
        stageGrid->addWidget(lblStage[i], i, 0);
        stageGrid->addWidget(led[i], i, 1);
        stageGrid->addWidget(lbl[i], i, 2);
    }
    ledFileOk = led[stFile], ledConnected = led[stConnected], ledVersion = led[stVersion];
    ledID = led[stID], ledErase = led[stErase], ledBlank = led[stBlank];
    ledWrite = led[stWrite], ledVerify = led[stVerify];
    lblFileOk = lbl[stFile], lblConnected = lbl[stConnected], lblVersion = lbl[stVersion];
    lblID = lbl[stID], lblErase = lbl[stErase], lblBlank = lbl[stBlank];
    lblWrite = lbl[stWrite], lblVerify = lbl[stVerify];
    progressAddress = new QProgressBar(tabFirmware);
    progressAddress->setRange(0, 100);
    progressAddress->setFixedWidth(140);
    lblReturnData = new QLabel(tabFirmware);
    lblReturnData->setMinimumWidth(230);
    stageGrid->setColumnStretch(4, 1);
    MoveProgressTo(stFile);

    Memo1 = new QPlainTextEdit(tabFirmware);
    Memo1->setReadOnly(true);
    Memo1->setPlainText("Use this function to upgrade the Radio operating software.\n"
                        "\n"
                        "- Switch off the radio. \n"
                        "- Connect the Programmer Serial Cable to the microphone socket.\n"
                        "- Press F3 while turning radio on.  Display shows \"FLASH UPDATE\"\n"
                        "- Press the 'Upgrade' button to continue.");
    Memo1->setFixedHeight(110);
    rdgrpMaxBdRate = new QGroupBox("Max baud rate", tabFirmware);
    rdgrpMaxBdRateItems = new QButtonGroup(rdgrpMaxBdRate);
    auto* rates = new QVBoxLayout(rdgrpMaxBdRate);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::number(BaudRateTable[i]), rdgrpMaxBdRate);
        rdgrpMaxBdRateItems->addButton(item, i);
        rates->addWidget(item);
    }
    SetMaxBdRateIndex(0);
    connect(rdgrpMaxBdRateItems, &QButtonGroup::idClicked, this,
            &TfrmAdvanced::rdgrpMaxBdRateClick);
    btnNext = new QPushButton("Upgrade", tabFirmware);

    auto* side = new QVBoxLayout;
    side->addWidget(rdgrpMaxBdRate);
    side->addStretch();
    side->addWidget(btnNext);
    auto* lower = new QHBoxLayout;
    lower->addLayout(stageGrid, 1);
    lower->addLayout(side);
    auto* layout = new QVBoxLayout(tabFirmware);
    layout->addWidget(Memo1);
    layout->addLayout(lower);

    timerFirmware = new QTimer(this);
    timerFirmware->setInterval(100);
}

void TfrmAdvanced::BindHelp() {
    const QStringList squelch = {"Set Squelch level for the radio to use. Can be changed at the "
                                 "radio by holding the F1 and F6 keys down while switching the "
                                 "radio on."};
    for (QWidget* w : {static_cast<QWidget*>(gbSquelchSetting), static_cast<QWidget*>(rbUseSql1),
                       static_cast<QWidget*>(rbUseSql2), static_cast<QWidget*>(rbUseSql3)})
        help->bind(w, squelch);
    for (QWidget* w :
         {static_cast<QWidget*>(lblMuteOffDebounce), static_cast<QWidget*>(hsbMuteOffDebounce),
          static_cast<QWidget*>(lblMuteOffDebounceValue)})
        help->bind(w, {"Two valid samples are required in this time to unmute the radio."});
    for (QWidget* w : {static_cast<QWidget*>(lblMuteIgnore), static_cast<QWidget*>(hsbMuteIgnore),
                       static_cast<QWidget*>(lblMuteIgnoreValue)})
        help->bind(w, {"Minimum time delay between mute off and mute on."});
    help->bind(btnReadCalRadio,
               {"Read the current calibration from the radio and re-tune online."});
    help->bind(btnReadCalFile, {"Read a calibration configuration file and edit it."});
    help->bind(chkMacDisplay, {"Displays testing information for a multi access channel."});
    help->bind(txtDtmfTonePeriod, {"Set DTMF tone period in ms (0..4095)."});
    help->bind(btnNext, {"Used to upgrade the radios firmware."});
}

void TfrmAdvanced::FormCreate() {
    pageEngOptions->setCurrentWidget(tabSquelch);
    FlashActive = 0;
    ReplyLength = 0;
}

bool TfrmAdvanced::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabFirmware && event->type() == QEvent::Show)
        tabFirmwareShow();
    else if (watched == tabFirmware && event->type() == QEvent::Hide)
        tabFirmwareHide();
    return QDialog::eventFilter(watched, event);
}

void TfrmAdvanced::FormShow() {
    TakeBackup();
    fields->load(frmBelmar->RadioData);
    hsbPSHoldOnTimeChange(hsbMuteOffDebounce);
    hsbPSHoldOnTimeChange(hsbMuteIgnore);
    LoadSquelch();
    ShowDtmfPeriod();
    ResetFirmwareStages();
    EnableStageControls(false);
}

void TfrmAdvanced::hsbPSHoldOnTimeChange(QScrollBar* bar) {
    QLabel* value = bar == hsbMuteOffDebounce ? lblMuteOffDebounceValue : lblMuteIgnoreValue;
    value->setText(msecText(bar->value()));
}

void TfrmAdvanced::LoadSquelch() {
    const uint8_t byte = frmBelmar->RadioData[SQUELCH];
    if (byte & SQL1_BIT)
        rbUseSql1->setChecked(true);
    else if (byte & SQL2_BIT)
        rbUseSql2->setChecked(true);
    else
        rbUseSql3->setChecked(true);
}

void TfrmAdvanced::StoreSquelch() {
    uint8_t& byte = frmBelmar->RadioData[SQUELCH];
    byte &= uint8_t(~(SQL1_BIT | SQL2_BIT));
    if (rbUseSql1->isChecked())
        byte |= SQL1_BIT;
    else if (rbUseSql2->isChecked())
        byte |= SQL2_BIT;
}

void TfrmAdvanced::ShowDtmfPeriod() {
    const uint8_t* image = frmBelmar->RadioData;
    txtDtmfTonePeriod->setText(QString::number((image[DTMF_HIGH] & 0x0F) * 256 + image[DTMF_LOW]));
}

// False, after telling the user, when the period is a number outside 0..4095. A text that
// is no number passes here and shows its conversion error when stored.
bool TfrmAdvanced::DtmfPeriodInRange() {
    const int period = platform::StrToIntDef(txtDtmfTonePeriod->text(), 0);
    if (period >= 0 && period <= DTMF_MAX)
        return true;
    platform::host().messageBox("The DTMF tone period must be between 0 and 4095 ms.", "Error",
                                platform::MB_ICONEXCLAMATION);
    pageEngOptions->setCurrentWidget(tabMisc);
    txtDtmfTonePeriod->setFocus();
    return false;
}

// A text that is no number shows the conversion error and leaves the DTMF bytes alone.
void TfrmAdvanced::StoreDtmfPeriod() {
    int period = 0;
    if (!text::TryStrToInt(txtDtmfTonePeriod->text(), period))
        return;
    uint8_t* image = frmBelmar->RadioData;
    image[DTMF_LOW] = uint8_t(period & 0xFF);
    image[DTMF_HIGH] = bits::put(image[DTMF_HIGH], 0x0F, uint8_t(period >> 8));
}

void TfrmAdvanced::OKBtnClick() {
    if (!DtmfPeriodInRange())
        return;
    FlashActive = 0;
    fields->store(frmBelmar->RadioData);
    StoreSquelch();
    StoreDtmfPeriod();
    done(1);
}

// "Align Radio": the calibration block is read from the radio (a good read puts the
// tuning dialog on-line); without it the user may go on off-line with the image's block.
void TfrmAdvanced::btnReadCalRadioClick() {
    frmTuneRadio->Online = 0;
    frmReadWrite->RunJob(0, CALIBRATION_SIZE - 1, TfrmReadWrite::MODE_READ);
    if (frmTuneRadio->Online != 1 &&
        platform::host().messageBox("Unable to read calibration from radio.\n"
                                    "Continue in Off-line Mode?",
                                    "Align Radio", 33) != platform::IDOK)
        return;
    frmTuneRadio->exec();
}

// A calibration file is edited off-line; a file that did not load is not edited.
void TfrmAdvanced::btnReadCalFileClick() {
    frmTuneRadio->Online = 0;
    QString chosen;
    if (!platform::host().openFileDialog(OpenDialog1, chosen) ||
        !frmBelmar->LoadCalibrationFile(chosen, TfrmBelmar::FileNotice::Tell))
        return;
    frmTuneRadio->LoadCalControls();
    frmTuneRadio->exec();
}

void TfrmAdvanced::CancelBtnClick() {
    done(2);
}

void TfrmAdvanced::done(int result) {
    QDialog::done(result);
    FormClose();
}

void TfrmAdvanced::FormClose() {
    FlashActive = 0;
    {
        // An upgrade left behind is abandoned, never resumed at the next showing.
        std::lock_guard lock(flashMutex);
        FlashState = 0;
        ReplyLength = 0;
    }
    ResetFirmwareStages();
    EnableStageControls(false);
    frmSerial->SetBaudRate(9600);
}

void TfrmAdvanced::UndoChanges() {
    RestoreBackup(CALIBRATION_SIZE);
}

void TfrmAdvanced::rdgrpMaxBdRateClick() {
    const int index = MaxBdRateIndex();
    if (index >= 0)
        frmBelmar->maxBdRate = BaudRateTable[index];
}

int TfrmAdvanced::MaxBdRateIndex() const {
    return rdgrpMaxBdRateItems->checkedId();
}

void TfrmAdvanced::SetMaxBdRateIndex(int index) {
    if (QAbstractButton* item = rdgrpMaxBdRateItems->button(index))
        item->setChecked(true);
}

// ---------------------------------------------------------------------------------------
// Firmware tab: stage display

void TfrmAdvanced::ResetFirmwareStages() {
    ++displayGeneration; // changes posted by an earlier run no longer apply
    for (int i = 0; i < STAGE_COUNT; ++i)
        SetStage(Stage(i), lamp::White, STAGE_RESET_TEXT[i]);
    progressAddress->setValue(0);
    lblReturnData->clear();
    MoveProgressTo(stFile);
}

void TfrmAdvanced::EnableStageControls(bool on) {
    for (int i = 0; i < STAGE_COUNT; ++i) {
        lblStage[i]->setEnabled(on);
        led[i]->setEnabled(on);
        lbl[i]->setEnabled(on);
    }
    progressAddress->setEnabled(on);
    lblReturnData->setEnabled(on);
    btnNext->setEnabled(!on);
    for (QWidget* tab : {tabSquelch, tabMisc, tabTune})
        pageEngOptions->setTabVisible(pageEngOptions->indexOf(tab), !on);
}

void TfrmAdvanced::SetStage(Stage stage, const QColor& color, const QString& text) {
    led[stage]->setBrushColor(color);
    lbl[stage]->setText(text);
}

void TfrmAdvanced::MoveProgressTo(Stage stage) {
    stageGrid->removeWidget(progressAddress);
    stageGrid->removeWidget(lblReturnData);
    stageGrid->addWidget(progressAddress, stage, 3);
    stageGrid->addWidget(lblReturnData, stage, 4);
}

void TfrmAdvanced::Post(std::function<void()> change) {
    const int generation = displayGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation, change = std::move(change)] {
            if (generation == displayGeneration)
                change();
        },
        Qt::QueuedConnection);
}

void TfrmAdvanced::PostStage(Stage stage, const QColor& color, const QString& text) {
    Post([=] { SetStage(stage, color, text); });
}

void TfrmAdvanced::PostReturnData(const QString& text) {
    Post([=] { lblReturnData->setText(text); });
}

void TfrmAdvanced::PostPageProgress() {
    const int page = PageAddress;
    const int percent = (page >> 8) * 100 / 255;
    Post([=] {
        progressAddress->setValue(percent);
        lblReturnData->setText(QString("%1 %2%").arg(page).arg(percent));
    });
}

void TfrmAdvanced::PostProgressRow(Stage stage) {
    Post([=] { MoveProgressTo(stage); });
}

// ---------------------------------------------------------------------------------------
// Firmware tab: the file

bool TfrmAdvanced::LoadSRecordFile(const QString& fileName) {
    std::memset(FirmwareImage, 0xFF, sizeof FirmwareImage);
    progressAddress->setValue(0);
    QFile file(fileName);
    bool loaded = false;
    if (file.open(QIODevice::ReadOnly) && file.size() <= srecord::MAX_FILE_SIZE) {
        const QByteArray text = file.readAll();
        loaded =
            file.error() == QFileDevice::NoError &&
            srecord::Load(text, FirmwareImage, [this](const srecord::Progress& p) {
                progressAddress->setValue(p.percent());
                lblReturnData->setText(
                    QString("%1 bytes read in, %2 lines read in").arg(p.bytesRead).arg(p.lines));
            });
    }
    if (!loaded) {
        platform::host().messageBox("There is a problem reading the file", "File Error",
                                    platform::MB_OKCANCEL);
        SetStage(stFile, lamp::Red, "File not loaded.");
        return false;
    }
    SetStage(stFile, lamp::Green, "File loaded.");
    return true;
}

// ---------------------------------------------------------------------------------------
// Firmware tab: the upgrade

void TfrmAdvanced::tabFirmwareShow() {
    FlashActive = 1;
    timerFirmware->start();
}

void TfrmAdvanced::tabFirmwareHide() {
    FlashActive = 0;
}

void TfrmAdvanced::btnNextClick() {
    ResetFirmwareStages();
    EnableStageControls(true);
    platform::FileDialogRequest request;
    request.title = "Open Firmware File...";
    request.filter = "Motorola S file (*.mot)|*.mot";
    request.hideReadOnly = true;
    request.fileMustExist = true;
    QString chosen;
    if (!platform::host().openFileDialog(request, chosen)) {
        EnableStageControls(false);
        return;
    }
    ledFileOk->setBrushColor(lamp::Yellow);
    if (!LoadSRecordFile(chosen)) {
        EnableStageControls(false);
        return;
    }
    frmSerial->EnsurePortOpen(); // dropped, or never opened at start-up
    std::lock_guard lock(flashMutex);
    StartUpgrade();
}

void TfrmAdvanced::StartUpgrade() {
    FlashState = 1;
    FlashActive = 1;
    owedReplies.clear();
    requestSends = 0;
    ReplyLength = 0;
    runBdRate = frmBelmar->maxBdRate;
    lblReturnData->clear();
    SetLink(9600);
    frmSerial->ClearRxBuffer();
    timerFirmware->start();
    SendBootBaud(9600); // the connect probe
    ledConnected->setBrushColor(lamp::Yellow);
    Retries = RETRIES;
    FlashState = 3;
}

void TfrmAdvanced::SetLink(int rate) {
    frmSerial->SetBaudRate(rate);
}

// Senders ------------------------------------------------------------------------------

// A request sent again keeps the replies it is owed; any other send gives up the awaited
// reply, whose late bytes are then dropped as they come.
void TfrmAdvanced::SendBoot(const std::vector<uint8_t>& bytes, int replyLength) {
    FlashActive = 1;
    const bool again =
        replyLength > 0 && ReplyLength == replyLength && FlashCommand == bytes.front();
    if (!again)
        AbandonRequest();
    DropLateReplies();
    frmSerial->ClearRxBuffer();
    FlashCommand = bytes.front();
    frmSerial->SendBytes(bytes.data(), int(bytes.size()));
    ReplyLength = replyLength;
    requestSends = again ? requestSends + 1 : (replyLength > 0 ? 1 : 0);
    WaitTicks = WAIT_TICKS;
}

void TfrmAdvanced::AbandonRequest() {
    const auto until = std::chrono::steady_clock::now() + LATE_REPLY_LIMIT;
    for (int i = 0; ReplyLength > 0 && i < requestSends; ++i)
        owedReplies.push_back({ReplyLength, until});
    ReplyLength = 0;
    requestSends = 0;
}

// The loader answers in order: the bytes waiting first pay what is owed.
void TfrmAdvanced::DropLateReplies() {
    const auto now = std::chrono::steady_clock::now();
    owedReplies.erase(std::remove_if(owedReplies.begin(), owedReplies.end(),
                                     [now](const OwedReply& owed) { return owed.until <= now; }),
                      owedReplies.end());
    while (!owedReplies.empty()) {
        const int dropped = frmSerial->RxTake(nullptr, owedReplies.front().bytes);
        if (dropped == 0)
            break;
        if ((owedReplies.front().bytes -= dropped) == 0)
            owedReplies.erase(owedReplies.begin());
    }
}

void TfrmAdvanced::SendBootBaud(int rate) {
    const int code = boot::BaudCode(rate);
    SendBoot({uint8_t(code < 0 ? boot::BOOT_BAUD_9600 : code)}, 1);
}

void TfrmAdvanced::SendBootVersion() {
    SendBoot({boot::BOOT_VERSION}, boot::VERSION_LENGTH);
}

void TfrmAdvanced::SendBootReadStatus() {
    SendBoot({boot::BOOT_READ_STATUS}, boot::STATUS_LENGTH);
}

void TfrmAdvanced::SendBootClearStatus() {
    SendBoot({boot::BOOT_CLEAR_STATUS}, 0);
}

void TfrmAdvanced::SendBootIdCheck(int candidate) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    SendBoot(boot::IdCheckCommand(boot::IdCodeCandidate(candidate, FirmwareImage)), 0);
}

void TfrmAdvanced::SendBootEraseAll() {
    SendBoot({boot::BOOT_ERASE_ALL, boot::BOOT_ERASE_CONFIRM}, 0);
    busySince = std::chrono::steady_clock::now();
}

void TfrmAdvanced::SendBootPageRead(int page) {
    SendBoot(boot::PageReadCommand(page), boot::PAGE_SIZE);
}

// An erased page needs no programming: a page of all 0xFF is not sent.
void TfrmAdvanced::SendBootPageProgram(int page) {
    const uint8_t* data = FirmwareImage + page;
    if (boot::PageIsBlank(data))
        return;
    const int ticks = WaitTicks;
    SendBoot(boot::PageProgramCommand(page, data), 0);
    WaitTicks = ticks;
}

void TfrmAdvanced::ProgramPage() {
    SendBootClearStatus();
    busySince = std::chrono::steady_clock::now();
    SendBootPageProgram(PageAddress);
    SendBootReadStatus();
}

bool TfrmAdvanced::BusyTooLong(std::chrono::milliseconds limit) const {
    return std::chrono::steady_clock::now() - busySince > limit;
}

// Timer side ---------------------------------------------------------------------------

void TfrmAdvanced::timerFirmwareTimer() {
    if (FlashActive == 0) {
        timerFirmware->stop();
        return;
    }
    // A step in progress on the worker (it may pause for the loader) gets the next tick.
    std::unique_lock lock(flashMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    TimerStep();
    if (WaitTicks > 0)
        --WaitTicks;
}

bool TfrmAdvanced::TakeRetry() {
    if (Retries == 0) {
        FlashState = 60;
        return false;
    }
    --Retries;
    return true;
}

// Out of retries while waiting for the loader in `stage`.
void TfrmAdvanced::NoReply(Stage stage) {
    PostStage(stage, lamp::Red, "No reply from radio");
}

void TfrmAdvanced::TimerStep() {
    switch (FlashState) {
    case 2:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootBaud(runBdRate);
            else
                NoReply(stConnected);
        }
        break;
    case 3:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootBaud(9600);
            else
                PostStage(stConnected, lamp::Red, "Failed Connect");
        }
        break;
    case 4:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootVersion();
            else
                NoReply(stVersion);
        }
        break;
    case 5:
        if (WaitExpired()) {
            if (TakeRetry()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                SendBootClearStatus();
                SendBootIdCheck(Retries == 2 ? 1 : 0);
                SendBootReadStatus();
            } else {
                NoReply(stID);
            }
        }
        break;
    case 10:
        SendBootClearStatus();
        SendBootEraseAll();
        FlashState = 11;
        SendBootReadStatus();
        PostStage(stErase, lamp::Yellow, "Erasing device");
        break;
    case 11:
        if (WaitExpired()) {
            if (TakeRetry())
                FlashState = 10;
            else
                NoReply(stErase);
        }
        break;
    case 12:
        EraseStatus();
        break;
    case 20:
        StartBlankCheck();
        break;
    case 21:
    case 41:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootPageRead(PageAddress);
            else
                NoReply(FlashState == 21 ? stBlank : stVerify);
        }
        break;
    case 30:
        StartWrite();
        break;
    case 32:
        if (WaitExpired()) {
            if (TakeRetry())
                ProgramPage();
            else
                NoReply(stWrite);
        }
        break;
    case 40:
        StartVerify();
        break;
    case 60:
    case 61:
        EndRun(FlashState == 61);
        break;
    case 62:
        if (WaitTicks > 0) {
            BackToIdle();
        } else if (Retries > 0) {
            SendBootBaud(9600);
            BackToIdle();
        } else {
            FlashState = 63;
        }
        break;
    case 63:
        BackToIdle();
        break;
    default:
        break;
    }
}

// The status of an erase, judged here after the worker stored it.
void TfrmAdvanced::EraseStatus() {
    const uint8_t srd = lastStatus;
    if (srd & boot::SRD_ERASE_ERROR) {
        FlashState = 10; // erase again
    } else if (srd & boot::SRD_READY) {
        PostStage(stErase, lamp::Green, "Device erased");
        FlashState = 20;
    } else if (BusyTooLong(EraseBusyLimit)) {
        PostStage(stErase, lamp::Red, "Erase timed out");
        FlashState = 60;
    } else {
        FlashState = 11;
        SendBootReadStatus();
    }
}

void TfrmAdvanced::StartBlankCheck() {
    PageAddress = 0;
    PostProgressRow(stBlank);
    SendBootPageRead(0);
    FlashState = 21;
    Retries = RETRIES;
    PostStage(stBlank, lamp::Yellow, "Checking device is blank");
}

void TfrmAdvanced::StartWrite() {
    PageAddress = 0;
    PostProgressRow(stWrite);
    PostStage(stWrite, lamp::Yellow, "Writing to device");
    ProgramPage();
    Retries = RETRIES;
    FlashState = 32;
}

void TfrmAdvanced::StartVerify() {
    PageAddress = 0;
    PostProgressRow(stVerify);
    SendBootClearStatus();
    SendBootPageRead(0);
    FlashState = 41;
    Retries = RETRIES;
    PostStage(stVerify, lamp::Yellow, "Verifying device");
}

// Asks the loader back to 9600 baud, whatever the outcome.
void TfrmAdvanced::EndRun(bool passed) {
    PostReturnData(passed ? "Passed" : "Failed");
    FlashState = 62;
    SendBootBaud(9600);
}

void TfrmAdvanced::BackToIdle() {
    FlashState = 0;
    ReplyLength = 0;
    SetLink(9600);
    Post([this] { btnNext->setEnabled(true); });
}

// Worker side --------------------------------------------------------------------------

void TfrmAdvanced::FlashPoll() {
    // Never wait on the UI thread: a step it holds lets the reply wait for the next poll.
    std::unique_lock lock(flashMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    DropLateReplies();
    const int awaited = ReplyLength;
    if (!owedReplies.empty() || awaited <= 0 || awaited >= RX_RING_SIZE ||
        frmSerial->RxWaiting() != awaited)
        return;
    uint8_t reply[RX_RING_SIZE];
    frmSerial->RxTake(reply, awaited);
    // The first reply answers the request; those of its other sends are still owed.
    --requestSends;
    AbandonRequest();
    ActOnReply(reply);
}

void TfrmAdvanced::ActOnReply(const uint8_t* reply) {
    switch (FlashState) {
    case 3:
        ReplyConnect(reply);
        break;
    case 2:
        ReplyBaud(reply);
        break;
    case 4:
        ReplyVersion(reply);
        break;
    case 5:
        ReplyId(reply);
        break;
    case 11:
        lastStatus = reply[0];
        FlashState = 12;
        break;
    case 21:
        ReplyBlankPage(reply);
        break;
    case 32:
        ReplyWriteStatus(reply);
        break;
    case 41:
        ReplyVerifyPage(reply);
        break;
    case 62:
        if (reply[0] == boot::BOOT_BAUD_9600)
            FlashState = 63;
        break;
    default:
        break;
    }
}

void TfrmAdvanced::ReplyConnect(const uint8_t* r) {
    if (r[0] != boot::BOOT_BAUD_9600)
        return;
    PostStage(stConnected, lamp::Green, "Connected");
    Retries = RETRIES;
    FlashState = 2;
    SendBootBaud(runBdRate);
}

void TfrmAdvanced::ReplyBaud(const uint8_t* r) {
    const int rate = boot::RateOfCode(r[0]);
    if (rate == 0)
        return;
    SetLink(rate);
    if (r[0] == boot::BOOT_BAUD_9600)
        Retries = RETRIES;
    FlashState = 4;
    SendBootVersion();
    PostStage(stVersion, lamp::Yellow, "Getting version");
}

void TfrmAdvanced::ReplyVersion(const uint8_t* r) {
    QString version;
    for (int i = 0; i < boot::VERSION_LENGTH; ++i)
        version += QChar::isPrint(r[i]) ? QChar(r[i]) : QChar('?');
    PostStage(stVersion, lamp::Green, version);
    FlashState = 5;
    Retries = RETRIES;
    PostStage(stID, lamp::Yellow, "Checking ID");
    SendBootClearStatus();
    SendBootIdCheck(0);
    SendBootReadStatus();
}

void TfrmAdvanced::ReplyId(const uint8_t* r) {
    if ((r[1] & boot::SRD1_ID_VERIFIED) == boot::SRD1_ID_VERIFIED) {
        PostStage(stID, lamp::Green, "ID passed");
        FlashState = 10;
    } else {
        PostStage(stID, lamp::Red, "ID failed");
        FlashState = 60;
    }
}

void TfrmAdvanced::ReplyBlankPage(const uint8_t* r) {
    PostPageProgress();
    if (!boot::PageIsBlank(r)) {
        PostStage(stBlank, lamp::Red, "Device not blank");
        FlashState = 60;
        return;
    }
    PageAddress += boot::PAGE_SIZE;
    if (PageAddress < srecord::FLASH_SIZE) {
        Retries = RETRIES;
        SendBootPageRead(PageAddress);
    } else {
        PostStage(stBlank, lamp::Green, "Device blank");
        FlashState = 30;
    }
}

void TfrmAdvanced::ReplyWriteStatus(const uint8_t* r) {
    if (r[1] & boot::SRD1_RECEIVE_TIMEOUT) { // the page did not arrive whole: again
        ProgramPage();
        Retries = RETRIES;
    } else if (!(r[0] & boot::SRD_READY)) {
        if (BusyTooLong(PAGE_BUSY_LIMIT)) {
            PostStage(stWrite, lamp::Red, "Write timed out");
            FlashState = 60;
            return;
        }
        SendBootReadStatus();
        Retries = RETRIES;
    } else if (r[0] & boot::SRD_PROGRAM_ERROR) {
        PostStage(stWrite, lamp::Red, "Write failed");
        FlashState = 60;
    } else {
        PostPageProgress();
        PageAddress += boot::PAGE_SIZE;
        if (PageAddress < srecord::FLASH_SIZE) {
            ProgramPage();
            Retries = RETRIES;
        } else {
            PostStage(stWrite, lamp::Green, "Device Written");
            PostReturnData("finished write");
            FlashState = 40;
        }
    }
}

void TfrmAdvanced::ReplyVerifyPage(const uint8_t* r) {
    PostPageProgress();
    if (std::memcmp(r, FirmwareImage + PageAddress, boot::PAGE_SIZE) != 0) {
        PostStage(stVerify, lamp::Red, "Verify fail");
        FlashState = 60;
        return;
    }
    PageAddress += boot::PAGE_SIZE;
    if (PageAddress < srecord::FLASH_SIZE) {
        SendBootPageRead(PageAddress);
        Retries = RETRIES;
    } else {
        PostStage(stVerify, lamp::Green, "Device verified.");
        FlashState = 61;
    }
}
