// The code word dialog and the group channel timers dialog.

#include "Codeword.h"
#include "Image_fixture.h"
#include "Mactimer.h"
#include "Selcall.h"
#include "support/Typing.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cstring>
#include <functional>

namespace {

class SmallEditors : public ImageFixture {
protected:
    QByteArray Field() { return QByteArray(reinterpret_cast<char*>(image()) + 0x74, 16); }
    // Shows the code word dialog, types `word` in place of what it shows, and presses OK.
    void StoreCodeWord(const QString& word) {
        frmCodeWord->show();
        testsupport::TypeOver(frmCodeWord->txtCodeWord, word);
        frmCodeWord->OKBtnClick();
    }
    // Opens the code word dialog from the main window; `edit` runs on its box, which has the
    // focus, and OK is clicked.
    void OpenCodeWord(const std::function<void(QLineEdit*)>& edit) {
        WhenActive(frmCodeWord, [edit] {
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_EQ(box, frmCodeWord->txtCodeWord);
            edit(box);
            QTest::mouseClick(frmCodeWord->OKBtn, Qt::LeftButton);
        });
        frmBelmar->EditButtonClick(frmBelmar->btnEditCodeWord);
    }
};

} // namespace

TEST_F(SmallEditors, CodeWordIsStoredPaddedAndLeavesTheEmergencyKeyBytes) {
    image()[0x73] = 0x5A;
    image()[0x82] = 38; // the Emergency key's function, a printable code ('&')
    image()[0x83] = 7;  // the Emergency key's speed dial: "M8"
    const QByteArray emergency("\x26\x07", 2);
    image()[0x74] = 'x';
    StoreCodeWord("");
    EXPECT_EQ(Field(), QByteArray(14, ' ') + emergency);

    StoreCodeWord("ABC");
    EXPECT_EQ(Field(), QByteArray("ABC") + QByteArray(11, ' ') + emergency);
    frmCodeWord->show();
    EXPECT_EQ(frmCodeWord->txtCodeWord->text(),
              QStringLiteral("ABC") + QString(11, QLatin1Char(' ')))
        << "the Emergency key's bytes are not shown as characters";
    frmCodeWord->reject();

    EXPECT_EQ(frmCodeWord->txtCodeWord->maxLength(), 14);
    EXPECT_EQ(frmCodeWord->lblInstructions->text(),
              "Enter a Code Word up to 14 characters in length that will be programmed into "
              "the radio.")
        << "the instruction states what the box takes";
    StoreCodeWord("0123456789ABCDEF");
    EXPECT_EQ(Field(), QByteArray("0123456789ABCD") + emergency) << "14 characters fit";
    EXPECT_EQ(image()[0x73], 0x5A);
    EXPECT_EQ(image()[0x84], 0x00);

    image()[0x83] = 33;
    frmCodeWord->show();
    EXPECT_EQ(frmCodeWord->txtCodeWord->text(), "0123456789ABCD");
    frmCodeWord->CancelBtn->click();
    EXPECT_EQ(image()[0x83], 33);
}

TEST_F(SmallEditors, CodeWordShowsOnlyPrintableBytes) {
    std::memset(image() + 0x74, 0xFF, 16);
    frmCodeWord->show();
    EXPECT_EQ(frmCodeWord->txtCodeWord->text(), "") << "an erased field";
    frmCodeWord->reject();

    const char bytes[16] = {'A', 0x00, 'B', 0x1F,       'C', 0x7F, 'D', char(0x80),
                            'E', ' ',  '~', char(0xC1), 'F', 'G',  'H', 'I'};
    std::memcpy(image() + 0x74, bytes, 16);
    frmCodeWord->show();
    EXPECT_EQ(frmCodeWord->txtCodeWord->text(), "ABCDE ~FG") << "0x82 and 0x83 are not text";
    frmCodeWord->CancelBtn->click();
    EXPECT_EQ(Field(), QByteArray(bytes, 16)) << "Cancel writes nothing";

    // A pasted character outside 7-bit ASCII is not taken.
    frmCodeWord->show();
    frmCodeWord->txtCodeWord->selectAll();
    testsupport::Paste(frmCodeWord->txtCodeWord, QStringLiteral("caf\u00e9"));
    frmCodeWord->OKBtnClick();
    EXPECT_EQ(Field().left(5), "caf  ");
}

// Left alone, the word keeps the field as stored, bytes it cannot show included; typed or
// pasted, the field holds what the box shows, padded with spaces.
TEST_F(SmallEditors, CodeWordLeftAloneKeepsTheFieldAndATypedOneIsStoredAsShown) {
    imagecheck::FillRandom(35);
    const char field[14] = {'A', 'B', 0x01, 'C', 0x7F, 'D', char(0xFF),
                            'E', ' ', ' ',  'W', 'O',  'R', 'D'};
    std::memcpy(image() + 0x74, field, 14);
    QByteArray expected = imagecheck::Snapshot();
    const auto expectField = [&expected](const QByteArray& word) {
        expected.replace(0x74, 14, word.leftJustified(14, ' '));
        EXPECT_EQ(imagecheck::Changes(expected, imagecheck::Snapshot()),
                  std::vector<imagecheck::Change>{})
            << word.toStdString();
    };
    OpenCodeWord([](QLineEdit* box) { EXPECT_EQ(box->text(), "ABCDE  WORD"); });
    expectField(QByteArray(field, 14));
    OpenCodeWord([](QLineEdit* box) {
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, 'S');
    });
    expectField("ABCDE  WORDS");
    OpenCodeWord([](QLineEdit* box) {
        box->selectAll();
        testsupport::Paste(box, QStringLiteral("PASTED"));
    });
    expectField("PASTED");
}

TEST_F(SmallEditors, TimersLoadLabelAndStore) {
    image()[81] = 0xFF; // erased
    image()[82] = 12;
    image()[83] = 200;
    image()[48] = 25;
    frmMacTimers->show();
    EXPECT_EQ(frmMacTimers->windowTitle(), "Group Channel Timers");
    EXPECT_EQ(frmMacTimers->hsbMacIgnoreTime->value(), 63);
    EXPECT_EQ(frmMacTimers->lblMacIgnoreTime->text(), "63s");
    EXPECT_EQ(frmMacTimers->lblMacHoldTime->text(), "12s");
    EXPECT_EQ(frmMacTimers->lblMacResetRssi->text(), "200s");
    EXPECT_EQ(frmMacTimers->lblRssiLet->text(), "250ms");
    EXPECT_EQ(frmMacTimers->hsbMacHoldTime->pageStep(), 4);
    frmMacTimers->OKBtnClick();
    EXPECT_EQ(Bytes(81, 3), (std::vector<uint8_t>{0xFF, 12, 200}))
        << "an untouched ignore time keeps its stored byte";
    EXPECT_EQ(image()[48], 25);

    frmMacTimers->show();
    testsupport::Drag(frmMacTimers->hsbMacIgnoreTime, 10);
    EXPECT_EQ(frmMacTimers->lblMacIgnoreTime->text(), "10s");
    testsupport::Drag(frmMacTimers->hsbRssiLet, 255);
    EXPECT_EQ(frmMacTimers->lblRssiLet->text(), "2550ms");
    frmMacTimers->OKBtnClick();
    EXPECT_EQ(image()[81], 40);
    EXPECT_EQ(image()[48], 255);
}

TEST_F(SmallEditors, IgnoreBarOffersOnlyWhatTheByteHolds) {
    frmMacTimers->show();
    EXPECT_EQ(frmMacTimers->hsbMacIgnoreTime->maximum(), 63);
    for (int seconds = 0; seconds <= 63; ++seconds) {
        testsupport::Drag(frmMacTimers->hsbMacIgnoreTime, seconds);
        frmMacTimers->OKBtnClick();
        frmMacTimers->show();
        ASSERT_EQ(frmMacTimers->hsbMacIgnoreTime->value(), seconds) << "round trip";
    }
    frmMacTimers->hsbMacIgnoreTime->setValue(255);
    EXPECT_EQ(frmMacTimers->hsbMacIgnoreTime->value(), 63);
    frmMacTimers->reject();

    // A stored value that is not a multiple of 4 survives an OK that did not move the bar.
    image()[81] = 81;
    frmMacTimers->show();
    EXPECT_EQ(frmMacTimers->lblMacIgnoreTime->text(), "20s");
    frmMacTimers->OKBtnClick();
    EXPECT_EQ(image()[81], 81);
}

TEST_F(SmallEditors, TimersCancelAndCloseRestoreTheImage) {
    for (int i = 0; i < IMAGE_SIZE; ++i)
        image()[i] = uint8_t(i * 5 + 2);
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    // Shown modally as the channel table shows it; Cancel answers it.
    QTimer::singleShot(0, [this] {
        frmMacTimers->hsbMacHoldTime->setValue(1);
        frmMacTimers->hsbRssiLet->setValue(2);
        image()[100] = 0xEE; // any change made meanwhile is undone too
        frmMacTimers->CancelBtn->click();
    });
    EXPECT_EQ(frmMacTimers->exec(), QDialog::Rejected);
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);

    frmMacTimers->show();
    frmMacTimers->hsbMacResetRssi->setValue(3);
    frmMacTimers->close();
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);
}

TEST_F(SmallEditors, MainWindowOpensSelcallAndCodeWord) {
    for (QObject* command :
         std::initializer_list<QObject*>{frmBelmar->btnSelcall, frmBelmar->mnuSelcall,
                                         frmBelmar->btnEditCodeWord, frmBelmar->mnuEditCodeWord}) {
        const bool selcall = command == frmBelmar->btnSelcall || command == frmBelmar->mnuSelcall;
        QDialog* dialog = selcall ? static_cast<QDialog*>(frmSelcall) : frmCodeWord;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = dialog->isVisible();
            dialog->reject();
        });
        frmBelmar->EditButtonClick(command);
        EXPECT_TRUE(shown) << dialog->windowTitle().toStdString();
    }
    EXPECT_TRUE(frmBelmar->btnSelcall->isEnabled());
    EXPECT_TRUE(frmBelmar->mnuSelcall->isEnabled());
    EXPECT_TRUE(frmBelmar->btnEditCodeWord->isEnabled());
    EXPECT_TRUE(frmBelmar->mnuEditCodeWord->isEnabled());
}
