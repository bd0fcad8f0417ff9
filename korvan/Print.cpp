#include "Print.h"

#include "Chandata.h"
#include "Chanedit_p.h"
#include "Chdata.h"
#include "Codeword.h"
#include "Files.h"
#include "Main.h"
#include "User_btn.h"
#include "platform/Convert.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmPrint* frmPrint = nullptr;

namespace {

// Image bytes the report reads.
constexpr int BAND_BYTE = 0x28; // bit 7: UHF radio
constexpr int TIME_OUT_SECONDS = 0x36;
constexpr int MIC_KEY = 0x44;
constexpr int OPTIONS_1 = 0x46;     // bit 0 time-out timer, bit 2 S-meter
constexpr int OPTIONS_2 = 0x47;     // bit 2 key beeps
constexpr int POWER_ON = 0x48;      // bits 3-6: what power-on clears or selects
constexpr int CTCSS_OPTIONS = 0x49; // bit 0 CTCSS, 1 RPK, 5 with scan, 6 selcall match
constexpr int SELCALL = 0x4B;
constexpr int SELCALL_GROUPS = 0x4C;
constexpr int SELCALL_QUIET = 0x4D;
constexpr int ALARM_INPUT = 0x4E; // bit 5
constexpr int LEAD_IN_DELAY = 0x56;
constexpr int EMERGENCY_KEY = 0x82;
constexpr int TONES_DISPLAYED = 0x87;
constexpr int TONE_COUNTS = 0x88; // bits 7-4 predictive, 3-0 non-predictive
constexpr int TONE_PERIOD = 0x89; // milliseconds
constexpr int KEY_F5 = 0x8D;
constexpr int KEY_F6 = 0x8E;
constexpr int KEY_F1 = 0x8F;

constexpr char NAME_CAPTION[] = "Customers name:";
constexpr char DATE_CAPTION[] = "Date:";
constexpr char SERIAL_CAPTION[] = "Serial number:";

bool bit(const uint8_t* image, int offset, int n) {
    return (image[offset] >> n) & 1;
}

// "Beep acknowledge is %1" -> "... is enabled" / "... is disabled".
QString onOff(const char* pattern, bool on) {
    return QString::fromLatin1(pattern).arg(on ? QStringLiteral("enabled")
                                               : QStringLiteral("disabled"));
}

QString number(int value) {
    return QString::number(value);
}

QStringList headerLines(const uint8_t* image, const CustomerDetails& customer) {
    QStringList lines{QString::fromLatin1(SETUP_REPORT_TITLE)};
    lines << QStringLiteral("%1 %2").arg(QLatin1String(NAME_CAPTION), customer.name)
          << QStringLiteral("%1 %2").arg(QLatin1String(DATE_CAPTION), customer.date)
          << QStringLiteral("%1 %2").arg(QLatin1String(SERIAL_CAPTION), customer.serial);
    lines << customer.comments;
    lines << QStringLiteral("Codeword: ") +
                 CodeWordText([image](int address) { return image[address]; })
          << QString();
    return lines;
}

// MHz with four decimals, as the report has always shown them.
QString frequencyText(uint32_t hz) {
    return platform::FormatFloat(QStringLiteral("000.0000"), hz / 1e6) + QStringLiteral("Mhz");
}

QStringList groupChannelLines(int slot, const CH_DATA_STRUCT& raw) {
    using namespace chflags;
    return {
        QStringLiteral("Channel %1 -  %2").arg(slot).arg(frmEditChannel2->GetChannelName(slot - 1)),
        QStringLiteral("Group channel"),
        (raw.Flags7 & Quiet) ? QStringLiteral("Channel is in Quiet memory")
                             : QStringLiteral("Channel is not in Quiet memory"),
        onOff("Squelch Switch is %1", raw.Flags7 & SquelchSw)};
}

QStringList normalChannelLines(int slot, const CH_DATA_STRUCT& raw,
                               const CH_NORMAL_STRUCT& normal) {
    using namespace chflags;
    QStringList lines{
        QStringLiteral("Channel %1 - %2").arg(slot).arg(frmEditChannel2->GetChannelName(slot - 1)),
        QStringLiteral("TX Frequency: ") + frequencyText(normal.TxFreq),
        QStringLiteral("RX Frequency: ") + frequencyText(normal.RxFreq),
        QStringLiteral("TX CTCSS Tone: ") + frmChannelData->ToneHzText(raw.TxTone),
        QStringLiteral("RX CTCSS Tone: ") + frmChannelData->ToneHzText(raw.RxTone),
        onOff("Talk around is %1", raw.Flags6 & TalkAround),
        onOff("Busy Lockout is %1", raw.Flags6 & BusyLockout)};
    if (raw.Flags6 & LowPower)
        lines << QStringLiteral("Channel is low TX power only");
    if (raw.Flags7 & OpenScan)
        lines << QStringLiteral("Channel is in Open Scan memory");
    if (raw.Flags7 & GroupScan)
        lines << QStringLiteral("Channel is in Group Scan memory");
    if (raw.Flags7 & Quiet)
        lines << QStringLiteral("Channel is in Quiet memory");
    lines << onOff("Squelch switch is %1", raw.Flags7 & SquelchSw);
    lines << ((raw.Flags7 & Narrow) ? QStringLiteral("Channel is enabled as narrow band")
                                    : QStringLiteral("Channel is enabled as wide band"));
    if (raw.Flags7 & CpuOffset)
        lines << QStringLiteral("CPU offset is active");
    return lines;
}

// Every enabled slot of the channel store, 1..124, each from its own record and with
// its frequencies decoded for the radio's band, as the channel table shows them.
QStringList channelLines(const uint8_t* image) {
    ChData store(CH_COUNT);
    store.SetVhfCodec(bit(image, BAND_BYTE, 7) ? 0 : 1);
    store.LoadFromImage(image);
    QStringList lines;
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
        CH_DATA_STRUCT raw;
        store.GetRaw(raw, slot);
        if (!(raw.Flags6 & chflags::Enabled))
            continue;
        if (raw.Flags6 & chflags::Group) {
            lines << groupChannelLines(slot, raw);
        } else {
            CH_NORMAL_STRUCT normal;
            store.GetNormal(normal, slot);
            lines << normalChannelLines(slot, raw, normal);
        }
    }
    return lines;
}

QStringList selcallTransmitLines(const uint8_t* image) {
    QStringList lines{QStringLiteral("Selcall Transmit is enabled")};
    if (bit(image, ALARM_INPUT, 5))
        lines << QStringLiteral("Alarm in is enabled");
    lines << (bit(image, SELCALL, 6) ? QStringLiteral("ANI is appended to selcalls")
                                     : QStringLiteral("ANI is not appended to selcalls"));
    lines << onOff("Lead out delay is %1 on selcall transmit", bit(image, SELCALL, 5));
    if (bit(image, SELCALL, 2)) {
        lines << QStringLiteral("Lead in delay is enabled on selcall transmit")
              << QStringLiteral("Lead in delay: %1mS").arg(image[LEAD_IN_DELAY])
              << onOff("Lead in tone is %1 on selcall transmit", bit(image, SELCALL, 3));
    } else {
        lines << QStringLiteral("Lead in delay is disabled on selcall transmit");
    }
    if (bit(image, SELCALL_GROUPS, 3))
        lines << QStringLiteral("Transmit of up to 99 group call enabled");
    else if (bit(image, SELCALL_GROUPS, 2))
        lines << QStringLiteral("Transmit of up to 9 group call enabled");
    else
        lines << QStringLiteral("Transmit group calls disabled");
    if (bit(image, SELCALL_GROUPS, 5))
        lines << QStringLiteral("ANI attached to PTT leading edge");
    else if (bit(image, SELCALL_GROUPS, 6))
        lines << QStringLiteral("ANI attached to PTT trialing edge");
    return lines;
}

QString tonePeriodText(uint8_t period) {
    if (period < 40)
        return QStringLiteral("Tone period: 20mS");
    if (period == 40)
        return QStringLiteral("Tone period: 40mS");
    return QStringLiteral("Tone period: 100mS");
}

QStringList selcallReceiveLines(const uint8_t* image) {
    QStringList lines{QStringLiteral("Selcall Receive is enabled")};
    if (bit(image, SELCALL_GROUPS, 7))
        lines << QStringLiteral("Page mode is enabled");
    if (bit(image, CTCSS_OPTIONS, 6))
        lines << QStringLiteral("CTCSS must match for Selcall decode");
    lines << onOff("Beep acknowledge is %1", bit(image, SELCALL, 7))
          << onOff("Beep alert tones is %1", bit(image, SELCALL, 4))
          << onOff("Unmute on recipt of selcall %1", bit(image, SELCALL_QUIET, 2))
          << onOff("Re-enter quiet if no answer %1", bit(image, SELCALL_QUIET, 1))
          << onOff("Leading edge / trailing edeg ANI decode is %1", bit(image, SELCALL_GROUPS, 4));
    if (bit(image, SELCALL_GROUPS, 1))
        lines << QStringLiteral("Recipt of up to 99 group call enabled");
    else if (bit(image, SELCALL_GROUPS, 0))
        lines << QStringLiteral("Recipt of up to 9 group call enabled");
    else
        lines << QStringLiteral("Group call receive disabled");
    lines << QStringLiteral("Number of Predictive tones: ") + number(image[TONE_COUNTS] >> 4)
          << QStringLiteral("Number of Non-Predictive tones: ") + number(image[TONE_COUNTS] & 0x0F)
          << QStringLiteral("Number of tones to display: ") + number(image[TONES_DISPLAYED])
          << tonePeriodText(image[TONE_PERIOD]);
    return lines;
}

QStringList selcallLines(const uint8_t* image) {
    return QStringList{QString(), QStringLiteral("Selcall Setup")} + selcallTransmitLines(image) +
           selcallReceiveLines(image);
}

QStringList optionLines(const uint8_t* image) {
    QStringList lines{QString(), QStringLiteral("Options")};
    if (bit(image, POWER_ON, 3))
        lines << QStringLiteral("Scan mode cleared on power switch on");
    if (bit(image, POWER_ON, 4))
        lines << QStringLiteral("Queit mode cleared on power switch on");
    if (bit(image, POWER_ON, 5))
        lines << QStringLiteral("Start radio on Priority channel");
    if (bit(image, POWER_ON, 6))
        lines << QStringLiteral("Squelch muted (closed) at power switch on");
    if (bit(image, OPTIONS_1, 2))
        lines << QStringLiteral("S-meter is enabled");
    if (bit(image, OPTIONS_1, 0))
        lines << QStringLiteral("Time out timer is enabled")
              << QStringLiteral("Time out timer: %1 Seconds").arg(image[TIME_OUT_SECONDS]);
    else
        lines << QStringLiteral("Time out timer is disabled");
    if (bit(image, CTCSS_OPTIONS, 0)) {
        lines << QStringLiteral("CTCSS is enabled");
        if (bit(image, CTCSS_OPTIONS, 1))
            lines << QStringLiteral("CTCSS RPK is enabled");
        if (bit(image, CTCSS_OPTIONS, 5))
            lines << QStringLiteral("CTCSS with scan is enabled");
    } else {
        lines << QStringLiteral("CTCSS is diabled");
    }
    lines << onOff("Buttons beeps are %1", bit(image, OPTIONS_2, 2));
    return lines;
}

QStringList buttonLines(const uint8_t* image) {
    struct Key {
        const char* caption;
        int offset;
    };
    static constexpr Key keys[] = {{"Button A: ", KEY_F5},        {"Button B: ", KEY_F6},
                                   {"Button F1: ", KEY_F1},       {"Button F2: ", KEY_F1 + 1},
                                   {"Button F3: ", KEY_F1 + 2},   {"Button F4: ", KEY_F1 + 3},
                                   {"Button E: ", EMERGENCY_KEY}, {"Button Mic(-): ", MIC_KEY}};
    QStringList lines{QString(), QStringLiteral("User Defined Buttons")};
    for (const Key& key : keys)
        lines << QLatin1String(key.caption) + TfrmUserButtons::FunctionName(image[key.offset]);
    return lines;
}

} // namespace

bool SelcallFullyEnabled(const uint8_t* image) {
    return bit(image, SELCALL, 0) && bit(image, SELCALL, 1);
}

QStringList SetupReportLines(const uint8_t* image, const CustomerDetails& customer,
                             const ReportSections& sections) {
    QStringList lines = headerLines(image, customer);
    if (sections.channels)
        lines << channelLines(image);
    if (sections.selcall && SelcallFullyEnabled(image))
        lines << selcallLines(image);
    if (sections.options)
        lines << optionLines(image);
    if (sections.buttons)
        lines << buttonLines(image);
    return lines;
}

TfrmPrint::TfrmPrint(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Print Setup"));
    buildCustomerGroup();
    buildSectionsGroup();
    memoPrint = new QTextEdit(this);
    memoPrint->setReadOnly(true);
    memoPrint->hide();
    btnPrint = forms::button(QStringLiteral("Print Report"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmPrint::btnPrintClick);
    connect(btnCancel, &QPushButton::clicked, this, &Form::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpCustomer);
    layout->addWidget(grpSections);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmPrint::buildCustomerGroup() {
    grpCustomer = new QGroupBox(QStringLiteral("Enter Customer details for the report"), this);
    lblName = new QLabel(QLatin1String(NAME_CAPTION), grpCustomer);
    txtName = new QLineEdit(grpCustomer);
    lblDate = new QLabel(QLatin1String(DATE_CAPTION), grpCustomer);
    txtDate = new QLineEdit(grpCustomer);
    lblSerial = new QLabel(QLatin1String(SERIAL_CAPTION), grpCustomer);
    txtSerial = new QLineEdit(grpCustomer);
    lblComments = new QLabel(QStringLiteral("Comments:"), grpCustomer);
    memoComments = new QPlainTextEdit(grpCustomer);
    memoComments->setTabChangesFocus(true);
    memoComments->setMinimumWidth(360);
    memoComments->setFixedHeight(100);

    auto* grid = new QGridLayout(grpCustomer);
    grid->addWidget(lblName, 0, 0);
    grid->addWidget(txtName, 0, 1);
    grid->addWidget(lblDate, 1, 0);
    grid->addWidget(txtDate, 1, 1);
    grid->addWidget(lblSerial, 2, 0);
    grid->addWidget(txtSerial, 2, 1);
    grid->addWidget(lblComments, 3, 0, Qt::AlignTop);
    grid->addWidget(memoComments, 3, 1);
}

void TfrmPrint::buildSectionsGroup() {
    grpSections =
        new QGroupBox(QStringLiteral("Select the information to print for the report"), this);
    chkChannel = new QCheckBox(QStringLiteral("Channel setup"), grpSections);
    chkSelcall = new QCheckBox(QStringLiteral("Selcall setup"), grpSections);
    chkOptions = new QCheckBox(QStringLiteral("Option setup"), grpSections);
    chkButtons = new QCheckBox(QStringLiteral("User defined button setup"), grpSections);
    chkChannel->setChecked(true);

    auto* grid = new QGridLayout(grpSections);
    grid->addWidget(chkChannel, 0, 0);
    grid->addWidget(chkSelcall, 0, 1);
    grid->addWidget(chkOptions, 1, 0);
    grid->addWidget(chkButtons, 1, 1);
}

void TfrmPrint::FormShow() {
    txtDate->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    const bool selcall = SelcallFullyEnabled(frmBelmar->RadioData);
    chkSelcall->setEnabled(selcall);
    if (!selcall)
        chkSelcall->setChecked(false);
}

CustomerDetails TfrmPrint::customer() const {
    CustomerDetails details{txtName->text(), txtDate->text(), txtSerial->text(), {}};
    const QString comments = memoComments->toPlainText();
    if (!comments.isEmpty())
        details.comments = comments.split(QLatin1Char('\n'));
    return details;
}

ReportSections TfrmPrint::sections() const {
    return {chkChannel->isChecked(), chkSelcall->isChecked(), chkOptions->isChecked(),
            chkButtons->isChecked()};
}

QStringList TfrmPrint::ReportLines() const {
    return SetupReportLines(frmBelmar->RadioData, customer(), sections());
}

void TfrmPrint::btnPrintClick() {
    memoPrint->clear();
    memoPrint->setPlainText(ReportLines().join(QLatin1Char('\n')));
    platform::host().printDocument(
        *memoPrint->document(), QString::fromLatin1(SETUP_REPORT_TITLE),
        [](const QString& path, const QByteArray& pdf) {
            return WriteWholeFile(path, reinterpret_cast<const uint8_t*>(pdf.constData()),
                                  pdf.size()) == FileResult::Done;
        });
    close();
}
