#pragma once
// The hardware settings tabs both programs' hardware dialogs lay out alike: "Squelch and
// S-Meter" (mute timing bars and the squelch preset), "Miscellaneous" (DTMF tone period and
// the testing box) and "Align Radio". A hardware dialog derives from HardwareTabs, so the
// controls are its own members; the image is reached through byte accessors.

#include "Image_fields.h"

#include <QString>

class HelpPane;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QWidget;

class HardwareTabs {
public:
    static constexpr int MUTE_OFF_DEBOUNCE = 0x33;
    static constexpr int MUTE_IGNORE = 0x35;
    static constexpr int SQUELCH = 0x46; // bit 4 SQL-1, bit 5 SQL-2, neither SQL-3
    static constexpr int TEST_OPTIONS = 0x47;
    static constexpr int DTMF_LOW = 0xAB;
    static constexpr int DTMF_HIGH = 0xAC; // bits 0-3; bits 4-7 belong to the selcall options
    static constexpr int DTMF_MAX = 4095;

    // Adds the three tabs to `pages`, in their order.
    void BuildHardwareTabs(QTabWidget* pages);
    // The help lines of the three tabs' controls; the squelch preset's line differs
    // between the radios.
    void BindHardwareHelp(HelpPane& help, const QString& squelchHelp);

    // The value label beside `bar` := position x 10 + " mSec".
    void ShowMuteValue(QScrollBar* bar);
    void LoadHardware(const ImageFields::ByteReader& read);
    // False, after telling the user and showing the field, when the typed period is above
    // 4095. With numberRequired a text that is no number is refused too (its conversion
    // error shown); without, it passes and StoreHardware shows the error.
    bool CheckDtmfPeriod(bool numberRequired);
    // Stores what the user changed of the bars, the squelch preset, the testing box and,
    // when it is a number, the DTMF period; every other bit is kept.
    void StoreHardware(const ImageFields::ByteReader& read,
                       const ImageFields::ByteWriter& write) const;

    QWidget* tabSquelch = nullptr;
    QWidget* tabMisc = nullptr;
    QWidget* tabTune = nullptr;

    QLabel* lblMuteOffDebounce = nullptr;
    QScrollBar* hsbMuteOffDebounce = nullptr;
    QLabel* lblMuteOffDebounceValue = nullptr;
    QLabel* lblMuteIgnore = nullptr;
    QScrollBar* hsbMuteIgnore = nullptr;
    QLabel* lblMuteIgnoreValue = nullptr;
    QGroupBox* gbSquelchSetting = nullptr;
    QRadioButton* rbUseSql1 = nullptr;
    QRadioButton* rbUseSql2 = nullptr;
    QRadioButton* rbUseSql3 = nullptr;

    QLabel* lblDtmfTonePeriod = nullptr;
    QLineEdit* txtDtmfTonePeriod = nullptr;
    QGroupBox* gbTest = nullptr;
    QCheckBox* chkMacDisplay = nullptr;

    QLabel* Label1 = nullptr;
    QPushButton* btnReadCalRadio = nullptr;
    QPushButton* btnReadCalFile = nullptr;

private:
    QWidget* BuildSquelchTab();
    QWidget* BuildMiscTab();
    QWidget* BuildTuneTab();
    void BindSquelch();

    QTabWidget* hardwarePages = nullptr;
    ImageFields hardwareFields;
};
