#pragma once
// Fixture for the second program's image editors that need the program around them: every
// form created as the program creates them (the main window, the dialogs they open), fresh
// settings and a scripted host.
//
//   class OptionsV2 : public ImageEditorFixture<TfrmOptions, frmOptions> {};
//   TEST_F(OptionsV2, Something) {
//       eeprom.SetByte(0x36, 30);
//       Open();
//       Ok();
//   }

#include "Eeprom_dialog_fixture.h"
#include "Forms.h"
#include "platform/ScriptedHost.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <initializer_list>

template <typename Form, Form*& form>
class ImageEditorFixture : public EepromDialogFixture<Form, form> {
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
    static void Ok() { form->OKBtn->click(); }
    static void Cancel() { form->CancelBtn->click(); }

    // For each seed: fill(seed) fills the image, the dialog is opened and a click on OK
    // changes no bit.
    template <typename Fill>
    static void ExpectOkKeepsEveryByte(std::initializer_list<uint32_t> seeds, Fill fill) {
        for (uint32_t seed : seeds) {
            fill(seed);
            const QByteArray before = eepromcheck::Snapshot();
            form->show();
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            EXPECT_EQ(eepromcheck::Changes(before, eepromcheck::Snapshot()),
                      std::vector<eepromcheck::Change>{})
                << "seed " << seed;
        }
    }

    platform::ScriptedHost host;
};
