#pragma once
// Typing into a form's boxes and grid cells as a user does, key by key.

#include "support/Waits.h"

#include <QLineEdit>
#include <QString>
#include <QTableWidget>
#include <QTest>

namespace testsupport {

// Selects the box's text, deletes it and types `text` in its place.
inline void TypeOver(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Opens the editor of a grid cell and leaves it by Enter without typing; true once the
// editor has closed.
inline bool LeaveCellEditorUntyped(QTableWidget* grid, int row, int column) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    const QModelIndex cell = grid->model()->index(row, column);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    if (!editor)
        return false;
    QTest::keyClick(editor, Qt::Key_Return);
    return QTest::qWaitFor([&] { return !grid->indexWidget(cell); }, WAIT_LIMIT_MS);
}

} // namespace testsupport
