// The radio options' live preview against the simulated second-generation radio: each
// change of colour, brightness or contrast is one connect, one byte write and a disconnect;
// a radio that does not answer costs one bounded wait and nothing else.

#include "Image_editor_fixture.h"
#include "Options.h"
#include "Serial.h"
#include "Up_down.h"
#include "support/SecondGenRadio.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QComboBox>
#include <QTest>

using testsupport::SecondGenRadio;

namespace {

class OptionsPreviewV2 : public ImageEditorFixture<TfrmOptions, frmOptions> {
protected:
    void SetUp() override {
        ImageEditorFixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(3);
        ASSERT_TRUE(serialPort->Open(QStringLiteral("COM3"), 9600));
        ASSERT_TRUE(serialPort->Start());
    }
    void TearDown() override {
        serialPort->Stop();
        serialPort->Close();
        ImageEditorFixture::TearDown();
    }

    // The commands the radio heard, in order.
    QList<int> Heard() const {
        QList<int> commands;
        for (const auto& frame : radio.frames())
            commands << frame.command;
        return commands;
    }

    SecondGenRadio radio;
};

TEST_F(OptionsPreviewV2, ChangesReachTheRadioAsTheyAreMade) {
    Set(0x7C, 0x01); // Red, Dim
    Set(0x7D, 0xEC); // -20
    Open();
    QTest::keyClick(frmOptions->cbColour, Qt::Key_Down); // Green
    const QList<int> exchange{SecondGenRadio::CONNECT, SecondGenRadio::WRITE_BYTE,
                              SecondGenRadio::DISCONNECT};
    ASSERT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(Heard(), exchange);
    const auto write = radio.frames().at(1);
    EXPECT_EQ(write.data, QByteArray::fromHex("11007c00")) << "value, 0, address low, high";
    EXPECT_EQ(radio.byteAt(0x7C), 0x11);
    EXPECT_EQ(Byte(0x7C), 0x01) << "the image gets the display byte on OK";

    radio.clearFrames();
    frmOptions->udContrast->step(+1);
    ASSERT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(Heard(), exchange);
    EXPECT_EQ(radio.byteAt(0x7D), 0xED);
    EXPECT_EQ(Byte(0x7D), 0xED) << "the image first, then the radio";

    // A number typed into the box goes as an arrow click's does, when Enter ends it.
    radio.clearFrames();
    testsupport::TypeOver(frmOptions->editContrast, QStringLiteral("-9"));
    EXPECT_TRUE(radio.frames().isEmpty()) << "nothing while typing";
    QTest::keyClick(frmOptions->editContrast, Qt::Key_Return);
    ASSERT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(Heard(), exchange);
    EXPECT_EQ(radio.byteAt(0x7D), 0xF7);
    EXPECT_EQ(Byte(0x7D), 0xF7);

    radio.clearFrames();
    Cancel();
    EXPECT_TRUE(radio.frames().isEmpty()) << "Cancel sends nothing back";
    EXPECT_EQ(radio.byteAt(0x7C), 0x11);
    EXPECT_EQ(Byte(0x7C), 0x01);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(OptionsPreviewV2, SilentRadioCostsOneWaitAndNoMessage) {
    SecondGenRadio::Faults faults;
    faults.silent = true;
    radio.setFaults(faults);
    Set(0x7C, 0x01);
    Set(0x7D, 0x00);
    const QByteArray before = eepromcheck::Snapshot();
    Open();
    QTest::keyClick(frmOptions->cbLevel, Qt::Key_Down); // Bright
    EXPECT_EQ(eepromcheck::Snapshot(), before);

    frmOptions->udContrast->step(-1);
    EXPECT_EQ(Byte(0x7D), 0xFF) << "stored although the radio did not answer";
    // The second change's connect follows the first's at once: one connect and its one wait
    // a change, nothing after an unanswered connect.
    ASSERT_TRUE(radio.waitForFrames(SecondGenRadio::CONNECT, 2, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(Heard(), (QList<int>{SecondGenRadio::CONNECT, SecondGenRadio::CONNECT}));
    Ok();
    EXPECT_EQ(Byte(0x7C), 0x02) << "OK still stores";
    EXPECT_TRUE(host.messages.isEmpty());
}

} // namespace
