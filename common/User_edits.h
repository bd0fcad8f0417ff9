#pragma once
// Which controls the user changed since they were loaded. Only the user's own actions
// count: typing, paste or drop into a box, an item chosen, a bar moved, an arrow or a box
// clicked. Qt's focus-out fixup, the program's own setText, setValue or setCurrentIndex and
// the focus passing through a control change nothing here.

#include <QObject>
#include <set>
#include <tuple>
#include <vector>

class QWidget;

class UserEdits {
public:
    // Records from now on the user's changes to a line edit, combo box, button, bar or
    // arrow pair (for an arrow pair, also its box's typing).
    void watch(QWidget* control);
    // A change the user made where no signal of the control tells it.
    void mark(const QWidget* control);
    // A grid cell the user changed (row and column counted from 0).
    void mark(const QWidget* grid, int row, int column);
    // The controls were just loaded: nothing is the user's yet.
    void clear();
    bool changed(const QWidget* control) const;
    bool changed(const QWidget* grid, int row, int column) const;
    bool anyChanged(const std::vector<QWidget*>& controls) const;

private:
    QObject context; // ends the connections with this record
    std::set<const QWidget*> edited;
    std::set<std::tuple<const QWidget*, int, int>> editedCells;
};
