#pragma once
// The member slots of a vote group channel (channel numbers, 0 = empty slot) and the two
// lists of its editor: the members and the channels that may join, each one channel a row
// ("CH", "Name", "Tx Freq", "Rx Freq").

#include "Help_pane.h"

#include <QStringList>
#include <vector>

class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;
class QTableWidget;
class QWidget;

namespace members {

// Number of non-zero entries.
int Count(const int* entries, int size);
// The slot listed on `row` of the member list (rows list the non-zero entries in order);
// -1 when the row lists none.
int SlotOfRow(const int* entries, int size, int row);
// Puts channel n into the first empty slot and returns that slot; -1 when every slot is
// used, or with `unique` when n is already a member.
int Add(int* entries, int size, int n, bool unique);
// Empties `slot` and moves the remaining members to the front in their order; -1 for a
// slot outside 0..size-1.
int Remove(int* entries, int size, int slot);

// Why a group may not be stored as it is: it lists itself, an empty channel or one the radio
// does not have (channel numbers as the user sees them).
QString FaultText(int groupChannel, int memberChannel, bool memberHeld = true);
// Asks (OK/Cancel) before a channel is stored in `channel`, an empty slot that the groups in
// `groupChannels` list, naming each, so that no channel joins a group unseen; true for OK,
// and at once when no group lists the slot.
bool AskToJoin(int channel, const std::vector<int>& groupChannels);
// The same for the one group in `groupChannel`, none when it is 0.
inline bool AskToJoin(int channel, int groupChannel) {
    return AskToJoin(channel,
                     groupChannel != 0 ? std::vector<int>{groupChannel} : std::vector<int>{});
}

// A member or available-channel list, sized for `rowsShown` rows.
QTableWidget* NewList(QWidget* parent, int rowsShown);
// Writes `rows` rows of cells; no rows leaves one blank row.
void ShowRows(QTableWidget* list, const QList<QStringList>& rows);

// The editor's two lists under their labels, Add and Remove between them.
struct Lists {
    QLabel* groupLabel;
    QTableWidget* group;
    QLabel* availableLabel;
    QTableWidget* available;
};
// The lists below `heading` in the panel's grid (rows 0 to 2), which is returned.
QGridLayout* LayOutLists(QWidget* panel, QLayout* heading, const Lists& lists, QPushButton* add,
                         QPushButton* remove);
// Add while a channel is available and the group has room, Remove while it has members.
void EnableMoves(QPushButton* add, QPushButton* remove, int available, int members, int room);

// The help lines of the controls every group editor has.
template <class Editor> void BindSharedHelp(HelpPane& help, const Editor& editor) {
    help.bind(editor.chkBlEnabled, {QStringLiteral("Busy lockout")});
    help.bind(editor.chkTxLowPower,
              {QStringLiteral("Transmit on low power for all channels in group.")});
    help.bind(editor.btnOK, {QStringLiteral("Save and exit.")});
    help.bind(editor.btnCancel, {QStringLiteral("Exit without saving.")});
    help.bind(editor.sgMACList, {QStringLiteral("Channels that can be added to vote group")});
    help.bind(editor.sgGroupList, {QStringLiteral("Channels in the vote group")});
}

} // namespace members
