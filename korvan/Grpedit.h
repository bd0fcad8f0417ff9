#pragma once
// Adds or edits a vote group channel: a channel in slots 1..99 that lists 6 or 8 member
// channels, with its voting mode, options and name. Works on the channel table's store.

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
class QRadioButton;
class QTableWidget;
class QTextEdit;

class TfrmGrpEdit : public Form {
    Q_OBJECT
public:
    explicit TfrmGrpEdit(QWidget* parent = nullptr);

    // Called before each showing. mode 0 adds (the caller's slot receives the chosen
    // free slot on OK), mode 1 edits the group in *slot. The record is read when shown
    // and written on OK.
    void SetGroupData(int* slot, ChData* store, int mode, CH_GROUP_STRUCT* record);

    void FormShow() override;
    void btnAddClick();
    void sgMACListDblClick() { btnAddClick(); }
    void btnRemoveClick();
    void rbMAC_6Click();
    void rbMAC_8Click();
    void btnOKClick();
    void btnCancelClick();

    void InitGroupGrid();
    void InitAvailableGrid();
    int ShowGroup();
    int ShowAvailable();
    bool CanJoinGroup(int slot) const;
    int AddMember(int slot);
    int RemoveMember(int entry);
    void TrimMembers();
    void UpdateButtons();
    void LoadFreeChannels();

    int GroupMode = 0; // 0 add, 1 edit
    int AvailableCount = 0;
    int MemberCount = 0;
    int GroupSize = 6;
    int MemberSlots[GROUP_MEMBERS] = {};  // packed from the front, 0 = none
    int ShownMembers[GROUP_MEMBERS] = {}; // MemberSlots as the showing listed them
    int GroupChannelNumber = 0;

    QLabel* lblChannelNumber;
    QLineEdit* editChannel;
    QComboBox* cbChannel;
    QLabel* Label1;
    QTableWidget* sgGroupList;
    QLabel* Label2;
    QTableWidget* sgMACList;
    QPushButton* btnAdd;
    QPushButton* btnRemove;
    QGroupBox* rgVotingOption;
    QRadioButton* rbBusyVoting;
    QRadioButton* rbSignalVoting;
    QGroupBox* GroupBox1;
    QLabel* Label3;
    QCheckBox* chkAlphaTagEnabled;
    QLineEdit* txtChannelAlpha;
    QLabel* Label4;
    QRadioButton* rbMAC_6;
    QRadioButton* rbMAC_8;
    QGroupBox* GroupBox2;
    QCheckBox* chkBlEnabled;
    QCheckBox* chkTxLowPower;
    QGroupBox* GroupBox3;
    QCheckBox* chkQMem;
    QCheckBox* chkSqlSwEnabled;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QTextEdit* memoHelp;

protected:
private:
    QWidget* BuildLists();
    QWidget* BuildOptions();
    void BindFlags();
    void BindHelp();
    void SetGroupSize(int size);
    QStringList ListChannel(int slot) const;

    int* channelOut = nullptr;
    ChData* store = nullptr;
    CH_GROUP_STRUCT* record = nullptr;
    ImageFields flags; // the record's flags6 (offset 0) and flags7 (offset 1)
    HelpPane* help;
};

extern TfrmGrpEdit* frmGrpEdit;
