#include "Group_members.h"

#include "String_grid.h"
#include "platform/Host.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace members {

QString FaultText(int groupChannel, int memberChannel, bool memberHeld) {
    QString rule = QStringLiteral("A vote group cannot list an empty channel.");
    if (memberChannel == groupChannel)
        rule = QStringLiteral("A vote group cannot list itself.");
    else if (!memberHeld)
        rule = QStringLiteral("A vote group cannot list a channel the radio does not have.");
    return rule + QStringLiteral("\nGroup CH%1 lists CH%2.").arg(groupChannel).arg(memberChannel);
}

bool AskToJoin(int channel, const std::vector<int>& groupChannels) {
    if (groupChannels.empty())
        return true;
    QStringList groups;
    for (int group : groupChannels)
        groups << QStringLiteral("CH%1").arg(group);
    const bool one = groups.size() == 1;
    const QString question =
        QStringLiteral("CH%1 is a member of vote %2 %3.\nA channel put in CH%1 takes part in "
                       "%4 voting.\nUse CH%1?")
            .arg(channel)
            .arg(one ? QStringLiteral("group") : QStringLiteral("groups"),
                 groups.join(QStringLiteral(", ")),
                 one ? QStringLiteral("that group's") : QStringLiteral("those groups'"));
    return platform::host().messageBox(question, QStringLiteral("Vote Group Member"),
                                       platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION) ==
           platform::IDOK;
}

namespace {
constexpr int ROW_HEIGHT = 18;
constexpr int NAME_LENGTH = 9;
constexpr int CHANNEL_DIGITS = 3;
} // namespace

int Count(const int* entries, int size) {
    return int(std::count_if(entries, entries + size, [](int n) { return n != 0; }));
}

int SlotOfRow(const int* entries, int size, int row) {
    if (row < 0)
        return -1;
    for (int slot = 0; slot < size; ++slot)
        if (entries[slot] != 0 && row-- == 0)
            return slot;
    return -1;
}

int Add(int* entries, int size, int n, bool unique) {
    if (unique && n != 0 && std::find(entries, entries + size, n) != entries + size)
        return -1;
    int* empty = std::find(entries, entries + size, 0);
    if (empty == entries + size)
        return -1;
    *empty = n;
    return int(empty - entries);
}

int Remove(int* entries, int size, int slot) {
    if (slot < 0 || slot >= size)
        return -1;
    entries[slot] = 0;
    std::stable_partition(entries, entries + size, [](int n) { return n != 0; });
    return slot;
}

QTableWidget* NewList(QWidget* parent, int rowsShown) {
    auto* list = new QTableWidget(parent);
    const QStringList frequencies = {QStringLiteral("000.00000")};
    const int width =
        grid::Setup(list,
                    {{"CH", 25, {QString(CHANNEL_DIGITS, QLatin1Char('0'))}},
                     {"Name", 70, grid::AnyText(NAME_LENGTH, QStringLiteral("( %1 )"))},
                     {"Tx Freq", 90, frequencies},
                     {"Rx Freq", 90, frequencies}},
                    ROW_HEIGHT);
    grid::FitSize(list, width + 5, rowsShown);
    return list;
}

void ShowRows(QTableWidget* list, const QList<QStringList>& rows) {
    list->setRowCount(std::max<int>(int(rows.size()), 1));
    if (rows.isEmpty())
        grid::SetRow(list, 0, {});
    for (int row = 0; row < rows.size(); ++row)
        grid::SetRow(list, row, rows[row]);
}

QGridLayout* LayOutLists(QWidget* panel, QLayout* heading, const Lists& lists, QPushButton* add,
                         QPushButton* remove) {
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(add);
    moves->addWidget(remove);
    moves->addStretch(1);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading, 0, 0, 1, 3);
    layout->addWidget(lists.groupLabel, 1, 0);
    layout->addWidget(lists.availableLabel, 1, 2);
    layout->addWidget(lists.group, 2, 0);
    layout->addLayout(moves, 2, 1);
    layout->addWidget(lists.available, 2, 2);
    return layout;
}

void EnableMoves(QPushButton* add, QPushButton* remove, int available, int members, int room) {
    add->setEnabled(available != 0 && members < room);
    remove->setEnabled(members != 0);
}

} // namespace members
