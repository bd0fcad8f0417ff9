#include "Radioabout.h"

#include "Codeword.h"
#include "Eeprom.h"
#include "Protocol.h"
#include "Radio_picture.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cctype>
#include <cstring>

version_info_struct versionInfo{};
TformRadioAbout* formRadioAbout = nullptr;

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Firmware numbers run to 9999 at most: a larger one is no version we know, and
// major x 100 + minor of any that fits is far from an int's limit.
constexpr int VersionLimit = 9999;
// An erased byte (0xFF) once masked: like a control byte, it ends the code word.
constexpr uint8_t ErasedCharacter = 0x7F;
constexpr int TooLarge = -1;

// A plain decimal number (digits only) up to VersionLimit, 0 for any other text, TooLarge
// for a larger number.
int VersionNumber(const char* text, int length) {
    if (!std::all_of(text, text + length, IsDigit))
        return 0;
    int value = 0;
    for (int i = 0; i < length; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > VersionLimit)
            return TooLarge;
    }
    return value;
}

constexpr int SizeShift = 10; // the size byte counts KiB
constexpr int TypeByte = 40;

} // namespace

void ClearRadioVersion(version_info_struct& record) {
    std::memset(record.model, 0, sizeof record.model);
    record.major = 0;
    record.minor = 0;
    record.suffix = 0;
}

int ParseRadioVersion(const char* text, version_info_struct& record) {
    ClearRadioVersion(record);
    const char* p = text;
    int length = 0;
    while (*p && *p != ' ') {
        if (length < int(sizeof record.model) - 1)
            record.model[length++] = *p;
        ++p;
    }
    while (*p && !IsDigit(*p))
        ++p;
    const char* majorText = p;
    while (*p && *p != '.')
        ++p;
    const int major = VersionNumber(majorText, int(p - majorText));
    if (*p == '.')
        ++p;
    const char* minorText = p;
    while (IsDigit(*p))
        ++p;
    const int minor = VersionNumber(minorText, int(p - minorText));
    if (major == TooLarge || minor == TooLarge)
        return 1;
    record.major = major;
    record.minor = minor;
    record.suffix = *p;
    return 1;
}

// A record filled by hand with numbers no radio gives counts as no version.
int FirmwareNumber(const version_info_struct& record) {
    const auto known = [](int n) { return n >= 0 && n <= VersionLimit; };
    if (!known(record.major) || !known(record.minor))
        return 0;
    return record.major * 100 + record.minor;
}

// ---- The radio summary ----

TformRadioAbout::TformRadioAbout(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Radio Summary"));
    lblVersion = new QLabel(this);
    lblRadioType = new QLabel(this);
    lblRadioIdent = new QLabel(this);
    lblCodeWord = new QLabel(this);
    memoRadioAbout = new QPlainTextEdit(this);
    memoRadioAbout->setReadOnly(true);
    memoRadioAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoRadioAbout->setFixedHeight(memoRadioAbout->fontMetrics().lineSpacing() * 6);
    btnRefresh = forms::button(QStringLiteral("Refresh"), this);
    btnClose = forms::button(QStringLiteral("Close"), this);
    Image1 = new QLabel(this);
    Image1->setPixmap(RadioPicture(96));
    connect(btnRefresh, &QPushButton::clicked, this, &TformRadioAbout::btnRefreshClick);
    connect(btnClose, &QPushButton::clicked, this, &TformRadioAbout::btnCloseClick);

    auto* fields = new QGridLayout;
    const std::pair<const char*, QLabel*> rows[] = {{"Firmware version:", lblVersion},
                                                    {"Radio Type:", lblRadioType},
                                                    {"Radio Ident:", lblRadioIdent},
                                                    {"Codeword:", lblCodeWord}};
    int row = 0;
    for (const auto& [caption, label] : rows) {
        fields->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        label->setMinimumWidth(160);
        fields->addWidget(label, row++, 1);
    }
    fields->addWidget(memoRadioAbout, row, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnClose);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, Qt::AlignTop);
    layout->addLayout(fields, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TformRadioAbout::FormShow() {
    RefreshSummary();
}

void TformRadioAbout::btnRefreshClick() {
    RefreshSummary();
}

void TformRadioAbout::btnCloseClick() {
    done(mrOk);
}

void TformRadioAbout::RefreshSummary() {
    for (QLabel* label : {lblVersion, lblRadioType, lblRadioIdent, lblCodeWord})
        label->clear();
    memoRadioAbout->clear();
    ClearSummary();
    if (ReadSummary())
        ShowSummary();
    else
        memoRadioAbout->appendPlainText(QStringLiteral("Unable to read from radio."));
}

void TformRadioAbout::ClearSummary() {
    std::memset(summaryVersion, 0, sizeof summaryVersion);
    summarySize = 0;
    summaryType = 0;
    std::memset(summaryIdent, 0, sizeof summaryIdent);
    std::memset(summaryCodeWord, 0, sizeof summaryCodeWord);
}

// A byte that does not come back ends the summary as a failure: the radio went away after
// its version, and zeros shown as its ident or type would be made up.
bool TformRadioAbout::ReadSummary() {
    if (RadioGetVersion(summaryVersion) != 1)
        return false;
    summaryVersion[sizeof summaryVersion - 1] = 0;
    bool answered = true;
    const auto radioByte = [&answered](int address) {
        uint8_t value = 0;
        answered = answered && RadioReadByte(uint16_t(address), value) == 0;
        return answered ? value : uint8_t(0);
    };
    summarySize = radioByte(EEPROM::SIZE_BYTE) << SizeShift;
    summaryType = radioByte(TypeByte);
    for (int i = 0; i < IDENT_DIGITS / 2; ++i) {
        const uint8_t pair = radioByte(IDENT_ADDRESS + i);
        summaryIdent[2 * i] = pair >> 4;
        summaryIdent[2 * i + 1] = pair & 0x0F;
    }
    for (int i = 0; i < CODE_WORD_LENGTH; ++i) {
        const uint8_t c = radioByte(CODE_WORD_START + i) & 0x7F;
        if (c <= 30 || c == ErasedCharacter)
            break;
        summaryCodeWord[i] = char(c);
    }
    return answered;
}

void TformRadioAbout::ShowSummary() {
    memoRadioAbout->clear();
    lblVersion->setText(QString::fromLatin1(summaryVersion));
    QString type = (summaryType & 0x80) ? QStringLiteral("UHF") : QStringLiteral("VHF");
    if ((summaryType & 0x80) && (summaryType & 0x10))
        type += QStringLiteral(" LOWBAND");
    lblRadioType->setText(type);
    QString ident;
    for (int digit : summaryIdent)
        ident += QString::number(digit);
    lblRadioIdent->setText(ident);
    lblCodeWord->setText(QString::fromLatin1(summaryCodeWord));
    ShowSize();
}

// The size the radio reports, and what this program reads, writes and offers for it: a
// size byte other than 8 or 16 is programmed as a radio of 8 KiB, and the summary says so.
void TformRadioAbout::ShowSize() {
    memoRadioAbout->appendPlainText(QStringLiteral("EEPROM size: ") + QString::number(summarySize) +
                                    QStringLiteral(" bytes"));
    const int programmed = EEPROM::SizeFromByte(uint8_t(summarySize >> SizeShift));
    if (programmed != summarySize)
        memoRadioAbout->appendPlainText(QStringLiteral("Programmed as ") +
                                        QString::number(programmed) + QStringLiteral(" bytes."));
    if (programmed == EEPROM::SIZE) {
        memoRadioAbout->appendPlainText(QStringLiteral("100 Selcall Memories."));
        memoRadioAbout->appendPlainText(QStringLiteral("9-char Alphatags."));
    } else {
        memoRadioAbout->appendPlainText(QStringLiteral("40 Selcall Memories."));
        memoRadioAbout->appendPlainText(QStringLiteral("5-char Alphatags."));
    }
}
