#include "Cal_table.h"

#include "Help_pane.h"
#include "Key_filter.h"
#include "Main_window.h"
#include "Text_format.h"
#include "Up_down.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace cal {

namespace {

using C = Controls;

const std::vector<Field> Fields = {
    {3, &C::txtSqlOpen1, &C::upSqlOpen1, Help::SqlOpen, false},
    {4, &C::txtSqlClose1, &C::upSqlClose1, Help::SqlClose, false},
    {5, &C::txtSqlOpen2, &C::upSqlOpen2, Help::SqlOpen, false},
    {6, &C::txtMod, &C::udMod, Help::None, true},
    {7, &C::txtSqlOpen3, &C::upSqlOpen3, Help::SqlOpen, false},
    {8, &C::txtBal, &C::udBal, Help::None, true},
    {9, &C::txtS0Value, &C::upS0Value, Help::None, true},
    {10, &C::txtS10Value, &C::upS10Value, Help::None, true},
    {11, &C::txtTxLowPower450, &C::udTxLowPower450, Help::TxLow, false},
    {12, &C::txtTxLowPower470, &C::udTxLowPower470, Help::TxLow, false},
    {13, &C::txtTxLowPower500, &C::udTxLowPower500, Help::TxLow, false},
    {14, &C::txtTxLowPower520, &C::udTxLowPower520, Help::TxLow, false},
    {15, &C::txtTxPower450, &C::udTxPower450, Help::TxHigh, false},
    {16, &C::txtTxPower470, &C::udTxPower470, Help::TxHigh, false},
    {17, &C::txtTxPower500, &C::udTxPower500, Help::TxHigh, false},
    {18, &C::txtTxPower520, &C::udTxPower520, Help::TxHigh, false},
    {19, &C::txtXtalRef1, &C::udXtalRef1, Help::Xtal, false},
    {20, &C::txtTempCompGain, &C::udTempCompGain, Help::TempComp, false},
    {21, &C::txt625Cal, &C::ud625Cal, Help::Cal625, false},
    {RX_OFFSET, &C::txtRxRefOffset, &C::udRxRefOffset, Help::RxOffset, false},
    {24, &C::txtTune450_1, &C::udTune450_1, Help::TuneNotch, false},
    {25, &C::txtTune450_2, &C::udTune450_2, Help::TuneSinad, false},
    {26, &C::txtTune450_3, &C::udTune450_3, Help::TuneSinad, false},
    {27, &C::txtTune450_4, &C::udTune450_4, Help::TuneSinad, false},
    {28, &C::txtTune470_1, &C::udTune470_1, Help::TuneNotch, false},
    {29, &C::txtTune470_2, &C::udTune470_2, Help::TuneSinad, false},
    {30, &C::txtTune470_3, &C::udTune470_3, Help::TuneSinad, false},
    {31, &C::txtTune470_4, &C::udTune470_4, Help::TuneSinad, false},
    {32, &C::txtTune500_1, &C::udTune500_1, Help::TuneNotch, false},
    {33, &C::txtTune500_2, &C::udTune500_2, Help::TuneSinad, false},
    {34, &C::txtTune500_3, &C::udTune500_3, Help::TuneSinad, false},
    {35, &C::txtTune500_4, &C::udTune500_4, Help::TuneSinad, false},
    {36, &C::txtTune520_1, &C::udTune520_1, Help::TuneNotch, false},
    {37, &C::txtTune520_2, &C::udTune520_2, Help::TuneSinad, false},
    {38, &C::txtTune520_3, &C::udTune520_3, Help::TuneSinad, false},
    {39, &C::txtTune520_4, &C::udTune520_4, Help::TuneSinad, false},
};

// Temperature slope and 6.25 kHz align: the second generation does not edit them.
bool EditedBy(Generation generation, int address) {
    return generation == Generation::First || (address != 20 && address != 21);
}

// The second generation's boxes all hold 3 characters but the S-point ones. The first's
// receive offset holds a sign and three digits, so that any byte it holds shows whole.
int MaxLength(Generation generation, const Field& f) {
    if (generation == Generation::Second)
        return f.address == S1_POINT || f.address == S9_POINT ? 0 : 3;
    return f.freeLength ? 0 : f.address == RX_OFFSET ? 4 : 3;
}

QLabel** PointLabels(Controls& c, int i) {
    QLabel** labels[] = {&c.lbl_txpwr_f1,  &c.lbl_txpwr_f2,  &c.lbl_txpwr_f3,  &c.lbl_txpwr_f4,
                         &c.lbl_rxtune_f1, &c.lbl_rxtune_f2, &c.lbl_rxtune_f3, &c.lbl_rxtune_f4};
    return labels[i];
}

} // namespace

const QString OnlineNote = QStringLiteral("Note: when radio is online any change is made directly "
                                          "to the radio and a suitable test set should be "
                                          "connected.");
const QString CloseHelp = QStringLiteral("The Close button exits the screen.");
const QString TxOnHelp = QStringLiteral("Switch radio to transmit mode.");
const QString TxOffHelp = QStringLiteral("Switch radio to receive mode.");
const QString ChannelHelp = QStringLiteral("Change the radio channel.");
const QString WriteFileHelp = QStringLiteral("Write current calibration data to a file.");
const QString WriteRadioHelp = QStringLiteral("Load a default calibration file to the radio.");

const QString WriteRadioWarning =
    QStringLiteral("Warning!\r\r") +
    QStringLiteral("This file will completely alter the tuning of the radio.\r\r") +
    QStringLiteral("The DEFAULT file will set all adjustments to their initial\r") +
    QStringLiteral("tuning points.");
const QString WriteRadioCaption = QStringLiteral("Load calibration data to radio?");

QString HelpLine(Help kind) {
    switch (kind) {
    case Help::TuneNotch:
        return QStringLiteral("Adjust notch for best rejection with Fr - 90MHz.");
    case Help::TuneSinad:
        return QStringLiteral("Adjust for best SINAD at each frequency.");
    case Help::TxHigh:
        return QStringLiteral("Adjust for 5W transmit power at each frequency.");
    case Help::TxLow:
        return QStringLiteral("Adjust for 1W transmit power at each frequency.");
    case Help::Xtal:
        return QStringLiteral("Adjust for correct transmit frequency.");
    case Help::RxOffset:
        return QStringLiteral("Adjust for best receive SINAD with full deviation after the "
                              "transmit frequency has been adjusted. (Default 0, range +/- 15).");
    case Help::TempComp:
        return QStringLiteral("Set to 100.");
    case Help::Cal625:
        return QStringLiteral("With a 500.00625MHz channel on transmit adjust for correct "
                              "frequency.");
    case Help::SqlOpen:
        return QStringLiteral("Noise voltage at which the mute opens, operating range 0 - 70.");
    case Help::SqlClose:
        return QStringLiteral("Noise voltage at which the mute closes, operating range 0 - 70.");
    case Help::None:
        break;
    }
    return {};
}

Range RangeOf(int address) {
    if (address == RX_OFFSET)
        return {-RX_OFFSET_LIMIT, RX_OFFSET_LIMIT};
    return {0, 255};
}

Range ByteRange(int address) {
    if (address == RX_OFFSET)
        return {INT8_MIN, INT8_MAX};
    return {0, UINT8_MAX};
}

int ValueOf(int address, uint8_t byte) {
    return address == RX_OFFSET ? int(int8_t(byte)) : int(byte);
}

const int32_t* PointsOf(uint8_t radioType) {
    return BandPoints[(radioType & UHF_BIT) ? 1 : 0];
}

const std::vector<Field>& AllFields() {
    return Fields;
}

std::vector<Field> FieldsOf(Generation generation) {
    std::vector<Field> edited;
    for (const Field& f : Fields)
        if (EditedBy(generation, f.address))
            edited.push_back(f);
    return edited;
}

void Build(Controls& c, Generation generation) {
    for (const Field& f : Fields) {
        QLineEdit* edit = c.*f.edit = new QLineEdit;
        edit->setFixedWidth(44);
        if (const int length = MaxLength(generation, f))
            edit->setMaxLength(length);
        UpDown* upDown = c.*f.upDown = new UpDown;
        upDown->setAssociate(edit);
        const Range range = RangeOf(f.address);
        upDown->setRange(range.min, range.max);
        if (EditedBy(generation, f.address))
            keys::allowOnly(edit,
                            generation == Generation::First ? keys::SignedDigits : keys::Digits);
    }
    for (int i = 0; i < 8; ++i)
        *PointLabels(c, i) = new QLabel;
    SetTags(c, generation);
}

std::optional<int> TakeUserNumber(QLineEdit* box, const std::function<uint8_t(int)>& byteAt) {
    if (!box->isModified())
        return std::nullopt;
    const QString typed = box->text().trimmed();
    if (typed == QLatin1String("-"))
        return std::nullopt;
    int value = 0;
    box->setModified(false);
    if (!typed.isEmpty() && !text::TryStrToInt(typed, value)) {
        const int address = box->property("Tag").toInt();
        box->setText(QString::number(ValueOf(address, byteAt(address))));
        return std::nullopt;
    }
    return value;
}

void SetTags(Controls& c, Generation generation) {
    for (const Field& f : FieldsOf(generation)) {
        (c.*f.edit)->setProperty("Tag", f.address);
        (c.*f.upDown)->setProperty("Tag", f.address);
    }
}

void Load(Controls& c, Generation generation, const std::function<uint8_t(int)>& byteAt) {
    for (const Field& f : FieldsOf(generation)) {
        (c.*f.upDown)->setPosition(ValueOf(f.address, byteAt(f.address)));
    }
}

void ShowBandPoints(Controls& c, uint8_t radioType) {
    const int32_t* points = PointsOf(radioType);
    for (int i = 0; i < 8; ++i)
        (*PointLabels(c, i))->setText(QStringLiteral("%1 MHz").arg(points[i % 4]));
}

void BindHelp(HelpPane& help, Controls& c, Generation generation) {
    for (const Field& f : FieldsOf(generation)) {
        if (f.help == Help::None)
            continue;
        help.bind(c.*f.edit, {HelpLine(f.help)});
        help.bind(c.*f.upDown, {HelpLine(f.help)});
    }
}

QWidget* Cell(QLineEdit* edit, UpDown* upDown) {
    auto* cell = new QWidget;
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(upDown);
    return cell;
}

bool ConfirmWriteRadio(uint8_t blockBandByte, uint8_t radioBandByte) {
    const QString band = mainwindow::bandWarning(blockBandByte, radioBandByte, true);
    const QString text =
        band.isEmpty() ? WriteRadioWarning : WriteRadioWarning + QStringLiteral("\r\r") + band;
    return platform::host().messageBox(text, WriteRadioCaption,
                                       platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION) !=
           platform::IDCANCEL;
}

void ReportLinkLost(bool mayBeTransmitting) {
    QString text = QStringLiteral("Unable to send to the radio. Check COM port and leads.\n");
    if (mayBeTransmitting)
        text += QStringLiteral("The radio may still be transmitting: switch it off now.\n");
    text += QStringLiteral("Changes are kept; use \"Write to Radio\" to send them.");
    platform::host().messageBox(text, QStringLiteral("Align Radio"),
                                platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

platform::FileDialogRequest SaveDialogRequest(Generation generation) {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Write Calibration File");
    request.defaultExt = QStringLiteral("*.cal");
    request.filter = QStringLiteral("Calibration files(*.cal)|*.cal|All files(*.*)|*.*");
    request.overwritePrompt = generation == Generation::Second;
    return request;
}

} // namespace cal
