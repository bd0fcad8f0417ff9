#pragma once
// "Radio Options": what the radio does at power switch-on, the transmit time-out timer,
// CTCSS behaviour and level, the S-meter, key beeps, and the display's colour, brightness
// and contrast. Works on the main window's image; the two display bytes are written
// through eeBuffer the moment the user picks an item or clicks an arrow (Cancel takes them
// back with the rest of the image), a typed contrast by OK.

#include "Image_dialog.h"
#include "Image_fields.h"
#include "Radio_options.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class UpDown;

class TfrmOptions : public ImageDialog, public radio_options::Common {
    Q_OBJECT
public:
    explicit TfrmOptions(QWidget* parent = nullptr);

    void FormShow() override;
    void OKBtnClick() override;
    void chkTotEnabledClick();
    void hsbTotChange();
    void chkCtcssEnabledClick();
    void hsbCtcssLevelChange();
    void chkSMeterEnabledClick();
    void chkAuxPttEnableClick();
    void comboLevelClick();
    void udContrastClick();

    void LoadRadioOptions();
    void SaveRadioOptions();
    void LoadContrast();
    void LoadDisplaySettings();
    uint8_t ComposeDisplayByte() const;

    QGroupBox* GroupBox3;
    QCheckBox* chkCtcssEnabled;
    QCheckBox* chkCtcssRpkEnabled;
    QCheckBox* chkCTCSSSilentTail;
    QCheckBox* chkCtcssNb;
    QCheckBox* chkCtcssHangIn;
    QCheckBox* chkCtcssScan; // hidden
    QLabel* lblCtcssLevel;
    QScrollBar* hsbCtcssLevel;
    QLabel* lblCtcssLevelValue;

    QCheckBox* chkAuxBusyEnable; // hidden
    QCheckBox* chkAuxBusyHigh;   // hidden
    QCheckBox* chkAuxPttEnable;  // hidden, bound to no image bit
    QCheckBox* chkAuxPttHigh;    // hidden, bound to no image bit
    QCheckBox* chkAudioMuteIn;   // hidden, bound to no image bit

    QGroupBox* gbDisplay;
    QComboBox* comboColour;
    QComboBox* comboLevel;
    QLineEdit* editContrast;
    UpDown* udContrast; // shows its position in editContrast

private:
    void buildAuxBoxes();
    void bindFields();
    void bindContrast();
    void bindAuxHelp();
    void connectHandlers();

    ImageFields fields;
};

extern TfrmOptions* frmOptions;
