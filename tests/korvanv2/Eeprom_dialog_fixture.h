#pragma once
// Fixture for tests of a second-generation dialog that edits the global image: the form is
// made fresh for each test, the image filled repeatably, and opening, OK, Cancel and the
// help triggers are done as the user does them.
//
//   class VoteTest : public EepromDialogFixture<TfrmEditVote, frmEditVote> {};

#include "Eeprom.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QFocusEvent>
#include <QWidget>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <vector>

namespace eepromcheck {

// Every byte from a fixed seed, so the bits a dialog does not own hold both values.
inline void FillRandom(uint32_t seed) {
    std::mt19937 generator(seed);
    for (int i = 0; i < EEPROM::SIZE; ++i)
        eeprom.SetByte(i, uint8_t(generator()));
}

inline QByteArray Snapshot() {
    return QByteArray(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
}

struct Change {
    int offset;
    uint8_t bits; // the bits that differ
    bool operator==(const Change& other) const {
        return offset == other.offset && bits == other.bits;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Change& change) {
    return out << "{0x" << std::hex << change.offset << ", 0x" << int(change.bits) << std::dec
               << "}";
}

inline std::vector<Change> Changes(const QByteArray& before, const QByteArray& after) {
    std::vector<Change> changes;
    for (int i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i])
            changes.push_back({i, uint8_t(before[i] ^ after[i])});
    return changes;
}

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
