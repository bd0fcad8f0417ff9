#pragma once
// Fixture for tests of a second-generation dialog that edits the global image: the form is
// made fresh for each test, the image filled repeatably, and opening, OK, Cancel and the
// help triggers are done as the user does them.
//
//   class VoteTest : public EepromDialogFixture<TfrmEditVote, frmEditVote> {};

#include "Eeprom.h"
#include "support/ImageChanges.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QFocusEvent>
#include <QWidget>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace eepromcheck {

// Every byte from a fixed seed, so the bits a dialog does not own hold both values.
inline void FillRandom(uint32_t seed) {
    testsupport::FillFromSeed(eeprom.data, EEPROM::SIZE, seed);
}

inline QByteArray Snapshot() {
    return QByteArray(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
}

using testsupport::Change;
using testsupport::Changes;

} // namespace eepromcheck

template <typename Form, Form*& form> class EepromDialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        eeprom.Erase();
        form = new Form;
    }
    void TearDown() override {
        delete form;
        form = nullptr;
    }

    static void Open() { form->show(); }
    static void Focus(QWidget* control) {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(control, &in);
    }
    static void Hover(QWidget* control) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control, &enter);
    }
};
