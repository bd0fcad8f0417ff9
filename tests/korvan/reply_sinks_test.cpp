// Replies that the worker hands to the engineering, tuning and firmware dialogs through
// their sinks, and the good end of a read that puts the tuning dialog on-line.

#include "Link_fixture.h"

#include "Main.h"
#include "Radio_rw.h"
#include "Rs232_com.h"
#include "Ser_com.h"

#include "platform/RadioUpdate.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <mutex>
#include <vector>

using testsupport::FirstGenRadio;

namespace {

bool waitUntil(const std::function<bool()>& done, int timeoutMs = testsupport::WAIT_LIMIT_MS) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

struct Location : LocationReplySink {
    void LocationReply(int address, uint8_t value) override {
        std::lock_guard<std::mutex> lock(mutex);
        replies.push_back({address, value});
    }
    std::vector<std::pair<int, int>> taken() {
        std::lock_guard<std::mutex> lock(mutex);
        return replies;
    }
    std::mutex mutex;
    std::vector<std::pair<int, int>> replies;
};

struct Tuning : QObject, TuningReplySink {
    bool LinkIsActive() const override { return active; }
    void MeterReading(int newRssi, int newNoise) override {
        rssi = newRssi;
        noise = newNoise;
    }
    QObject* RadioUpdateWindow() override { return this; }
    void SMeterPoint(uint8_t subCode, uint8_t value) override { point = subCode * 256 + value; }
    void DisplayFrame(const uint8_t (&bytes)[10]) override {
        std::lock_guard<std::mutex> lock(mutex);
        display = QByteArray(reinterpret_cast<const char*>(bytes), 10);
    }
    void RadioReadSucceeded() override { ++online; }
    bool event(QEvent* e) override {
        if (e->type() != platform::RadioUpdateEvent::eventType())
            return QObject::event(e);
        ++updates;
        return true;
    }
    QByteArray shown() {
        std::lock_guard<std::mutex> lock(mutex);
        return display;
    }
    std::atomic<bool> active{false};
    std::atomic<int> rssi{-1}, noise{-1}, point{-1}, online{0};
    int updates = 0; // UI thread only
    std::mutex mutex;
    QByteArray display;
};

struct Flash : FlashLink {
    bool FlashIsActive() const override { return active; }
    // Takes exactly the awaited count, as the upgrade does.
    void FlashPoll() override {
        const int length = awaited;
        if (length == 0 || frmSerial->RxWaiting() != length)
            return;
        uint8_t reply[RX_RING_SIZE];
        frmSerial->RxTake(reply, length);
        awaited = 0;
        std::lock_guard<std::mutex> lock(mutex);
        got = QByteArray(reinterpret_cast<const char*>(reply), length);
    }
    QByteArray reply() {
        std::lock_guard<std::mutex> lock(mutex);
        return got;
    }
    void forget() {
        std::lock_guard<std::mutex> lock(mutex);
        got.clear();
    }
    std::atomic<bool> active{false};
    std::atomic<int> awaited{0};
    std::mutex mutex;
    QByteArray got;
};

class ReplySinks : public LinkFixture {
protected:
    void TearDown() override {
        rs232_processor::SetLocationSink(nullptr);
        rs232_processor::SetTuningSink(nullptr);
        rs232_processor::SetFlashLink(nullptr);
        LinkFixture::TearDown();
    }
};

} // namespace

TEST_F(ReplySinks, LocationRepliesReachTheEngineeringSink) {
    Location location;
    rs232_processor::SetLocationSink(&location);
    radio.setByte(0x123, 0x77);
    frmSerial->SendReadLocation(0x123);
    ASSERT_TRUE(waitUntil([&] { return !location.taken().empty(); }));
    EXPECT_EQ(location.taken().front(), std::make_pair(0x123, 0x77));

    frmSerial->SendWriteLocation(0xFFF, 0x55);
    ASSERT_TRUE(waitUntil([&] { return location.taken().size() == 2; }));
    EXPECT_EQ(location.taken().back(), std::make_pair(0xFFF, 0x55));
    EXPECT_EQ(radio.byteAt(0xFFF), 0x55);

    rs232_processor::SetLocationSink(nullptr);
    frmSerial->SendReadLocation(0x10);
    ASSERT_TRUE(radio.waitForFrames(6, 2, testsupport::WAIT_LIMIT_MS));
    QThread::msleep(100);
    EXPECT_EQ(location.taken().size(), 2u) << "no sink, no call";
}

TEST_F(ReplySinks, MeterAndDisplayRepliesReachTheTuningSinkOnlyWhileItsLinkIsActive) {
    Tuning tuning;
    rs232_processor::SetTuningSink(&tuning);
    radio.setMeter(120, 33);
    radio.setSMeterPoints(17, 201);
    radio.setDisplay("12HELLO\x04\x02\x01");

    frmSerial->SendMeterRead();
    ASSERT_TRUE(radio.waitForFrames(10, 1, testsupport::WAIT_LIMIT_MS));
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(tuning.rssi, -1) << "link not active";
    EXPECT_EQ(tuning.updates, 0);

    tuning.active = true;
    frmSerial->SendMeterRead();
    ASSERT_TRUE(waitUntil([&] { return tuning.updates == 1; }));
    EXPECT_EQ(tuning.rssi, 120);
    EXPECT_EQ(tuning.noise, 33);
    EXPECT_EQ(frmSerial->rxed.command, 10);
    frmSerial->SendMeterCalLow();
    ASSERT_TRUE(waitUntil([&] { return tuning.point == 2 * 256 + 17; }));
    frmSerial->SendMeterCalHigh();
    ASSERT_TRUE(waitUntil([&] { return tuning.point == 3 * 256 + 201; }));
    frmSerial->SendGetDisplay();
    ASSERT_TRUE(waitUntil([&] { return !tuning.shown().isEmpty(); }));
    EXPECT_EQ(tuning.shown(), QByteArray("12HELLO\x04\x02\x01"));

    // A good read puts the dialog on-line; a failed one does not.
    int mode = 0;
    runJob(0, 7, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(tuning.online, 1);
    FirstGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    runJob(0, 7, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(tuning.online, 1);
}

TEST_F(ReplySinks, FirmwareUpgradeBorrowsTheRingWhileActive) {
    Flash flash;
    rs232_processor::SetFlashLink(&flash);
    flash.active = true;
    frmSerial->ClearRxBuffer();
    flash.awaited = 7;
    const QByteArray connectReply = FirstGenRadio::frame(QByteArray(4, '\0'), 1);
    frmBelmar->LinkStatus = 0;
    radio.sendRaw(connectReply);
    ASSERT_TRUE(waitUntil([&] { return !flash.reply().isEmpty(); }));
    EXPECT_EQ(flash.reply(), connectReply);
    EXPECT_EQ(frmBelmar->LinkStatus, 0u) << "no frame recognition while the upgrade runs";

    // Nothing is handed over until exactly the awaited count has arrived.
    frmSerial->ClearRxBuffer();
    flash.forget();
    flash.awaited = 2;
    radio.sendRaw(QByteArray::fromHex("b0"));
    QThread::msleep(100);
    EXPECT_TRUE(flash.reply().isEmpty());
    radio.sendRaw(QByteArray::fromHex("80"));
    ASSERT_TRUE(waitUntil([&] { return !flash.reply().isEmpty(); }));
    EXPECT_EQ(flash.reply(), QByteArray::fromHex("b080"));

    flash.active = false;
    radio.sendRaw(connectReply);
    ASSERT_TRUE(waitUntil([&] { return frmBelmar->LinkStatus == 1u; }))
        << "frames are recognised again";
}
