#pragma once
// The member slots of a vote group channel (channel numbers, 0 = empty slot) and the two
// lists of its editor: the members and the channels that may join, each one channel a row
// ("CH", "Name", "Tx Freq", "Rx Freq").

#include <QStringList>

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

// A member or available-channel list, sized for `rowsShown` rows.
QTableWidget* NewList(QWidget* parent, int rowsShown);
// Writes `rows` rows of cells; no rows leaves one blank row.
void ShowRows(QTableWidget* list, const QList<QStringList>& rows);

} // namespace members
