// The image accessor, the radio labels, the about box, the port and channel type
// dialogs, and the display of escaped exceptions.

#include "About.h"
#include "Application.h"
#include "Com_port.h"
#include "Eeprom.h"
#include "Korvan_fixture.h"
#include "Sel_ch.h"
#include "platform/Convert.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using SmallDialogs = KorvanFixture;

TEST_F(SmallDialogs, ImageAccessorStaysInsideTheImage) {
    ASSERT_NE(eeBuffer, nullptr);
    std::memset(frmBelmar->RadioData, 0x11, IMAGE_SIZE);
    EXPECT_TRUE(eeBuffer->SetByte(4095, 0x7E));
    EXPECT_EQ(frmBelmar->RadioData[4095], 0x7E);
    EXPECT_TRUE(eeBuffer->SetByte(0, 0x01));
    EXPECT_EQ(frmBelmar->RadioData[0], 0x01);
    EXPECT_FALSE(eeBuffer->SetByte(4096, 0x99));
    EXPECT_FALSE(eeBuffer->SetByte(-1, 0x99));
    EXPECT_EQ(frmBelmar->RadioData[4094], 0x11);

    eeBuffer->SetByte(BAND_BYTE, 0x80);
    EXPECT_LT(eeBuffer->GetByte(BAND_BYTE), 0) << "bit 7 shows as the sign";
    EXPECT_EQ(eeBuffer->GetByte(4096), 0);
    EXPECT_EQ(eeBuffer->GetByte(-1), 0);
}

TEST_F(SmallDialogs, RadioLabelsFollowTheImageAndTheVersionText) {
    frmBelmar->RadioData[BAND_BYTE] = 0x80;
    frmBelmar->ShowRadioType();
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan UHF");
    frmBelmar->RadioData[BAND_BYTE] = 0x7F;
    frmBelmar->ShowRadioType();
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");

    frmBelmar->RadioVersion = "Korvan V1.07 UHF";
    frmBelmar->ShowVersion();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1.07 ");
    frmBelmar->RadioVersion = "Korvan V1";
    frmBelmar->ShowVersion();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1");
    frmBelmar->RadioVersion = "short";
    frmBelmar->ShowVersion();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "");
}

TEST_F(SmallDialogs, PortDialogListsEveryPort) {
    frmBelmar->ComPort = 256;
    frmPorts->FormShow();
    EXPECT_EQ(frmPorts->windowTitle(), "Select Serial Port.");
    EXPECT_EQ(frmPorts->Label2->text(), "Serial Port:");
    ASSERT_EQ(frmPorts->cbPort->count(), 256);
    EXPECT_EQ(frmPorts->cbPort->itemText(0), "COM1");
    EXPECT_EQ(frmPorts->cbPort->currentText(), "COM256");

    frmPorts->cbPort->setCurrentIndex(4);
    frmPorts->btnOKClick();
    EXPECT_EQ(frmBelmar->ComPort, 5);

    // A port number outside the list selects nothing, and OK then keeps it.
    frmBelmar->ComPort = 0;
    frmPorts->FormShow();
    EXPECT_EQ(frmPorts->cbPort->currentIndex(), -1);
    frmPorts->btnOKClick();
    EXPECT_EQ(frmBelmar->ComPort, 0);
}

TEST_F(SmallDialogs, ChannelTypePickerStartsAtNormalEachTime) {
    EXPECT_EQ(frmChannelSelect->windowTitle(), "Select Channel Type");
    EXPECT_EQ(frmChannelSelect->rbNormalChannel->text(), "Normal Channel");
    EXPECT_EQ(frmChannelSelect->rbMAC->text(), "Group Channel");
    QTimer::singleShot(0, frmChannelSelect, [] {
        frmChannelSelect->rbMAC->click();
        frmChannelSelect->OKBtn->click();
    });
    EXPECT_EQ(frmChannelSelect->exec(), 1);
    EXPECT_EQ(frmChannelSelect->GroupChannelChosen, 1);

    QTimer::singleShot(0, frmChannelSelect, [] {
        EXPECT_TRUE(frmChannelSelect->rbNormalChannel->isChecked());
        frmChannelSelect->OKBtn->click();
    });
    frmChannelSelect->exec();
    EXPECT_EQ(frmChannelSelect->GroupChannelChosen, 0);
}

TEST_F(SmallDialogs, AboutBoxLinksOpenAndLightUp) {
    EXPECT_EQ(AboutBox->windowTitle(), "About...");
    EXPECT_EQ(AboutBox->lblNiceVersion->text(), "Program Version : RQ0341.1.07");
    EXPECT_EQ(AboutBox->lblEmail->text(), "Or click here for customer support via email");
    EXPECT_TRUE(AboutBox->Memo1->isReadOnly());
    EXPECT_TRUE(AboutBox->Memo1->toPlainText().startsWith("Korvan Radio Programmer\n"));

    const auto colour = [](QLabel* label) { return label->palette().color(QPalette::WindowText); };
    const QColor text = colour(AboutBox->lblEmail);
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(AboutBox->lblWebSite, &move);
    EXPECT_EQ(colour(AboutBox->lblWebSite), QColor(Qt::red));
    EXPECT_EQ(colour(AboutBox->lblEmail), text);
    QApplication::sendEvent(AboutBox->lblEmail, &move);
    EXPECT_EQ(colour(AboutBox->lblWebSite), text);
    EXPECT_EQ(colour(AboutBox->lblEmail), QColor(Qt::red));
    QApplication::sendEvent(AboutBox, &move);
    EXPECT_EQ(colour(AboutBox->lblEmail), text);

    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(AboutBox->lblWebSite, &release);
    QApplication::sendEvent(AboutBox->lblEmail, &release);
    ASSERT_EQ(host.opened.size(), 2);
    EXPECT_TRUE(host.opened[0].startsWith("https://"));
    EXPECT_TRUE(host.opened[1].startsWith("mailto:"));
    EXPECT_TRUE(host.opened[1].endsWith("?subject=Korvan dealer software support"));
}

TEST_F(SmallDialogs, EscapedExceptionsAreShown) {
    EXPECT_TRUE(RunShowingExceptions([] {}));
    EXPECT_FALSE(RunShowingExceptions([] { platform::StrToInt("12x"); }));
    EXPECT_FALSE(RunShowingExceptions([] { throw std::runtime_error("disk on fire"); }));
    EXPECT_FALSE(RunShowingExceptions([] { throw 42; }));
    ASSERT_EQ(host.exceptions.size(), 3);
    EXPECT_EQ(host.exceptions[0], "'12x' is not a valid integer value");
    EXPECT_EQ(host.exceptions[1], "disk on fire");
    EXPECT_EQ(host.exceptions[2], "");
}
