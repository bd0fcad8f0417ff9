#pragma once
// Edits a vote group channel of the channel bank: up to 8 member channels, the voting
// option, its flags, name and tag. OK changes the caller's record in place.

#include "Chdata.h"
#include "Form.h"
#include "Image_fields.h"

class HelpPane;
class QCheckBox;
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

    void SetGroupData(int index, const ChData* store, ch_group_struct* record);
    void SetCaption(const QString& text);
    void ShowZoneName(const QString& text);

    void FormShow() override;
    int ShowGroup();
    int ShowAvailable(bool allZones);
    bool CanJoinGroup(int i, int zoneFilter) const;
    int AddMember(int n);
    int RemoveMember(int slot);
    void UpdateButtons();
    void btnAddClick();
    void btnRemoveClick();
    void chkSelectAllZonesClick();
    void btnOKClick();
    void btnCancelClick() { done(mrCancel); }

    int Members[GROUP_MEMBERS] = {};
    int MemberCount = 0;
    int AvailableCount = 0;
    int ChannelIndex = 0;
    int HighestMember = CH_COUNT; // a radio of 8 KiB keeps member numbers up to 255

    QLabel* lblName;
    QLineEdit* txtChannelAlpha;
    QLabel* lblTag;
    QLineEdit* editTag;
    QLabel* lblZone;
    QLabel* lblZoneName;
    QLabel* lblGroupList;
    QTableWidget* sgGroupList;
    QLabel* lblMACList;
    QTableWidget* sgMACList;
    QCheckBox* chkSelectAllZones;
    QPushButton* btnAdd;
    QPushButton* btnRemove;
    QGroupBox* rgVotingOption;
    QRadioButton* rbBusyVoting;
    QRadioButton* rbSignalVoting;
    QGroupBox* GeneralGroup;
    QCheckBox* chkDisplayVoteChannel;
    QGroupBox* TransmitGroup;
    QCheckBox* chkBlEnabled;
    QCheckBox* chkTxLowPower;
    QGroupBox* ReceiveGroup;
    QCheckBox* chkQMem;
    QCheckBox* chkSqlSwEnabled;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QTextEdit* memoHelp;

private:
    QWidget* BuildLists();
    QWidget* BuildOptions();
    void BindHelp();
    void FitRadioSize();
    QStringList ChannelRow(int n) const;

    const ChData* store = nullptr;
    ch_group_struct* record = nullptr;
    // The record's flags (offset 0) and flags1 (offset 1); its edits also tell whether the
    // user changed the name or the tag.
    ImageFields flags;
    HelpPane* help;
};

extern TfrmGrpEdit* frmGrpEdit;
