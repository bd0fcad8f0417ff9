// The radio's version text, the radio summary, auto-detect over mapped ports, and the
// second program's side of the shared small dialogs.

#include "Autodetect.h"
#include "Codeword.h"
#include "Korvanv2_fixture.h"
#include "Radio_rw.h"
#include "Radioabout.h"
#include "Sel_ch.h"
#include "Serial.h"
#include "support/SecondGenRadio.h"
#include "support/Typing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <climits>
#include <cstring>

using testsupport::SecondGenRadio;

TEST(VersionParse, SplitsModelNumbersAndSuffix) {
    version_info_struct v;
    ParseRadioVersion("Korvan V2.02b", v);
    EXPECT_STREQ(v.model, "Korvan");
    EXPECT_EQ(v.major, 2);
    EXPECT_EQ(v.minor, 2);
    EXPECT_EQ(v.suffix, 'b');
    EXPECT_EQ(FirmwareNumber(v), 202);

    ParseRadioVersion("Korvan firmware 10.150", v);
    EXPECT_EQ(v.major, 10);
    EXPECT_EQ(v.minor, 150);
    EXPECT_EQ(v.suffix, '\0');

    ParseRadioVersion("Korvan v3", v); // no "." at all
    EXPECT_EQ(v.major, 3);
    EXPECT_EQ(v.minor, 0);
    ParseRadioVersion("Korvan v3 beta", v);
    EXPECT_EQ(v.major, 0) << "the rest is not a plain number";
    ParseRadioVersion("Korvan V2x.5", v);
    EXPECT_EQ(v.major, 0);
    EXPECT_EQ(v.minor, 5);
    ParseRadioVersion("Korvan", v);
    EXPECT_STREQ(v.model, "Korvan");
    EXPECT_EQ(v.major, 0);
    ParseRadioVersion("", v);
    EXPECT_STREQ(v.model, "");
    ParseRadioVersion("Korvan V99999999999.1", v);
    EXPECT_EQ(v.major, 0) << "a number too big for an int";

    ParseRadioVersion("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 V2.00", v);
    EXPECT_EQ(std::strlen(v.model), 27u);
    EXPECT_EQ(v.major, 2);
    ClearRadioVersion(v);
    EXPECT_STREQ(v.model, "");
    EXPECT_EQ(v.major + v.minor + v.suffix, 0);
}

// Texts a radio could send that are no version this program knows give 0, never a number
// made of an overflow.
TEST(VersionParse, OddTextsGiveNumbersThatFit) {
    const char* const longMajor = "KK V:\xd0"
                                  "000000000000000000000603022021";
    const struct {
        const char* text;
        int major, minor;
        char suffix;
        int firmware;
    } cases[] = {
        {"Korvan V21474837.00", 0, 0, '\0', 0},
        {"Korvan V2147483648.1a", 0, 0, '\0', 0},
        {"Korvan V2.2147483647x", 0, 0, '\0', 0},
        {"Korvan V10000.02", 0, 0, '\0', 0},
        {"Korvan V2.10000", 0, 0, '\0', 0},
        {"Korvan V9999.9999z", 9999, 9999, 'z', 1009899},
        {"Korvan V0002.0002b", 2, 2, 'b', 202},
        {"Korvan V-2.02", 2, 2, '\0', 202},
        {"Korvan V.5", 5, 0, '\0', 500},
        {"Korvan V99999x.1", 0, 1, '\0', 1},
        {"O 77777777", 0, 0, '\0', 0},
        {longMajor, 0, 0, '\0', 0},
        {"\xff\xfe V2.01\x80", 2, 1, '\x80', 201},
    };
    for (const auto& c : cases) {
        version_info_struct v;
        EXPECT_EQ(ParseRadioVersion(c.text, v), 1);
        EXPECT_EQ(v.major, c.major) << c.text;
        EXPECT_EQ(v.minor, c.minor) << c.text;
        EXPECT_EQ(v.suffix, c.suffix) << c.text;
        EXPECT_EQ(FirmwareNumber(v), c.firmware) << c.text;
    }
    version_info_struct byHand{};
    byHand.major = INT_MAX;
    EXPECT_EQ(FirmwareNumber(byHand), 0);
    byHand.major = 2;
    byHand.minor = -1;
    EXPECT_EQ(FirmwareNumber(byHand), 0);
}

namespace {

class RadioOnPort : public Korvanv2Fixture {
protected:
    void SetUp() override {
        Korvanv2Fixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
    }
    void OpenOn(int port) {
        radio.mapToPort(port);
        frmBelmar->ComPort = port;
        ASSERT_TRUE(frmBelmar->OpenComPort(port));
    }
    QStringList Memo(QPlainTextEdit* memo) const {
        return memo->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    SecondGenRadio radio;
};

} // namespace

using RadioSummary = RadioOnPort;
using AutoDetect = RadioOnPort;

TEST_F(RadioSummary, ShowsWhatTheRadioReportsForBothSizes) {
    OpenOn(1);
    radio.setByte(40, 0x90);
    const uint8_t ident[] = {0x12, 0x34, 0x56, 0x78};
    for (int i = 0; i < 4; ++i)
        radio.setByte(0xB5 + i, ident[i]);
    const QByteArray word = "SIXTEEN-LETTERS!";
    for (int i = 0; i < 16; ++i)
        radio.setByte(0x2A4 + i, uint8_t(word[i]));
    formRadioAbout->show();
    EXPECT_EQ(formRadioAbout->lblVersion->text(), "Korvan v2.02a");
    EXPECT_EQ(formRadioAbout->lblRadioType->text(), "UHF LOWBAND");
    EXPECT_EQ(formRadioAbout->lblRadioIdent->text(), "12345678");
    EXPECT_EQ(formRadioAbout->lblCodeWord->text(), "SIXTEEN-LETTERS!");
    EXPECT_EQ(
        Memo(formRadioAbout->memoRadioAbout),
        (QStringList{"EEPROM size: 16384 bytes", "100 Selcall Memories.", "9-char Alphatags."}));
    EXPECT_EQ(radio.count(SecondGenRadio::CONNECT), 0) << "the radio as it stands";

    radio.setSize(8192);
    radio.setByte(40, 0x10);
    radio.setByte(0xB5, 0xAB);
    radio.setByte(0xB6, 0x00);
    radio.setByte(0x2A4 + 3, 0x9E); // 0x1E once masked: the text ends there
    formRadioAbout->btnRefreshClick();
    EXPECT_EQ(formRadioAbout->lblRadioType->text(), "VHF");
    EXPECT_EQ(formRadioAbout->lblRadioIdent->text(), "1011005678");
    EXPECT_EQ(formRadioAbout->lblCodeWord->text(), "SIX");
    for (int i = 0; i < 16; ++i)
        radio.setByte(0x2A4 + i, 0xFF);
    formRadioAbout->btnRefreshClick();
    EXPECT_EQ(formRadioAbout->lblCodeWord->text(), "") << "an erased code word is none";
    EXPECT_EQ(
        Memo(formRadioAbout->memoRadioAbout),
        (QStringList{"EEPROM size: 8192 bytes", "40 Selcall Memories.", "5-char Alphatags."}));

    // Any other size byte is programmed as 8 KiB, and the summary says so.
    for (const uint8_t sizeByte : {0, 4, 12, 17}) {
        radio.setByte(128, sizeByte);
        formRadioAbout->btnRefreshClick();
        EXPECT_EQ(Memo(formRadioAbout->memoRadioAbout),
                  (QStringList{QStringLiteral("EEPROM size: %1 bytes").arg(sizeByte * 1024),
                               "Programmed as 8192 bytes.", "40 Selcall Memories.",
                               "5-char Alphatags."}));
    }

    SecondGenRadio::Faults faults;
    faults.noVersionReply = true;
    radio.setFaults(faults);
    formRadioAbout->btnRefreshClick();
    EXPECT_EQ(Memo(formRadioAbout->memoRadioAbout), QStringList{"Unable to read from radio."});
    EXPECT_EQ(formRadioAbout->lblVersion->text(), "");

    // The version answers but the bytes do not: nothing made up is shown, and the summary
    // stops at the first byte that got no answer.
    faults = {};
    faults.wrongAddress = true;
    radio.setFaults(faults);
    radio.clearFrames();
    formRadioAbout->btnRefreshClick();
    EXPECT_EQ(Memo(formRadioAbout->memoRadioAbout), QStringList{"Unable to read from radio."});
    for (QLabel* label : {formRadioAbout->lblVersion, formRadioAbout->lblRadioType,
                          formRadioAbout->lblRadioIdent, formRadioAbout->lblCodeWord})
        EXPECT_EQ(label->text(), "") << label->objectName().toStdString();
    EXPECT_EQ(radio.count(SecondGenRadio::GET_VERSION), 1);
    EXPECT_EQ(radio.count(SecondGenRadio::READ_BYTE), 1);
    formRadioAbout->btnCloseClick();
    EXPECT_FALSE(formRadioAbout->isVisible());
}

TEST_F(AutoDetect, FindsTheRadioOnTheThirdPortAndTheMainWindowTakesIt) {
    radio.mapToPort(3);
    frmAutoDetect->show();
    frmAutoDetect->TimerAutoDetect->stop(); // the ticks are driven here
    EXPECT_EQ(frmAutoDetect->btnClose->text(), "Cancel");
    QStringList seen;
    for (int tick = 0; tick < 3; ++tick) {
        frmAutoDetect->TimerAutoDetectTimer();
        seen << frmAutoDetect->Memo1->toPlainText();
    }
    EXPECT_EQ(seen, (QStringList{"Checking COM1", "Checking COM2",
                                 "Radio found on COM3\nKorvan v2.02a"}));
    EXPECT_EQ(frmAutoDetect->GetFoundPort(), 3);
    EXPECT_EQ(frmAutoDetect->btnClose->text(), "Close");
    frmAutoDetect->btnCloseClick();

    // Through the menu: the search runs on its timer, the main window reopens on COM3.
    frmBelmar->ComPort = 1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (frmAutoDetect->isVisible() && frmAutoDetect->GetFoundPort() != 0)
            frmAutoDetect->btnClose->click();
    });
    poll.start(20);
    frmBelmar->mnuAutoDetectClick();
    EXPECT_EQ(frmBelmar->ComPort, 3);
    EXPECT_EQ(serialPort->PortName(), "COM3");
    EXPECT_TRUE(serialPort->IsOpen());
}

TEST_F(AutoDetect, ReportsNoRadioAfterEveryPortAndTheMainWindowKeepsItsPort) {
    radio.setVersion("Belmar V2.02");
    radio.mapToPort(7); // another model is passed over
    for (int port = 5; port <= TfrmAutoDetect::LAST_PORT; ++port)
        if (port != 7)
            testsupport::mapComPort(port, FilePath(QStringLiteral("none")));
    frmAutoDetect->show();
    frmAutoDetect->TimerAutoDetect->stop();
    for (int tick = 0; tick <= TfrmAutoDetect::LAST_PORT; ++tick)
        frmAutoDetect->TimerAutoDetectTimer();
    EXPECT_EQ(frmAutoDetect->Memo1->toPlainText(),
              "Radio not found.\nEnsure radio is switched on.\nCheck programming leads.");
    EXPECT_EQ(frmAutoDetect->GetFoundPort(), 0);
    EXPECT_EQ(frmAutoDetect->btnClose->text(), "Close");
    frmAutoDetect->btnCloseClick();

    // Cancelled at once from the menu: the port stays.
    frmBelmar->ComPort = 2;
    WhenModal([] { frmAutoDetect->btnClose->click(); });
    frmBelmar->mnuAutoDetectClick();
    EXPECT_EQ(frmBelmar->ComPort, 2);
    EXPECT_EQ(serialPort->PortName(), "COM2");
}

using SharedDialogsV2 = Korvanv2Fixture;

TEST_F(SharedDialogsV2, CodeWordShowsAll16BytesAndStores15AndAZero) {
    const QByteArray word = "ABCDEFGHIJKLMNOP";
    for (int i = 0; i < 16; ++i)
        eeprom.SetByte(0x2A4 + i, uint8_t(word[i]));
    frmCodeWord->show();
    EXPECT_EQ(frmCodeWord->txtCodeWord->text(), "ABCDEFGHIJKLMNOP");
    testsupport::TypeOver(frmCodeWord->txtCodeWord, QStringLiteral("ABC"));
    frmCodeWord->OKBtnClick();
    QByteArray stored;
    for (int i = 0; i < 16; ++i)
        stored += char(eeprom.GetByte(0x2A4 + i));
    EXPECT_EQ(stored, QByteArray("ABC            ") + '\0');
    EXPECT_EQ(eeprom.GetByte(0x2A3), 0xFF) << "nothing outside the field";
    EXPECT_EQ(eeprom.GetByte(0x2B4), 0xFF);
}

TEST_F(SharedDialogsV2, PickerCancelGivesTwoAndTheProgressDialogNamesItsJob) {
    WhenModal([] { frmChannelSelect->btnCancel->click(); });
    EXPECT_EQ(frmChannelSelect->exec(), 2);
    WhenModal([] {
        frmChannelSelect->rbMAC->setChecked(true);
        frmChannelSelect->OKBtn->click();
    });
    EXPECT_EQ(frmChannelSelect->exec(), 1);
    EXPECT_EQ(frmChannelSelect->GroupChannelChosen, 1);

    frmReadWrite->WriteMode = 1;
    frmReadWrite->show();
    EXPECT_EQ(frmReadWrite->windowTitle(), "Write.");
    EXPECT_EQ(frmReadWrite->lblAction->text(), "Writing to radio.");
    frmReadWrite->reject(); // Escape asks the worker to stop and keeps the dialog
    EXPECT_TRUE(cancelEvent.isSet());
    EXPECT_TRUE(frmReadWrite->isVisible());
    frmReadWrite->EndShowing();
    frmReadWrite->WriteMode = 0;
    frmReadWrite->show();
    EXPECT_EQ(frmReadWrite->windowTitle(), "Read.");
    EXPECT_EQ(frmReadWrite->lblAction->text(), "Reading from radio.");
    EXPECT_TRUE(frmReadWrite->btnCancel->isEnabled());
    frmReadWrite->EndShowing();
    cancelEvent.reset();
}
