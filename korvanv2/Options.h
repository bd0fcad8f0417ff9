#pragma once
// "Radio Options" of the second generation: switch-on behaviour, the transmit time-out
// timer, CTCSS behaviour and level, global busy lockout, the S-meter, key beeps, the zone
// name and tag on the display, and the display's colour, brightness and contrast.
//
// Keeps no copy of the image: bytes 0x46..0x4A are held from opening to OK and written
// back whole on OK, the display byte 0x7C is written whole on OK, and the contrast 0x7D is
// stored the moment an arrow is clicked or a typed number is entered (Cancel leaves it).
// Colour, brightness and contrast are also sent to a connected radio as they change, so
// the user sees them.

#include "Form.h"
#include "Image_fields.h"
#include "Radio_options.h"

#include <cstdint>

class HelpPane;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextEdit;
class UpDown;

class TfrmOptions : public Form, public radio_options::Common {
    Q_OBJECT
public:
    explicit TfrmOptions(QWidget* parent = nullptr);

    void FormShow() override;
    void OKBtnClick();
    void CancelBtnClick();
    void chkTotEnabledClick();
    void hsbTotChange();
    void chkCtcssEnabledClick();
    void hsbCtcssLevelChange();
    void cbLevelClick();
    void udContrastClick();
    void editContrastDone();
    void btnGroupChannelTimersClick();

    void LoadRadioOptions();
    void SaveRadioOptions();
    void LoadDisplaySettings();
    uint8_t ComposeDisplayByte() const;

    // Escape and the close box close as Cancel does.
    void reject() override;

    QGroupBox* GroupBox1;
    QCheckBox* chkBlEnabled;
    QPushButton* btnGroupChannelTimers; // hidden and disabled

    QGroupBox* GroupBox3;
    QCheckBox* chkCtcssEnabled;
    QCheckBox* chkCtcssRpkEnabled;
    QCheckBox* chkCtcssSilentTail;
    QCheckBox* chkCtcssNb;
    QCheckBox* chkCtcssHangIn;
    QCheckBox* chkCtcssScan; // hidden
    QLabel* lblCtcssLevel;
    QScrollBar* hsbCtcssLevel;
    QLabel* lblCtcssLevelValue;

    QGroupBox* gbDisplaySetup;
    QComboBox* cbColour;
    QComboBox* cbLevel;
    QLineEdit* editContrast;
    UpDown* udContrast; // shows its position in editContrast
    QCheckBox* chkDisplayZoneName;
    QCheckBox* chkDisplayZoneTag;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;

    // Image bytes 0x46..0x4A from opening to OK.
    HeldBytes HeldFlags;

private:
    void buildGroups();
    void bindFields();
    void bindHelp();
    void connectHandlers();
    // Writes one display byte into the connected radio; a radio that does not answer is
    // passed over in silence.
    static void SendToRadio(uint16_t address, uint8_t value);
    // The contrast into the image at once, and to the radio.
    static void PreviewContrast(uint8_t contrast);

    ImageFields fields;
    HelpPane* help = nullptr;
};

extern TfrmOptions* frmOptions;
