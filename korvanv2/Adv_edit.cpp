#include "Adv_edit.h"

#include "Eeprom.h"
#include "Help_pane.h"
#include "Main.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmAdvanced* frmAdvanced = nullptr;

namespace {

uint8_t ReadImage(int offset) {
    return eeprom.GetByte(offset);
}

void WriteImage(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

FirmwareStages::Texts FirmwareTexts() {
    FirmwareStages::Texts texts;
    texts.instructions =
        QStringLiteral("Use this function to upgrade the Radio operating software.\n"
                       "\n"
                       "- Switch off the radio. \n"
                       "- Connect the Fennick Serial Cable to the microphone socket.\n"
                       "- Put radio into Flash Update mode (refer to manual).\n"
                       "- Switch on radio. Press the 'Upgrade' button to continue.\n"
                       " ");
    texts.rateCaption = QStringLiteral("Flash baud rate");
    texts.reset = {QStringLiteral("File Load."), QStringLiteral("Connect."),
                   QStringLiteral("Version"),    QStringLiteral("ID Check."),
                   QStringLiteral("Erase."),     QStringLiteral("Blank Check."),
                   QStringLiteral("Program."),   QStringLiteral("Verify.")};
    texts.upgradeHelp = QStringLiteral("Upgrade the radio firmware.");
    return texts;
}

} // namespace

TfrmAdvanced::TfrmAdvanced(QWidget* parent) : Form(parent) {
    BuildForm();
    FormCreate();
}

void TfrmAdvanced::BuildForm() {
    setWindowTitle(QStringLiteral("Hardware Edit Screen"));
    pageEngOptions = new QTabWidget;
    BuildHardwareTabs(pageEngOptions);
    BuildFirmwareTab(pageEngOptions, FirmwareTexts(), {tabTune, tabSquelch, tabMisc});
    BuildFirmwareOptions();

    OKBtn = new QPushButton(QStringLiteral("OK"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    HelpText = new QTextEdit;
    HelpText->setReadOnly(true);
    HelpText->setFixedHeight(48);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(HelpText, 1);
    bottom->addWidget(OKBtn, 0, Qt::AlignBottom);
    bottom->addWidget(CancelBtn, 0, Qt::AlignBottom);
    auto* form = new QVBoxLayout(this);
    form->addWidget(pageEngOptions);
    form->addLayout(bottom);

    OpenDialog1.title = QStringLiteral("Read Calibration File");
    SaveDialog1.title = QStringLiteral("Write Calibration File");
    SaveDialog1.filter = QStringLiteral("Calibration files(*.cal)|*.cal|All files(*.*)|*.*");
    SaveDialog1.defaultExt = QStringLiteral("*.cal");
    SaveDialog1.overwritePrompt = true;

    connect(OKBtn, &QPushButton::clicked, this, &TfrmAdvanced::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmAdvanced::CancelBtnClick);
    connect(rdgrpMaxBdRateItems, &QButtonGroup::idClicked, this,
            &TfrmAdvanced::rdgrpMaxBdRateClick);
    BindHelp();
}

void TfrmAdvanced::BuildFirmwareOptions() {
    chkBlankCheck = new QCheckBox(QStringLiteral("Blank Check"), tabFirmware);
    chkVerify = new QCheckBox(QStringLiteral("Verify"), tabFirmware);
    AddFirmwareOption(chkBlankCheck);
    AddFirmwareOption(chkVerify);
}

void TfrmAdvanced::BindHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    BindHardwareHelp(*help, QStringLiteral("Set Squelch level for the radio to use. Can be "
                                           "changed at the radio by holding the F6 key while "
                                           "switching the radio on."));
    BindFirmwareHelp(*help);
}

void TfrmAdvanced::FormCreate() {
    pageEngOptions->setCurrentWidget(tabSquelch);
}

// The rate choice follows maxBdRate, which the main window reads from the settings.
void TfrmAdvanced::FormShow() {
    LoadHardware(ReadImage);
    SetMaxBdRateIndex(std::max(0, BaudRateIndex(frmBelmar->maxBdRate)));
    ResetFirmwareStages();
    EnableFirmwareControls(false);
    pageEngOptions->setCurrentWidget(tabSquelch);
    HelpText->clear();
}

void TfrmAdvanced::hsbPSHoldOnTimeChange(QScrollBar* bar) {
    ShowMuteValue(bar);
}

// Every field is checked before anything is stored: a period the image cannot hold keeps
// the dialog open with nothing changed.
void TfrmAdvanced::OKBtnClick() {
    if (!CheckDtmfPeriod(true))
        return;
    StoreHardware(ReadImage, WriteImage);
    done(mrOk);
}

void TfrmAdvanced::CancelBtnClick() {
    done(mrCancel);
}

void TfrmAdvanced::reject() {
    CancelBtnClick();
}

void TfrmAdvanced::rdgrpMaxBdRateClick() {
    const int index = MaxBdRateIndex();
    if (index >= 0)
        frmBelmar->maxBdRate = BaudRateTable[index];
}

void TfrmAdvanced::ResetFirmwareStages() {
    ResetStages();
}

void TfrmAdvanced::EnableFirmwareControls(bool on) {
    EnableStageControls(on);
}

bool TfrmAdvanced::LoadSRecordFile(const QString& fileName) {
    return LoadFirmwareFile(fileName, FirmwareImage, false);
}
