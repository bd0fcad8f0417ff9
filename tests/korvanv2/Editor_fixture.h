#pragma once
// Fixture for tests of the second program's radio-wide editors: the image object filled
// as a test needs, the selcall options, selcall idents and user buttons dialogs made
// fresh, a scripted host, and the bits an action changed.

#include "Eeprom.h"
#include "Eeprom_dialog_fixture.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "User_btn.h"
#include "platform/ScriptedHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        eeprom.Erase();
        frmSelcall = new TfrmSelcall;
        frmSelcallIdents = new TfrmSelcallIdents;
        frmUserButtons = new TfrmUserButtons;
    }
    void TearDown() override {
        delete frmUserButtons;
        delete frmSelcallIdents;
        delete frmSelcall;
        frmUserButtons = nullptr;
        frmSelcallIdents = nullptr;
        frmSelcall = nullptr;
    }

    static void Set(int address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes)
            eeprom.SetByte(address++, b);
    }
    static std::vector<uint8_t> Bytes(int address, int count) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < count; ++i)
            bytes.push_back(eeprom.GetByte(address + i));
        return bytes;
    }
    static void FillRandom(uint32_t seed) { eepromcheck::FillRandom(seed); }
    static QByteArray Snapshot() { return eepromcheck::Snapshot(); }
    // The offsets whose bytes differ.
    static std::vector<int> Changed(const QByteArray& before) {
        return testsupport::ChangedOffsets(before, Snapshot());
    }

    platform::ScriptedHost host;
};
