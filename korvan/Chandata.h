#pragma once
// The "Channel Data" dialog: every channel of the radio in a table, with adding, editing,
// deleting, cut, copy and paste of normal and group channels and the two global channel
// options. It works on a channel store loaded from the memory image when it opens; only OK
// puts the store back into the image.

#include "Chdata.h"
#include "Ctcss.h"
#include "Image_fields.h"

#include "Form.h"
#include <memory>

class HelpPane;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QTextEdit;

class TfrmChannelData : public Form, public ToneHzLabels {
    Q_OBJECT
public:
    explicit TfrmChannelData(QWidget* parent = nullptr);

    void FormShow() override;
    void FormClose();
    void btnNewChannelClick();
    void btnEditChannelClick();
    void btnDeleteChannelClick();
    void btnMacTimersClick();
    void chkEnableCbClick();
    void btnCbEditClick();
    void chkShowAllClick() { FillChannelList(); }
    void OKBtnClick();
    void CancelBtnClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();

    void SetupChannelGrid();
    void FillChannelList();
    void ShowNormalRow(int row, int slot, const CH_NORMAL_STRUCT& channel);
    void ShowGroupRow(int row, int slot, const CH_GROUP_STRUCT& group);
    void LoadGlobalBoxes();
    void SaveGlobalBoxes();
    // The slot of the selected row; 0 when it holds none (the blank row of an empty table).
    int SelectedSlot() const;

    // The store exists while the dialog is open.
    std::unique_ptr<ChData> Channels;
    // The records a new normal or group channel starts from: the last one of its kind
    // stored by an add or edit.
    CH_NORMAL_STRUCT DefaultNormalChannel;
    CH_GROUP_STRUCT DefaultGroupChannel;
    int LastEditedSlot = 0;
    uint8_t BandByte = 0;
    CH_DATA_STRUCT ChannelClipboard; // kept from one showing to the next

    QLabel* Panel4;
    QTableWidget* listChannel;
    QPushButton* btnNewChannel;
    QPushButton* btnEditChannel;
    QPushButton* btnDeleteChannel;
    QPushButton* btnMacTimers;
    QCheckBox* chkEnableCb;
    QPushButton* btnCbEdit;
    QCheckBox* chkBlEnabled;
    QCheckBox* chkShowAll;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;
    QMenu* PopupChData;
    QAction* Add1;
    QAction* Edit1;
    QAction* Cut1;
    QAction* Copy1;
    QAction* Paste1;

    void done(int result) override;

protected:
private:
    void FormCreate();
    QWidget* BuildControls();
    void BuildPopup();
    void BindHelp();
    void AddGroupChannel();
    void AddNormalChannel();
    // Shows "Channel is used in Group CH.." and gives true when a group lists the slot.
    bool RefuseGroupMember(int slot);
    bool PasteRefused(int target);
    int NestedMember(int target) const;
    void NoSpareChannels();

    ImageFields globals;
    HelpPane* help;
};

extern TfrmChannelData* frmChannelData;
