#pragma once
// Fixture for tests of the second program's image editors: fresh settings, every form
// created as the program creates them, a scripted host, and the image object filled,
// snapshotted and compared bit by bit.
//
//   class OptionsV2 : public ImageEditorFixture<TfrmOptions, frmOptions> {};
//   TEST_F(OptionsV2, Something) {
//       eeprom.SetByte(0x36, 30);
//       Open();
//       Ok();
//   }

#include "Eeprom.h"
#include "Forms.h"
#include "platform/ScriptedHost.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFocusEvent>
#include <QPushButton>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <random>
#include <vector>

namespace imagecheck {

// The whole image from a fixed seed, so unlisted bits hold both values.
inline void FillRandom(uint32_t seed) {
    std::mt19937 generator(seed);
    for (int i = 0; i < EEPROM::SIZE; ++i)
        eeprom.SetByte(i, uint8_t(generator()));
}

inline QByteArray Snapshot() {
    QByteArray bytes(EEPROM::SIZE, 0);
    for (int i = 0; i < EEPROM::SIZE; ++i)
        bytes[i] = char(eeprom.GetByte(i));
    return bytes;
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

} // namespace imagecheck

template <typename Form, Form*& form> class ImageEditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
        ASSERT_TRUE(base.startsWith(QDir::tempPath())) << "settings outside a test folder";
        QDir(base + QStringLiteral("/Tarq")).removeRecursively();
        eeprom.Erase();
        CreateForms();
    }
    void TearDown() override { DestroyForms(); }

    static uint8_t Byte(int offset) { return eeprom.GetByte(offset); }
    static void Set(int offset, uint8_t value) { eeprom.SetByte(offset, value); }

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

    // For each seed: fill(seed) fills the image, the dialog is opened and OK changes no bit.
    template <typename Fill>
    static void ExpectOkKeepsEveryByte(std::initializer_list<uint32_t> seeds, Fill fill) {
        for (uint32_t seed : seeds) {
            fill(seed);
            const QByteArray before = imagecheck::Snapshot();
            Open();
            Ok();
            EXPECT_EQ(imagecheck::Changes(before, imagecheck::Snapshot()),
                      std::vector<imagecheck::Change>{})
                << "seed " << seed;
        }
    }

    platform::ScriptedHost host;
};
