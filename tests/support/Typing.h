#pragma once
// Typing into a form's boxes and grid cells as a user does, key by key, and putting text in
// with the clipboard and the mouse.

#include "support/Waits.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <memory>

namespace testsupport {

// Selects the box's text, deletes it and types `text` in its place.
inline void TypeOver(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Opens the editor of a grid cell, runs `type` on it and leaves it by Enter; true once the
// editor has closed.
inline bool EditCell(QTableWidget* grid, int row, int column,
                     const std::function<void(QLineEdit*)>& type) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    const QModelIndex cell = grid->model()->index(row, column);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    if (!editor)
        return false;
    type(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    return QTest::qWaitFor([&] { return !grid->indexWidget(cell); }, WAIT_LIMIT_MS);
}

// Leaves the cell's editor without typing.
inline bool LeaveCellEditorUntyped(QTableWidget* grid, int row, int column) {
    return EditCell(grid, row, column, [](QLineEdit*) {});
}

// Types `text` over what the cell shows.
inline bool TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    return EditCell(grid, row, column, [&text](QLineEdit* editor) { TypeOver(editor, text); });
}

// Moves a bar to `value` with its arrow keys; true once it shows it.
inline bool SlideTo(QAbstractSlider* bar, int value) {
    for (int n = bar->minimum(); n <= bar->maximum() && bar->value() != value; ++n)
        QTest::keyClick(bar, bar->value() < value ? Qt::Key_Right : Qt::Key_Left);
    return bar->value() == value;
}

// Chooses item `index` of a closed combo box with its arrow keys; true once it shows it.
inline bool ChooseItem(QComboBox* combo, int index) {
    for (int n = 0; n <= combo->count() && combo->currentIndex() != index; ++n)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    return combo->currentIndex() == index;
}

// Types each character of `text` with Alt held.
inline void TypeWithAlt(QLineEdit* edit, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(edit, c.toLatin1(), Qt::AltModifier);
}

// Pastes `text` from the clipboard with Ctrl+V.
inline void Paste(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

// Pastes `text` from the clipboard by the box's own menu; true once its Paste was clicked.
inline bool PasteByMenu(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    const QPoint middle = edit->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, middle, edit->mapToGlobal(middle));
    QApplication::sendEvent(edit, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("&Paste")))
            paste = action;
    if (!paste)
        return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    return QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }, WAIT_LIMIT_MS);
}

// Types `text` character by character, letters outside ASCII included.
inline void TypeEach(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// True where the platform has a selection that the middle button pastes.
inline bool HasMouseSelection() {
    return QApplication::clipboard()->supportsSelection();
}

// Pastes `text` as the mouse selection with the middle button at the end of the box.
inline void PasteByMiddleButton(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text, QClipboard::Selection);
    QTest::mouseClick(edit, Qt::MiddleButton, {}, QPoint(edit->width() - 2, edit->height() / 2));
}

// Drags `text` from elsewhere onto the end of the box and drops it there.
inline void Drop(QLineEdit* edit, const QString& text) {
    QMimeData dragged;
    dragged.setText(text);
    const QPoint end(edit->width() - 2, edit->height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
}

// Clicks a button, box or radio button by the keyboard, as a user does with the space bar.
inline void Click(QAbstractButton* button) {
    QTest::keyClick(button, Qt::Key_Space);
}

// Sets a box ticked or not by clicking it when it is not so already.
inline void Tick(QAbstractButton* box, bool ticked) {
    if (box->isChecked() != ticked)
        Click(box);
}

// Chooses item `item` of a list that is not editable by the keyboard: Home, then Down.
inline void Choose(QComboBox* box, int item) {
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

// Moves the focus into `box` by Tab from the control before it, then out by Tab; true when
// the focus went in and out. The box's window must be active.
inline bool TabThrough(QWidget* box) {
    QWidget* before = box->previousInFocusChain();
    while (before != box &&
           !(before->isEnabled() && before->isVisible() && (before->focusPolicy() & Qt::TabFocus)))
        before = before->previousInFocusChain();
    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    if (!box->hasFocus())
        return false;
    QTest::keyClick(box, Qt::Key_Tab);
    return !box->hasFocus();
}

// Drags a bar's thumb to `value`, as the mouse does.
inline void Drag(QAbstractSlider* bar, int value) {
    bar->setSliderDown(true);
    bar->setSliderPosition(value);
    bar->setSliderDown(false);
}

} // namespace testsupport
