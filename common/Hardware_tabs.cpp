#include "Hardware_tabs.h"

#include "Controls.h"
#include "Form.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Text_format.h"
#include "platform/Convert.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr uint8_t SQL1_BIT = 0x10;
constexpr uint8_t SQL2_BIT = 0x20;
constexpr uint8_t SQL1 = 1; // the squelch field: the two bits shifted down
constexpr uint8_t SQL2 = 2;
constexpr uint8_t MAC_DISPLAY_BIT = 0x20;
constexpr uint8_t DTMF_HIGH_BITS = 0x0F;

QString MsecText(int position) {
    return QString::number(position * 10) + QStringLiteral(" mSec");
}

} // namespace

void HardwareTabs::BuildHardwareTabs(QTabWidget* pages) {
    hardwarePages = pages;
    pages->addTab(BuildSquelchTab(), QStringLiteral("Squelch and S-Meter"));
    pages->addTab(BuildMiscTab(), QStringLiteral("Miscellaneous"));
    pages->addTab(BuildTuneTab(), QStringLiteral("Align Radio"));
    hardwareFields.number(hsbMuteOffDebounce, MUTE_OFF_DEBOUNCE, 0xFF);
    hardwareFields.number(hsbMuteIgnore, MUTE_IGNORE, 0xFF);
    hardwareFields.check(chkMacDisplay, TEST_OPTIONS, MAC_DISPLAY_BIT);
    BindSquelch();
    hardwareFields.edits().watch(txtDtmfTonePeriod);
}

// Both bits set show SQL-1; SQL-3 stores neither.
void HardwareTabs::BindSquelch() {
    hardwareFields.add(
        SQUELCH, SQL1_BIT | SQL2_BIT,
        [this](uint8_t squelch) {
            QRadioButton* shown = (squelch & SQL1)   ? rbUseSql1
                                  : (squelch & SQL2) ? rbUseSql2
                                                     : rbUseSql3;
            shown->setChecked(true);
        },
        [this](uint8_t& squelch) {
            squelch = rbUseSql1->isChecked() ? SQL1 : rbUseSql2->isChecked() ? SQL2 : 0;
            return true;
        },
        {rbUseSql1, rbUseSql2, rbUseSql3});
}

QWidget* HardwareTabs::BuildSquelchTab() {
    tabSquelch = new QWidget;
    auto* mute = new QGroupBox(QStringLiteral("Mute timing"), tabSquelch);
    auto* grid = new QGridLayout(mute);
    auto addBar = [&](int row, QLabel*& caption, QScrollBar*& bar, QLabel*& value,
                      const QString& text) {
        caption = new QLabel(text, mute);
        bar = controls::bar(mute, 0, 255, 200);
        value = new QLabel(MsecText(0), mute);
        value->setMinimumWidth(70);
        grid->addWidget(caption, row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        QScrollBar* moved = bar;
        QObject::connect(bar, &QScrollBar::valueChanged, bar,
                         [this, moved] { ShowMuteValue(moved); });
    };
    addBar(0, lblMuteOffDebounce, hsbMuteOffDebounce, lblMuteOffDebounceValue,
           QStringLiteral("Mute open debounce time"));
    addBar(1, lblMuteIgnore, hsbMuteIgnore, lblMuteIgnoreValue,
           QStringLiteral("Minimum unmute time"));

    gbSquelchSetting = new QGroupBox(QStringLiteral("Squelch Preset"), tabSquelch);
    rbUseSql1 = new QRadioButton(QStringLiteral("Use SQL-1"), gbSquelchSetting);
    rbUseSql2 = new QRadioButton(QStringLiteral("Use SQL-2"), gbSquelchSetting);
    rbUseSql3 = new QRadioButton(QStringLiteral("Use SQL-3"), gbSquelchSetting);
    rbUseSql1->setChecked(true);
    auto* presets = new QVBoxLayout(gbSquelchSetting);
    presets->addWidget(rbUseSql1);
    presets->addWidget(rbUseSql2);
    presets->addWidget(rbUseSql3);

    auto* layout = new QVBoxLayout(tabSquelch);
    layout->addWidget(mute);
    layout->addWidget(gbSquelchSetting);
    layout->addStretch();
    return tabSquelch;
}

QWidget* HardwareTabs::BuildMiscTab() {
    tabMisc = new QWidget;
    auto* dtmf = new QGroupBox(QStringLiteral("DTMF"), tabMisc);
    lblDtmfTonePeriod = new QLabel(QStringLiteral("DTMF tone period"), dtmf);
    txtDtmfTonePeriod = new QLineEdit(QStringLiteral("0"), dtmf);
    txtDtmfTonePeriod->setMaxLength(4);
    txtDtmfTonePeriod->setFixedWidth(60);
    keys::allowOnly(txtDtmfTonePeriod, keys::Digits);
    auto* row = new QHBoxLayout(dtmf);
    row->addWidget(lblDtmfTonePeriod);
    row->addWidget(txtDtmfTonePeriod);
    row->addStretch();

    gbTest = new QGroupBox(QStringLiteral("Testing Options"), tabMisc);
    chkMacDisplay =
        new QCheckBox(QStringLiteral("Multi access channel lower display (debug)"), gbTest);
    (new QVBoxLayout(gbTest))->addWidget(chkMacDisplay);

    auto* layout = new QVBoxLayout(tabMisc);
    layout->addWidget(dtmf);
    layout->addWidget(gbTest);
    layout->addStretch();
    return tabMisc;
}

QWidget* HardwareTabs::BuildTuneTab() {
    tabTune = new QWidget;
    Label1 = new QLabel(QStringLiteral("To adjust the alignment of the radio external test "
                                       "equipment is required. Refer to the service manual "
                                       "for futher details."),
                        tabTune);
    Label1->setWordWrap(true);
    btnReadCalRadio = forms::button(QStringLiteral("Align Radio"), tabTune);
    btnReadCalFile = forms::button(QStringLiteral("Read Calibration Factors from File"), tabTune);
    auto* layout = new QVBoxLayout(tabTune);
    layout->addWidget(Label1);
    layout->addWidget(btnReadCalRadio, 0, Qt::AlignLeft);
    layout->addWidget(btnReadCalFile, 0, Qt::AlignLeft);
    layout->addStretch();
    return tabTune;
}

void HardwareTabs::BindHardwareHelp(HelpPane& help, const QString& squelchHelp) {
    help.bind({gbSquelchSetting, rbUseSql1, rbUseSql2, rbUseSql3}, {squelchHelp});
    help.bind({lblMuteOffDebounce, hsbMuteOffDebounce, lblMuteOffDebounceValue},
              {QStringLiteral("Two valid samples are required in this time to unmute the radio.")});
    help.bind({lblMuteIgnore, hsbMuteIgnore, lblMuteIgnoreValue},
              {QStringLiteral("Minimum time delay between mute off and mute on.")});
    help.bind(btnReadCalRadio,
              {QStringLiteral("Read the current calibration from the radio and re-tune online.")});
    help.bind(btnReadCalFile,
              {QStringLiteral("Read a calibration configuration file and edit it.")});
    help.bind(chkMacDisplay,
              {QStringLiteral("Displays testing information for a multi access channel.")});
    help.bind(txtDtmfTonePeriod, {QStringLiteral("Set DTMF tone period in ms (0..4095).")});
}

void HardwareTabs::ShowMuteValue(QScrollBar* bar) {
    QLabel* value = bar == hsbMuteOffDebounce ? lblMuteOffDebounceValue : lblMuteIgnoreValue;
    value->setText(MsecText(bar->value()));
}

void HardwareTabs::LoadHardware(const ImageFields::ByteReader& read) {
    hardwareFields.load(read);
    ShowMuteValue(hsbMuteOffDebounce);
    ShowMuteValue(hsbMuteIgnore);
    const int period = (read(DTMF_HIGH) & DTMF_HIGH_BITS) * 256 + read(DTMF_LOW);
    txtDtmfTonePeriod->setText(QString::number(period));
}

bool HardwareTabs::CheckDtmfPeriod(bool numberRequired) {
    auto showField = [this] {
        hardwarePages->setCurrentWidget(tabMisc);
        txtDtmfTonePeriod->setFocus();
    };
    int period = 0;
    if (numberRequired && !text::TryStrToInt(txtDtmfTonePeriod->text(), period)) {
        showField();
        return false;
    }
    period = platform::StrToIntDef(txtDtmfTonePeriod->text(), 0);
    if (period >= 0 && period <= DTMF_MAX)
        return true;
    platform::host().messageBox(
        QStringLiteral("The DTMF tone period must be between 0 and 4095 ms."),
        QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
    showField();
    return false;
}

void HardwareTabs::StoreHardware(const ImageFields::ByteReader& read,
                                 const ImageFields::ByteWriter& write) const {
    hardwareFields.store(read, write);
    int period = 0;
    if (!hardwareFields.edits().changed(txtDtmfTonePeriod) ||
        !text::TryStrToInt(txtDtmfTonePeriod->text(), period))
        return;
    write(DTMF_LOW, uint8_t(period & 0xFF));
    write(DTMF_HIGH, bits::put(read(DTMF_HIGH), DTMF_HIGH_BITS, uint8_t(period >> 8)));
}
