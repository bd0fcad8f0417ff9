#pragma once
// "Channel Data" of the second program: the 500 channels, one tab per active zone plus
// "Unused", with adding, editing, deleting, cut, copy, paste and moving of channels, the
// zone commands, reading the channels of another programming file, and vote setup. It
// works on its own store and zone table; only OK writes them into the image.

#include "Chdata.h"
#include "Eeprom.h"
#include "Form.h"
#include "Zones.h"

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTabBar;
class QTableWidget;
class QTextEdit;
class QPushButton;

class TfrmChnlBank : public Form {
    Q_OBJECT
public:
    explicit TfrmChnlBank(QWidget* parent = nullptr);
    ~TfrmChnlBank() override;

    void FormShow() override;
    void Refresh();
    void RebuildTabs();
    void UpdateZonesMenu();
    void TabControl1Change(int tab);
    void PopupMenuZonesPopup();
    void PopupMenuChannelPopup();

    void btnAddChannelClick();
    void btnEditChannelClick();
    void btnDeleteChannelClick();
    void mnuCutChannelClick();
    void mnuCopyChannelClick();
    void mnuPasteChannelClick();
    void mnuRemoveChannelClick();
    void mnuMovetoZoneClick();
    void mnuInsertChannelClick();
    void mnuAddZoneClick();
    void mnuEditZoneClick();
    void mnuDeleteZoneClick();
    void menuEnableZonesClick();
    void btnImportClick();
    void editVoteOptionsClick();
    void menuEnableCBClick() {}
    void menuEditCBOptionsClick();
    void btnOKClick();
    void btnCancelClick() { done(mrOk); }

    // Channels the current tab lists (zones off: those of zones 1..50).
    int CountListed() const;
    // Channel number in column 0 of the current row; 0 when it holds none.
    int SelectedChannel() const;
    bool IsListed(int i) const;

    std::unique_ptr<ChData> Channels;
    // The store as it came in (opening, Read Channels): OK refuses only group faults the
    // user made since.
    std::unique_ptr<ChData> Received;
    ZoneRecord Zones[ZONE_COUNT + 1];
    bool ZonesOn = false;
    uint8_t Byte71 = 0;
    uint8_t Byte74 = 0;
    uint8_t Byte76 = 0;
    uint8_t Byte40 = 0;
    int RadioSize = 0; // by the image's size byte at opening
    int CurrentZone = 0;
    int TabZones[ZONE_COUNT + 1] = {};
    ch_normal_struct NewNormal;
    ch_group_struct NewGroup;
    ch_data_struct ClipRecord;
    int ClipSource = -1;
    int SelectedRow = 0; // grid row (0 the first channel row) to select after a refresh
    EEPROM ImportBuffer; // Read Channels' file, taken in as every image is
    QString ImportFile;

    QMenuBar* MainMenu;
    QAction* menuReadChannels;
    QAction* menuEnableZones;
    QAction* mnuAddZone;
    QAction* mnuEditZone;
    QAction* mnuDeleteZone;
    QAction* menuAddChannel;
    QAction* menuEditChannel;
    QAction* menuDeleteChannel;
    QAction* editVoteOptions;
    QAction* menuEnableCB;
    QAction* menuEditCBOptions;
    QMenu* PopupMenuZones;
    QAction* popAddZone;
    QAction* popDeleteZone;
    QAction* popEditZone;
    QMenu* PopupMenuChannel;
    QAction* popAddChannel;
    QAction* popDeleteChannel;
    QAction* popEditChannel;
    QAction* mnuInsertChannel;
    QAction* mnuRemoveChannel;
    QAction* mnuMovetoZone;
    QAction* mnuCutChannel;
    QAction* mnuCopyChannel;
    QAction* mnuPasteChannel;
    QTabBar* TabControl1;
    QLabel* lblZone0;
    QLabel* lblZoneName;
    QLineEdit* editZoneName;
    QLabel* lblZoneTag;
    QLineEdit* editZoneTag;
    QTableWidget* listChannel;
    QTextEdit* memoHelp;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildPopups();
    void SetupGrid();
    bool IsZoneHeader(const QObject* watched) const;
    void ShowHeader();
    void ShowRow(int row, int i);
    void SelectChannelRow(int number);
    void SelectZoneTab(int zone);
    QString ZoneText() const;
    bool RefuseGroupMember(int i, const QString& caption);
    bool RefuseZoneInUse(int z);
    bool RefuseEmpty(const QString& caption);
    // A channel put in empty channel i joins every group that lists it: true when none does
    // or the user says so.
    bool MayJoinGroup(int i) const;
    // Refuses, with a message, a new group in channel i when a group lists i.
    bool RefuseNesting(int i) const;
    void AddGroup(int i);
    void AddNormal(int i);
    void LoadZoneTable(const uint8_t* image);
    // What the radio keeps of an image: above its size everything reads as erased.
    std::vector<uint8_t> RadioPart(std::vector<uint8_t> image) const;
    // A file read into a radio of 8 KiB: refused when a group lists a channel above what the
    // radio numbers, asked about when names, tags or zones would be left behind.
    bool TakeRadioPart(const std::vector<uint8_t>& file) const;
    bool HoldsZones() const;
    QString NewTag(int i) const;
    int ActiveZoneCount() const;
};

extern TfrmChnlBank* frmChnlBank;
