#pragma once
// Edits one normal channel of the channel bank: frequencies, tones, options, name and tag.
// The zone is shown, never changed. OK changes the caller's record in place.

#include "Channel_edit.h"
#include "Chdata.h"
#include "Form.h"
#include "Image_fields.h"

class HelpPane;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class SpinButton;

class TfrmEditChannel2 : public Form {
    Q_OBJECT
public:
    // Frequencies from here up do not fit the 16-bit step code.
    static constexpr uint32_t FREQUENCY_CEILING = 819200000;

    explicit TfrmEditChannel2(QWidget* parent = nullptr);

    // The store is the one the record goes into: OK keeps its rule on vote groups.
    void SetChannel(int index, ch_normal_struct* record, const ChData* store);
    void SetCaption(const QString& text);
    void ShowZoneName(const QString& text);

    void FormShow() override;
    void ShowChannel();
    void OKBtnClick();
    void CancelBtnClick() { done(mrCancel); }
    void chkTxDisableClick();
    void cmbRxCtcssChange();
    void udTxFreqClick(bool up);
    void udRxFreqClick(bool up);
    void editTxFreqKeyPress(QLineEdit* Sender); // Enter in either frequency box
    bool GetChannelData();
    // Typed MHz to Hz; false for text that is no frequency the radio can store.
    static bool StrToFreq(const QString& text, uint32_t& hz);

    ch_normal_struct Channel; // the held copy
    int ChannelIndex = 0;
    uint32_t TxStep = 6250;
    uint32_t RxStep = 6250;
    uint8_t BandByte = 0;

    QLabel* lblAlphaTag;
    QLineEdit* txtChannelAlpha;
    QLabel* lblTag;
    QLineEdit* editChTag;
    QLabel* lblZone;
    QLabel* lblZoneName;
    QGroupBox* TxGroup;
    QLabel* lblTxFreq;
    QLineEdit* editTxFreq;
    SpinButton* udTxFreq;
    QRadioButton* rbTx_1;
    QRadioButton* rbTx_2;
    QCheckBox* chkTxDisable;
    QLabel* lblTxCtcss;
    QComboBox* cmbTxCtcss;
    QCheckBox* chkTxLowPower;
    QCheckBox* chkBlEnabled;
    QCheckBox* chkTaEnabled;
    QGroupBox* RxGroup;
    QLabel* lblRxFreq;
    QLineEdit* editRxFreq;
    SpinButton* udRxFreq;
    QRadioButton* rbRx_1;
    QRadioButton* rbRx_2;
    QLabel* lblRxCtcss;
    QComboBox* cmbRxCtcss;
    QCheckBox* chkOsMem;
    QCheckBox* chkGsMem;
    QCheckBox* chkQMem;
    QCheckBox* chkSqlSwEnabled;
    QCheckBox* chkDcsInvertOK;
    QGroupBox* GeneralGroup;
    QCheckBox* chkNarrowBand;
    QCheckBox* chkCpuXtalOffset;
    QCheckBox* chkDisableChannelHold;
    QCheckBox* chkChEnabled;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;

private:
    QWidget* BuildNameRow();
    QGroupBox* BuildTransmit();
    QGroupBox* BuildReceive();
    QGroupBox* BuildGeneral();
    void BindHelp();
    void SpinFrequency(QLineEdit* box, uint32_t step, bool up);
    // Reads, snaps and checks a frequency box the user changed (else hz := stored); false
    // after a message.
    bool ReadFrequency(QLineEdit* box, uint32_t step, const QString& invalidText, uint32_t stored,
                       uint32_t& hz);
    void ChooseSteps();
    void FitRadioSize();

    ch_normal_struct* record = nullptr;
    const ChData* store = nullptr;
    QString shownTag;
    UserEdits edits;   // the frequency boxes and tone lists
    ImageFields flags; // the record's flags (offset 0) and flags1 (offset 1)
    HelpPane* help;
};

extern TfrmEditChannel2* frmEditChannel2;
