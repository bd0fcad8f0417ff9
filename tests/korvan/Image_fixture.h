#pragma once
// Fixtures for tests of the dialogs that edit the main window's memory image: the image,
// byte runs of it, and (for an ImageDialog) opening the dialog and answering it with OK
// or Cancel as the user does.
//
//   class OptionsTest : public ImageDialogFixture<TfrmOptions, frmOptions> {};
//   TEST_F(OptionsTest, Something) {
//       image()[0x36] = 30;
//       Open();
//       Ok();
//   }

#include "Image_checks.h"
#include "Korvan_fixture.h"
#include "support/Waits.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

class ImageFixture : public KorvanFixture {
protected:
    static uint8_t* image() { return frmBelmar->RadioData; }
    static void Set(int address, std::initializer_list<uint8_t> bytes) {
        std::memcpy(image() + address, bytes.begin(), bytes.size());
    }
    static std::vector<uint8_t> Bytes(int address, int count) {
        return std::vector<uint8_t>(image() + address, image() + address + count);
    }
    // Runs `session` in the modal dialog's own event loop, once it is the active window (so
    // keys reach its focus chain); a dialog the session leaves open is cancelled. Call it
    // just before what opens the dialog.
    static void WhenActive(QDialog* dialog, std::function<void()> session) {
        QTimer::singleShot(0, dialog, [dialog, session] {
            dialog->activateWindow();
            if (QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; },
                                testsupport::WAIT_LIMIT_MS))
                session();
            else
                ADD_FAILURE() << dialog->windowTitle().toStdString() << " is not active";
            if (dialog->isVisible())
                dialog->reject();
        });
    }
};

template <typename Form, Form*& form> class ImageDialogFixture : public ImageFixture {
protected:
    static void Open() { form->show(); }
    static void Ok() { form->OKBtn->click(); }
    static void Cancel() { form->CancelBtn->click(); }

    // The help pane's triggers: the focus entering a control, the mouse entering it.
    static void Focus(QWidget* control) {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(control, &in);
    }
    static void Hover(QWidget* control) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control, &enter);
    }

    // For each seed: fill(seed) fills the image, the dialog is opened and a click on OK
    // changes no bit.
    template <typename Fill>
    static void ExpectOkKeepsEveryByte(std::initializer_list<uint32_t> seeds, Fill fill) {
        for (uint32_t seed : seeds) {
            fill(seed);
            const QByteArray before = imagecheck::Snapshot();
            Open();
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            EXPECT_EQ(imagecheck::Changes(before, imagecheck::Snapshot()),
                      std::vector<imagecheck::Change>{})
                << "seed " << seed;
        }
    }
};
