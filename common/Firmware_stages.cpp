#include "Firmware_stages.h"

#include "Baud_rate.h"
#include "Controls.h"
#include "Files.h"
#include "Form.h"
#include "Help_pane.h"
#include "platform/Host.h"

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

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

void FirmwareStages::BuildFirmwareTab(QTabWidget* pages, const Texts& texts,
                                      std::vector<QWidget*> otherTabs) {
    firmwarePages = pages;
    hiddenWhileOn = std::move(otherTabs);
    resetTexts = texts.reset;
    upgradeHelp = texts.upgradeHelp;
    tabFirmware = new QWidget;
    pages->addTab(tabFirmware, QStringLiteral("Upgrade Radio Software"));
    BuildStageRows();

    Memo1 = new QPlainTextEdit(tabFirmware);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(texts.instructions);
    Memo1->setFixedHeight(120);
    rdgrpMaxBdRate = new QGroupBox(texts.rateCaption, tabFirmware);
    rdgrpMaxBdRateItems = new QButtonGroup(rdgrpMaxBdRate);
    auto* rates = new QVBoxLayout(rdgrpMaxBdRate);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::number(BaudRateTable[i]), rdgrpMaxBdRate);
        rdgrpMaxBdRateItems->addButton(item, i);
        rates->addWidget(item);
    }
    SetMaxBdRateIndex(0);
    btnNext = forms::button(QStringLiteral("Upgrade"), tabFirmware);

    firmwareSide = new QVBoxLayout;
    firmwareSide->addWidget(rdgrpMaxBdRate);
    firmwareSide->addStretch();
    firmwareSide->addWidget(btnNext);
    auto* lower = new QHBoxLayout;
    lower->addLayout(stageGrid, 1);
    lower->addLayout(firmwareSide);
    auto* layout = new QVBoxLayout(tabFirmware);
    layout->addWidget(Memo1);
    layout->addLayout(lower);
}

void FirmwareStages::BuildStageRows() {
    stageGrid = new QGridLayout;
    const char* const names[STAGE_COUNT] = {"ledFileOk", "ledConnected", "ledVersion", "ledID",
                                            "ledErase",  "ledBlank",     "ledWrite",   "ledVerify"};
    for (int i = 0; i < STAGE_COUNT; ++i) {
        lblStage[i] = new QLabel(QStringLiteral("Stage %1").arg(i + 1), tabFirmware);
        led[i] = new TShape(tabFirmware);
        led[i]->setObjectName(QString::fromLatin1(names[i]));
        lbl[i] = new QLabel(resetTexts[size_t(i)], tabFirmware);
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
    progressAddress = controls::progressBar(tabFirmware);
    progressAddress->setFixedWidth(140);
    lblReturnData = new QLabel(tabFirmware);
    lblReturnData->setMinimumWidth(230);
    stageGrid->setColumnStretch(4, 1);
    MoveProgressTo(stFile);
}

void FirmwareStages::AddFirmwareOption(QWidget* option) {
    firmwareSide->insertWidget(firmwareSide->count() - 2, option);
}

void FirmwareStages::BindFirmwareHelp(HelpPane& help) const {
    help.bind(btnNext, {upgradeHelp});
}

void FirmwareStages::ResetStages() {
    for (int i = 0; i < STAGE_COUNT; ++i)
        SetStage(Stage(i), lamp::White, resetTexts[size_t(i)]);
    progressAddress->setValue(0);
    lblReturnData->clear();
    MoveProgressTo(stFile);
}

void FirmwareStages::EnableStageControls(bool on) {
    for (int i = 0; i < STAGE_COUNT; ++i) {
        lblStage[i]->setEnabled(on);
        led[i]->setEnabled(on);
        lbl[i]->setEnabled(on);
    }
    progressAddress->setEnabled(on);
    lblReturnData->setEnabled(on);
    btnNext->setEnabled(!on);
    for (QWidget* tab : hiddenWhileOn)
        firmwarePages->setTabVisible(firmwarePages->indexOf(tab), !on);
}

void FirmwareStages::SetStage(Stage stage, const QColor& color, const QString& text) {
    led[stage]->setBrushColor(color);
    lbl[stage]->setText(text);
}

void FirmwareStages::MoveProgressTo(Stage stage) {
    stageGrid->removeWidget(progressAddress);
    stageGrid->removeWidget(lblReturnData);
    stageGrid->addWidget(progressAddress, stage, 3);
    stageGrid->addWidget(lblReturnData, stage, 4);
}

void FirmwareStages::FillProgress() {
    progressAddress->setValue(progressAddress->maximum());
}

int FirmwareStages::MaxBdRateIndex() const {
    return rdgrpMaxBdRateItems->checkedId();
}

void FirmwareStages::SetMaxBdRateIndex(int index) {
    if (QAbstractButton* item = rdgrpMaxBdRateItems->button(index))
        item->setChecked(true);
}

// The walk shows its progress at most every PROGRESS_PERIOD_MS, looking at the clock every
// CLOCK_LINES line feeds: a file of millions of short lines is not held up by its display.
namespace {
constexpr qint64 PROGRESS_PERIOD_MS = 40;
constexpr int CLOCK_LINES = 256;
} // namespace

bool FirmwareStages::LoadFirmwareFile(const QString& fileName, uint8_t* image, bool countLines) {
    std::fill(image, image + srecord::FLASH_SIZE, uint8_t(0xFF));
    progressAddress->setValue(0);
    QByteArray text;
    srecord::Progress latest;
    QElapsedTimer shown;
    shown.start();
    const bool loaded =
        ReadWholeFile(fileName, srecord::MAX_FILE_SIZE, text) == FileResult::Done &&
        srecord::Load(text, image, [&](const srecord::Progress& p) {
            latest = p;
            if (p.lines % CLOCK_LINES == 0 && shown.elapsed() >= PROGRESS_PERIOD_MS) {
                ShowFileProgress(p, countLines);
                shown.restart();
            }
        });
    if (latest.lines > 0)
        ShowFileProgress(latest, countLines);
    if (!loaded) {
        platform::host().messageBox(QStringLiteral("There is a problem reading the file"),
                                    QStringLiteral("File Error"), platform::MB_OKCANCEL);
        SetStage(stFile, lamp::Red, QStringLiteral("File not loaded."));
        return false;
    }
    FillProgress();
    SetStage(stFile, lamp::Green, QStringLiteral("File loaded."));
    return true;
}

// Painted at once: the load runs on without returning to the event loop.
void FirmwareStages::ShowFileProgress(const srecord::Progress& progress, bool countLines) {
    progressAddress->setValue(progress.percent());
    progressAddress->repaint();
    if (!countLines)
        return;
    lblReturnData->setText(QStringLiteral("%1 bytes read in, %2 lines read in")
                               .arg(progress.bytesRead)
                               .arg(progress.lines));
    lblReturnData->repaint();
}
