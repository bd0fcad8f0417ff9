#pragma once
// Edits one normal channel of the channel table's store: frequencies, tones, options and
// name, stored under the channel number shown, which the user may change.

#include "Channel_edit.h"
#include "Chdata.h"
#include "Image_fields.h"

#include "Form.h"

class HelpPane;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class SpinButton;
class UpDown;

class TfrmEditChannel2 : public Form {
    Q_OBJECT
public:
    explicit TfrmEditChannel2(QWidget* parent = nullptr);

    // Called before each showing; OK stores the channel and writes its number to *slot.
    void SetChannelData(int* slot, ChData* store, const CH_NORMAL_STRUCT& record);

    void FormShow() override;
    void OKBtnClick();
    void CancelBtnClick();
    void chkTxDisableClick();
    void chkAlphaTagEnabledClick();
    void chkNarrowBandClick() { SetStepFromBandwidth(); }
    void cmbRxCtcssChange();
    void udChnlClick();
    void editChnlKeyPress(); // Enter in the channel box
    void udTxFreqClick(bool up);
    void udRxFreqClick(bool up);
    void editTxFreqKeyPress(QLineEdit* Sender); // Enter in either frequency box

    void ShowChannel();
    bool GetChannelData();
    bool ReadChannelNumber();
    void UpdateChannelControls(int channel);
    static void LoadToneList(QComboBox* box);
    static bool StrToFreq(const QString& text, uint32_t& hz);
    void SetStepFromBandwidth();
    static uint32_t SnapFrequency(uint32_t hz);
    static uint32_t RoundToStep(uint32_t hz, uint32_t step);
    bool CheckBand(uint32_t hz);
    // Short label of channel index i (slot i + 1) from the memory image: the first five
    // name characters for slots 1..99, "CH100".."CH124" above; "" outside 0..123.
    QString GetChannelName(int i) const;

    uint8_t BandByte = 0;
    CH_NORMAL_STRUCT ChannelRecord;
    int GivenChannel = 0;
    int EditedChannel = 0;
    int FreqStep = 12500;
    uint32_t MaxFrequency = 550000000;

    QLabel* lblChannelNumber;
    QLineEdit* editChnl;
    UpDown* udChnl;
    QGroupBox* TxGroup;
    QLabel* lblTxFreq;
    QLineEdit* editTxFreq;
    SpinButton* udTxFreq;
    QLabel* lblTxCtcss;
    QComboBox* cmbTxCtcss;
    QCheckBox* chkTxDisable;
    QCheckBox* chkTxLowPower;
    QCheckBox* chkBlEnabled;
    QCheckBox* chkTaEnabled;
    QGroupBox* RxGroup;
    QLabel* lblRxFreq;
    QLineEdit* editRxFreq;
    SpinButton* udRxFreq;
    QLabel* lblRxCtcss;
    QComboBox* cmbRxCtcss;
    QCheckBox* chkOsMem;
    QCheckBox* chkGsMem;
    QCheckBox* chkQMem;
    QCheckBox* chkSqlSwEnabled;
    QCheckBox* chkDcsInvertOK;
    QGroupBox* GeneralGroup;
    QCheckBox* chkChEnabled;
    QCheckBox* chkNarrowBand;
    QCheckBox* chkCpuXtalOffset;
    QCheckBox* chkDisableChannelHold;
    QCheckBox* chkAlphaTagEnabled;
    QLabel* lblAlphaTag;
    QLineEdit* txtChannelAlpha;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;

protected:
private:
    QWidget* BuildChannelRow();
    QGroupBox* BuildTransmit();
    QGroupBox* BuildReceive();
    QGroupBox* BuildGeneral();
    void BindFlags();
    void BindHelp();
    void SpinFrequency(QLineEdit* box, bool up);
    // OK puts a channel where the slot held none, or into another slot than the one given.
    bool StoresNewChannel() const;
    // Reads, checks and snaps one frequency box the user changed (else hz := stored); false
    // after a message.
    bool ReadFrequency(QLineEdit* box, const QString& invalidText, uint32_t stored, uint32_t& hz);

    int* channelOut = nullptr;
    ChData* store = nullptr;
    ImageFields flags; // the record's flags6 (offset 0) and flags7 (offset 1)
    UserEdits edits;   // the frequency boxes and tone lists
    HelpPane* help;
};

extern TfrmEditChannel2* frmEditChannel2;
