// Reading and writing a simulated second-generation radio through the main window: the
// checks before a transfer, the size byte, cancel, a radio that stops, and the worker's
// progress and end messages.

#include "Korvanv2_fixture.h"
#include "Radio_rw.h"
#include "Serial.h"
#include "platform/RadioUpdate.h"
#include "support/SecondGenRadio.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <vector>

using testsupport::SecondGenRadio;

namespace {

QByteArray RadioPattern(char seed) {
    QByteArray bytes(SecondGenRadio::IMAGE_SIZE, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 5 + seed);
    bytes[SecondGenRadio::SIZE_BYTE] = 16;
    bytes[BAND_BYTE] = 0x1C; // VHF, as the images FillImage makes
    return bytes;
}

// Records the transfer messages that reach the main window, and can act on them.
class UpdateRecorder : public QObject {
public:
    explicit UpdateRecorder(QObject* window) { window->installEventFilter(this); }
    std::vector<std::pair<long, long>> updates;
    std::function<void(long, long)> onUpdate;

    int progressCount() const {
        int n = 0;
        for (const auto& update : updates)
            n += update.first == 0;
        return n;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == platform::RadioUpdateEvent::eventType() &&
            !IsStaleTransferUpdate(event)) {
            const auto* update = static_cast<platform::RadioUpdateEvent*>(event);
            updates.emplace_back(update->wParam, update->lParam);
            if (onUpdate)
                onUpdate(update->wParam, update->lParam);
        }
        return false;
    }
};

class TransferRoad : public Korvanv2Fixture {
protected:
    void SetUp() override {
        Korvanv2Fixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(1);
        radio.setImage(RadioPattern(3));
        frmBelmar->FormShow(); // no default file here: one message
        host.messages.clear();
        ASSERT_TRUE(serialPort->IsOpen());
    }

    int BlockRequestsBelow(int address) const {
        int n = 0;
        for (const auto& frame : radio.frames())
            if ((frame.command == SecondGenRadio::WRITE_BLOCK ||
                 frame.command == SecondGenRadio::READ_BLOCK) &&
                frame.sync == SecondGenRadio::SYNC_CMD && frame.data.size() >= 2 &&
                (uint8_t(frame.data[frame.data.size() - 2]) |
                 uint8_t(frame.data[frame.data.size() - 1]) << 8) < address)
                ++n;
        return n;
    }

    SecondGenRadio radio;
};

} // namespace

TEST_F(TransferRoad, ReadOfA16KiBRadioTakesEveryByteAtTheChosenRate) {
    frmBelmar->maxBdRate = 57600;
    UpdateRecorder recorder(frmBelmar);
    frmBelmar->btnReadRadioClick();
    EXPECT_TRUE(host.messages.isEmpty()) << host.messages.value(0).text.toStdString();
    EXPECT_EQ(Image(), radio.image());
    EXPECT_EQ(frmBelmar->StatusText(0), "Current radio data loaded.");
    EXPECT_EQ(frmBelmar->lblVersion->text(), "v2.02a");
    EXPECT_STREQ(frmBelmar->RadioVersion, "Korvan v2.02a");
    EXPECT_EQ(frmBelmar->RadioReadCount, 1);
    EXPECT_FALSE(frmReadWrite->isVisible());
    EXPECT_EQ(radio.count(SecondGenRadio::SET_BAUD), 1);
    EXPECT_EQ(radio.count(SecondGenRadio::CONNECT), 1);
    EXPECT_EQ(radio.count(SecondGenRadio::DISCONNECT), 1);
    EXPECT_EQ(serialPort->BaudRate(), 9600);
    ASSERT_EQ(recorder.progressCount(), 1024);
    EXPECT_EQ(recorder.updates.front(), std::make_pair(0L, 0L));
    EXPECT_EQ(recorder.updates[1023], std::make_pair(0L, 16368L));
    EXPECT_EQ(recorder.updates.back(), std::make_pair(1L, 0L));
}

TEST_F(TransferRoad, ASizeByteOtherThan16GivesAn8KiBRead) {
    for (int sizeByte : {8, 0xFF, 12}) {
        FillImage(uint8_t(sizeByte));
        radio.clearFrames();
        radio.setByte(SecondGenRadio::SIZE_BYTE, uint8_t(sizeByte));
        frmBelmar->btnReadRadioClick();
        ASSERT_TRUE(host.messages.isEmpty());
        EXPECT_EQ(radio.count(SecondGenRadio::READ_BLOCK), 512) << sizeByte;
        EXPECT_EQ(Image().left(8192), radio.image().left(8192));
        EXPECT_EQ(Image().mid(8192), QByteArray(8192, char(0xFF))) << "the upper half is erased";
    }
    EXPECT_EQ(frmBelmar->RadioReadCount, 3);
}

TEST_F(TransferRoad, ModelAndFirmwareAreCheckedBeforeAnyTransfer) {
    FillImage(9);
    const QByteArray before = Image();
    radio.setVersion("Belmar V2.10");
    frmBelmar->btnReadRadioClick();
    radio.setVersion("Korvan V1.50c");
    frmBelmar->btnReadRadioClick();
    frmBelmar->btnWriteRadioClick();
    radio.setVersion("Belmar V2.10");
    frmBelmar->btnWriteRadioClick();
    ASSERT_EQ(host.messages.size(), 4);
    EXPECT_EQ(host.messages[0].text, "Radio type is incorrect.\nCannot read from Belmar");
    EXPECT_EQ(host.messages[0].caption, "Read Error");
    const QString oldFirmware = "Current firmware detected: Korvan V1.50c.\n"
                                "To use this programmer, radio must have firmware v2.00 or higher.";
    EXPECT_EQ(host.messages[1].text, oldFirmware);
    EXPECT_EQ(host.messages[1].caption, "Version Check Error");
    EXPECT_EQ(host.messages[2].text, oldFirmware);
    EXPECT_EQ(host.messages[3].text, "Radio type is incorrect.\nCannot write to Belmar");
    EXPECT_EQ(host.messages[3].caption, "Write Error");
    EXPECT_EQ(radio.count(SecondGenRadio::CONNECT), 0);
    EXPECT_EQ(radio.count(SecondGenRadio::READ_BYTE), 0);
    EXPECT_EQ(Image(), before);
}

TEST_F(TransferRoad, WriteSendsBytes48UpAndAsksFirst) {
    FillImage(4);
    eeprom.SetByte(EEPROM::SIZE_BYTE, 16); // made for this radio's size
    const QByteArray ours = Image();
    const QByteArray radioBefore = radio.image();
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmBelmar->btnWriteRadioClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "Radio has not been read.\nAll current radio data will be lost.");
    EXPECT_EQ(host.messages[0].caption, "Write to radio?");
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0);

    UpdateRecorder recorder(frmBelmar);
    frmBelmar->btnWriteRadioClick();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(radio.image().left(CALIBRATION_SIZE), radioBefore.left(CALIBRATION_SIZE));
    EXPECT_EQ(radio.image().mid(CALIBRATION_SIZE), ours.mid(CALIBRATION_SIZE));
    EXPECT_EQ(BlockRequestsBelow(CALIBRATION_SIZE), 0) << "the calibration block never goes";
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 1021);
    EXPECT_EQ(recorder.progressCount(), 1021);
    EXPECT_EQ(recorder.updates.front().second, 48);
    EXPECT_EQ(frmBelmar->RadioReadCount, 1);
    EXPECT_EQ(Image(), ours);

    frmBelmar->btnWriteRadioClick();
    EXPECT_EQ(host.messages[2].text, "All current radio data will be lost.");
}

// The size byte, like the calibration block, is the radio's own: a file made for the other
// size is written only as far as the radio's memory goes (a file made for 8 KiB holds nothing
// above, so the radio's upper half is erased), the radio keeps its size, and the user hears so
// before anything is written; likewise of a file made for the other band, whose channels the
// radio would read in its own. A second write shows that the first left the size alone:
// otherwise it would run past an 8 KiB radio's end and fold onto its calibration.
TEST_F(TransferRoad, AFileOfTheOtherSizeOrBandIsNamedAndLeavesTheRadiosOwnBytesAlone) {
    struct Case {
        const char* name;
        int radioSize;
        uint8_t fileSizeByte;
        uint8_t radioBandByte;
        const char* warning;
    };
    const Case cases[] = {
        {"16 KiB file to an 8 KiB radio", EEPROM::SMALL_SIZE, 16, 0x1C,
         "The data was made for a radio of 16384 bytes; this radio has 8192.\n"
         "Bytes 8192 to 16383 will not be written, and the radio keeps its own size.\n"},
        {"8 KiB file with old bytes above 8191 to a 16 KiB radio", EEPROM::SIZE, 8, 0x1C,
         "The data was made for a radio of 8192 bytes; this radio has 16384.\n"
         "Bytes 8192 to 16383 will be erased, and the radio keeps its own size.\n"},
        {"VHF file to a UHF radio", EEPROM::SIZE, 16, 0x9C,
         "The data was made for a VHF radio; this radio is UHF.\n"
         "The radio keeps its own calibration block, so the channels will not be on the "
         "frequencies the data shows.\n"},
    };
    for (const Case& c : cases) {
        radio.setImage(RadioPattern(3));
        radio.setSize(c.radioSize);
        radio.setByte(BAND_BYTE, c.radioBandByte);
        const QByteArray radioBefore = radio.image();
        FillImage(5);
        eeprom.SetByte(EEPROM::SIZE_BYTE, c.fileSizeByte);
        const QByteArray ours = Image();
        frmBelmar->RadioReadCount = 1;
        host.messages.clear();
        radio.clearFrames();
        host.messageAnswers.enqueue(platform::IDCANCEL);
        frmBelmar->btnWriteRadioClick();
        ASSERT_EQ(host.messages.size(), 1) << c.name;
        EXPECT_EQ(host.messages[0].text,
                  QString::fromLatin1(c.warning) + "All current radio data will be lost.")
            << c.name;
        EXPECT_EQ(host.messages[0].caption, "Write to radio?");
        EXPECT_EQ(host.messages[0].flags, 49);
        EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0) << c.name << ": the user stopped";

        frmBelmar->btnWriteRadioClick();
        frmBelmar->btnWriteRadioClick();
        EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 2 * (c.radioSize - 48) / 16) << c.name;
        QByteArray expected = ours.left(c.radioSize);
        expected.replace(0, CALIBRATION_SIZE, radioBefore.left(CALIBRATION_SIZE));
        expected[EEPROM::SIZE_BYTE] = radioBefore[EEPROM::SIZE_BYTE];
        const int fileSize = EEPROM::SizeFromByte(c.fileSizeByte);
        expected.replace(fileSize, c.radioSize - fileSize,
                         QByteArray(c.radioSize - fileSize, char(0xFF)));
        EXPECT_EQ(radio.image().left(c.radioSize), expected) << c.name;
        EXPECT_EQ(Image(), ours) << c.name << ": the user's image stays as it was";
    }
}

TEST_F(TransferRoad, ARadioThatStopsMidReadLeavesTheImageAsItWas) {
    FillImage(6);
    eeprom.SetByte(BAND_BYTE, 0x00);
    frmBelmar->ShowRadioType(); // as a loaded file shows it
    const QByteArray before = Image();
    frmBelmar->maxBdRate = 38400;
    SecondGenRadio::Faults faults;
    faults.stopAfterBlocks = 10;
    radio.setFaults(faults);
    frmBelmar->btnReadRadioClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Error reading from radio.");
    EXPECT_EQ(host.messages[0].caption, "Error.");
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");
    EXPECT_EQ(frmBelmar->RadioReadCount, 0);
    EXPECT_EQ(serialPort->BaudRate(), 9600) << "the port goes back for the next request";
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_FALSE(frmReadWrite->isVisible());
}

TEST_F(TransferRoad, CancelKeepsTheDialogUntilTheWorkerEndsAndGivesTheImageBack) {
    FillImage(8);
    const QByteArray before = Image();
    radio.setPacing(true);
    UpdateRecorder recorder(frmBelmar);
    bool stillShown = false;
    recorder.onUpdate = [&](long wParam, long) {
        if (wParam == 0 && recorder.progressCount() == 2) {
            frmReadWrite->btnCancel->click();
            stillShown = frmReadWrite->isVisible();
        }
    };
    frmBelmar->btnReadRadioClick();
    EXPECT_TRUE(stillShown) << "Cancel only asks the worker to stop";
    EXPECT_EQ(recorder.updates.back(), std::make_pair(1L, long(TRANSFER_CANCELLED)));
    // Progress already posted still arrives after the click; the worker stops at its next block.
    EXPECT_LT(recorder.progressCount(), EEPROM::SMALL_SIZE / 16) << "stopped before the end";
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(frmBelmar->StatusText(0), "");
    EXPECT_EQ(frmBelmar->RadioReadCount, 0);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_FALSE(TransferStarted()) << "the worker was joined";
}

// A read that leaves the image as it was leaves the labels as they were of it too, and the
// radio on the line counts as never read, so the next write warns.
TEST_F(TransferRoad, AReadThatKeepsTheImageKeepsItsLabelsAndTheNextWriteWarns) {
    struct Case {
        const char* name;
        std::function<void(SecondGenRadio&, UpdateRecorder&)> arrange;
        const char* message; // of the read
    };
    const Case cases[] = {
        {"radio stops",
         [](SecondGenRadio& r, UpdateRecorder&) {
             SecondGenRadio::Faults faults;
             faults.stopAfterBlocks = 10;
             r.setFaults(faults);
         },
         "Error reading from radio."},
        {"cancelled",
         [](SecondGenRadio& r, UpdateRecorder& recorder) {
             r.setPacing(true);
             recorder.onUpdate = [&recorder](long wParam, long) {
                 if (wParam == 0 && recorder.progressCount() == 2)
                     frmReadWrite->btnCancel->click();
             };
         },
         nullptr},
        {"another model", [](SecondGenRadio& r, UpdateRecorder&) { r.setVersion("Belmar V2.10"); },
         "Radio type is incorrect.\nCannot read from Belmar"},
    };
    for (const Case& c : cases) {
        FillImage(6);
        eeprom.SetByte(BAND_BYTE, 0x00);
        eeprom.SetByte(EEPROM::SIZE_BYTE, 16); // made for this radio's size
        const QByteArray before = Image();
        frmBelmar->lblRadioType->setText(QStringLiteral("Korvan VHF"));
        frmBelmar->lblVersion->setText(QStringLiteral("v2.01b"));
        frmBelmar->RadioReadCount = 1;
        host.messages.clear();
        radio.clearFrames();
        UpdateRecorder recorder(frmBelmar);
        c.arrange(radio, recorder);
        frmBelmar->btnReadRadioClick();
        ASSERT_EQ(host.messages.size(), c.message ? 1 : 0) << c.name;
        EXPECT_EQ(host.messages.value(0).text, QString::fromLatin1(c.message)) << c.name;
        EXPECT_EQ(Image(), before) << c.name;
        EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF") << c.name;
        EXPECT_EQ(frmBelmar->lblVersion->text(), "v2.01b") << c.name << ": the kept image's";
        ASSERT_FALSE(frmReadWrite->isVisible());

        recorder.onUpdate = nullptr;
        radio.setFaults({});
        radio.setPacing(false);
        radio.setVersion("Korvan v2.02a");
        if (radio.count(SecondGenRadio::CONNECT) > 0) {
            EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, 10000)) << c.name;
        }
        host.messages.clear();
        host.messageAnswers.enqueue(platform::IDCANCEL);
        frmBelmar->btnWriteRadioClick();
        ASSERT_EQ(host.messages.size(), 1) << c.name;
        EXPECT_EQ(host.messages[0].text,
                  "Radio has not been read.\nAll current radio data will be lost.")
            << c.name;
    }
}

TEST_F(TransferRoad, WorkerCancelledAtOnceMovesNoBlockAndEmptyRangesConnectAndEnd) {
    UpdateRecorder recorder(frmBelmar);
    StartReadThread(0, 8192);
    CancelTransfer();
    EXPECT_EQ(WaitTransfer(), TRANSFER_CANCELLED);
    QCoreApplication::sendPostedEvents(frmBelmar);
    EXPECT_EQ(radio.count(SecondGenRadio::READ_BLOCK), 0);
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_FALSE(cancelEvent.isSet()) << "the worker clears what it saw";

    radio.clearFrames();
    StartWriteThread(64, 64);
    EXPECT_EQ(WaitTransfer(), TRANSFER_DONE);
    EXPECT_EQ(radio.count(SecondGenRadio::CONNECT), 1);
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0);
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));

    // A range that is not whole blocks moves whole blocks until it is passed.
    StartReadThread(0, 40);
    EXPECT_EQ(WaitTransfer(), TRANSFER_DONE);
    EXPECT_EQ(Image().left(48), radio.image().left(48));
    QCoreApplication::sendPostedEvents(frmBelmar);
    ASSERT_GE(recorder.updates.size(), 3u);
    const auto lastThree =
        std::vector<std::pair<long, long>>(recorder.updates.end() - 4, recorder.updates.end());
    EXPECT_EQ(lastThree, (std::vector<std::pair<long, long>>{{0, 0}, {0, 16}, {0, 32}, {1, 0}}));
}

TEST_F(TransferRoad, RequestsOfTheWindowWhileAWorkerRunsTakeTurnsWithIt) {
    radio.setMeter(77, 12);
    StartReadThread(0, 4096);
    int answered = 0;
    for (int i = 0; i < 20; ++i) {
        uint8_t rssi = 0, noise = 0;
        if (RadioMeterRead(rssi, noise) == 0 && rssi == 77 && noise == 12)
            ++answered;
    }
    EXPECT_EQ(answered, 20);
    EXPECT_EQ(WaitTransfer(), TRANSFER_DONE);
    EXPECT_EQ(Image().left(4096), radio.image().left(4096));
}

TEST_F(TransferRoad, EndsOfAnEarlierWorkerAreIgnored) {
    radio.setFaults([] {
        SecondGenRadio::Faults silent;
        silent.silent = true;
        return silent;
    }());
    StartReadThread(0, 16); // fails: no answer
    WaitTransfer();
    radio.setFaults({});
    StartReadThread(0, 16); // its end is the one that counts
    WaitTransfer();
    frmReadWrite->WriteMode = 0;
    QCoreApplication::sendPostedEvents(frmBelmar);
    EXPECT_TRUE(host.messages.isEmpty()) << "the first worker's failure was stale";
    EXPECT_EQ(frmBelmar->StatusText(0), "Current radio data loaded.");
}

TEST_F(TransferRoad, ClosingTheWindowDuringATransferStopsTheWorkerFirst) {
    radio.setPacing(true);
    StartReadThread(0, 16384);
    ASSERT_TRUE(radio.waitForFrames(SecondGenRadio::READ_BLOCK, 1, testsupport::WAIT_LIMIT_MS));
    frmBelmar->FormClose();
    EXPECT_FALSE(TransferStarted());
    EXPECT_EQ(serialPort, nullptr);
    EXPECT_LT(radio.count(SecondGenRadio::READ_BLOCK), 10);
}
